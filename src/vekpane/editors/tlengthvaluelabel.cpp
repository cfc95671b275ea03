#include "tlengthvaluelabel.h"
#include "tlengthvaluelabel_p.h"

#include "tlengthformat_p.h"
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
    d->placeholders.clear();
    const QMap<QString, QStringList> found = TLengthFormat::placeholders(iFormatStr);
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        const QStringList &parts = it.value();
        d->placeholders.insert(it.key(),
                               QVariantMap {{QStringLiteral("units"), parts.value(0).toUpper()},
                                            {QStringLiteral("precision"), TLengthFormat::precisionPart(parts, 1)},
                                            {QStringLiteral("formatChar"), TLengthFormat::formatCharPart(parts, 2)}});
    }
}

QString TLengthValueLabel::formatString() const { return d->formatString; }

void TLengthValueLabel::setValueEntry(TLengthValueEntry *iEntry)
{
    disconnect(d->entryConnection);
    d->valueEntry = iEntry;
    if (!iEntry)
        return;
    d->entryConnection = connect(iEntry, &QLineEdit::textChanged, this, &TLengthValueLabel::onValueEntryChanged);
    onValueEntryChanged();
}

TLengthValueEntry *TLengthValueLabel::valueEntry() const { return d->valueEntry; }

void TLengthValueLabel::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    QPointer<TLengthValueLabel> guard(this);
    _setData(this, iKey, plain);
    if (!guard || plain.userType() != QMetaType::QString)
        return;
    if (iKey == QLatin1String("value"))
        setText(plain.toString());
    else if (iKey == QLatin1String("formatString"))
        setFormatString(plain.toString());
}

QVariant TLengthValueLabel::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    if (iKey == QLatin1String("formatString"))
        return formatString();
    return _getData(this, iKey, iOptions);
}

QVariant TLengthValueLabel::getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }

QVariant TLengthValueLabel::getAttr() { return getAttr(QStringLiteral("value"), QVariant()); }

void TLengthValueLabel::onValueEntryChanged()
{
    if (!d->valueEntry)
        return;
    // The text as it stands: a half-typed "0.1in" reads as 0 until editing finishes.
    const double value = d->valueEntry->text().toDouble();
    const QString entryUnit = d->valueEntry->units().toUpper();
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
    setText(text);
    emitSignal(QStringLiteral("value_changed"),
               TLengthFormat::differsFromDefault(getDefaultData(QStringLiteral("value")), text), QStringLiteral(""));
}
