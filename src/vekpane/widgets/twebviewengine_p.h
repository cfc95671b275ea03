#ifndef TWEBVIEWENGINE_P_H
#define TWEBVIEWENGINE_P_H

#include <QtPlugin>

class QUrl;
class QWebEngineView;
class QWidget;

/*!
 * What the web view asks of the web engine module (vekpanewebengine), which
 * alone links Qt WebEngine: the widget library loads it when the first web
 * view is made, so programs that never show a page never map the engine.
 * Header only: the module needs nothing else of the widget library.
 */
class TWebViewEngine
{
public:
    virtual ~TWebViewEngine() = default;

    //! Makes a web engine view as a child of iParent and returns it twice:
    //! as the widget to lay out, and as the view itself in oView.
    virtual QWidget *createView(QWidget *iParent, QWebEngineView **oView) = 0;
    //! Loads iUrl into a view that createView() made.
    virtual void load(QWebEngineView *iView, const QUrl &iUrl) = 0;
};

#define TWebViewEngine_iid "com.qarvon.vekpane.TWebViewEngine/1.0"
Q_DECLARE_INTERFACE(TWebViewEngine, TWebViewEngine_iid)

#endif // TWEBVIEWENGINE_P_H
