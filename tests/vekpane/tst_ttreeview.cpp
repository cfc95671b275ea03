#include "controlstest.h"
#include "tstyleditemdelegate.h"
#include "ttreeitem.h"
#include "ttreemodel.h"
#include "ttreeview.h"
#include "vekmodeltester.h"

#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QStandardItemModel>
#include <QTimer>

using controlstest::expose;

namespace {

// A small bill of materials: two boards with parts below them and one loose
// tool. Keys id, name, kind, checked, open, show; three named columns and one
// unnamed. Qt's model checker watches the model throughout.
struct Fixture
{
    TTreeView view;
    TTreeModel *model = qobject_cast<TTreeModel *>(view.model());
    QAbstractItemModelTester *tester = VekTest::attachModelTester(model);

    Fixture()
    {
        view.resize(500, 300);
        view.setDataKeyList({"id", "name", "kind", "checked", "open", "show"});
        view.setPrimaryKey("id");
        view.setExpandedKey("open");
        view.setVisibleKey("show");
        view.setHeaderItem(columns());
        view.loadTreeData(rows());
    }

    static QVariantList columns()
    {
        return {QVariantMap {{"name", "name"},
                             {"display", "Name"},
                             {"displayRole", "$name"},
                             {"checkStateRole", "$checked"},
                             {"flagsRole", "ItemIsEnabled|ItemIsSelectable|ItemIsUserCheckable"},
                             {"checkStateSync", true}},
                QVariantMap {{"name", "id"}, {"display", "Id"}, {"displayRole", "$id"}, {"size", 90}},
                QVariantMap {{"name", "kind"}, {"display", "Kind"}, {"displayRole", "$kind"}, {"visible", false}},
                QVariantMap {{"display", "Note"}, {"displayRole", "fixed"}}};
    }

    static QVariantMap row(int iId, const QString &iName, const QString &iKind, const QVariantList &iChildren = {},
                           bool iOpen = true, bool iShow = true)
    {
        QVariantMap map {{"id", iId},    {"name", iName}, {"kind", iKind},
                         {"checked", 0}, {"open", iOpen}, {"show", iShow}};
        if (!iChildren.isEmpty())
            map.insert("CHILDREN", iChildren);
        return map;
    }

    // 1 board A (open) > 11 resistor, 12 capacitor (hidden); 2 board B (closed) > 21 resistor; 3 drill.
    static QVariantList rows()
    {
        return {row(1, "board A", "board",
                    {row(11, "resistor", "part"), row(12, "capacitor", "part", {}, true, false)}),
                row(2, "board B", "board", {row(21, "resistor", "part")}, false), row(3, "drill", "tool")};
    }

    QModelIndex at(int iId) { return model->findRow(iId); }
    TTreeItem *node(int iId) { return model->item(at(iId)); }
    bool hidden(int iId) { return view.isRowHidden(at(iId).row(), at(iId).parent()); }
};

QVariantList ints(const QList<int> &iValues)
{
    QVariantList result;
    for (int v : iValues)
        result.append(v);
    return result;
}

} // namespace

class tst_TTreeView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void itemList_data();
    void itemList();
    void getAttrIsCommon();
    void selectionReaders();
    void selectingDoesNotFilter();
    void currentRow();
    void rowFlagsFollowModel();
    void rowFlagsFromView();
    void staleIndexesDoNothing();
    void userExpandCollapse();
    void checkStates();
    void columnStates();
    void columnVisibility();
    void str2resizeMode_data();
    void str2resizeMode();
    void dragMode();
    void relaySignals();
    void otherModel();
    void contextMenuGone();
    void fromScript();
};

void tst_TTreeView::construction()
{
    TTreeView view;
    auto *model = qobject_cast<TTreeModel *>(view.model());
    QVERIFY(model);
    QCOMPARE(model->parent(), &view);
    QCOMPARE(view.findChildren<TTreeModel *>().size(), 1);
    auto *delegate = qobject_cast<TStyledItemDelegate *>(view.itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->parent(), &view);
    QVERIFY(view.alternatingRowColors());
    QCOMPARE(view.header()->minimumSectionSize(), 75);
    QVERIFY(!view.header()->stretchLastSection());
    QVERIFY(!view.header()->highlightSections());
    QCOMPARE(view.contextMenuPolicy(), Qt::CustomContextMenu);
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!view.hasAutoScroll());
    QCOMPARE(view.dragMode(), 0);
    QCOMPARE(view.property("dragMode"), QVariant(0));
    QVERIFY(!view.dragEnabled());
    QVERIFY(!view.contextMenu());
}

