#ifndef TPLAINTEXTEDIT_P_H
#define TPLAINTEXTEDIT_P_H

#include "tplaintextedit.h"

class TPlainTextEditPrivate
{
    Q_DECLARE_PUBLIC(TPlainTextEdit)
public:
    explicit TPlainTextEditPrivate(TPlainTextEdit *iPublic)
        : q_ptr(iPublic)
    {}

    int minRowCount = 1;
    int maxRowCount = -1;
    int maxByteCount = -1;
    TPlainTextEdit *q_ptr;
};

#endif // TPLAINTEXTEDIT_P_H
