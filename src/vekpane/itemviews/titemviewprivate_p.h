#ifndef TITEMVIEWPRIVATE_P_H
#define TITEMVIEWPRIVATE_P_H

#include "tuiutil.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMap>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTreeView>

#include <functional>
#include <utility>

// The header whose sections are the model's columns.
inline QHeaderView *columnHeader(QTableView *iView) { return iView->horizontalHeader(); }
inline QHeaderView *columnHeader(QTreeView *iView) { return iView->header(); }

/*
 * What the script-facing table and tree views share. Each view speaks to its
 * own kind of model (Model); with any other model installed it stays a plain
 * Qt view, its model operations doing nothing and answering a neutral value.
 * View is the public class, which declares the slots and signals named here.
 */
template<typename View, typename Model>
class TItemViewPrivate
{
public:
    explicit TItemViewPrivate(View *iPublic)
        : q_ptr(iPublic)
    {}
    virtual ~TItemViewPrivate() = default;

    Model *model() const { return qobject_cast<Model *>(q_ptr->model()); }

    // Calls iOperation (a member of Model, or a callable taking it first) on
    // the view's model; nothing without one.
    template<typename Operation, typename... Args>
    void forward(Operation &&iOperation, Args &&...iArgs) const
    {
        if (Model *own = model())
            std::invoke(std::forward<Operation>(iOperation), own, std::forward<Args>(iArgs)...);
    }

    // forward()'s answer, or iNeutral without the view's model.
    template<typename Result, typename Operation, typename... Args>
    Result ask(const Result &iNeutral, Operation &&iOperation, Args &&...iArgs) const
    {
        Model *own = model();
        return own ? Result(std::invoke(std::forward<Operation>(iOperation), own, std::forward<Args>(iArgs)...))
                   : iNeutral;
    }

    // Connects (iConnect) or disconnects one link; the two must name the same pairs.
    template<typename Sender, typename Signal, typename Receiver, typename Slot>
    static void link(bool iConnect, Sender *iSender, Signal iSignal, Receiver *iReceiver, Slot iSlot)
    {
        if (iConnect)
            QObject::connect(iSender, iSignal, iReceiver, iSlot);
        else
            QObject::disconnect(iSender, iSignal, iReceiver, iSlot);
    }

    // The links from a model to the view: the view's own model's column
    // states, row visibility and check states, and for any model the four
    // change relays. A view that follows more of its model adds its links.
    virtual void connectModel(QAbstractItemModel *iModel, bool iConnect)
    {
        View *q = q_ptr;
        if (auto *own = qobject_cast<Model *>(iModel)) {
            link(iConnect, own, &Model::columnStateChanged, q, &View::setColumnState);
            link(iConnect, own, &Model::rowVisibleChanged, q, &View::setRowVisible);
            link(iConnect, own, &Model::rowCheckStateChanged, q, &View::rowCheckStateChanged);
        }
        // The view's relay signals share their names with QAbstractItemView's
        // protected slots, so each is taken by its exact (empty) signature.
        link(iConnect, iModel, &QAbstractItemModel::dataChanged, q, QOverload<>::of(&View::dataChanged));
        link(iConnect, iModel, &QAbstractItemModel::rowsInserted, q, QOverload<>::of(&View::rowsInserted));
        link(iConnect, iModel, &QAbstractItemModel::rowsMoved, q, QOverload<>::of(&View::rowsMoved));
        link(iConnect, iModel, &QAbstractItemModel::rowsRemoved, q, QOverload<>::of(&View::rowsRemoved));
    }

    // anyDataChanged() follows each of the view's five change signals.
    void relayAnyDataChanged()
    {
        View *q = q_ptr;
        QObject::connect(q, QOverload<>::of(&View::dataChanged), q, &View::anyDataChanged);
        QObject::connect(q, &View::rowCheckStateChanged, q, &View::anyDataChanged);
        QObject::connect(q, QOverload<>::of(&View::rowsInserted), q, &View::anyDataChanged);
        QObject::connect(q, QOverload<>::of(&View::rowsMoved), q, &View::anyDataChanged);
        QObject::connect(q, QOverload<>::of(&View::rowsRemoved), q, &View::anyDataChanged);
    }

    // Moves the links from the current model to iModel around iInstall, which
    // hands iModel to the Qt view.
    template<typename Install>
    void installModel(QAbstractItemModel *iModel, Install &&iInstall)
    {
        QAbstractItemModel *current = q_ptr->model();
        if (iModel == current)
            return;
        if (current)
            connectModel(current, false);
        iInstall();
        if (iModel)
            connectModel(iModel, true);
    }

    // --- current and selected rows ---------------------------------------------

    // iRead(model, current index) as a variant; invalid without the view's
    // model or a selection model.
    template<typename Read>
    QVariant readCurrent(Read &&iRead) const
    {
        Model *own = model();
        QItemSelectionModel *selection = q_ptr->selectionModel();
        if (!own || !selection)
            return QVariant();
        return QVariant(std::invoke(std::forward<Read>(iRead), own, selection->currentIndex()));
    }

    QModelIndexList selectedIndexes() const
    {
        QItemSelectionModel *selection = q_ptr->selectionModel();
        return selection ? selection->selectedRows(0) : QModelIndexList();
    }

