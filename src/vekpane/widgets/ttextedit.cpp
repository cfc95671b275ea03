#include "ttextedit.h"
#include "ttextedit_p.h"

#include "tscriptvalue.h"
#include "ttextautoheight_p.h"
#include "ttextbytelimit_p.h"
#include "ttextimages_p.h"
#include "tuievent_p.h"
#include "tuiutil.h"

bool TTextEditPrivate::sendEditEvents()
{
    Q_Q(TTextEdit);
    const bool changed = TUiEvent::differsFromDefaultText(q, q->toPlainText());
    return TUiEvent::send(q, q, QStringLiteral("value_changed"), changed)
           && TUiEvent::send(q, q, QStringLiteral("editing_finished"));
}

TTextEdit::TTextEdit(QWidget *iParent)
    : QTextEdit(iParent)
    , d(new TTextEditPrivate(this))
{
    connect(this, &QTextEdit::textChanged, this, &TTextEdit::onTextChange);
}

TTextEdit::~TTextEdit() = default;

QVariant TTextEdit::loadResource(int iType, const QUrl &iName)
{
    if (iType == QTextDocument::ImageResource)
        return TTextImages::image(iName);
    return QTextEdit::loadResource(iType, iName);
}

void TTextEdit::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        const QString text = value.toString();
        // An edit since the last set makes the same text a new value again.
        if (text == d->lastValue && !document()->isModified())
            return;
        setText(text);
        document()->setModified(false);
        d->lastValue = text;
        d->sendEditEvents();
    } else if (iKey == QLatin1String("min_row_count")) {
        setMinRowCount(value.toInt());
    } else if (iKey == QLatin1String("max_row_count")) {
        setMaxRowCount(value.toInt());
    } else if (iKey == QLatin1String("max_byte_count")) {
        setMaxByteCount(value.toInt());
    } else if (iKey == QLatin1String("vertical_scroll_bar_policy")) {
        setVerticalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    } else if (iKey == QLatin1String("horizontal_scroll_bar_policy")) {
        setHorizontalScrollBarPolicy(TUiUtil::str2scrollBarPolicy(value.toString()));
    } else if (iKey == QLatin1String("accept_rich_text")) {
        setAcceptRichText(value.toBool());
    } else if (iKey == QLatin1String("read_only")) {
        setReadOnly(value.toBool());
    }
}

QVariant TTextEdit::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return toPlainText();
    if (iKey == QLatin1String("min_row_count"))
        return minRowCount();
    if (iKey == QLatin1String("max_row_count"))
        return maxRowCount();
    if (iKey == QLatin1String("max_byte_count"))
        return maxByteCount();
    return _getData(this, iKey, iOptions);
}

int TTextEdit::minRowCount() const { return d->minRowCount; }

void TTextEdit::setMinRowCount(int iCountInt) { d->minRowCount = iCountInt; }

int TTextEdit::maxRowCount() const { return d->maxRowCount; }

void TTextEdit::setMaxRowCount(int iCountInt) { d->maxRowCount = iCountInt; }

int TTextEdit::maxByteCount() const { return d->maxByteCount; }

void TTextEdit::setMaxByteCount(int iCountInt) { d->maxByteCount = iCountInt; }

void TTextEdit::paintEvent(QPaintEvent *iEvent)
{
    adjustTextAreaHeight();
    QTextEdit::paintEvent(iEvent);
}

void TTextEdit::focusOutEvent(QFocusEvent *iEvent)
{
    QTextEdit::focusOutEvent(iEvent);
    d->sendEditEvents();
}

void TTextEdit::adjustTextAreaHeight()
{
    TTextAutoHeight::applyFixedRule(this, d->minRowCount, d->maxRowCount, TTextAutoHeight::neededHeight(this));
}

void TTextEdit::onTextChange() { TTextByteLimit::enforceOn(this, d->maxByteCount); }
