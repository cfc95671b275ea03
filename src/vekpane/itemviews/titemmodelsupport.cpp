#include "titemmodelsupport_p.h"

#include "titemdatarole.h"

// --- cell rules ----------------------------------------------------------------

int TCellRules::ruleSlot(int iRole)
{
    if (iRole >= 0 && iRole < NamedStandardRoles)
        return iRole;
    if (iRole >= Qt::UserRole && iRole < Qt::UserRole + NamedUserRoles)
        return NamedStandardRoles + iRole - Qt::UserRole;
    return RuleSlots - 1;
}

void TCellRules::build(const QVariantList &iHeaderItem, const QStringList &iDataKeys) const
{
    // The key each slot looks for: the role's name followed by "Role"; the
    // unnamed roles share the slot whose key is "Role" alone.
    static const QVector<QString> slotKeys = [] {
        QVector<QString> keys(RuleSlots);
        for (int role = 0; role < NamedStandardRoles; ++role)
            keys[ruleSlot(role)] = TItemDataRole::key(role) + QLatin1String("Role");
        for (int role = Qt::UserRole; role < Qt::UserRole + NamedUserRoles; ++role)
            keys[ruleSlot(role)] = TItemDataRole::key(role) + QLatin1String("Role");
        keys[RuleSlots - 1] = QStringLiteral("Role");
        return keys;
    }();

    rules.clear();
    rules.reserve(iHeaderItem.size());
    for (const QVariant &element : iHeaderItem) {
        const QVariantMap map = element.toMap();
        QVector<Rule> elementRules(RuleSlots);
        for (int slot = 0; slot < RuleSlots; ++slot) {
            const QVariant value = map.value(slotKeys.at(slot));
            Rule &rule = elementRules[slot];
            if (!value.isValid())
                continue;
            if (value.userType() == QMetaType::QString && value.toString().startsWith(QLatin1Char('$'))) {
                rule.kind = Rule::KeyRef;
                rule.key = value.toString().mid(1);
                rule.position = iDataKeys.indexOf(rule.key);
            } else {
                rule.kind = Rule::Constant;
                rule.constant = value;
                rule.constFlags = TItemDataRole::str2itemFlags(value.toString());
            }
        }
        rules.append(elementRules);
    }
    valid = true;
}

const TCellRules::Rule &TCellRules::rule(const QVariantList &iHeaderItem, const QStringList &iDataKeys, int iElement,
                                         int iRole) const
{
    static const Rule missing;
    if (!valid)
        build(iHeaderItem, iDataKeys);
    if (iElement < 0 || iElement >= rules.size())
        return missing;
    return rules.at(iElement).at(ruleSlot(iRole));
}

Qt::ItemFlags TCellRules::flags(const Rule &iRule, const QVariantList &iValues, Qt::ItemFlags iDefault)
{
    switch (iRule.kind) {
    case Rule::Missing:
        return iDefault;
    case Rule::Constant:
        return iRule.constFlags;
    case Rule::KeyRef:
        // A key that is no data key reads as no text: no flags.
        return TItemDataRole::str2itemFlags(iValues.value(iRule.position).toString());
    }
    return iDefault;
}

int TCellRules::writablePosition(const Rule &iRule, const QVariantList &iValues)
{
    if (iRule.kind != Rule::KeyRef || iRule.position < 0 || iRule.position >= iValues.size())
        return -1;
    return iRule.position;
}

QVariant TCellRules::storedValue(int iRole, const QVariant &iValue)
{
    if (iRole != Qt::CheckStateRole)
        return iValue;
    const int state = iValue.toInt();
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? -1 : 0;
}

// --- rows and header elements ----------------------------------------------------

QVariantList TItemModelSupport::rowValues(const QVariant &iRow, const QStringList &iDataKeys)
{
    QVariantList values;
    const int type = iRow.userType();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        values = iRow.toList();
    } else if (type == QMetaType::QVariantMap) {
        const QVariantMap map = iRow.toMap();
        values.reserve(iDataKeys.size());
        for (const QString &key : iDataKeys)
            values.append(map.value(key));
    }
    return values;
}

bool TItemModelSupport::rowFlag(const QVariantList &iValues, const QStringList &iDataKeys, const QString &iKey)
{
    const int position = iKey.isEmpty() ? -1 : iDataKeys.indexOf(iKey);
    return position < 0 ? true : iValues.value(position).toBool();
}

QVariantMap TItemModelSupport::valueMap(const QVariantList &iValues, const QStringList &iDataKeys)
{
    QVariantMap map;
    for (int position = 0; position < iDataKeys.size(); ++position)
        map.insert(iDataKeys.at(position), iValues.value(position));
    return map;
}

QString TItemModelSupport::primaryKeyFor(const QStringList &iDataKeys, const QString &iPrimaryKey)
{
    if (!iDataKeys.isEmpty() && (iPrimaryKey.isEmpty() || !iDataKeys.contains(iPrimaryKey)))
        return iDataKeys.first();
    return iPrimaryKey;
}

QVector<int> TItemModelSupport::keyPositions(const QStringList &iKeys, const QStringList &iDataKeys,
                                             const QString &iPrimaryKey)
{
    QVector<int> positions;
    const QStringList keys = iKeys.isEmpty() ? QStringList {iPrimaryKey} : iKeys;
    for (const QString &key : keys) {
        const int position = iDataKeys.indexOf(key);
        if (position >= 0)
            positions.append(position);
    }
    return positions;
}

bool TItemModelSupport::matchesAny(const QRegExp &iExpression, const QVariantList &iValues,
                                   const QVector<int> &iPositions)
{
    for (int position : iPositions) {
        if (iExpression.indexIn(iValues.value(position).toString()) != -1)
            return true;
    }
    return false;
}

int TItemModelSupport::namedElement(const QVariantList &iHeaderItem, const QString &iName, int iFirst)
{
    if (iName.isEmpty())
        return -1;
    for (int element = iFirst; element < iHeaderItem.size(); ++element) {
        if (elementName(iHeaderItem, element) == iName)
            return element;
    }
    return -1;
}

QString TItemModelSupport::elementName(const QVariantList &iHeaderItem, int iElement)
{
    if (iElement < 0 || iElement >= iHeaderItem.size())
        return QString();
    return iHeaderItem.at(iElement).toMap().value(QStringLiteral("name")).toString();
}
