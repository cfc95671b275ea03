#include "ttooltip.h"
#include "ttooltip_p.h"

#include "tscriptvalue.h"
#include "tuievent_p.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>

void TToolTipPrivate::applyStyle()
{
    label->setStyleSheet(QStringLiteral("QLabel{border:1px solid #808080; border-radius:3px;font-family:Times; "
                                        "font-weight:bold; font-size:%1px; color:#606060;background-color:#FFFFFF;}")
                                 .arg(fontSize));
}

void TToolTipPrivate::shrink()
{
    Q_Q(TToolTip);
    // The layout raises the window's minimum size only when it runs; run it
    // now so that the shrink below reaches the new text's size at once.
    q->layout()->activate();
    q->resize(0, 0);
}

TToolTip::TToolTip(QWidget *iParent)
    : QWidget(iParent, Qt::ToolTip | Qt::FramelessWindowHint)
    , d(new TToolTipPrivate(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto *layout = new QHBoxLayout(this);
    d->label = new QLabel(this);
    layout->addWidget(d->label);
    d->applyStyle();

    auto *shadow = new QGraphicsDropShadowEffect(d->label);
    shadow->setBlurRadius(2.0);
    shadow->setOffset(2.0, 2.0);
    shadow->setColor(QColor(QStringLiteral("#C8C8C8")));
    d->label->setGraphicsEffect(shadow);
}

TToolTip::~TToolTip() = default;

void TToolTip::setText(const QString &iText)
{
    d->label->setText(iText);
    d->shrink();
}

QString TToolTip::text() const { return d->label->text(); }

int TToolTip::fontSize() const { return d->fontSize; }

void TToolTip::setFontSize(const int &iSize)
{
    if (iSize == d->fontSize)
        return;
    d->fontSize = iSize;
    d->applyStyle();
    d->shrink();
}

void TToolTip::setIndent(int iIndent) { d->label->setIndent(iIndent); }

void TToolTip::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        const QString newText = value.toString();
        if (newText == text())
            return;
        setText(newText);
        TUiEvent::send(this, this, QStringLiteral("value_changed"), TUiEvent::differsFromDefaultText(this, newText));
    }
}

QVariant TToolTip::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    return _getData(this, iKey, iOptions);
}
