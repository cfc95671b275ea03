#include "titemmodelsupport_p.h"

#include "titemdatarole.h"

// --- cell rules ----------------------------------------------------------------

const TCellRules::Rule &TCellRules::missingRule()
{
    static const Rule missing;
    return missing;
}

Qt::ItemFlags TCellRules::keyFlags(const QString &iText) { return TItemDataRole::str2itemFlags(iText); }

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

    // The roles whose values the models convert on the way out (icons,
    // fonts, alignments, brushes, check states); every other role, the
    // unnamed ones included, shows a value as it is.
    static const auto converted = [](int iSlot) {
        switch (iSlot) {
        case Qt::DecorationRole:
        case Qt::FontRole:
        case Qt::TextAlignmentRole:
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
        case Qt::CheckStateRole:
            return true;
        default:
            return false;
        }
    };

    rules.clear();
    rules.resize(size_t(iHeaderItem.size()) * RuleSlots);
    elements = iHeaderItem.size();
    for (int element = 0; element < elements; ++element) {
        const QVariantMap map = iHeaderItem.at(element).toMap();
        for (int slot = 0; slot < RuleSlots; ++slot) {
            const QVariant value = map.value(slotKeys.at(slot));
            Rule &rule = rules[size_t(element) * RuleSlots + size_t(slot)];
            if (!value.isValid())
                continue;
            if (value.userType() == QMetaType::QString && value.toString().startsWith(QLatin1Char('$'))) {
                rule.kind = Rule::KeyRef;
                rule.key = value.toString().mid(1);
                rule.position = iDataKeys.indexOf(rule.key);
                rule.direct = rule.position >= 0 && !converted(slot);
            } else {
                rule.kind = Rule::Constant;
                rule.constant = value;
                rule.constFlags = TItemDataRole::str2itemFlags(value.toString());
                rule.direct = !converted(slot);
            }
        }
    }
    valid = true;
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
    return rowVector(iRow, iDataKeys).toList();
}

TRowValues TItemModelSupport::rowVector(const QVariant &iRow, const QStringList &iDataKeys)
{
    TRowValues values;
    const int type = iRow.userType();
    if (type == QMetaType::QVariantList) {
        const QVariantList list = iRow.toList();
        values.reserve(list.size());
        for (const QVariant &value : list)
            values.append(value);
    } else if (type == QMetaType::QStringList) {
        const QStringList list = iRow.toStringList();
        values.reserve(list.size());
        for (const QString &value : list)
            values.append(value);
    } else if (type == QMetaType::QVariantMap) {
        const QVariantMap map = iRow.toMap();
        values.reserve(iDataKeys.size());
        for (const QString &key : iDataKeys)
            values.append(map.value(key));
    }
    return values;
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
