#ifndef TTREEMODEL_P_H
#define TTREEMODEL_P_H

#include "titemmodelsupport_p.h"
#include "ttreeitem.h"
#include "ttreeitem_p.h"
#include "ttreemodel.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QSet>
#include <QVector>

#include <vector>

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

    // The node of an index of this model whose node still exists; null for
    // any other index. Indexes carry a handle, never a node pointer, so an
    // index kept across a removal or a reload is refused without reading the
    // freed node, and a reused slot is told apart by its generation.
    TTreeItem *liveNode(const QModelIndex &iIndex) const
    {
        if (!iIndex.isValid() || iIndex.model() != q_ptr)
            return nullptr;
        const quintptr handle = iIndex.internalId();
        const quint32 slot = slotOf(handle);
        if (slot >= nodeSlots.size())
            return nullptr;
        const NodeSlot &entry = nodeSlots[slot];
        return entry.node && handleOf(slot, entry.generation) == handle ? entry.node : nullptr;
    }
    // The node of an index, the root for an invalid one, null for a foreign
    // or stale one.
    TTreeItem *nodeOf(const QModelIndex &iIndex) const { return iIndex.isValid() ? liveNode(iIndex) : rootItem; }
    // Whether iItem is a node of this model's tree (the root included),
    // decided without reading it.
    bool isLive(const TTreeItem *iItem) const { return iItem && liveNodes.contains(iItem); }
    // Enters iTop and its subtree in the registry (nodes already in it stay).
    void adoptTree(TTreeItem *iTop) const;
    void adopt(TTreeItem *iNode) const;
    // Called by a node of this model as it is destroyed.
    void forget(TTreeItem *iNode);
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

    // The node registry: a handle is a slot number with the slot's
    // generation above it (on 64-bit platforms), so that a slot freed and
    // used again does not revive the indexes of its former node.
    struct NodeSlot
    {
        TTreeItem *node;
        quint32 generation;
    };
    static quint32 slotOf(quintptr iHandle) { return quint32(quint64(iHandle) & 0xffffffffu); }
    static quintptr handleOf(quint32 iSlot, quint32 iGeneration)
    {
        // Where quintptr has 32 bits the generation drops out.
        return quintptr((quint64(iGeneration) << 32) | iSlot);
    }
    mutable std::vector<NodeSlot> nodeSlots;
    mutable std::vector<quint32> freeSlots;
    mutable QSet<const TTreeItem *> liveNodes;

    TTreeModel *q_ptr;
};

#endif // TTREEMODEL_P_H