    // Primary keys or maps of the selected rows, hidden ones only on request.
    QVariantList selectedRows(bool iIncludeHidden, bool iMaps) const
    {
        QVariantList result;
        Model *own = model();
        if (!own)
            return result;
        const QModelIndexList rows = selectedIndexes();
        for (const QModelIndex &index : rows) {
            const auto *item = own->item(index);
            if (!iIncludeHidden && item && !item->visible())
                continue;
            result.append(iMaps ? QVariant(own->rowDataMap(index)) : own->rowPrimaryKey(index));
        }
        return result;
    }

    // Whether iIndex names a row of the view's model that still exists: a
    // script's index kept across a removal or a reload must not reach the
    // view, where its row number would stand for another row.
    bool isLive(const QModelIndex &iIndex) const
    {
        if (!iIndex.isValid() || iIndex.model() != q_ptr->model())
            return false;
        const Model *own = model();
        return !own || own->item(iIndex);
    }

    void selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags) const
    {
        if (isLive(iIndex) && q_ptr->selectionModel())
            q_ptr->selectionModel()->select(iIndex, iFlags);
    }

    void selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags) const
    {
        for (const QModelIndex &index : iIndexes)
            selectRow(index, iFlags);
    }

    void unselectAll() const
    {
        QItemSelectionModel *selection = q_ptr->selectionModel();
        if (!selection)
            return;
        selection->clear();
        selection->clearCurrentIndex();
    }

    // --- columns -----------------------------------------------------------------

    // Applies "visible", "size" and "resizeMode" to a column, after a reset
    // to shown and interactive.
    void setColumnState(int iColumn, const QVariantMap &iState, bool iReset) const
    {
        QHeaderView *header = columnHeader(q_ptr);
        if (iColumn < 0 || iColumn >= header->count())
            return;
        if (iReset) {
            header->showSection(iColumn);
            header->setSectionResizeMode(iColumn, QHeaderView::Interactive);
        }
        const QVariant visible = iState.value(QStringLiteral("visible"));
        if (visible.isValid())
            header->setSectionHidden(iColumn, !visible.toBool());
        const QVariant size = iState.value(QStringLiteral("size"));
        if (size.isValid())
            header->resizeSection(iColumn, size.toInt());
        const QVariant resizeMode = iState.value(QStringLiteral("resizeMode"));
        if (resizeMode.isValid())
            header->setSectionResizeMode(iColumn, TUiUtil::str2resizeMode(resizeMode.toString()));
    }

    // The Qt views ignore a column outside the header themselves.
    void setColumnVisible(int iColumn, bool iVisible) const { q_ptr->setColumnHidden(iColumn, !iVisible); }

    void setColumnVisible(const QString &iName, bool iVisible) const
    {
        if (Model *own = model())
            setColumnVisible(own->columnNumber(iName), iVisible);
    }

    void setColumnVisible(const QMap<QString, bool> &iVisibles) const
    {
        for (auto it = iVisibles.cbegin(); it != iVisibles.cend(); ++it)
            setColumnVisible(it.key(), it.value());
    }

    bool isColumnVisible(int iColumn) const
    {
        QHeaderView *header = columnHeader(q_ptr);
        return iColumn >= 0 && iColumn < header->count() && !header->isSectionHidden(iColumn);
    }

    bool isColumnVisible(const QString &iName) const
    {
        Model *own = model();
        return own ? isColumnVisible(own->columnNumber(iName)) : false;
    }

    // Name -> shown for each of iNames, or for every named column when empty.
    QMap<QString, bool> isColumnVisible(const QStringList &iNames) const
    {
        QMap<QString, bool> result;
        Model *own = model();
        if (!own)
            return result;
        QStringList names = iNames;
        if (names.isEmpty()) {
            const QVariantList columns = own->headerItem();
            for (const QVariant &column : columns) {
                const QString name = column.toMap().value(QStringLiteral("name")).toString();
                if (!name.isEmpty())
                    names.append(name);
            }
        }
        for (const QString &name : qAsConst(names))
            result.insert(name, isColumnVisible(own->columnNumber(name)));
        return result;
    }

    // --- drag mode and context menu ----------------------------------------------

    void setDragMode(int iMode)
    {
        dragMode = iMode;
        forward(&Model::setDragMode, iMode);
        View *q = q_ptr;
        if (iMode == 1) {
            q->setDefaultDropAction(Qt::MoveAction);
            q->setDragEnabled(true);
            q->setDragDropMode(QAbstractItemView::InternalMove);
            q->setAcceptDrops(true);
            q->setDropIndicatorShown(true);
        } else {
            // The drag-drop mode and accepting drops stay as they were.
            q->setDefaultDropAction(Qt::IgnoreAction);
            q->setDragEnabled(false);
            q->setDropIndicatorShown(false);
        }
        q->setDragDropOverwriteMode(false);
    }

    void showContextMenu() const
    {
        if (contextMenu)
            contextMenu->exec(QCursor::pos());
    }

    int dragMode = 0;
    // Not owned: the caller may delete it at any time.
    QPointer<QMenu> contextMenu;
    View *const q_ptr;
};

#endif // TITEMVIEWPRIVATE_P_H
