#ifndef TLCHOOSEDATETIMEWIDGET_P_H
#define TLCHOOSEDATETIMEWIDGET_P_H

#include "tlchoosedatetimewidget.h"

#include "tchoosersupport_p.h"

#include <QPointer>

class QGridLayout;
class TDoubleClickCalendarWiget;

class TLChooseDateTimeWidgetPrivate
{
    Q_DECLARE_PUBLIC(TLChooseDateTimeWidget)
public:
    explicit TLChooseDateTimeWidgetPrivate(TLChooseDateTimeWidget *iPublic)
        : q_ptr(iPublic)
    {}

    void confirm();
    void confirmInSingleStep();
    // A step for a box of iLimit values: refills it, or hides the field when
    // the step leaves only 0.
    void applyStep(QComboBox *iBox, QWidget *iLabel, int iStep, int iLimit);

    TDoubleClickCalendarWiget *calendar = nullptr;
    QPointer<QCalendarWidget> readCalendar;
    TChooserSupport::TimeRow row;
    QGridLayout *grid = nullptr;
    QDate chosenDate;
    QTime chosenTime;
    QDateTime chosenDateTime;
    int mode = TChooserSupport::DoubleClick;
    TLChooseDateTimeWidget *q_ptr;
};

#endif // TLCHOOSEDATETIMEWIDGET_P_H
