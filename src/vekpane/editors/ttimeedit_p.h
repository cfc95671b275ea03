#ifndef TTIMEEDIT_P_H
#define TTIMEEDIT_P_H

#include "ttimeedit.h"

#include "tdateeditsupport_p.h"
#include "tlchoosetimewidget.h"

class TTimeEditPrivate : public TDateEditSupport::EditorCore<QTime, TLChooseTimeWidget>
{
    Q_DECLARE_PUBLIC(TTimeEdit)
public:
    explicit TTimeEditPrivate(TTimeEdit *iPublic);

    bool store(const QTime &iValue) override;

    TTimeEdit *q_ptr;
};

#endif // TTIMEEDIT_P_H
