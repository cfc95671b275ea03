#ifndef TTABLEMODEL_P_H
#define TTABLEMODEL_P_H

#include "titemmodelsupport_p.h"
#include "ttablemodel.h"

#include <QVector>

class TTableItem;

class TTableModelPrivate
{
    Q_DECLARE_PUBLIC(TTableModel)
public:
    explicit TTableModelPrivate(TTableModel *iPublic)
        : q_ptr(iPublic)
    {}

    // The row item of an index of this model whose row still holds the item
    // the index was made for: an index kept across a removal or a move names
    // no row rather than a freed one.
    TTableItem *itemAt(const QModelIndex &iIndex) const
    {
        if (!iIndex.isValid() || iIndex.model() != q_ptr)
            return nullptr;
        const int row = iIndex.row();
        if (row < 0 || row >= items.size())
            return nullptr;
        TTableItem *item = items.at(row);
        return item == iIndex.internalPointer() ? item : nullptr;
    }

    // The rule of element iElement (0: row header, c + 1: column c) for iRole.
    const TCellRules::Rule &cellRule(int iElement, int iRole) const
    {
        return cellRules.rule(headerItem, dataKeyList, iElement, iRole);
    }
    // A key reference's value, a constant, or invalid (the shared step of cells and row headers).
    QVariant resolve(const TCellRules::Rule &iRule, const QModelIndex &iIndex, int iRole, TTableItem *iItem) const;

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

    TCellRules cellRules;

    TTableModel *q_ptr;
};

#endif // TTABLEMODEL_P_H
