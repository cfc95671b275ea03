#include "twebview.h"
#include "twebview_p.h"
#include "twebviewengine_p.h"
#include "twebviewengineloader_p.h"

#include <QHBoxLayout>
#include <QLabel>

TWebView::TWebView(QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TWebViewPrivate(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Qt WebEngine is loaded with the first web view, not with the library.
    d->engine = TWebViewEngineLoader::engine();
    if (d->engine) {
        d->view = d->engine->createView(this, &d->engineViewPtr);
        layout->addWidget(d->view);
    } else {
        auto *message = new QLabel(TWebViewEngineLoader::errorText(), this);
        message->setObjectName(QStringLiteral("webEngineMissing"));
        message->setAlignment(Qt::AlignCenter);
        message->setWordWrap(true);
        layout->addWidget(message);
    }
}

TWebView::~TWebView() = default;

QWebEngineView *TWebView::webView() const { return d->engineView(); }

void TWebView::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        navigate(value.toString());
}

QVariant TWebView::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return url();
    return _getData(this, iKey, iOptions);
}

void TWebView::navigate(const QString &iUrl)
{
    // Stored as given, so that a script reads back what it set.
    d->address = iUrl;
    if (QWebEngineView *view = d->engineView())
        d->engine->load(view, QUrl(iUrl, QUrl::TolerantMode));
}

void TWebView::navigate(const QUrl &iUrl)
{
    d->address = iUrl.toString();
    if (QWebEngineView *view = d->engineView())
        d->engine->load(view, iUrl);
}

QString TWebView::url() const { return d->address; }
