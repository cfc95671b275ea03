#ifndef TLENGTHFORMAT_P_H
#define TLENGTHFORMAT_P_H

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

/*
 * The placeholder grammar of the length labels: "${part,part,...}", where
 * the inner text has no "$", "{", "}" or blank. Parts are split at "," with
 * empty parts dropped; the labels give them their meaning.
 */
namespace TLengthFormat {

// The inner texts of the placeholders in iFormat, each once, with its parts.
QMap<QString, QStringList> placeholders(const QString &iFormat);

// A precision part: 6 when missing, otherwise the number (0 when it is none).
int precisionPart(const QStringList &iParts, int iIndex);

// A format part: "g" when missing or "g" in any case, otherwise "f".
QString formatCharPart(const QStringList &iParts, int iIndex);

// iText with every "${iInner}" replaced literally by iValue.
QString substitute(const QString &iText, const QString &iInner, const QString &iValue);

// The value-changed flag of the labels: no default of "value", or one whose
// text differs from the new text.
bool differsFromDefault(const QVariant &iDefault, const QString &iText);

} // namespace TLengthFormat

#endif // TLENGTHFORMAT_P_H