void tst_TTreeView::itemList_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("names"); // pre-order
    QTest::addColumn<QString>("childOfFirst");

    const QVariantList flat {QVariantMap {{"id", 1}, {"name", "panel"}, {"idx", "1"}},
                             QVariantMap {{"id", 2}, {"name", "board"}, {"idx", "1.1"}},
                             QVariantMap {{"id", 3}, {"name", "spare"}, {"idx", "2"}}};
    QTest::newRow("map loads flattened") << QVariant(QVariantMap {{"index_key", "idx"}, {"data_list", flat}})
                                         << QStringList {"panel", "board", "spare"} << "board";
    QTest::newRow("list is no map: empties") << QVariant(flat) << QStringList() << QString();
    QTest::newRow("text is no map: empties") << QVariant("rows") << QStringList() << QString();
}

void tst_TTreeView::itemList()
{
    QFETCH(QVariant, value);
    QFETCH(QStringList, names);
    QFETCH(QString, childOfFirst);
    Fixture f;
    f.view.setDataKeyList({"id", "name"});
    f.view.setAttr("item_list", value);
    QStringList got;
    for (const QVariant &row : f.view.allDataMap(QString()))
        got.append(row.toMap().value("name").toString());
    QCOMPARE(got, names);
    const QModelIndex child = f.model->index(0, 0, f.model->index(0, 0));
    QCOMPARE(f.model->rowDataMap(child).value("name").toString(), childOfFirst);
}

void tst_TTreeView::getAttrIsCommon()
{
    Fixture f;
    f.view.setAttr("stylesheet", "color: red;");
    f.view.setAttr("user_data", 42);
    QCOMPARE(f.view.getAttr("stylesheet"), QVariant("color: red;"));
    QCOMPARE(f.view.getAttr("user_data"), QVariant(42));
    // The view answers no key of its own, not even "value" or "item_list".
    QCOMPARE(f.view.getAttr("item_list"), QVariant());
    QCOMPARE(f.view.getAttr(""), QVariant());
    QCOMPARE(f.view.get("user_data"), QVariant(42));
}

void tst_TTreeView::selectionReaders()
{
    Fixture f;
    f.view.setSelectionMode(QAbstractItemView::MultiSelection);
    f.view.selectRows(ints({11, 12, 3}));
    // Selection order, one index per row, all in column 0.
    const QModelIndexList indexes = f.view.selectedIndexes();
    QCOMPARE(indexes.size(), 3);
    for (const QModelIndex &index : indexes)
        QCOMPARE(index.column(), 0);
    // 12 is hidden by its flag: left out unless asked for.
    QVERIFY(!f.node(12)->visible());
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({11, 3}));
    QCOMPARE(f.view.selectedPrimaryKeys(true), ints({11, 12, 3}));
    const QVariantList maps = f.view.selectedRowDataMaps();
    QCOMPARE(maps.size(), 2);
    QCOMPARE(maps.at(0).toMap().value("name"), QVariant("resistor"));
    QCOMPARE(maps.at(1).toMap().value("kind"), QVariant("tool"));
    QCOMPARE(f.view.selectedRowDataMaps(true).size(), 3);

    f.view.unselectAll();
    QVERIFY(f.view.selectedIndexes().isEmpty());
    QVERIFY(!f.view.selectionModel()->currentIndex().isValid());
    f.view.selectRow(QVariant(21));
    f.view.selectRow(QVariant(99)); // no such row: nothing happens
    f.view.selectRow(QModelIndex());
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({21}));
}

