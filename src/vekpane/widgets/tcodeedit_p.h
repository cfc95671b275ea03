#ifndef TCODEEDIT_P_H
#define TCODEEDIT_P_H

#include "tcodeedit.h"

class TCodeHighlighter;

class TCodeEditPrivate
{
    Q_DECLARE_PUBLIC(TCodeEdit)
public:
    explicit TCodeEditPrivate(TCodeEdit *iPublic)
        : q_ptr(iPublic)
    {}

    int minRowCount = 1;
    int maxRowCount = -1;
    // Owned by the document it colours.
    TCodeHighlighter *highlighter = nullptr;
    TCodeEdit *q_ptr;
};

#endif // TCODEEDIT_P_H
