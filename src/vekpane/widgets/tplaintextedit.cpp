#include "tplaintextedit.h"
#include "tplaintextedit_p.h"

#include "tscriptvalue.h"
#include "ttextattrs_p.h"
#include "ttextautoheight_p.h"
#include "ttextbytelimit_p.h"
#include "tuiutil.h"

using TTextAttrs::isInt;
using TTextAttrs::isString;

TPlainTextEdit::TPlainTextEdit(QWidget *iParent)
    : QPlainTextEdit(iParent)
    , d(new TPlainTextEditPrivate(this))
{
    connect(this, &QPlainTextEdit::textChanged, this, &TPlainTextEdit::onTextChange);
}

TPlainTextEdit::~TPlainTextEdit() = default;

void TPlainTextEdit::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        if (isString(value))
            setPlainText(value.toString());
    } else if (iKey == QLatin1String("min_row_count")) {
        if (isInt(value))
            setMinRowCount(value.toInt());
    } else if (iKey == QLatin1String("max_row_count")) {
        if (isInt(value))
            setMaxRowCount(value.toInt());
    } else if (iKey == QLatin1String("max_byte_count")) {
        if (isInt(value))
            setMaxByteCount(value.toInt());
    } else if (iKey == QLatin1String("vertical_scroll_bar_policy")) {
        if (isString(value))
            setVerticalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    } else if (iKey == QLatin1String("horizontal_scroll_bar_policy")) {
        if (isString(value))
            setHorizontalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    }
}

QVariant TPlainTextEdit::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return toPlainText();
    if (iKey == QLatin1String("min_row_count"))
        return minRowCount();
    if (iKey == QLatin1String("max_row_count"))
        return maxRowCount();
    if (iKey == QLatin1String("max_byte_count"))
        return maxByteCount();
    if (iKey == QLatin1String("vertical_scroll_bar_policy"))
        return QVariant::fromValue(verticalScrollBarPolicy());
    if (iKey == QLatin1String("horizontal_scroll_bar_policy"))
        return QVariant::fromValue(horizontalScrollBarPolicy());
    return _getData(this, iKey, iOptions);
}

int TPlainTextEdit::minRowCount() const { return d->minRowCount; }

void TPlainTextEdit::setMinRowCount(int iCountInt) { d->minRowCount = iCountInt; }

int TPlainTextEdit::maxRowCount() const { return d->maxRowCount; }

void TPlainTextEdit::setMaxRowCount(int iCountInt) { d->maxRowCount = iCountInt; }

int TPlainTextEdit::maxByteCount() const { return d->maxByteCount; }

void TPlainTextEdit::setMaxByteCount(int iCountInt) { d->maxByteCount = iCountInt; }

void TPlainTextEdit::paintEvent(QPaintEvent *iEvent)
{
    adjustTextAreaHeight();
    QPlainTextEdit::paintEvent(iEvent);
}

void TPlainTextEdit::resizeEvent(QResizeEvent *iEvent)
{
    // Only a changed sheet is set: setting one re-polishes the field.
    static const QString sheet = QStringLiteral(".TPlainTextEdit{padding-top:0px;}");
    if (styleSheet() != sheet)
        setStyleSheet(sheet);
    QPlainTextEdit::resizeEvent(iEvent);
}

void TPlainTextEdit::focusOutEvent(QFocusEvent *iEvent)
{
    QPlainTextEdit::focusOutEvent(iEvent);
    Q_EMIT editingFinished();
}

void TPlainTextEdit::adjustTextAreaHeight()
{
    TTextAutoHeight::applyFixedRule(this, d->minRowCount, d->maxRowCount, TTextAutoHeight::neededHeight(this));
}

void TPlainTextEdit::onTextChange() { TTextByteLimit::enforceOn(this, d->maxByteCount); }
