#ifndef TLENGTHFORMAT_P_H
#define TLENGTHFORMAT_P_H

#include "tlengthvalueentry.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

/*
 * What the length labels share: the placeholder grammar of their format,
 * "${part,part,...}", where the inner text has no "$", "{", "}" or blank
 * (parts are split at "," with empty parts dropped), the entries they follow,
 * their own keys and the report of a new text.
 */
namespace TLengthFormat {

// The inner texts of the placeholders in iFormat, each once, with its parts.
QMap<QString, QStringList> placeholders(const QString &iFormat);

// A precision part: 6 when missing, otherwise the number (0 when it is none).
int precisionPart(const QStringList &iParts, int iIndex);

// A format part: "g" when missing or "g" in any case, otherwise "f".
QString formatCharPart(const QStringList &iParts, int iIndex);

// The placeholder table of a label: the inner text of each placeholder in
// iFormat -> {"type" (only when iTyped), "units", "precision", "formatChar"},
// in that order of parts; type and units upper-cased.
QMap<QString, QVariant> fields(const QString &iFormat, bool iTyped);

// iText with every "${iInner}" replaced literally by iValue.
QString substitute(const QString &iText, const QString &iInner, const QString &iValue);

// The value-changed flag of the labels and the entry: no default of "value",
// or one whose text differs from the new text.
bool differsFromDefault(const QVariant &iDefault, const QString &iText);

// An entry a label follows. Each role keeps its own connection, so one entry
// may serve two roles and leave one of them without leaving the other.
struct Followed
{
    // Leaves the previous entry; a new one is followed through iChanged,
    // which runs at once.
    template<typename Label>
    void follow(TLengthValueEntry *iEntry, Label *iLabel, void (Label::*iChanged)())
    {
        QObject::disconnect(connection);
        // Guarded: forms delete entries in any order.
        entry = iEntry;
        if (!iEntry)
            return;
        connection = QObject::connect(iEntry, &QLineEdit::textChanged, iLabel, iChanged);
        (iLabel->*iChanged)();
    }

    QPointer<TLengthValueEntry> entry;
    QMetaObject::Connection connection;
};

// A label's own keys, after the common handling: "value" becomes its text
// and "formatString" its format, each only from a string.
template<typename Label>
void setOwnKey(Label *iLabel, const QString &iKey, const QVariant &iPlain)
{
    if (iPlain.userType() != QMetaType::QString)
        return;
    if (iKey == QLatin1String("value"))
        iLabel->setText(iPlain.toString());
    else if (iKey == QLatin1String("formatString"))
        iLabel->setFormatString(iPlain.toString());
}

// "value" or "formatString" of a label; invalid for any other key.
template<typename Label>
QVariant ownKey(const Label *iLabel, const QString &iKey)
{
    if (iKey == QLatin1String("value"))
        return iLabel->text();
    if (iKey == QLatin1String("formatString"))
        return iLabel->formatString();
    return QVariant();
}

// Shows a recomputed text and reports it as "value_changed".
template<typename Label>
void show(Label *iLabel, const QString &iText)
{
    iLabel->setText(iText);
    iLabel->emitSignal(QStringLiteral("value_changed"),
                       differsFromDefault(iLabel->getDefaultData(QStringLiteral("value")), iText),
                       QStringLiteral(""));
}

} // namespace TLengthFormat

#endif // TLENGTHFORMAT_P_H
