#ifndef TDATEEDIT_P_H
#define TDATEEDIT_P_H

#include "tdateedit.h"

class TLChooseDateWidget;
class TToolButton;

class TDateEditPrivate
{
    Q_DECLARE_PUBLIC(TDateEdit)
public:
    explicit TDateEditPrivate(TDateEdit *iPublic);

    void build();
    // Reads the typed text back: a valid date is stored, other text stays.
    // False when a listener destroyed the editor.
    bool commitText();
    // Stores iValue clamped, shows it and reports a change. False when a
    // listener destroyed the editor.
    bool store(const QDate &iValue);
    // After a bound moved: the calendar follows and a stored date is clamped.
    void boundChanged();

    TToolButton *calendarButton = nullptr;
    TLChooseDateWidget *chooser = nullptr;
    QDate value;
    QDate minimum;
    QDate maximum;
    QString displayFormat;
    bool wheelEnabled = false;
    const int wheelStep = 1;
    TDateEdit *q_ptr;
};

#endif // TDATEEDIT_P_H
