#include "tlengthvalueentry.h"
#include "tlengthvalueentry_p.h"

#include "tlengthformat_p.h"
#include "tlengthunits_p.h"
#include "tscriptvalue.h"

#include <QRegularExpression>

namespace {

const QString percent = QStringLiteral("%");

// The first number in the text with its optional unit. The exponent lets
// every text the entry writes itself (1.23457e+06) read back unchanged; the
// "|" in the sign class is kept for old forms, and such a sign reads as 0.
const QRegularExpression &numberPattern()
{
    static const QRegularExpression pattern(
            QStringLiteral("([+|-]?(?:\\d+\\.?\\d*|\\d*\\.?\\d+)(?:[eE][+-]?\\d+)?)(mil|in|inch|um|mm|%)?"),
            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

double TLengthValueEntryPrivate::convertedValue(const QString &iText) const
{
    QString text = iText;
    text.remove(QLatin1Char(' '));
    const QRegularExpressionMatch match = numberPattern().match(text);
    bool ok = false;
    const double number = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0.0;
    const double typed = ok ? number : 0.0;
    QString typedUnit = match.captured(2).toUpper();
    const QString ownUnit = units.toUpper();
    if (typedUnit.isEmpty())
        return typed;

    // A length typed into a percentage entry becomes its share of the base.
    if (ownUnit == percent && baseEntry && typed > 0) {
        if (typedUnit == percent)
            return typed;
        const double base = baseEntry->text().toDouble();
        const QString baseUnit = baseEntry->units();
        if (base <= 0 || !TLengthUnits::isUnit(baseUnit))
            return typed;
        return TLengthUnits::convert(typed, typedUnit, baseUnit) / base * 100;
    }

    double result = typed;
    // A percentage typed into a length entry is a share of the base, in the base's unit.
    if (typedUnit == percent && baseEntry) {
        result = baseEntry->text().toDouble() * typed / 100;
        typedUnit = baseEntry->units().toUpper();
    }
    if (!typedUnit.isEmpty() && typedUnit != ownUnit)
        result = TLengthUnits::convert(result, typedUnit, ownUnit);
    return result;
}

TLengthValueEntry::TLengthValueEntry(QWidget *iParent)
    : QLineEdit(iParent)
    , d(new TLengthValueEntryPrivate(this))
{
    // Scripts hand entries to each other and to the labels by pointer.
    qRegisterMetaType<TLengthValueEntry *>();
    connect(this, &QLineEdit::editingFinished, this, &TLengthValueEntry::onEditingFinished);
}

TLengthValueEntry::~TLengthValueEntry() = default;

void TLengthValueEntry::setUnits(const QString &iUnits) { d->units = iUnits; }

QString TLengthValueEntry::units() const { return d->units; }

void TLengthValueEntry::setPrecision(int iPrecision) { d->precision = iPrecision; }

int TLengthValueEntry::precision() const { return d->precision; }

void TLengthValueEntry::setBaseValueEntry(TLengthValueEntry *iEntry) { d->baseEntry = iEntry; }

TLengthValueEntry *TLengthValueEntry::baseValueEntry() const { return d->baseEntry; }

void TLengthValueEntry::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    QPointer<TLengthValueEntry> guard(this);
    _setData(this, iKey, plain);
    // A listener of "validation_state_changed" may have closed the form.
    if (!guard)
        return;
    const int type = plain.userType();
    if (iKey == QLatin1String("value")) {
        if (type == QMetaType::QString)
            setText(plain.toString());
    } else if (iKey == QLatin1String("units")) {
        if (type == QMetaType::QString)
            setUnits(plain.toString());
    } else if (iKey == QLatin1String("precision")) {
        if (type == QMetaType::Int || type == QMetaType::UInt)
            setPrecision(plain.toInt());
    }
}

QVariant TLengthValueEntry::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    if (iKey == QLatin1String("units"))
        return units();
    if (iKey == QLatin1String("precision"))
        return precision();
    return _getData(this, iKey, iOptions);
}

QVariant TLengthValueEntry::getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }

QVariant TLengthValueEntry::getAttr() { return getAttr(QStringLiteral("value"), QVariant()); }

void TLengthValueEntry::onEditingFinished()
{
    if (d->units.isEmpty())
        return;
    const QString newText = TLengthUnits::roundedText(d->convertedValue(text()), d->precision, 6);
    // Labels and scripts follow textChanged and the events; any of them may
    // delete the entry.
    QPointer<TLengthValueEntry> guard(this);
    setText(newText);
    if (!guard)
        return;
    emitSignal(QStringLiteral("editing_finished"), QVariant(), QStringLiteral(""));
    if (!guard)
        return;
    emitSignal(QStringLiteral("value_changed"),
               TLengthFormat::differsFromDefault(getDefaultData(QStringLiteral("value")), newText),
               QStringLiteral(""));
}