void tst_TTreeView::selectingDoesNotFilter()
{
    Fixture f;
    f.view.selectRows(ints({3}));
    QVERIFY(!f.hidden(1) && !f.hidden(2) && !f.hidden(11));
    // Finding with the default filter hides what does not match (parents of matches stay).
    const QModelIndexList found = f.view.findRows(QVariant("resistor"), "name");
    QCOMPARE(found.size(), 2);
    QVERIFY(!f.hidden(1) && !f.hidden(11) && !f.hidden(2) && !f.hidden(21));
    QVERIFY(f.hidden(3));
    // A wildcard search over several columns, case-insensitive.
    f.view.findRows(QRegExp("DRI*", Qt::CaseInsensitive, QRegExp::Wildcard), QStringList {"name", "kind"});
    QVERIFY(!f.hidden(3));
    QVERIFY(f.hidden(1) && f.hidden(2));
    QCOMPARE(f.view.findRow(QVariant("part"), "kind"), f.at(11));
    QVERIFY(!f.view.findRow(QVariant("part"), "nokey").isValid());
}

void tst_TTreeView::currentRow()
{
    Fixture f;
    QCOMPARE(f.view.currentPrimaryKey(), QVariant());
    f.view.setCurrentIndex(f.at(21));
    QCOMPARE(f.view.currentPrimaryKey(), QVariant(21));
    QCOMPARE(f.view.currentRowDataMap().toMap().value("name"), QVariant("resistor"));
    QCOMPARE(f.view.currentRowDataList().toList().value(2), QVariant("part"));

    f.view.setRowKeyValueByPrimaryKey(21, "name", "diode");
    f.view.setRowDataByPrimaryKey(3, QVariantMap {{"kind", "jig"}});
    f.view.setRowDataByPrimaryKey(404, QVariantMap {{"kind", "lost"}}); // nothing to change
    QCOMPARE(f.model->rowDataMap(f.at(21)).value("name"), QVariant("diode"));
    QCOMPARE(f.model->rowDataMap(f.at(3)).value("kind"), QVariant("jig"));
    QCOMPARE(f.view.allDataMap().size(), 3);
}

void tst_TTreeView::rowFlagsFollowModel()
{
    Fixture f;
    // The loaded flags reach the tree.
    QVERIFY(f.hidden(12));
    QVERIFY(!f.hidden(11));
    QVERIFY(f.view.isExpanded(f.at(1)));
    QVERIFY(!f.view.isExpanded(f.at(2)));
    // And so do later changes in the model.
    f.view.setRowAllParentExpanded(f.at(21));
    QVERIFY(f.view.isExpanded(f.at(2)));
    f.model->setRowVisible(f.at(3), false);
    QVERIFY(f.hidden(3));
    f.model->setRowExpanded(f.at(2), false);
    QVERIFY(!f.view.isExpanded(f.at(2)));
    f.model->setRowVisible(f.at(12), true);
    f.view.refreshRowVisible();
    QVERIFY(!f.hidden(12));
    f.view.restoreRowsVisible(QVariantMap {{"11", false}});
    QVERIFY(f.hidden(11));
    // Hidden parents come back for a row that is to be shown.
    f.view.setRowVisible(f.at(1), false);
    f.view.setRowAllParentVisible(f.at(11));
    QVERIFY(!f.hidden(1));
}

void tst_TTreeView::rowFlagsFromView()
{
    Fixture f;
    f.view.setRowVisible(f.at(11), false);
    QVERIFY(!f.node(11)->visible());
    QVERIFY(f.hidden(11));
    f.view.setRowVisible(f.at(12), true);
    QVERIFY(f.node(12)->visible());
    QVERIFY(!f.hidden(12));

    f.view.setRowExpanded(f.at(2), true);
    QVERIFY(f.node(2)->expanded());
    QVERIFY(f.view.isExpanded(f.at(2)));
    f.view.setRowExpanded(f.at(1), false);
    QVERIFY(!f.node(1)->expanded());
    QVERIFY(!f.view.isExpanded(f.at(1)));
    // Exporting carries the flags under their keys.
    const QVariantMap first = f.view.allDataMap().value(0).toMap();
    QCOMPARE(first.value("open"), QVariant(false));
}

