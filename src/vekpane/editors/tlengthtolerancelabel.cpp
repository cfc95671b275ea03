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

void TLengthToleranceLabelPrivate::follow(Followed &iRole, TLengthValueEntry *iEntry)
{
    Q_Q(TLengthToleranceLabel);
    QObject::disconnect(iRole.connection);
    iRole.entry = iEntry;
    if (!iEntry)
        return;
    iRole.connection
            = QObject::connect(iEntry, &QLineEdit::textChanged, q, &TLengthToleranceLabel::onValueEntryChanged);
    q->onValueEntryChanged();
}

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
    d->placeholders.clear();
    const QMap<QString, QStringList> found = TLengthFormat::placeholders(iFormatStr);
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        const QStringList &parts = it.value();
        d->placeholders.insert(it.key(),
                               QVariantMap {{QStringLiteral("type"), parts.value(0).toUpper()},
                                            {QStringLiteral("units"), parts.value(1).toUpper()},
                                            {QStringLiteral("precision"), TLengthFormat::precisionPart(parts, 2)},
                                            {QStringLiteral("formatChar"), TLengthFormat::formatCharPart(parts, 3)}});
    }
}

QString TLengthToleranceLabel::formatString() const { return d->formatString; }

void TLengthToleranceLabel::setBaseValueEntry(TLengthValueEntry *iEntry) { d->follow(d->base, iEntry); }

TLengthValueEntry *TLengthToleranceLabel::baseValueEntry() const { return d->base.entry; }

void TLengthToleranceLabel::setMinTolValueEntry(TLengthValueEntry *iEntry) { d->follow(d->minTol, iEntry); }

TLengthValueEntry *TLengthToleranceLabel::minTolValueEntry() const { return d->minTol.entry; }

void TLengthToleranceLabel::setMaxTolValueEntry(TLengthValueEntry *iEntry) { d->follow(d->maxTol, iEntry); }

TLengthValueEntry *TLengthToleranceLabel::maxTolValueEntry() const { return d->maxTol.entry; }

void TLengthToleranceLabel::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    QPointer<TLengthToleranceLabel> guard(this);
    _setData(this, iKey, plain);
    if (!guard || plain.userType() != QMetaType::QString)
        return;
    if (iKey == QLatin1String("value"))
        setText(plain.toString());
    else if (iKey == QLatin1String("formatString"))
        setFormatString(plain.toString());
}

QVariant TLengthToleranceLabel::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    if (iKey == QLatin1String("formatString"))
        return formatString();
    return _getData(this, iKey, iOptions);
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
    setText(text);
    emitSignal(QStringLiteral("value_changed"),
               TLengthFormat::differsFromDefault(getDefaultData(QStringLiteral("value")), text), QStringLiteral(""));
}
