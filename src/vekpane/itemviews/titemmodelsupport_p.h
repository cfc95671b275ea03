#ifndef TITEMMODELSUPPORT_P_H
#define TITEMMODELSUPPORT_P_H

#include <QModelIndex>
#include <QRegExp>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

/*
 * What the elements of a header item list say for the roles of their cells,
 * shared by the table and tree models so that a column description means the
 * same in both. A role's value in an element is either "$key", a reference to
 * the row's value under that data key, or a constant. The rules are resolved
 * once per change of the descriptions or the data keys.
 */
class TCellRules
{
public:
    struct Rule
    {
        enum Kind { Missing, Constant, KeyRef };
        Kind kind = Missing;
        // The cell shows the row value at position (or the constant) as it
        // is: a key into the row's values and a role whose conversion hands
        // every value back unchanged. The read path of views takes this step.
        bool direct = false;
        int position = -1; // a key reference's index in the data key list
        QVariant constant;
        QString key; // the data key of a key reference
        Qt::ItemFlags constFlags;
    };

    // The rule of element iElement of iHeaderItem for iRole.
    const Rule &rule(const QVariantList &iHeaderItem, const QStringList &iDataKeys, int iElement, int iRole) const
    {
        if (Q_UNLIKELY(!valid))
            build(iHeaderItem, iDataKeys);
        if (iElement < 0 || iElement >= elements)
            return missingRule();
        return rules[size_t(iElement) * RuleSlots + size_t(ruleSlot(iRole))];
    }
    void invalidate() { valid = false; }

    // A cell's value when its rule is direct: the row's value at the
    // position (invalid past the row's end) or the constant; one copy.
    template<typename Values>
    static QVariant directValue(const Rule &iRule, const Values &iValues)
    {
        if (iRule.kind == Rule::Constant)
            return iRule.constant;
        return uint(iRule.position) < uint(iValues.size()) ? iValues.at(iRule.position) : QVariant();
    }

    // A key reference's value among iValues (through iCallback when the key
    // is no data key), a constant, or invalid.
    template<typename Values, typename Item, typename Callback>
    static QVariant resolve(const Rule &iRule, const Values &iValues, const QModelIndex &iIndex, int iRole, Item *iItem,
                            const Callback &iCallback)
    {
        switch (iRule.kind) {
        case Rule::Missing:
            return QVariant();
        case Rule::Constant:
            return iRule.constant;
        case Rule::KeyRef:
            if (iRule.position >= 0)
                return iValues.value(iRule.position);
            if (iCallback)
                return iCallback(iIndex, iRole, iItem);
            return QVariant();
        }
        return QVariant();
    }

    // The item flags a cell's rule gives for the row's values; iDefault when
    // the description names none.
    template<typename Values>
    static Qt::ItemFlags flags(const Rule &iRule, const Values &iValues, Qt::ItemFlags iDefault)
    {
        switch (iRule.kind) {
        case Rule::Missing:
            return iDefault;
        case Rule::Constant:
            return iRule.constFlags;
        case Rule::KeyRef:
            // A key that is no data key reads as no text: no flags.
            return keyFlags(iValues.value(iRule.position).toString());
        }
        return iDefault;
    }

    // The position a cell write under iRole stores at, or -1 when the cell is
    // not a key reference into the row's values (rows never grow by a write).
    template<typename Values>
    static int writablePosition(const Rule &iRule, const Values &iValues)
    {
        if (iRule.kind != Rule::KeyRef || iRule.position < 0 || iRule.position >= iValues.size())
            return -1;
        return iRule.position;
    }
    // A written value as it is stored: check states as 1/0/-1.
    static QVariant storedValue(int iRole, const QVariant &iValue);

private:
    // The cell roles that have a name, plus one slot for every unnamed role
    // (those all look for the key "Role").
    enum { NamedStandardRoles = 15, NamedUserRoles = 7, RuleSlots = NamedStandardRoles + NamedUserRoles + 1 };

    static int ruleSlot(int iRole)
    {
        if (iRole >= 0 && iRole < NamedStandardRoles)
            return iRole;
        if (iRole >= Qt::UserRole && iRole < Qt::UserRole + NamedUserRoles)
            return NamedStandardRoles + iRole - Qt::UserRole;
        return RuleSlots - 1;
    }
    static const Rule &missingRule();
    static Qt::ItemFlags keyFlags(const QString &iText);
    void build(const QVariantList &iHeaderItem, const QStringList &iDataKeys) const;

    // Element by element, RuleSlots rules each, in one block.
    mutable std::vector<Rule> rules;
    mutable int elements = 0;
    mutable bool valid = false;
};

// A row's values as the models keep them: in one block, so that a cell's
// value is one step from its row.
using TRowValues = QVector<QVariant>;

// Row values and header elements as both models read them.
namespace TItemModelSupport {

// A row given as a list (taken as it is) or as a map (read in data key order);
// rowValues is the same row as the list the public slots hand back.
QVariantList rowValues(const QVariant &iRow, const QStringList &iDataKeys);
TRowValues rowVector(const QVariant &iRow, const QStringList &iDataKeys);
// A row's flag under iKey; true when the key is empty or no data key.
template<typename Values>
bool rowFlag(const Values &iValues, const QStringList &iDataKeys, const QString &iKey)
{
    const int position = iKey.isEmpty() ? -1 : iDataKeys.indexOf(iKey);
    return position < 0 ? true : iValues.value(position).toBool();
}
// The values under their data keys.
template<typename Values>
QVariantMap valueMap(const Values &iValues, const QStringList &iDataKeys)
{
    QVariantMap map;
    for (int position = 0; position < iDataKeys.size(); ++position)
        map.insert(iDataKeys.at(position), iValues.value(position));
    return map;
}
// The primary key that goes with new data keys: the first key unless the
// present one is among them.
QString primaryKeyFor(const QStringList &iDataKeys, const QString &iPrimaryKey);
// The positions of the data keys among iKeys (the primary key when empty).
QVector<int> keyPositions(const QStringList &iKeys, const QStringList &iDataKeys, const QString &iPrimaryKey);
// Whether iExpression matches the text of one of the values at iPositions.
template<typename Values>
bool matchesAny(const QRegExp &iExpression, const Values &iValues, const QVector<int> &iPositions)
{
    for (int position : iPositions) {
        if (iExpression.indexIn(iValues.value(position).toString()) != -1)
            return true;
    }
    return false;
}
// The first element from iFirst on whose "name" is iName; -1 for none or the empty name.
int namedElement(const QVariantList &iHeaderItem, const QString &iName, int iFirst);
// The "name" of an element; empty outside the list.
QString elementName(const QVariantList &iHeaderItem, int iElement);

} // namespace TItemModelSupport

#endif // TITEMMODELSUPPORT_P_H