void tst_TTreeView::staleIndexesDoNothing()
{
    // A script's index kept across a reload names no row: the tree must not
    // hide, expand or select whatever row has that number now.
    Fixture f;
    const QModelIndex child = f.at(21);
    const QModelIndex top = f.at(3);
    f.view.loadTreeData(Fixture::rows());
    f.view.setRowExpanded(f.at(2), false);
    QVERIFY(!f.view.isExpanded(f.at(2)));
    QVERIFY(f.view.isExpanded(f.at(3)));

    f.view.setRowVisible(top, false);
    f.view.setRowVisible(child, false);
    f.view.setRowExpanded(top, false);
    f.view.setRowExpanded(child, true);
    f.view.selectRow(top);
    f.view.selectRows(QModelIndexList {child, top});
    f.view.syncParentItemVisible(1, child);
    f.view.setRowData(child, QVariantMap {{"name", "x"}});
    f.view.setRowAllParentExpanded(child);
    QVERIFY(!f.hidden(3));
    QVERIFY(!f.hidden(21));
    QVERIFY(f.hidden(12));
    QVERIFY(!f.view.isExpanded(f.at(2)));
    QVERIFY(f.view.isExpanded(f.at(3)));
    QVERIFY(f.node(3)->expanded());
    QVERIFY(f.view.selectionModel()->selection().isEmpty());
    QCOMPARE(f.model->rowDataMap(f.at(21)).value("name"), QVariant("resistor"));

    // Live indexes still work after the refused ones.
    f.view.selectRows(QModelIndexList {child, f.at(21)});
    QCOMPARE(f.view.selectedPrimaryKeys(), QVariantList {21});
}

void tst_TTreeView::userExpandCollapse()
{
    Fixture f;
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    // What the user does (here through the tree's own calls) lands in the flags.
    f.view.collapse(f.at(1));
    QVERIFY(!f.node(1)->expanded());
    f.view.expand(f.at(2));
    QVERIFY(f.node(2)->expanded());
    f.view.setCurrentIndex(f.at(2));
    QTest::keyClick(&f.view, Qt::Key_Left);
    QVERIFY(!f.node(2)->expanded());
    QTest::keyClick(&f.view, Qt::Key_Right);
    QVERIFY(f.node(2)->expanded());
    QVERIFY(f.view.isExpanded(f.at(2)));
}

