#include "tpropertytreedelegate.h"
#include "tpropertytreemodel.h"
#include "tpropertytreeview.h"

#include <QPointer>
#include <QtTest>

namespace {
// The model leaves the item-model operations open; a host supplies them.
class FlatModel : public TPropertyTreeModel
{
public:
    using TPropertyTreeModel::TPropertyTreeModel;
    QModelIndex index(int row, int column, const QModelIndex &parent) const override
    {
        return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex &) const override { return QModelIndex(); }
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 2; }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(index.row()) : QVariant();
    }
};
} // namespace

class tst_TPropertyTree : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shellsOwnNothingAndLeaveNothing();
};

void tst_TPropertyTree::shellsOwnNothingAndLeaveNothing()
{
    QWidget host;
    QPointer<TPropertyTreeView> view = new TPropertyTreeView(&host);
    QPointer<TPropertyTreeModel> model = new FlatModel(view);
    QPointer<TPropertyTreeDelegate> delegate = new TPropertyTreeDelegate(view);
    view->setModel(model);
    view->setItemDelegate(delegate);
    QCOMPARE(view->model()->rowCount(), 2);
    QCOMPARE(view->parentWidget(), &host);
    // Nothing of their own beyond the base class in the meta-object.
    for (const QMetaObject *mo : {view->metaObject(), model->metaObject(), delegate->metaObject()})
        QCOMPARE(mo->methodCount() - mo->methodOffset(), 0);

    delete view;
    QVERIFY(view.isNull());
    QVERIFY(model.isNull());
    QVERIFY(delegate.isNull());
    QVERIFY(host.children().isEmpty());

    // Parentless by default.
    TPropertyTreeView lone;
    QCOMPARE(lone.parent(), nullptr);
}

QTEST_MAIN(tst_TPropertyTree)
#include "tst_tpropertytree.moc"
