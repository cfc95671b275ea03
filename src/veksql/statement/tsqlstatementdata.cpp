#include "tsqlstatementdata_p.h"

#include "tsqldatautilv2.h"
#include "tscriptvalue.h"

bool TSqlStatementKeys::is(const QString &iKey, const char *iName, const char *iOther)
{
    return iKey == QLatin1String(iName) || (iOther && iKey == QLatin1String(iOther));
}

void TSqlStatementKeys::appendTexts(QStringList &oList, const QVariant &iValue)
{
    const int type = iValue.userType();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        const QVariantList elements = iValue.toList();
        for (const QVariant &e : elements)
            oList << e.toString();
    } else {
        oList << iValue.toString();
    }
}

void TSqlRowStatementData::readMap(const QVariantMap &iMap, int iParts)
{
    using TSqlStatementKeys::is;
    const QVariantMap map = TScriptValue::toPlain(iMap).toMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString key = it.key().toUpper();
        const QVariant &value = it.value();
        if (is(key, "CONNECTIONNAME", "CONNECTION_NAME")) {
            connectionName = value.toString();
        } else if (is(key, "TABLE")) {
            table = value.toString();
        } else if (is(key, "USERDATA", "USER_DATA")) {
            userData = value;
        } else if ((iParts & Columns) && is(key, "FIELD")) {
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
    }
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
