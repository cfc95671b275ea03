#ifndef TWEBVIEW_P_H
#define TWEBVIEW_P_H

#include "tuiwrapper_p.h"
#include "twebview.h"

#include <QPointer>

class TWebViewEngine;

class TWebViewPrivate
{
    Q_DECLARE_PUBLIC(TWebView)
public:
    explicit TWebViewPrivate(TWebView *iPublic)
        : q_ptr(iPublic)
    {}

    //! The engine view while it lives; null without the engine module.
    QWebEngineView *engineView() const { return view ? engineViewPtr : nullptr; }

    QString address;
    // The same child twice: as a widget (guarded, it may be deleted from
    // outside) and as the engine's view type, which only the module knows.
    QPointer<QWidget> view;
    QWebEngineView *engineViewPtr = nullptr;
    TWebViewEngine *engine = nullptr;
    TWebView *q_ptr;
};

#endif // TWEBVIEW_P_H
