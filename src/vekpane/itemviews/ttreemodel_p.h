#ifndef TTREEMODEL_P_H
#define TTREEMODEL_P_H

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
    // What one column description says for one role of its cells, resolved
    // once per change of the descriptions or the data keys.
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

    static int ruleSlot(int iRole);
    const CellRule &cellRule(int iColumn, int iRole) const;
    void buildCellRules() const;
    void invalidateCellRules() { rulesValid = false; }
    QVariant resolve(const CellRule &iRule, const QModelIndex &iIndex, int iRole, const TTreeItem *iItem) const;

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

    mutable QVector<QVector<CellRule>> cellRules; // per column, per role slot
    mutable bool rulesValid = false;

    TTreeModel *q_ptr;
};

#endif // TTREEMODEL_P_H
