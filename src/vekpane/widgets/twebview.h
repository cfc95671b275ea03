#ifndef TWEBVIEW_H
#define TWEBVIEW_H

#include "tuiwrapper.h"

#include <QUrl>
#include <QWidget>

class QWebEngineView;
class TWebViewPrivate;

/*!
 * A web page inside a script-built form: a web engine view filling the
 * widget without margins. The address last given to navigate() or to
 * "value" is kept and read back by url() and "value", also while the page
 * still loads or when it failed. It sends no events of its own.
 *
 * Qt WebEngine comes from a module of its own, loaded with the first web
 * view; where it is not installed the view shows a message instead. A
 * program that shows web pages sets Qt::AA_ShareOpenGLContexts before it
 * makes its application, as Qt WebEngine asks (without it Qt warns once).
 *
 * Own key: "value", the address (read and written).
 */
class VEKPANE_EXPORT TWebView : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TWebView(QWidget *iParent = nullptr);

    //! The web engine view inside; null when the web engine module is missing.
    QWebEngineView *webView() const;

    TUI_WRAPPER(TWebView)

public Q_SLOTS:
    //! Loads the page at \a iUrl, parsed tolerantly.
    void navigate(const QString &iUrl);
    //! Loads the page at \a iUrl.
    void navigate(const QUrl &iUrl);
    //! The address last navigated to; empty at first.
    QString url() const;
};

#endif // TWEBVIEW_H
