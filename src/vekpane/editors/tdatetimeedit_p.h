#ifndef TDATETIMEEDIT_P_H
#define TDATETIMEEDIT_P_H

#include "tdatetimeedit.h"

class TLChooseDateTimeWidget;
class TToolButton;

class TDateTimeEditPrivate
{
    Q_DECLARE_PUBLIC(TDateTimeEdit)
public:
    explicit TDateTimeEditPrivate(TDateTimeEdit *iPublic);

    void build();
    void writeText();
    // Reads the typed text back: a valid date-time is stored, anything else
    // gives way to the stored value's text. False when the editor is gone.
    bool commitText();
    // Stores iValue (clamped) and reports what changed. False when a
    // listener destroyed the editor.
    bool store(const QDateTime &iValue, bool iDateSignal, bool iTimeSignal);

    TToolButton *calendarButton = nullptr;
    TLChooseDateTimeWidget *chooser = nullptr;
    QDateTime value;
    QDateTime minimum;
    QDateTime maximum;
    QString displayFormat;
    Qt::TimeSpec timeSpec = Qt::LocalTime;
    bool wheelEnabled = false;
    const int wheelStep = 1;
    TDateTimeEdit *q_ptr;
};

#endif // TDATETIMEEDIT_P_H
