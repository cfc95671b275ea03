#ifndef TTIMEEDIT_P_H
#define TTIMEEDIT_P_H

#include "ttimeedit.h"

class TLChooseTimeWidget;
class TToolButton;

class TTimeEditPrivate
{
    Q_DECLARE_PUBLIC(TTimeEdit)
public:
    explicit TTimeEditPrivate(TTimeEdit *iPublic);

    void build();
    // Reads the typed text back: a valid time is stored, other text stays.
    // False when a listener destroyed the editor.
    bool commitText();
    // Stores iValue clamped, shows it and reports a change. False when a
    // listener destroyed the editor.
    bool store(const QTime &iValue);
    // After a bound moved: a stored time outside the range is clamped.
    void boundChanged();

    TToolButton *calendarButton = nullptr;
    TLChooseTimeWidget *chooser = nullptr;
    QTime value;
    QTime minimum;
    QTime maximum;
    QString displayFormat;
    bool wheelEnabled = false;
    const int wheelStep = 1;
    TTimeEdit *q_ptr;
};

#endif // TTIMEEDIT_P_H
