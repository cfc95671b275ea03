#ifndef TDATETIMEEDIT_P_H
#define TDATETIMEEDIT_P_H

#include "tdatetimeedit.h"

#include "tdateeditsupport_p.h"
#include "tlchoosedatetimewidget.h"

class TDateTimeEditPrivate : public TDateEditSupport::EditorCore<QDateTime, TLChooseDateTimeWidget>
{
    Q_DECLARE_PUBLIC(TDateTimeEdit)
public:
    explicit TDateTimeEditPrivate(TDateTimeEdit *iPublic);

    bool store(const QDateTime &iValue) override;
    // Stores iValue (clamped) and reports what changed, the date and the
    // time only when asked. False when a listener destroyed the editor.
    bool store(const QDateTime &iValue, bool iDateSignal, bool iTimeSignal);

    Qt::TimeSpec timeSpec = Qt::LocalTime;
    TDateTimeEdit *q_ptr;

protected:
    void settle(QDateTime &ioValue) override;
};

#endif // TDATETIMEEDIT_P_H
