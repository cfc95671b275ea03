#ifndef TWEBVIEW_P_H
#define TWEBVIEW_P_H

#include "tuiwrapper_p.h"
#include "twebview.h"

class TWebViewPrivate
{
    Q_DECLARE_PUBLIC(TWebView)
public:
    explicit TWebViewPrivate(TWebView *iPublic)
        : q_ptr(iPublic)
    {}

    QString address;
    QWebEngineView *view = nullptr;
    TWebView *q_ptr;
};

#endif // TWEBVIEW_P_H
