#include "twebviewengineplugin.h"

#include <QWebEngineView>

TWebViewEnginePlugin::TWebViewEnginePlugin(QObject *iParent)
    : QObject(iParent)
{}

TWebViewEnginePlugin::~TWebViewEnginePlugin() = default;

QWidget *TWebViewEnginePlugin::createView(QWidget *iParent, QWebEngineView **oView)
{
    auto *view = new QWebEngineView(iParent);
    if (oView)
        *oView = view;
    return view;
}

void TWebViewEnginePlugin::load(QWebEngineView *iView, const QUrl &iUrl)
{
    if (iView)
        iView->load(iUrl);
}