void tst_TTreeView::checkStates()
{
    Fixture f;
    QSignalSpy checks(&f.view, &TTreeView::rowCheckStateChanged);
    QSignalSpy any(&f.view, &TTreeView::anyDataChanged);
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    // Space on the current row toggles its check box through the delegate.
    f.view.setCurrentIndex(f.at(1));
    QTest::keyClick(&f.view, Qt::Key_Space);
    QVERIFY(checks.count() >= 1);
    QCOMPARE(checks.first().at(0).value<QModelIndex>(), f.at(1));
    QVERIFY(any.count() >= checks.count());
    // The column keeps parents and children in step.
    QCOMPARE(f.model->rowDataMap(f.at(1)).value("checked").toInt(), 1);
    QCOMPARE(f.model->rowDataMap(f.at(11)).value("checked").toInt(), 1);
    QCOMPARE(f.model->rowDataMap(f.at(12)).value("checked").toInt(), 1);
    QCOMPARE(f.at(11).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));

    // Unchecking one child leaves the parent partly checked.
    checks.clear();
    QVERIFY(f.model->setData(f.at(12), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(checks.count(), 1);
    QCOMPARE(f.at(1).data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
}

void tst_TTreeView::columnStates()
{
    Fixture f;
    QHeaderView *header = f.view.header();
    // The descriptions were applied when they were set.
    QCOMPARE(header->sectionSize(1), 90);
    QVERIFY(header->isSectionHidden(2));

    header->resizeSection(0, 140);
    f.view.setColumnState(0, QVariantMap {{"visible", false}});
    QVERIFY(header->isSectionHidden(0));
    header->showSection(0);
    QCOMPARE(header->sectionSize(0), 140);

    f.view.setColumnState(2, QVariantMap {{"resizeMode", "stretch"}});
    QVERIFY(header->isSectionHidden(2));
    QCOMPARE(header->sectionResizeMode(2), QHeaderView::Stretch);
    f.view.setColumnState(2, QVariantMap(), true);
    QVERIFY(!header->isSectionHidden(2));
    QCOMPARE(header->sectionResizeMode(2), QHeaderView::Interactive);
    f.view.setColumnState(9, QVariantMap {{"visible", false}}); // outside: nothing
    f.view.setColumnState(-1, QVariantMap(), true);

    // The model asks too.
    f.model->setColumnVisible("id", false);
    QVERIFY(header->isSectionHidden(1));
}

void tst_TTreeView::columnVisibility()
{
    Fixture f;
    QMap<QString, bool> expected {{"name", true}, {"id", true}, {"kind", false}};
    // With no names: only the named columns, the unnamed fourth is left out.
    QCOMPARE(f.view.isColumnVisible(QStringList()), expected);
    f.view.setColumnVisible(QMap<QString, bool> {{"kind", true}, {"id", false}});
    expected = {{"name", true}, {"id", false}, {"kind", true}};
    QCOMPARE(f.view.isColumnVisible(QStringList()), expected);
    QCOMPARE(f.view.isColumnVisible(QStringList {"kind", "ghost"}),
             (QMap<QString, bool> {{"kind", true}, {"ghost", false}}));
    f.view.setColumnVisible(3, false);
    QVERIFY(!f.view.isColumnVisible(3));
    QVERIFY(!f.view.isColumnVisible(17));
    f.view.setColumnVisible(QString("id"), true);
    QVERIFY(f.view.isColumnVisible(QString("id")));
}

void tst_TTreeView::str2resizeMode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::newRow("Fixed") << "Fixed" << int(QHeaderView::Fixed);
    QTest::newRow("stretch lower") << "stretch" << int(QHeaderView::Stretch);
    QTest::newRow("contents upper") << "RESIZETOCONTENTS" << int(QHeaderView::ResizeToContents);
    QTest::newRow("Interactive") << "Interactive" << int(QHeaderView::Interactive);
    QTest::newRow("padded") << " Stretch" << int(QHeaderView::Interactive);
    QTest::newRow("empty") << "" << int(QHeaderView::Interactive);
}

void tst_TTreeView::str2resizeMode()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QCOMPARE(int(TTreeView::str2resizeMode(text)), mode);
}

void tst_TTreeView::dragMode()
{
    Fixture f;
    f.view.setDragMode(1);
    QCOMPARE(f.model->dragMode(), 1);
    QVERIFY(f.view.dragEnabled());
    QCOMPARE(f.view.dragDropMode(), QAbstractItemView::InternalMove);
    QVERIFY(f.view.acceptDrops());
    QVERIFY(f.view.showDropIndicator());
    QCOMPARE(f.view.defaultDropAction(), Qt::MoveAction);
    f.view.setDragMode(0);
    QCOMPARE(f.view.dragMode(), 0);
    QCOMPARE(f.model->dragMode(), 0);
    QVERIFY(!f.view.dragEnabled());
    QVERIFY(!f.view.showDropIndicator());
    QCOMPARE(f.view.defaultDropAction(), Qt::IgnoreAction);
    // Left as mode 1 set them: drops are still accepted, and the internal
    // move comes back as soon as dragging is.
    QVERIFY(f.view.acceptDrops());
    QVERIFY(!f.view.dragDropOverwriteMode());
    f.view.setDragEnabled(true);
    QCOMPARE(f.view.dragDropMode(), QAbstractItemView::InternalMove);
}

