// SQL literals: a quoted value read back by each dialect's rules is the
// value itself, and a text list written as an array literal reads back as
// the same list. Elements are cut from the input at 0x01 bytes.

#include "fuzzcommon.h"

#include "tsqldatautilv2.h"

#include <QStringList>

namespace {

// Reads one quoted literal as the server of DIALECT would, or gives a null
// string when the literal would end early or not at all.
QString readLiteral(const QString &iLiteral, bool iBackslashEscapes)
{
    QString text = iLiteral;
    if (text.startsWith(QLatin1Char('E')))
        text.remove(0, 1);
    if (text.size() < 2 || !text.startsWith(QLatin1Char('\'')) || !text.endsWith(QLatin1Char('\'')))
        return QString();
    QString out(QLatin1String(""));
    for (int i = 1; i < text.size() - 1; ++i) {
        const QChar c = text.at(i);
        if (iBackslashEscapes && c == QLatin1Char('\\')) {
            if (i + 1 >= text.size() - 1)
                return QString();
            out += text.at(++i);
        } else if (c == QLatin1Char('\'')) {
            if (i + 1 >= text.size() - 1 || text.at(i + 1) != QLatin1Char('\''))
                return QString();
            out += c;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QString input = fuzzText(iData, iSize);

    const QString psql = TSqlDataUtilV2::singleQuote(input, QStringLiteral("QPSQL"));
    FUZZ_CHECK(readLiteral(psql, psql.startsWith(QLatin1Char('E'))) == input);
    FUZZ_CHECK(readLiteral(TSqlDataUtilV2::singleQuote(input, QStringLiteral("QMYSQL")), true) == input);
    for (const char *type : {"QSQLITE", "QODBC", "QOCI"})
        FUZZ_CHECK(readLiteral(TSqlDataUtilV2::singleQuote(input, QString::fromLatin1(type)), false) == input);

    const QStringList list = input.split(QChar(1));
    const QString array = TSqlDataUtilV2::variantToSqlValue(QVariant(list)).toString();
    FUZZ_CHECK(TSqlDataUtilV2::sqlArrayToList(array) == list);
    TSqlDataUtilV2::sqlArrayToList(input);
    TSqlDataUtilV2::variant2AndWhere(QVariant(list), QVariantMap(), QString(), QStringLiteral("QPSQL"));
    return 0;
}
