#include "tsqlwheresimplev2.h"
#include "tsqlwheresimplev2_p.h"

#include "tscriptvalue.h"
#include "tsqldatautilv2.h"
#include "tsqldialect_p.h"
#include "tsqlliteral_p.h"

TSqlWhereSimpleV2::TSqlWhereSimpleV2()
    : d_ptr(new TSqlWhereSimpleV2Private(this))
{}

TSqlWhereSimpleV2::TSqlWhereSimpleV2(const QString &iField, const QVariant &iValue, const QString &iOperator)
    : d_ptr(new TSqlWhereSimpleV2Private(this))
{
    setField(iField);
    setValue(iValue);
    setOperator(iOperator);
}

TSqlWhereSimpleV2::TSqlWhereSimpleV2(const TSqlWhereSimpleV2 &iOther)
    : TSqlWhereAbsV2(iOther)
    , d_ptr(new TSqlWhereSimpleV2Private(this))
{
    static_cast<TSqlWhereSimpleV2Data &>(*d_ptr) = *iOther.d_ptr;
}

TSqlWhereSimpleV2 &TSqlWhereSimpleV2::operator=(const TSqlWhereSimpleV2 &iOther)
{
    static_cast<TSqlWhereSimpleV2Data &>(*d_ptr) = *iOther.d_ptr;
    return *this;
}

TSqlWhereSimpleV2::~TSqlWhereSimpleV2() { delete d_ptr; }

QString TSqlWhereSimpleV2::field() const
{
    Q_D(const TSqlWhereSimpleV2);
    return d->field;
}

QVariant TSqlWhereSimpleV2::value() const
{
    Q_D(const TSqlWhereSimpleV2);
    return d->value;
}

QString TSqlWhereSimpleV2::getOperator() const
{
    Q_D(const TSqlWhereSimpleV2);
    return d->op;
}

QString TSqlWhereSimpleV2::databaseType() const
{
    Q_D(const TSqlWhereSimpleV2);
    return d->databaseType.isNull() ? TSqlDialect::defaultDriverName() : d->databaseType;
}

TSqlWhereSimpleV2 &TSqlWhereSimpleV2::setField(const QString &iField)
{
    Q_D(TSqlWhereSimpleV2);
    d->field = iField;
    return *this;
}

TSqlWhereSimpleV2 &TSqlWhereSimpleV2::setValue(const QVariant &iValue)
{
    Q_D(TSqlWhereSimpleV2);
    // A script array must count as a list when the node renders.
    d->value = TScriptValue::toPlain(iValue);
    return *this;
}

TSqlWhereSimpleV2 &TSqlWhereSimpleV2::setOperator(const QString &iOperator)
{
    Q_D(TSqlWhereSimpleV2);
    d->op = iOperator;
    return *this;
}

TSqlWhereSimpleV2 &TSqlWhereSimpleV2::setDatabaseType(const QString &iDatabaseType)
{
    Q_D(TSqlWhereSimpleV2);
    d->databaseType = iDatabaseType;
    return *this;
}

TSqlWhereAbsV2 *TSqlWhereSimpleV2::clone() const { return new TSqlWhereSimpleV2(*this); }

QString TSqlWhereSimpleV2::toSql() const { return toSql(QString()); }

QString TSqlWhereSimpleV2::toSql(const QString &iDatabaseType) const
{
    Q_D(const TSqlWhereSimpleV2);
    QString dialect = d->databaseType;
    if (dialect.isNull())
        dialect = iDatabaseType.isEmpty() ? TSqlDialect::defaultDriverName() : iDatabaseType;

    const QString &f = d->field;
    const QVariant &value = d->value;
    const QString op = d->op.toUpper();
    const bool isList = TSqlLiteral::isList(value);
    const QVariantList elements = isList ? value.toList() : QVariantList();

    // Every element of a list as a quoted literal after a common prefix.
    auto eachElement = [&](const QString &iBefore) {
        QStringList parts;
        parts.reserve(elements.size());
        for (const QVariant &e : elements)
            parts << iBefore + TSqlLiteral::quote(e, dialect);
        return parts;
    };

    if (op == QLatin1String("="))
        return TSqlDataUtilV2::variant2EqualWhere(f, value, QString(), true, dialect);
    if (op == QLatin1String("=="))
        return TSqlDataUtilV2::variant2EqualWhere(f, value, QString(), false, dialect);
    if (op == QLatin1String("!=")) {
        if (!value.isValid() || value.isNull())
            return f + QLatin1String(" IS NOT NULL");
        if (!isList)
            return f + QLatin1String(" != ") + TSqlLiteral::quote(value, dialect);
        if (elements.isEmpty())
            return QStringLiteral("(1=1)");
        return f + QLatin1String(" NOT IN (") + eachElement(QString()).join(QLatin1Char(',')) + QLatin1Char(')');
    }
    if (op == QLatin1String("LIKE")) {
        const TSqlDialect *literals = TSqlDialect::forLiteralType(dialect);
        const QString like = literals ? literals->likeOperator() : QStringLiteral(" LIKE ");
        if (!isList)
            return f + like + TSqlLiteral::quote(value, dialect);
        if (elements.isEmpty())
            return QStringLiteral("(1=0)");
        return QLatin1Char('(') + eachElement(f + like).join(QLatin1String(" OR ")) + QLatin1Char(')');
    }
    if (op == QLatin1String("NOTLIKE") || op == QLatin1String("NOT LIKE")) {
        const QString notLike = QStringLiteral(" NOT LIKE ");
        if (!isList)
            return f + notLike + TSqlLiteral::quote(value, dialect);
        if (elements.isEmpty())
            return QStringLiteral("(1=1)");
        return QLatin1Char('(') + eachElement(f + notLike).join(QLatin1String(" AND ")) + QLatin1Char(')');
    }
    return f + QLatin1Char(' ') + d->op + QLatin1Char(' ') + TSqlLiteral::quote(value, dialect);
}
