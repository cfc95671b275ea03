#include "tcodeedit.h"
#include "tcodeedit_p.h"

#include "tcodehighlighter.h"
#include "tscriptvalue.h"
#include "ttextattrs_p.h"
#include "ttextautoheight_p.h"
#include "ttextimages_p.h"
#include "tuiutil.h"

TCodeEdit::TCodeEdit(QWidget *iParent)
    : QTextEdit(iParent)
    , d(new TCodeEditPrivate(this))
{
    d->highlighter = new TCodeHighlighter(document());
    connect(this, &QTextEdit::textChanged, this, &TCodeEdit::adjustTextAreaHeight);
    setText(QString());
}

TCodeEdit::~TCodeEdit() = default;

QVariant TCodeEdit::loadResource(int iType, const QUrl &iName)
{
    // A value that reads as HTML is shown as rich text, <img> included.
    if (iType == QTextDocument::ImageResource)
        return TTextImages::image(iName);
    return QTextEdit::loadResource(iType, iName);
}

void TCodeEdit::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        setText(value.toString());
    else if (iKey == QLatin1String("min_row_count"))
        setMinRowCount(value.toInt());
    else if (iKey == QLatin1String("max_row_count"))
        setMaxRowCount(value.toInt());
    else if (iKey == QLatin1String("vertical_scroll_bar_policy"))
        setVerticalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    else if (iKey == QLatin1String("horizontal_scroll_bar_policy"))
        setHorizontalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    else if (iKey == QLatin1String("tab_stop_width"))
        setTabStopDistance(value.toInt());
}

QVariant TCodeEdit::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return toPlainText();
    if (iKey == QLatin1String("min"))
        return minRowCount();
    if (iKey == QLatin1String("max"))
        return maxRowCount();
    return _getData(this, iKey, iOptions);
}

int TCodeEdit::minRowCount() const { return d->minRowCount; }

void TCodeEdit::setMinRowCount(int iCountInt) { d->minRowCount = iCountInt; }

int TCodeEdit::maxRowCount() const { return d->maxRowCount; }

void TCodeEdit::setMaxRowCount(int iCountInt) { d->maxRowCount = iCountInt; }

void TCodeEdit::paintEvent(QPaintEvent *iEvent)
{
    adjustTextAreaHeight();
    QTextEdit::paintEvent(iEvent);
}

void TCodeEdit::focusOutEvent(QFocusEvent *iEvent)
{
    QTextEdit::focusOutEvent(iEvent);
    TTextAttrs::sendFocusOutEvents(this);
}

void TCodeEdit::adjustTextAreaHeight()
{
    TTextAutoHeight::applyMinimumRule(this, d->minRowCount, d->maxRowCount, TTextAutoHeight::neededHeight(this));
}
