#include "tlengthtolerancelabel.h"
#include "tlengthtolerancelabel_p.h"

#include "tlengthformat_p.h"
#include "tlengthunits_p.h"
#include "tscriptvalue.h"

#include <cmath>

namespace {

const QString percent = QStringLiteral("%");

// Below this a nominal value cannot carry a percentage.
const double tinyBase = 1e-07;

// A tolerance in the nominal value's unit.
double inBaseUnits(double iTolerance, const QString &iUnit, double iBase, const QString &iBaseUnit)
{
    if (iUnit == percent)
        return iTolerance * iBase / 100;
    return TLengthUnits::convert(iTolerance, iUnit, iBaseUnit);
}

} // namespace

QString TLengthToleranceLabelPrivate::replacement(const QString &iInner, const QVariantMap &iFields) const
{
    const QString type = iFields.value(QStringLiteral("type")).toString();
    const QString unit = iFields.value(QStringLiteral("units")).toString();
    const int precision = iFields.value(QStringLiteral("precision")).toInt();
    auto shown = [precision](double iValue) { return TLengthUnits::roundedText(iValue, precision, precision); };

    const double nominal = base.entry->text().toDouble();
    const QString baseUnit = base.entry->units().toUpper();
    double minus = inBaseUnits(minTol.entry->text().toDouble(), minTol.entry->units().toUpper(), nominal, baseUnit);
    double plus = inBaseUnits(maxTol.entry->text().toDouble(), maxTol.entry->units().toUpper(), nominal, baseUnit);
    const bool percentOfBase = unit == percent && std::abs(nominal) > tinyBase;

    if (type == QLatin1String("TOL")) {
        if (percentOfBase) {
            minus = minus / nominal * 100;
            plus = plus / nominal * 100;
        } else if (unit != percent) {
            minus = TLengthUnits::convert(minus, baseUnit, unit);
            plus = TLengthUnits::convert(plus, baseUnit, unit);
        }
        const QString minusText = shown(minus);
        const QString plusText = shown(plus);
        if (minusText == plusText)
            return QChar(0x00B1) + plusText;
        return QStringLiteral("+%1/-%2").arg(plusText, minusText);
    }
    if (type == QLatin1String("RANGE")) {
        double low = nominal - minus;
        double high = nominal + plus;
        if (percentOfBase) {
            // The limits as percentages of the nominal value (97.5~105).
            low = low / nominal * 100;
            high = high / nominal * 100;
        } else if (unit != percent) {
            low = TLengthUnits::convert(low, baseUnit, unit);
            high = TLengthUnits::convert(high, baseUnit, unit);
        }
        return QStringLiteral("%1~%2").arg(shown(low), shown(high));
    }
    const QString placeholder = QLatin1String("${") + iInner + QLatin1Char('}');
    return placeholder;
}

TLengthToleranceLabel::TLengthToleranceLabel(QWidget *iParent)
    : QLabel(iParent)
    , d(new TLengthToleranceLabelPrivate(this))
{
    // Scripts hand the entries over by pointer.
    qRegisterMetaType<TLengthValueEntry *>();
}

TLengthToleranceLabel::~TLengthToleranceLabel() = default;

void TLengthToleranceLabel::setFormatString(const QString &iFormatStr)
{
    d->formatString = iFormatStr;
    d->placeholders = TLengthFormat::fields(iFormatStr, true);
}

QString TLengthToleranceLabel::formatString() const { return d->formatString; }

void TLengthToleranceLabel::setBaseValueEntry(TLengthValueEntry *iEntry)
{
    d->base.follow(iEntry, this, &TLengthToleranceLabel::onValueEntryChanged);
}

TLengthValueEntry *TLengthToleranceLabel::baseValueEntry() const { return d->base.entry; }

void TLengthToleranceLabel::setMinTolValueEntry(TLengthValueEntry *iEntry)
{
    d->minTol.follow(iEntry, this, &TLengthToleranceLabel::onValueEntryChanged);
}

TLengthValueEntry *TLengthToleranceLabel::minTolValueEntry() const { return d->minTol.entry; }

void TLengthToleranceLabel::setMaxTolValueEntry(TLengthValueEntry *iEntry)
{
    d->maxTol.follow(iEntry, this, &TLengthToleranceLabel::onValueEntryChanged);
}

TLengthValueEntry *TLengthToleranceLabel::maxTolValueEntry() const { return d->maxTol.entry; }

void TLengthToleranceLabel::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    QPointer<TLengthToleranceLabel> guard(this);
    _setData(this, iKey, plain);
    if (guard)
        TLengthFormat::setOwnKey(this, iKey, plain);
}

QVariant TLengthToleranceLabel::getAttr(const QString &iKey, const QVariant &iOptions)
{
    const QVariant own = TLengthFormat::ownKey(this, iKey);
    return own.isValid() ? own : _getData(this, iKey, iOptions);
}

QVariant TLengthToleranceLabel::getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }

QVariant TLengthToleranceLabel::getAttr() { return getAttr(QStringLiteral("value"), QVariant()); }

void TLengthToleranceLabel::onValueEntryChanged()
{
    if (!d->base.entry || !d->minTol.entry || !d->maxTol.entry)
        return;
    QString text = d->formatString;
    for (auto it = d->placeholders.cbegin(); it != d->placeholders.cend(); ++it)
        text = TLengthFormat::substitute(text, it.key(), d->replacement(it.key(), it.value().toMap()));
    TLengthFormat::show(this, text);
}
