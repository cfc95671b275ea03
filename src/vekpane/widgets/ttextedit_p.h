#ifndef TTEXTEDIT_P_H
#define TTEXTEDIT_P_H

#include "ttextedit.h"

class TTextEditPrivate
{
    Q_DECLARE_PUBLIC(TTextEdit)
public:
    explicit TTextEditPrivate(TTextEdit *iPublic)
        : q_ptr(iPublic)
    {}

    // "value_changed" then "editing_finished"; false when a listener deleted the field.
    bool sendEditEvents();

    int minRowCount = 1;
    int maxRowCount = -1;
    int maxByteCount = -1;
    QString lastValue;
    TTextEdit *q_ptr;
};

#endif // TTEXTEDIT_P_H
