#include "tsqlstatementdata_p.h"

#include "tsqldatautilv2.h"
#include "tsqlliteral_p.h"

bool TSqlStatementKeys::is(const QString &iKey, const char *iName, const char *iOther)
{
    return iKey == QLatin1String(iName) || (iOther && iKey == QLatin1String(iOther));
}

void TSqlStatementKeys::appendTexts(QStringList &oList, const QVariant &iValue)
{
    if (TSqlLiteral::isList(iValue)) {
        const QVariantList elements = iValue.toList();
        for (const QVariant &e : elements)
            oList << e.toString();
    } else {
        oList << iValue.toString();
    }
}

bool TSqlStatementKeys::readCommon(const QString &iKey, const QVariant &iValue, QString &oConnectionName,
                                   QString &oTable, QVariant &oUserData)
{
    if (is(iKey, "CONNECTIONNAME", "CONNECTION_NAME"))
        oConnectionName = iValue.toString();
    else if (is(iKey, "TABLE"))
        oTable = iValue.toString();
    else if (is(iKey, "USERDATA", "USER_DATA"))
        oUserData = iValue;
    else
        return false;
    return true;
}

void TSqlRowStatementData::readMap(const QVariantMap &iMap, int iParts)
{
    using TSqlStatementKeys::is;
    TSqlStatementKeys::forEach(iMap, [&](const QString &key, const QVariant &value) {
        if (TSqlStatementKeys::readCommon(key, value, connectionName, table, userData))
            return;
        if ((iParts & Columns) && is(key, "FIELD")) {
            TSqlStatementKeys::appendTexts(field, value);
        } else if ((iParts & Columns) && is(key, "DATA")) {
            data = value.toMap();
        } else if ((iParts & Columns) && is(key, "UNIQUEFIELD", "UNIQUE_FIELD")) {
            TSqlStatementKeys::appendTexts(uniqueField, value);
        } else if ((iParts & Columns) && is(key, "UPDATEPOLICY", "UPDATE_POLICY")) {
            updatePolicy = value.toMap();
        } else if ((iParts & AutoIncrement)
                   && (is(key, "AUTOINCREMENTFIELD", "AUTO_INCREMENT_FIELD") || is(key, "RETURNID", "RETURN_ID"))) {
            if (value.userType() == QMetaType::Bool)
                autoIncrementField = value.toBool() ? QStringLiteral("id") : QLatin1String("");
            else
                autoIncrementField = value.toString();
        } else if ((iParts & Where) && is(key, "WHERE")) {
            TSqlDataUtilV2::fillWhere(where, value);
        }
    });
}

void TSqlRowStatementData::clear()
{
    connectionName = QString();
    table = QString();
    field.clear();
    data.clear();
    uniqueField.clear();
    autoIncrementField = QString();
    where.clear();
    userData = QVariant();
}
