#ifndef TLENGTHUNITS_P_H
#define TLENGTHUNITS_P_H

#include <QString>

#include <algorithm>

/*
 * The unit table the length entry and the length labels share: inches per
 * unit, keyed by the upper-cased unit word. "%" is deliberately no key: it
 * means a share of another length, not a unit.
 */
namespace TLengthUnits {

// Inches per unit; 0 for a word that is no length unit.
inline double factor(const QString &iUnit)
{
    const QString unit = iUnit.toUpper();
    if (unit == QLatin1String("MIL"))
        return 0.001;
    if (unit == QLatin1String("IN") || unit == QLatin1String("INCH"))
        return 1.0;
    if (unit == QLatin1String("UM"))
        return 1.0 / 25400.0;
    if (unit == QLatin1String("MM"))
        return 1.0 / 25.4;
    return 0.0;
}

inline bool isUnit(const QString &iUnit) { return factor(iUnit) != 0.0; }

// iValue given in iFrom, expressed in iTo. A value whose unit or target is no
// length unit stays as it is: the caller's number is better than a division
// by zero. The same unit returns the value untouched, not multiplied and
// divided back.
inline double convert(double iValue, const QString &iFrom, const QString &iTo)
{
    if (iFrom.compare(iTo, Qt::CaseInsensitive) == 0)
        return iValue;
    const double from = factor(iFrom);
    const double to = factor(iTo);
    if (from == 0.0 || to == 0.0)
        return iValue;
    return iValue * from / to;
}

// A precision as QString::number() may be given it: any negative means its
// default, and no double has more than 1074 meaningful decimals, while a
// larger request makes the conversion abort.
inline int usablePrecision(int iPrecision) { return std::clamp(iPrecision, -1, 1074); }

// Rounded to iPrecision decimals, then written with at most iPrecision
// significant digits ("g"), trailing zeros dropped.
inline QString roundedText(double iValue, int iPrecision, int iSignificant)
{
    const double rounded = QString::number(iValue, 'f', usablePrecision(iPrecision)).toDouble();
    return QString::number(rounded, 'g', usablePrecision(iSignificant));
}

} // namespace TLengthUnits

#endif // TLENGTHUNITS_P_H