void tst_TTreeView::relaySignals()
{
    Fixture f;
    QSignalSpy changed(&f.view, QOverload<>::of(&TTreeView::dataChanged));
    QSignalSpy inserted(&f.view, QOverload<>::of(&TTreeView::rowsInserted));
    QSignalSpy moved(&f.view, QOverload<>::of(&TTreeView::rowsMoved));
    QSignalSpy removed(&f.view, QOverload<>::of(&TTreeView::rowsRemoved));
    QSignalSpy any(&f.view, &TTreeView::anyDataChanged);
    f.view.setRowKeyValue(f.at(3), "name", "reamer");
    QCOMPARE(changed.count(), 1);
    f.model->appendRow(QVariantMap {{"id", 4}, {"name", "router"}});
    QCOMPARE(inserted.count(), 1);
    f.view.selectRow(QVariant(4));
    f.view.moveSelectedRowsTop();
    QCOMPARE(moved.count(), 1);
    QCOMPARE(f.model->index(0, 0).data().toString(), QString("router"));
    f.model->removeRow(f.at(4));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(any.count(), changed.count() + inserted.count() + moved.count() + removed.count());
}

void tst_TTreeView::otherModel()
{
    Fixture f;
    QStandardItemModel other;
    other.appendRow(new QStandardItem("x"));
    QSignalSpy any(&f.view, &TTreeView::anyDataChanged);
    f.view.setModel(&other);
    f.view.selectionModel()->select(other.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.view.setCurrentIndex(other.index(0, 0));
    QCOMPARE(f.view.selectedIndexes().size(), 1);
    QVERIFY(f.view.selectedPrimaryKeys().isEmpty());
    QVERIFY(f.view.selectedRowDataMaps(true).isEmpty());
    QCOMPARE(f.view.currentPrimaryKey(), QVariant());
    QVERIFY(!f.view.findRow(QVariant(1)).isValid());
    QVERIFY(f.view.headerItem().isEmpty());
    QVERIFY(f.view.allDataMap().isEmpty());
    QVERIFY(!f.view.isColumnVisible(QString("name")));
    QVERIFY(f.view.isColumnVisible(QStringList()).isEmpty());
    f.view.loadTreeData(Fixture::rows());
    f.view.setAttr("item_list", QVariantMap {{"index_key", "i"}, {"data_list", QVariantList()}});
    QCOMPARE(other.rowCount(), 1);
    // The tree model it left is no longer followed…
    f.model->setRowKeyValue(f.model->findRow(3), "name", "reamer");
    QCOMPARE(any.count(), 0);
    // …while the new model is relayed.
    other.item(0)->setText("y");
    QCOMPARE(any.count(), 1);

    // Back to the tree model: its column states are applied again.
    f.view.setModel(f.model);
    QVERIFY(f.view.header()->isSectionHidden(2));
    QCOMPARE(f.view.header()->sectionSize(1), 90);
}

void tst_TTreeView::contextMenuGone()
{
    TTreeView view;
    auto *menu = new QMenu;
    menu->addAction("Open");
    view.setContextMenu(menu);
    QCOMPARE(view.contextMenu(), menu);
    QPointer<QMenu> guard(menu);
    QTimer::singleShot(0, menu, &QMenu::close);
    view.showContextMenu(QPoint());
    QVERIFY(guard); // shown, never owned
    delete menu;
    QVERIFY(!view.contextMenu());
    view.showContextMenu(QPoint()); // nothing to show, no crash
}

void tst_TTreeView::fromScript()
{
    Fixture f;
    QJSEngine engine;
    expose(engine, "t", &f.view);
    const QJSValue result = CONTROLS_EVAL(engine, R"(
        t.setDataKeyList(["id", "name"]);
        t.setPrimaryKey("id");
        t.set({"item_list": {"index_key": "i", "data_list": [{"id": 5, "name": "panel", "i": "1"},
                                                              {"id": 6, "name": "board", "i": "1.1"},
                                                              {"id": 7, "name": "scrap", "i": "2"}]},
               "user_data": "tree"});
        t.selectionMode = 2;
        t.selectRows([6, 7]);
        [t.selectedPrimaryKeys(), t.getAttr("user_data"), t.dragMode];
    )");
    QVERIFY(!result.isError());
    const QVariantList list = result.toVariant().toList();
    QCOMPARE(list.value(0).toList(), ints({6, 7}));
    QCOMPARE(list.value(1).toString(), QString("tree"));
    QCOMPARE(list.value(2).toInt(), 0);
    QCOMPARE(f.model->rowCount(f.model->findRow(5)), 1);
}

QTEST_MAIN(tst_TTreeView)
#include "tst_ttreeview.moc"
