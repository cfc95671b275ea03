#ifndef TTABLEMODEL_P_H
#define TTABLEMODEL_P_H

#include "ttablemodel.h"

#include <QVector>

class TTableItem;

class TTableModelPrivate
{
    Q_DECLARE_PUBLIC(TTableModel)
public:
    // What one element of the header item list says for one role of its cells,
    // resolved once per change of the descriptions or the data keys.
    struct CellRule
    {
        enum Kind { Missing, Constant, KeyRef };
        Kind kind = Missing;
        QVariant constant;
        QString key;       // the data key of a key reference
        int position = -1; // its index in the data key list
        Qt::ItemFlags constFlags;
    };

    // The cell roles that have a name, plus one slot for every unnamed role
    // (those all look for the key "Role").
    enum { NamedStandardRoles = 15, NamedUserRoles = 7, RuleSlots = NamedStandardRoles + NamedUserRoles + 1 };

    explicit TTableModelPrivate(TTableModel *iPublic)
        : q_ptr(iPublic)
    {}

    static int ruleSlot(int iRole);
    static bool isKeyRef(const QVariant &iValue);
    // The rule of element iElement (0: row header, c + 1: column c) for iRole.
    const CellRule &cellRule(int iElement, int iRole) const;
    void invalidateCellRules() { rulesValid = false; }
    void buildCellRules() const;

    // A key reference's value, a constant, or invalid (the shared step of cells and row headers).
    QVariant resolve(const CellRule &iRule, const QModelIndex &iIndex, int iRole, TTableItem *iItem) const;

    void insertItems(int iRow, const QList<TTableItem *> &iItems);
    QList<TTableItem *> itemsFromVariants(const QVariantList &iValues);
    QVariantMap rowMap(TTableItem *iItem, int iRow, const QString &iIndexKey, const QString &iVisibleKey) const;
    void emitRowChanged(int iRow);
    // Moves the row at iFrom to position iTo, announced as one move.
    void moveItem(int iFrom, int iTo);
    // The distinct valid rows of the indexes, as persistent indexes in row order.
    QList<QPersistentModelIndex> chosenRows(const QModelIndexList &iIndexes) const;
    // Shows matching rows and hides the others when iFilter is not 0.
    void applyFilter(const QVector<bool> &iMatches, int iFilter);

    int dragMode = 0;
    QString primaryKey;
    QString visibleKey;
    QList<TTableItem *> items;
    QVariantList headerItem;
    QStringList dataKeyList;
    TTableModel::DataCallback dataCallback;

    mutable QVector<QVector<CellRule>> cellRules; // per element, per role slot
    mutable bool rulesValid = false;

    TTableModel *q_ptr;
};

#endif // TTABLEMODEL_P_H
