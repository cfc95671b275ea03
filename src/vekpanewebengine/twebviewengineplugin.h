#ifndef TWEBVIEWENGINEPLUGIN_H
#define TWEBVIEWENGINEPLUGIN_H

#include "twebviewengine_p.h"

#include <QObject>

/*!
 * The web view's engine: makes and drives Qt WebEngine views for TWebView.
 * The only code of the framework that links Qt WebEngine.
 */
class TWebViewEnginePlugin : public QObject, public TWebViewEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TWebViewEngine_iid)
    Q_INTERFACES(TWebViewEngine)
public:
    explicit TWebViewEnginePlugin(QObject *iParent = nullptr);
    ~TWebViewEnginePlugin() override;

    QWidget *createView(QWidget *iParent, QWebEngineView **oView) override;
    void load(QWebEngineView *iView, const QUrl &iUrl) override;

private:
    Q_DISABLE_COPY(TWebViewEnginePlugin)
};

#endif // TWEBVIEWENGINEPLUGIN_H
