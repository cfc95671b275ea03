#ifndef TLCHOOSETIMEWIDGET_P_H
#define TLCHOOSETIMEWIDGET_P_H

#include "tlchoosetimewidget.h"

#include "tchoosersupport_p.h"

class QGridLayout;

class TLChooseTimeWidgetPrivate
{
    Q_DECLARE_PUBLIC(TLChooseTimeWidget)
public:
    explicit TLChooseTimeWidgetPrivate(TLChooseTimeWidget *iPublic)
        : q_ptr(iPublic)
    {}

    void confirm();
    void confirmInSingleStep();

    TChooserSupport::TimeRow row;
    QGridLayout *grid = nullptr;
    QTime chosenTime;
    int mode = TChooserSupport::DoubleClick;
    int hourStep = 1;
    int minuteStep = 1;
    int secondStep = 1;
    TLChooseTimeWidget *q_ptr;
};

#endif // TLCHOOSETIMEWIDGET_P_H
