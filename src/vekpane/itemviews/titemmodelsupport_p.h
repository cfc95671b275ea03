#ifndef TITEMMODELSUPPORT_P_H
#define TITEMMODELSUPPORT_P_H

#include <QModelIndex>
#include <QRegExp>
#include <QStringList>
#include <QVariant>
#include <QVector>

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
        QVariant constant;
        QString key;       // the data key of a key reference
        int position = -1; // its index in the data key list
        Qt::ItemFlags constFlags;
    };

    // The rule of element iElement of iHeaderItem for iRole.
    const Rule &rule(const QVariantList &iHeaderItem, const QStringList &iDataKeys, int iElement, int iRole) const;
    void invalidate() { valid = false; }

    // A key reference's value among iValues (through iCallback when the key
    // is no data key), a constant, or invalid.
    template<typename Item, typename Callback>
    static QVariant resolve(const Rule &iRule, const QVariantList &iValues, const QModelIndex &iIndex, int iRole,
                            Item *iItem, const Callback &iCallback)
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
    static Qt::ItemFlags flags(const Rule &iRule, const QVariantList &iValues, Qt::ItemFlags iDefault);

    // The position a cell write under iRole stores at, or -1 when the cell is
    // not a key reference into the row's values (rows never grow by a write).
    static int writablePosition(const Rule &iRule, const QVariantList &iValues);
    // A written value as it is stored: check states as 1/0/-1.
    static QVariant storedValue(int iRole, const QVariant &iValue);

private:
    // The cell roles that have a name, plus one slot for every unnamed role
    // (those all look for the key "Role").
    enum { NamedStandardRoles = 15, NamedUserRoles = 7, RuleSlots = NamedStandardRoles + NamedUserRoles + 1 };

    static int ruleSlot(int iRole);
    void build(const QVariantList &iHeaderItem, const QStringList &iDataKeys) const;

    mutable QVector<QVector<Rule>> rules; // per element, per role slot
    mutable bool valid = false;
};

// Row values and header elements as both models read them.
namespace TItemModelSupport {

// A row given as a list (taken as it is) or as a map (read in data key order).
QVariantList rowValues(const QVariant &iRow, const QStringList &iDataKeys);
// A row's flag under iKey; true when the key is empty or no data key.
bool rowFlag(const QVariantList &iValues, const QStringList &iDataKeys, const QString &iKey);
// The values under their data keys.
QVariantMap valueMap(const QVariantList &iValues, const QStringList &iDataKeys);
// The primary key that goes with new data keys: the first key unless the
// present one is among them.
QString primaryKeyFor(const QStringList &iDataKeys, const QString &iPrimaryKey);
// The positions of the data keys among iKeys (the primary key when empty).
QVector<int> keyPositions(const QStringList &iKeys, const QStringList &iDataKeys, const QString &iPrimaryKey);
// Whether iExpression matches the text of one of the values at iPositions.
bool matchesAny(const QRegExp &iExpression, const QVariantList &iValues, const QVector<int> &iPositions);
// The first element from iFirst on whose "name" is iName; -1 for none or the empty name.
int namedElement(const QVariantList &iHeaderItem, const QString &iName, int iFirst);
// The "name" of an element; empty outside the list.
QString elementName(const QVariantList &iHeaderItem, int iElement);

} // namespace TItemModelSupport

#endif // TITEMMODELSUPPORT_P_H
