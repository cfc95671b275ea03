#ifndef TTREEMODEL_P_H
#define TTREEMODEL_P_H

#include "titemmodelsupport_p.h"
#include "ttreeitem.h"
#include "ttreeitem_p.h"
#include "ttreemodel.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QVector>

class TTreeModelPrivate
{
    Q_DECLARE_PUBLIC(TTreeModel)
public:
    // What a tree walk does after visiting a node.
    enum class Walk { Descend, Skip, Stop };

    // Holds skipSortingBol for the duration of a model-driven change.
    class SkipSorting
    {
    public:
        explicit SkipSorting(bool &iFlag)
            : flag(iFlag)
            , previous(iFlag)
        {
            flag = true;
        }
        ~SkipSorting() { flag = previous; }

    private:
        Q_DISABLE_COPY(SkipSorting)
        bool &flag;
        const bool previous;
    };

    enum MoveKind { MoveUp, MoveTop, MoveDown, MoveBottom };

    explicit TTreeModelPrivate(TTreeModel *iPublic);
    ~TTreeModelPrivate();

    const TCellRules::Rule &cellRule(int iColumn, int iRole) const
    {
        return cellRules.rule(headerItem, dataKeyList, iColumn, iRole);
    }

    // The node of an index, the root for an invalid one, null for a foreign one.
    TTreeItem *nodeOf(const QModelIndex &iIndex) const;
    QModelIndex indexOf(TTreeItem *iItem, int iColumn = 0) const;
    // Visits the nodes below iStart, parents before their children, without
    // recursion; returns true when a visit asked to stop.
    template<typename Visit>
    static bool walkBelow(TTreeItem *iStart, Visit iVisit);
    static void renumber(TTreeItem *iParent, int iFrom, int iTo);

    TTreeItem *newNode(const QVariant &iValue);
    void insertItems(TTreeItem *iParent, int iRow, const QList<TTreeItem *> &iItems);
    QList<TTreeItem *> itemsFromVariants(const QVariantList &iValues);
    void replaceRoot(TTreeItem *iRoot);

    QVariantMap rowMap(TTreeItem *iItem, const QString &iIndexKey) const;
    QString pathOf(TTreeItem *iItem) const;
    void emitRowChanged(TTreeItem *iItem);

    void setExpanded(TTreeItem *iItem, bool iExpanded);
    void setVisible(TTreeItem *iItem, bool iVisible);
    void syncParentItemShow(TTreeItem *iItem, int iMode);
    void syncChildCheck(TTreeItem *iItem, int iPosition, int iColumn);
    void syncParentCheck(TTreeItem *iItem, int iPosition, int iColumn);
    void restoreRows(const QVariantMap &iStates, const QModelIndex &iParent, bool iExpanded);

    template<typename Match>
    QModelIndexList findMatches(const QModelIndex &iParent, Match iMatch, int iFilter);
    void moveRows(const QModelIndexList &iIndexes, MoveKind iKind);
    void moveItem(TTreeItem *iParent, int iFrom, int iTo);

    int dragMode = 0;
    QString primaryKey;
    QString expandedKey;
    QString visibleKey;
    QVariantList headerItem;
    QStringList dataKeyList;
    TTreeItem *rootItem;
    mutable bool skipSortingBol = false;
    TTreeModel::DataCallback dataCallback;

    // Drag identities handed out by mimeData(), each naming the row it was
    // made for; a removed row leaves an invalid index behind, never a pointer.
    mutable QHash<qint32, QPersistentModelIndex> dragRegistry;

    TCellRules cellRules;

    TTreeModel *q_ptr;
};

#endif // TTREEMODEL_P_H
