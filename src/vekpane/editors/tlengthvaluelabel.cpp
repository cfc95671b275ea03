#include "tlengthvaluelabel.h"
#include "tlengthvaluelabel_p.h"

#include "tlengthunits_p.h"
#include "tscriptvalue.h"

TLengthValueLabel::TLengthValueLabel(QWidget *iParent)
    : QLabel(iParent)
    , d(new TLengthValueLabelPrivate(this))
{
    // Scripts hand the entries over by pointer.
    qRegisterMetaType<TLengthValueEntry *>();
}

TLengthValueLabel::~TLengthValueLabel() = default;

void TLengthValueLabel::setFormatString(const QString &iFormatStr)
{
    d->formatString = iFormatStr;
    d->placeholders = TLengthFormat::fields(iFormatStr, false);
}

QString TLengthValueLabel::formatString() const { return d->formatString; }

void TLengthValueLabel::setValueEntry(TLengthValueEntry *iEntry)
{
    d->value.follow(iEntry, this, &TLengthValueLabel::onValueEntryChanged);
}

TLengthValueEntry *TLengthValueLabel::valueEntry() const { return d->value.entry; }

void TLengthValueLabel::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    QPointer<TLengthValueLabel> guard(this);
    _setData(this, iKey, plain);
    if (guard)
        TLengthFormat::setOwnKey(this, iKey, plain);
}

QVariant TLengthValueLabel::getAttr(const QString &iKey, const QVariant &iOptions)
{
    const QVariant own = TLengthFormat::ownKey(this, iKey);
    return own.isValid() ? own : _getData(this, iKey, iOptions);
}

QVariant TLengthValueLabel::getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }

QVariant TLengthValueLabel::getAttr() { return getAttr(QStringLiteral("value"), QVariant()); }

void TLengthValueLabel::onValueEntryChanged()
{
    const TLengthValueEntry *entry = d->value.entry;
    if (!entry)
        return;
    // The text as it stands: a half-typed "0.1in" reads as 0 until editing finishes.
    const double value = entry->text().toDouble();
    const QString entryUnit = entry->units().toUpper();
    QString text = d->formatString;
    for (auto it = d->placeholders.cbegin(); it != d->placeholders.cend(); ++it) {
        const QVariantMap fields = it.value().toMap();
        const QString unit = fields.value(QStringLiteral("units")).toString();
        const int precision = fields.value(QStringLiteral("precision")).toInt();
        const double shown = unit.isEmpty() ? value : TLengthUnits::convert(value, entryUnit, unit);
        const QString number = fields.value(QStringLiteral("formatChar")).toString() == QLatin1String("f")
                                       ? QString::number(shown, 'f', TLengthUnits::usablePrecision(precision))
                                       : TLengthUnits::roundedText(shown, precision, precision);
        text = TLengthFormat::substitute(text, it.key(), number);
    }
    TLengthFormat::show(this, text);
}
