#ifndef TLCHOOSEDATEWIDGET_P_H
#define TLCHOOSEDATEWIDGET_P_H

#include "tlchoosedatewidget.h"

#include "tchoosersupport_p.h"

#include <QPointer>

class QGridLayout;
class QHBoxLayout;
class TDoubleClickCalendarWiget;
class TPushButton;

class TLChooseDateWidgetPrivate
{
    Q_DECLARE_PUBLIC(TLChooseDateWidget)
public:
    explicit TLChooseDateWidgetPrivate(TLChooseDateWidget *iPublic)
        : q_ptr(iPublic)
    {}

    void confirm();

    TDoubleClickCalendarWiget *calendar = nullptr;
    // A calendar given by the caller replaces the own one for reading.
    QPointer<QCalendarWidget> readCalendar;
    TPushButton *confirmButton = nullptr;
    TPushButton *cancelButton = nullptr;
    QHBoxLayout *emptyRow = nullptr;
    QHBoxLayout *buttonRow = nullptr;
    QGridLayout *grid = nullptr;
    QDate chosenDate;
    int mode = TChooserSupport::DoubleClick;
    TLChooseDateWidget *q_ptr;
};

#endif // TLCHOOSEDATEWIDGET_P_H
