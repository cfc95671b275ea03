#ifndef TLCHOOSEDATETIMEWIDGET_P_H
#define TLCHOOSEDATETIMEWIDGET_P_H

#include "tlchoosedatetimewidget.h"

#include "tchoosersupport_p.h"

class QGridLayout;

class TLChooseDateTimeWidgetPrivate : public TChooserSupport::ChooserCore
{
    Q_DECLARE_PUBLIC(TLChooseDateTimeWidget)
public:
    explicit TLChooseDateTimeWidgetPrivate(TLChooseDateTimeWidget *iPublic)
        : ChooserCore(iPublic)
        , q_ptr(iPublic)
    {}

    // A step for a box of iLimit values: refills it, or hides the field when
    // the step leaves only 0.
    void applyStep(QComboBox *iBox, QWidget *iLabel, int iStep, int iLimit);

    TChooserSupport::CalendarPart days;
    TChooserSupport::TimeRow row;
    QGridLayout *grid = nullptr;
    QDate chosenDate;
    QTime chosenTime;
    QDateTime chosenDateTime;
    TLChooseDateTimeWidget *q_ptr;

protected:
    void report() override;
};

#endif // TLCHOOSEDATETIMEWIDGET_P_H
