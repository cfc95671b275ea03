#include "tlengthformat_p.h"

#include <QRegularExpression>

namespace TLengthFormat {

QMap<QString, QStringList> placeholders(const QString &iFormat)
{
    static const QRegularExpression pattern(QStringLiteral("\\$\\{([^${ }]+)\\}"));
    QMap<QString, QStringList> result;
    QRegularExpressionMatchIterator it = pattern.globalMatch(iFormat);
    while (it.hasNext()) {
        const QString inner = it.next().captured(1);
        result.insert(inner, inner.split(QLatin1Char(','), Qt::SkipEmptyParts));
    }
    return result;
}

int precisionPart(const QStringList &iParts, int iIndex)
{
    const QString part = iParts.value(iIndex);
    return part.isEmpty() ? 6 : part.toInt(nullptr, 10);
}

QString formatCharPart(const QStringList &iParts, int iIndex)
{
    const QString part = iParts.value(iIndex);
    return part.isEmpty() || part.compare(QLatin1String("g"), Qt::CaseInsensitive) == 0 ? QStringLiteral("g")
                                                                                        : QStringLiteral("f");
}

QMap<QString, QVariant> fields(const QString &iFormat, bool iTyped)
{
    QMap<QString, QVariant> result;
    const QMap<QString, QStringList> found = placeholders(iFormat);
    const int first = iTyped ? 1 : 0;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        const QStringList &parts = it.value();
        QVariantMap placeholder {{QStringLiteral("units"), parts.value(first).toUpper()},
                                 {QStringLiteral("precision"), precisionPart(parts, first + 1)},
                                 {QStringLiteral("formatChar"), formatCharPart(parts, first + 2)}};
        if (iTyped)
            placeholder.insert(QStringLiteral("type"), parts.value(0).toUpper());
        result.insert(it.key(), placeholder);
    }
    return result;
}

QString substitute(const QString &iText, const QString &iInner, const QString &iValue)
{
    const QString placeholder = QLatin1String("${") + iInner + QLatin1Char('}');
    QString text = iText;
    return text.replace(placeholder, iValue);
}

bool differsFromDefault(const QVariant &iDefault, const QString &iText)
{
    return !iDefault.isValid() || iDefault.toString() != iText;
}

} // namespace TLengthFormat
