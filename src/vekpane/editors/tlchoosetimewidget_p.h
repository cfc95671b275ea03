#ifndef TLCHOOSETIMEWIDGET_P_H
#define TLCHOOSETIMEWIDGET_P_H

#include "tlchoosetimewidget.h"

#include "tchoosersupport_p.h"

class QGridLayout;

class TLChooseTimeWidgetPrivate : public TChooserSupport::ChooserCore
{
    Q_DECLARE_PUBLIC(TLChooseTimeWidget)
public:
    explicit TLChooseTimeWidgetPrivate(TLChooseTimeWidget *iPublic)
        : ChooserCore(iPublic)
        , q_ptr(iPublic)
    {}

    TChooserSupport::TimeRow row;
    QGridLayout *grid = nullptr;
    QTime chosenTime;
    int hourStep = 1;
    int minuteStep = 1;
    int secondStep = 1;
    TLChooseTimeWidget *q_ptr;

protected:
    void report() override;
};

#endif // TLCHOOSETIMEWIDGET_P_H
