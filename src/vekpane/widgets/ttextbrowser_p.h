#ifndef TTEXTBROWSER_P_H
#define TTEXTBROWSER_P_H

#include "ttextbrowser.h"

class TTextBrowserPrivate
{
    Q_DECLARE_PUBLIC(TTextBrowser)
public:
    explicit TTextBrowserPrivate(TTextBrowser *iPublic)
        : q_ptr(iPublic)
    {}

    int minRowCount = 1;
    int maxRowCount = -1;
    TTextBrowser *q_ptr;
};

#endif // TTEXTBROWSER_P_H
