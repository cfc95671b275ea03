#ifndef TDATEEDIT_P_H
#define TDATEEDIT_P_H

#include "tdateedit.h"

#include "tdateeditsupport_p.h"
#include "tlchoosedatewidget.h"

class TDateEditPrivate : public TDateEditSupport::EditorCore<QDate, TLChooseDateWidget>
{
    Q_DECLARE_PUBLIC(TDateEdit)
public:
    explicit TDateEditPrivate(TDateEdit *iPublic);

    bool store(const QDate &iValue) override;
    // After a bound moved: the calendar follows and a stored date is clamped.
    void boundChanged();

    TDateEdit *q_ptr;
};

#endif // TDATEEDIT_P_H
