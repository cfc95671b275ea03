#include "ttextbrowser.h"
#include "ttextbrowser_p.h"

#include "tscriptvalue.h"
#include "ttextattrs_p.h"
#include "ttextautoheight_p.h"
#include "ttextimages_p.h"

using TTextAttrs::isInt;
using TTextAttrs::isString;

TTextBrowser::TTextBrowser(QWidget *iParent)
    : QTextBrowser(iParent)
    , d(new TTextBrowserPrivate(this))
{}

TTextBrowser::~TTextBrowser() = default;

QVariant TTextBrowser::loadResource(int iType, const QUrl &iName)
{
    // The browser finds files along its search paths and hands back their
    // bytes, undecoded.
    const QVariant found = QTextBrowser::loadResource(iType, iName);
    return iType == QTextDocument::ImageResource ? TTextImages::image(iName, found) : found;
}

void TTextBrowser::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        if (isString(value))
            setText(value.toString());
    } else if (iKey == QLatin1String("min")) {
        if (isInt(value))
            setMinRowCount(value.toInt());
    } else if (iKey == QLatin1String("max")) {
        if (isInt(value))
            setMaxRowCount(value.toInt());
    }
}

QVariant TTextBrowser::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return toPlainText();
    if (iKey == QLatin1String("min"))
        return minRowCount();
    if (iKey == QLatin1String("max"))
        return maxRowCount();
    return _getData(this, iKey, iOptions);
}

int TTextBrowser::minRowCount() const { return d->minRowCount; }

void TTextBrowser::setMinRowCount(int iCountInt) { d->minRowCount = iCountInt; }

int TTextBrowser::maxRowCount() const { return d->maxRowCount; }

void TTextBrowser::setMaxRowCount(int iCountInt) { d->maxRowCount = iCountInt; }

void TTextBrowser::paintEvent(QPaintEvent *iEvent)
{
    adjustTextAreaHeight();
    QTextBrowser::paintEvent(iEvent);
}

void TTextBrowser::focusOutEvent(QFocusEvent *iEvent)
{
    QTextBrowser::focusOutEvent(iEvent);
    TTextAttrs::sendFocusOutEvents(this);
}

void TTextBrowser::adjustTextAreaHeight()
{
    TTextAutoHeight::applyMinimumRule(this, d->minRowCount, d->maxRowCount, TTextAutoHeight::neededHeight(this));
}
