#include "twebview.h"
#include "twebview_p.h"

#include <QHBoxLayout>
#include <QWebEngineView>

TWebView::TWebView(QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TWebViewPrivate(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    d->view = new QWebEngineView(this);
    layout->addWidget(d->view);
}

TWebView::~TWebView() = default;

QWebEngineView *TWebView::webView() const { return d->view; }

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
    if (d->view)
        d->view->load(QUrl(iUrl, QUrl::TolerantMode));
}

void TWebView::navigate(const QUrl &iUrl)
{
    d->address = iUrl.toString();
    if (d->view)
        d->view->load(iUrl);
}

QString TWebView::url() const { return d->address; }
