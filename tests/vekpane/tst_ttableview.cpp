#include "controlstest.h"
#include "theaderviewpopup.h"
#include "tstyleditemdelegate.h"
#include "ttableitem.h"
#include "ttablemodel.h"
#include "ttableview.h"
#include "vekmodeltester.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QJsonDocument>
#include <QMenu>
#include <QPointer>
#include <QStandardItemModel>

#include <functional>

using controlstest::expose;

namespace {

// A table of parts: keys id, name, qty, show; four named columns, the last one
// unnamed; rows 0 … n-1. Qt's model checker watches the model throughout.
struct Fixture
{
    TTableView view;
    TTableModel *model = qobject_cast<TTableModel *>(view.model());
    QAbstractItemModelTester *tester = VekTest::attachModelTester(model);

    explicit Fixture(int iRows = 4)
    {
        view.resize(600, 300);
        view.setDataKeyList({"id", "name", "qty", "show"});
        view.setHeaderItem(descriptions());
        QVariantList rows;
        for (int i = 0; i < iRows; ++i)
            rows.append(QVariant(QVariantList {i, QString("part %1").arg(i), i * 10, true}));
        view.setAttr("value", rows);
    }

    static QVariantList descriptions()
    {
        return {QVariantMap(),
                QVariantMap {{"name", "id"}, {"display", "Id"}, {"displayRole", "$id"}},
                QVariantMap {{"name", "name"}, {"display", "Name"}, {"displayRole", "$name"}},
                QVariantMap {{"name", "qty"}, {"display", "Quantity"}, {"displayRole", "$qty"}},
                QVariantMap {{"name", "note"}, {"display", "Note"}, {"displayRole", "fixed"}},
                QVariantMap {{"display", "Unnamed"}, {"displayRole", "$show"}}};
    }

    QModelIndex row(int iRow) const { return model->index(iRow, 0); }
    QModelIndexList rows(const QList<int> &iRows) const
    {
        QModelIndexList result;
        for (int r : iRows)
            result.append(model->index(r, 0));
        return result;
    }
    QHeaderView *header() const { return view.horizontalHeader(); }
    // Column names in visual order.
    QStringList visualOrder() const
    {
        QStringList names;
        for (int p = 0; p < header()->count(); ++p)
            names.append(model->columnName(header()->logicalIndex(p)));
        return names;
    }
};

QVariantList ints(const QList<int> &iValues)
{
    QVariantList result;
    for (int v : iValues)
        result.append(v);
    return result;
}

} // namespace

// Reads back the effect of an attribute key.
using Probe = std::function<QVariant(TTableView *)>;
Q_DECLARE_METATYPE(Probe)

class tst_TTableView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void setAttrKeys_data();
    void setAttrKeys();
    void selectionPolicies_data();
    void selectionPolicies();
    void multiRowTogglesByClick();
    void getAttrKeys();
    void selectionReaders();
    void staleIndexesDoNothing();
    void cellSelectionReadsNoRows();
    void selectingByKeys();
    void rowForwards();
    void rowVisibility();
    void searchOnShownView();
    void columnVisibility();
    void columnStateFromDescriptions();
    void saveAndRestore();
    void restoreOrder_data();
    void restoreOrder();
    void restoreRefusesBadText_data();
    void restoreRefusesBadText();
    void restoreAppliesWhatFits_data();
    void restoreAppliesWhatFits();
    void headerPopup();
    void dragMode();
    void relaySignals();
    void sameModelAgain();
    void otherModel();
    void contextMenu();
    void fromScript();
};

void tst_TTableView::construction()
{
    TTableView view;
    QVERIFY(qobject_cast<TTableModel *>(view.model()));
    QCOMPARE(view.model()->parent(), &view);
    auto *delegate = qobject_cast<TStyledItemDelegate *>(view.itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->parent(), &view);
    QVERIFY(view.alternatingRowColors());
    QCOMPARE(view.contextMenuPolicy(), Qt::CustomContextMenu);
    QCOMPARE(view.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    QHeaderView *header = view.horizontalHeader();
    QVERIFY(header->stretchLastSection());
    QVERIFY(!header->highlightSections());
    QCOMPARE(header->minimumSectionSize(), 75);
    QVERIFY(header->sectionsMovable());
    QVERIFY(header->isSortIndicatorShown());
    QVERIFY(!view.isSortingEnabled());
    QVERIFY(view.verticalHeader()->isHidden());
    QVERIFY(!view.showGrid());
    QVERIFY(!view.hasAutoScroll());
    // The column pop-up is off until enabled.
    QCOMPARE(header->contextMenuPolicy(), Qt::DefaultContextMenu);
    QCOMPARE(view.dragMode(), 0);
    QVERIFY(!view.dragEnabled());
}

void tst_TTableView::setAttrKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QVariant>("expected");

    const Probe rowCount = [](TTableView *v) { return v->model()->rowCount(); };
    const Probe primary = [](TTableView *v) { return qobject_cast<TTableModel *>(v->model())->primaryKey(); };
    const Probe visible = [](TTableView *v) { return qobject_cast<TTableModel *>(v->model())->visibleKey(); };
    QTest::newRow("value list loads") << "value" << QVariant(QVariantList {QVariantList {9, "x"}}) << rowCount
                                      << QVariant(1);
    QTest::newRow("value text loads nothing") << "value" << QVariant("[[9]]") << rowCount << QVariant(4);
    QTest::newRow("value map loads nothing") << "value" << QVariant(QVariantMap {{"id", 1}}) << rowCount << QVariant(4);
    QTest::newRow("primary key trimmed") << "primary_key" << QVariant("  name ") << primary << QVariant("name");
    QTest::newRow("blank primary key ignored") << "primary_key" << QVariant("   ") << primary << QVariant("id");
    QTest::newRow("visible key kept untrimmed") << "visible_key" << QVariant(" show ") << visible << QVariant(" show ");
    QTest::newRow("blank visible key ignored") << "visible_key" << QVariant("  ") << visible << QVariant("");
    QTest::newRow("data keys") << "data_keys" << QVariant(QStringList {"a", "b"})
                               << Probe([](TTableView *v) { return v->dataKeyList(); })
                               << QVariant(QStringList {"a", "b"});
    QTest::newRow("drag mode") << "drag_mode" << QVariant(1) << Probe([](TTableView *v) {
        return QVariantList {v->dragMode(), v->dragEnabled()};
    }) << QVariant(QVariantList {1, true});
    QTest::newRow("alternating off") << "alternating_row_colors" << QVariant(false)
                                     << Probe([](TTableView *v) { return v->alternatingRowColors(); })
                                     << QVariant(false);
    QTest::newRow("auto scroll on") << "auto_scroll" << QVariant(true)
                                    << Probe([](TTableView *v) { return v->hasAutoScroll(); }) << QVariant(true);
    QTest::newRow("grid on") << "show_grid" << QVariant(true) << Probe([](TTableView *v) { return v->showGrid(); })
                             << QVariant(true);
    QTest::newRow("sort indicator off") << "sort_indicator_shown" << QVariant(false) << Probe([](TTableView *v) {
        return v->horizontalHeader()->isSortIndicatorShown();
    }) << QVariant(false);
    QTest::newRow("sections fixed") << "sections_movable" << QVariant(false)
                                    << Probe([](TTableView *v) { return v->horizontalHeader()->sectionsMovable(); })
                                    << QVariant(false);
    QTest::newRow("header pop-up on") << "header_popup_enabled" << QVariant(true) << Probe([](TTableView *v) {
        return int(v->horizontalHeader()->contextMenuPolicy());
    }) << QVariant(int(Qt::CustomContextMenu));
    QTest::newRow("common key") << "tool_tip" << QVariant("tip") << Probe([](TTableView *v) { return v->toolTip(); })
                                << QVariant("tip");
    QTest::newRow("keys are case-sensitive")
            << "Value" << QVariant(QVariantList {QVariantList {9}}) << rowCount << QVariant(4);
}

void tst_TTableView::setAttrKeys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(Probe, probe);
    QFETCH(QVariant, expected);
    Fixture f;
    f.view.setAttr(key, value);
    QCOMPARE(probe(&f.view), expected);
}

void tst_TTableView::selectionPolicies_data()
{
    QTest::addColumn<QString>("policy");
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("mode");

    QTest::newRow("single_row") << "single_row" << int(QAbstractItemView::SelectRows)
                                << int(QAbstractItemView::SingleSelection);
    QTest::newRow("multi_row") << "multi_row" << int(QAbstractItemView::SelectRows)
                               << int(QAbstractItemView::MultiSelection);
    QTest::newRow("single_cell") << "single_cell" << int(QAbstractItemView::SelectItems)
                                 << int(QAbstractItemView::SingleSelection);
    QTest::newRow("multi_cell") << "multi_cell" << int(QAbstractItemView::SelectItems)
                                << int(QAbstractItemView::MultiSelection);
    // "ignore" keeps the behaviour of the policy before (single_cell here).
    QTest::newRow("ignore") << "ignore" << int(QAbstractItemView::SelectItems) << int(QAbstractItemView::NoSelection);
    QTest::newRow("unknown changes nothing")
            << "extended" << int(QAbstractItemView::SelectItems) << int(QAbstractItemView::SingleSelection);
    QTest::newRow("other case changes nothing")
            << "Single_Row" << int(QAbstractItemView::SelectItems) << int(QAbstractItemView::SingleSelection);
}

void tst_TTableView::selectionPolicies()
{
    QFETCH(QString, policy);
    QFETCH(int, behaviour);
    QFETCH(int, mode);
    TTableView view;
    view.setAttr("selection_policy", "single_cell");
    view.setAttr("selection_policy", policy);
    QCOMPARE(int(view.selectionBehavior()), behaviour);
    QCOMPARE(int(view.selectionMode()), mode);
}

void tst_TTableView::multiRowTogglesByClick()
{
    Fixture f;
    f.view.setAttr("selection_policy", "multi_row");
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    auto click = [&](int row) {
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          f.view.visualRect(f.model->index(row, 1)).center());
    };
    click(1);
    click(3);
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({1, 3}));
    click(1);
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({3}));
}

void tst_TTableView::getAttrKeys()
{
    Fixture f;
    f.view.findRows(QVariantList {0, 2, 3}, "id");
    QCOMPARE(f.view.getAttr("value").toList().size(), 4);
    const QVariantList visibleWithIndex = f.view.getAttr("value", QVariantList {"idx", "vis", false}).toList();
    QCOMPARE(visibleWithIndex.size(), 3);
    QCOMPARE(visibleWithIndex.at(1).toMap().value("idx"), QVariant("2"));
    QCOMPARE(visibleWithIndex.at(1).toMap().value("vis"), QVariant(1));
    QCOMPARE(f.view.getAttr("value", QVariantList {"idx"}).toList().size(), 4);
    QCOMPARE(f.view.getAttr("value", "idx").toList().at(0).toMap().contains("idx"), false);
    // The empty key reads "value".
    QCOMPARE(f.view.getAttr("").toList().size(), 4);

    // Without options the primary keys leave hidden rows out, unlike allPrimaryKey().
    QCOMPARE(f.view.getAttr("primary_keys"), QVariant(ints({0, 2, 3})));
    QCOMPARE(f.view.getAttr("primary_keys", true), QVariant(ints({0, 1, 2, 3})));
    QCOMPARE(f.view.allPrimaryKey(), ints({0, 1, 2, 3}));

    f.view.setDragMode(1);
    QCOMPARE(f.view.getAttr("drag_mode"), QVariant(1));
    f.view.setAttr("enabled", false);
    QCOMPARE(f.view.getAttr("enabled"), QVariant(false));
    QCOMPARE(f.view.getAttr("no_such_key"), QVariant());
}

void tst_TTableView::staleIndexesDoNothing()
{
    // A script's index kept across a removal names no row: the view must
    // not hide or select the row that has its number now.
    Fixture f;
    const QModelIndex kept = f.row(1);
    QVERIFY(f.view.removeRow(f.row(0)));
    f.view.setRowVisible(kept, false);
    f.view.selectRow(kept);
    f.view.selectRows(QModelIndexList {kept});
    for (int row = 0; row < f.model->rowCount(); ++row)
        QVERIFY(!f.view.isRowHidden(row));
    QVERIFY(f.view.selectionModel()->selection().isEmpty());

    // Live indexes still work.
    f.view.setRowVisible(f.row(1), false);
    QVERIFY(f.view.isRowHidden(1));
    f.view.selectRows(QModelIndexList {kept, f.row(2)});
    QCOMPARE(f.view.selectedPrimaryKeys(true), QVariantList {3});
}

void tst_TTableView::selectionReaders()
{
    Fixture f;
    f.view.selectRows(f.rows({3, 1}));
    f.view.setRowVisible(f.row(1), false);
    // Hidden rows only on request.
    QCOMPARE(f.view.getAttr("selected_primary_keys"), QVariant(ints({3})));
    QCOMPARE(f.view.getAttr("selected_primary_keys", true).toList().size(), 2);
    QCOMPARE(f.view.getAttr("selected_primary_keys", "yes"), QVariant(ints({3})));
    const QVariantList data = f.view.getAttr("selected_data").toList();
    QCOMPARE(data.size(), 1);
    QCOMPARE(data.at(0).toMap().value("name"), QVariant("part 3"));
    QCOMPARE(f.view.getAttr("selected_data", true).toList().size(), 2);
    QCOMPARE(f.view.selectedRowDataMaps(true).size(), 2);

    // The current row counts whether selected or not.
    QCOMPARE(f.view.getAttr("current_primary_key"), QVariant());
    f.view.selectionModel()->setCurrentIndex(f.model->index(2, 1), QItemSelectionModel::NoUpdate);
    QCOMPARE(f.view.getAttr("current_primary_key"), QVariant(2));
    QCOMPARE(f.view.getAttr("current_row_data_list"), QVariant(QVariantList {2, "part 2", 20, true}));
    QCOMPARE(f.view.getAttr("current_row_data_map").toMap().value("qty"), QVariant(20));
    QCOMPARE(f.view.rowDataMap(3).value("name"), QVariant("part 3"));
    QCOMPARE(f.view.rowDataMap(99), QVariantMap());

    f.view.unselectAll();
    QVERIFY(f.view.selectedIndexes().isEmpty());
    QCOMPARE(f.view.getAttr("current_primary_key"), QVariant());
}

void tst_TTableView::cellSelectionReadsNoRows()
{
    Fixture f;
    f.view.setAttr("selection_policy", "single_cell");
    f.view.selectionModel()->select(f.model->index(1, 2), QItemSelectionModel::Select);
    QVERIFY(f.view.selectedIndexes().isEmpty());
    QVERIFY(f.view.getAttr("selected_data").toList().isEmpty());
    QVERIFY(f.view.removeSelectedRows());
    QCOMPARE(f.model->rowCount(), 4);
}

void tst_TTableView::selectingByKeys()
{
    Fixture f;
    QSignalSpy visibility(f.model, &TTableModel::rowVisibleChanged);
    f.view.selectRow(QVariant(0));
    f.view.selectRows(QVariantList {2, 3, 42});
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({0, 2, 3}));
    // Selecting by keys hides nothing.
    QCOMPARE(visibility.size(), 0);
    f.view.selectRow(QModelIndex());
    f.view.selectRow(f.row(2), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({0, 3}));
    f.view.selectRows(f.rows({1}), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCOMPARE(f.view.selectedPrimaryKeys(), ints({1}));

    f.view.moveSelectedRowsBottom();
    QCOMPARE(f.view.allPrimaryKey(), ints({0, 2, 3, 1}));
    f.view.moveSelectedRowsTop();
    QCOMPARE(f.view.allPrimaryKey(), ints({1, 0, 2, 3}));
    f.view.moveSelectedRowsDown();
    QCOMPARE(f.view.allPrimaryKey(), ints({0, 1, 2, 3}));
    f.view.moveSelectedRowsUp();
    QCOMPARE(f.view.allPrimaryKey(), ints({1, 0, 2, 3}));
    QVERIFY(f.view.removeSelectedRows());
    QCOMPARE(f.view.allPrimaryKey(), ints({0, 2, 3}));
}

void tst_TTableView::rowForwards()
{
    Fixture f(2);
    const QModelIndex appended = f.view.appendRow(QVariantList {7, "seven"});
    QCOMPARE(appended, f.row(2));
    // Each result is taken before the rows it is compared with: argument order is unspecified.
    const QModelIndex prepended = f.view.prependRow(QVariantMap {{"id", 8}});
    QCOMPARE(prepended, f.row(0));
    const QModelIndexList appendedRows = f.view.appendRows({QVariantList {9}, QVariantList {10}});
    QCOMPARE(appendedRows, f.rows({4, 5}));
    const QModelIndexList prependedRows = f.view.prependRows({QVariantList {11}, QVariantList {12}});
    QCOMPARE(prependedRows, f.rows({0, 1}));
    QCOMPARE(f.view.appendRows({}), QModelIndexList());
    QCOMPARE(f.view.allPrimaryKey(), ints({11, 12, 8, 0, 1, 7, 9, 10}));

    f.view.setRowKeyValueByPrimaryKey(7, "name", "SEVEN");
    f.view.setRowDataByPrimaryKey(0, QVariantMap {{"qty", 5}});
    f.view.setRowDataByPrimaryKey(1, QVariantList {1, "one"}, true);
    f.view.setRowDataByPrimaryKey(404, QVariantList {1}, true);
    QCOMPARE(f.view.rowDataMap(7).value("name"), QVariant("SEVEN"));
    QCOMPARE(f.view.rowDataMap(0).value("qty"), QVariant(5));
    QCOMPARE(f.model->rowDataList(f.view.findRow(1)), (QVariantList {1, "one"}));
    f.view.setRowKeyValue(f.view.findRow("one", "name"), "qty", 3);
    QCOMPARE(f.model->rowDataList(f.view.findRow(1)), (QVariantList {1, "one"}));

    QVERIFY(f.view.removeRow(f.view.findRow(12)));
    QVERIFY(!f.view.removeRow(QModelIndex()));
    QVERIFY(f.view.removeRows(f.view.findRows(QVariantList {9, 10}, "id", 0)));
    QCOMPARE(f.view.findRows(QRegExp("^part"), {"name"}, 0), f.rows({2}));
    f.view.moveRowsTop(f.rows({3}));
    f.view.moveRowsDown(f.rows({0}));
    f.view.moveRowsBottom(f.rows({0}));
    f.view.moveRowsUp(f.rows({4}));
    QCOMPARE(f.view.allPrimaryKey(), ints({1, 8, 0, 11, 7}));
    QCOMPARE(f.view.columnName(1), QString("name"));
    QCOMPARE(f.view.colummNumber("qty"), 2);
    QCOMPARE(f.view.headerItem(), Fixture::descriptions());
    f.view.clearData();
    QCOMPARE(f.model->rowCount(), 0);
}

void tst_TTableView::rowVisibility()
{
    Fixture f(5);
    f.view.findRows(QRegExp("[13]"), {"name"});
    QCOMPARE(f.view.isRowHidden(0), true);
    QCOMPARE(f.view.isRowHidden(1), false);
    QCOMPARE(f.view.isRowHidden(3), false);
    f.view.findRows(QVariant(0));
    QCOMPARE(f.view.isRowHidden(0), false);
    QCOMPARE(f.view.isRowHidden(1), true);

    // The view's own call sets the model's flag too.
    f.view.setRowVisible(f.row(4), true);
    QVERIFY(f.model->dataList().at(4)->visible());
    QCOMPARE(f.view.isRowHidden(4), false);
    // A flag changed behind the view's back shows after refreshRowVisible().
    f.model->dataList().at(4)->setVisible(false);
    QCOMPARE(f.view.isRowHidden(4), false);
    f.view.refreshRowVisible();
    QCOMPARE(f.view.isRowHidden(4), true);

    // A fresh load hides exactly the rows whose visible key is false.
    f.view.setAttr("visible_key", "show");
    f.view.setAttr("value", QVariantList {QVariantList {1, "a", 0, true}, QVariantList {2, "b", 0, false},
                                          QVariantList {3, "c", 0, true}});
    QCOMPARE(f.view.isRowHidden(0), false);
    QCOMPARE(f.view.isRowHidden(1), true);
    QCOMPARE(f.view.isRowHidden(2), false);
    QCOMPARE(f.view.getAttr("primary_keys"), QVariant(ints({1, 3})));
}

// A search over a shown view hides its rows in one go: the row header lays out
// once, when control returns to the event loop, and is right afterwards.
void tst_TTableView::searchOnShownView()
{
    Fixture f(200);
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    QHeaderView *rowHeader = f.view.verticalHeader();
    f.view.findRows(QRegExp("^part 1[0-9]$"), {"name"});
    for (int r = 0; r < 200; ++r)
        QCOMPARE(f.view.isRowHidden(r), !(r >= 10 && r <= 19));
    QCoreApplication::processEvents();
    QVERIFY(rowHeader->updatesEnabled());
    // The first shown row sits at the top, the next one a row lower.
    QCOMPARE(rowHeader->sectionPosition(10), 0);
    QCOMPARE(rowHeader->sectionPosition(11), rowHeader->sectionSize(10));

    // Nothing changes: the header is not held.
    f.view.findRows(QRegExp("^part 1[0-9]$"), {"name"});
    QVERIFY(rowHeader->updatesEnabled());

    // A view deleted before the event loop runs again leaves nothing behind.
    auto *view = new TTableView;
    view->setDataKeyList({"id"});
    view->setHeaderItem({QVariantMap(), QVariantMap {{"name", "id"}, {"displayRole", "$id"}}});
    view->setAttr("value", QVariantList {QVariantList {1}, QVariantList {2}});
    view->show();
    view->findRows(QVariant(1), "id");
    QVERIFY(!view->verticalHeader()->updatesEnabled());
    delete view;
    QCoreApplication::processEvents();
}

void tst_TTableView::columnVisibility()
{
    Fixture f;
    f.view.setColumnVisible(1, false);
    f.view.setColumnVisible("qty", false);
    f.view.setColumnVisible(QMap<QString, bool> {{"qty", true}, {"id", false}});
    QCOMPARE(f.view.isColumnVisible(0), false);
    QCOMPARE(f.view.isColumnVisible(1), false);
    QCOMPARE(f.view.isColumnVisible("qty"), true);
    QCOMPARE(f.view.isColumnVisible("unknown"), false);
    const QMap<QString, bool> named = f.view.isColumnVisible();
    QCOMPARE(named, (QMap<QString, bool> {{"id", false}, {"name", false}, {"qty", true}, {"note", true}}));
    QCOMPARE(f.view.isColumnVisible(QStringList {"name", "ghost"}),
             (QMap<QString, bool> {{"name", false}, {"ghost", false}}));
    // The model's requests go through the column-state handler.
    f.model->setColumnVisible("name", true);
    QCOMPARE(f.view.isColumnVisible("name"), true);
    f.model->setColumnVisible("ghost", false);
    QCOMPARE(f.header()->hiddenSectionCount(), 1);
}

void tst_TTableView::columnStateFromDescriptions()
{
    Fixture f;
    QVariantList header = Fixture::descriptions();
    QVariantMap id = header.at(1).toMap();
    id.insert("visible", false);
    header[1] = id;
    QVariantMap name = header.at(2).toMap();
    name.insert("size", 140);
    name.insert("resizeMode", "fixed");
    header[2] = name;
    f.view.setHeaderItem(header);
    QVERIFY(f.header()->isSectionHidden(0));
    QCOMPARE(f.header()->sectionSize(1), 140);
    QCOMPARE(f.header()->sectionResizeMode(1), QHeaderView::Fixed);

    // Setting the descriptions again starts each column from shown and interactive.
    f.view.setHeaderItem(Fixture::descriptions());
    QVERIFY(!f.header()->isSectionHidden(0));
    QCOMPARE(f.header()->sectionResizeMode(1), QHeaderView::Interactive);

    f.view.setColumnState(2, {{"resizeMode", "Stretch"}});
    QCOMPARE(f.header()->sectionResizeMode(2), QHeaderView::Stretch);
    f.view.setColumnState(2, {}, true);
    QCOMPARE(f.header()->sectionResizeMode(2), QHeaderView::Interactive);
    f.view.setColumnState(2, {{"visible", false}});
    QVERIFY(f.header()->isSectionHidden(2));
    // Columns the header does not have are ignored.
    f.view.setColumnState(-1, {{"resizeMode", "Stretch"}}, true);
    f.view.setColumnState(99, {{"size", 10}}, true);
}

void tst_TTableView::saveAndRestore()
{
    Fixture f;
    f.header()->resizeSection(1, 150);
    f.header()->resizeSection(2, 90);
    f.header()->moveSection(2, 0);
    f.header()->hideSection(1);
    const QString saved = f.view.saveState();
    const QVariantMap state = QJsonDocument::fromJson(saved.toUtf8()).toVariant().toMap();
    // Indented text, one entry per name; the unnamed column under the empty name.
    QVERIFY(saved.contains('\n'));
    QCOMPARE(state.keys(), (QStringList {"", "id", "name", "note", "qty"}));
    QCOMPARE(state.value("qty").toMap(), (QVariantMap {{"position", 0}, {"visible", true}, {"size", 90}}));
    // Hidden, but saved with the width it comes back with.
    QCOMPARE(state.value("name").toMap(), (QVariantMap {{"position", 2}, {"visible", false}, {"size", 150}}));
    QVERIFY(f.header()->isSectionHidden(1));

    Fixture other;
    QCOMPARE(other.visualOrder(), (QStringList {"id", "name", "qty", "note", ""}));
    QVERIFY(other.view.restorSaveState(saved));
    QCOMPARE(other.visualOrder(), f.visualOrder());
    QVERIFY(other.header()->isSectionHidden(1));
    other.header()->showSection(1);
    QCOMPARE(other.header()->sectionSize(1), 150);
    QCOMPARE(other.header()->sectionSize(2), 90);
}

void tst_TTableView::restoreOrder_data()
{
    QTest::addColumn<QStringList>("order"); // visual order to save

    QTest::newRow("reversed") << QStringList {"", "note", "qty", "name", "id"};
    QTest::newRow("rotated") << QStringList {"name", "qty", "note", "", "id"};
    QTest::newRow("names against positions") << QStringList {"qty", "note", "id", "", "name"};
    QTest::newRow("swap two") << QStringList {"id", "note", "qty", "name", ""};
    QTest::newRow("unchanged") << QStringList {"id", "name", "qty", "note", ""};
}

void tst_TTableView::restoreOrder()
{
    QFETCH(QStringList, order);
    Fixture f;
    for (int position = 0; position < order.size(); ++position) {
        const int column = order.at(position).isEmpty() ? 4 : f.model->columnNumber(order.at(position));
        f.header()->moveSection(f.header()->visualIndex(column), position);
    }
    QCOMPARE(f.visualOrder(), order);
    const QString saved = f.view.saveState();

    // Every saved order comes back exactly, from any starting order.
    Fixture other;
    other.header()->moveSection(0, 3);
    other.header()->moveSection(4, 1);
    QVERIFY(other.view.restorSaveState(saved));
    QCOMPARE(other.visualOrder(), order);
}

void tst_TTableView::restoreRefusesBadText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("array") << "[]";
    QTest::newRow("malformed") << "{\"id\": {\"position\": 2";
    QTest::newRow("empty") << "";
    QTest::newRow("object in an array") << R"([{"id": {"position": 2}}])";
}

void tst_TTableView::restoreRefusesBadText()
{
    QFETCH(QString, text);
    Fixture f;
    f.header()->resizeSection(0, 120);
    f.header()->moveSection(3, 0);
    const QString before = f.view.saveState();
    QVERIFY(!f.view.restorSaveState(text));
    QCOMPARE(f.view.saveState(), before);
}

void tst_TTableView::restoreAppliesWhatFits_data()
{
    // The fixture starts as note, id, name, qty, "" with id 120 pixels wide.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QVariantMap>("sizes");

    QTest::newRow("unknown column") << R"({"id": {"position": 3, "size": 200}, "ghost": {"position": 0, "size": 5}})"
                                    << QStringList {"note", "name", "qty", "id", ""} << QStringList()
                                    << QVariantMap {{"id", 200}};
    // Saved before "qty" was renamed "amount": the rest of the layout still applies.
    QTest::newRow("renamed column") << R"({"amount": {"position": 0, "size": 50, "visible": false},
                   "id": {"position": 1, "visible": false}, "name": {"position": 0, "size": 180}})"
                                    << QStringList {"name", "id", "note", "qty", ""} << QStringList {"id"}
                                    << QVariantMap {{"name", 180}};
    QTest::newRow("position past the end")
            << R"({"id": {"position": 9, "size": 200}})" << QStringList {"note", "id", "name", "qty", ""}
            << QStringList() << QVariantMap {{"id", 200}};
    QTest::newRow("negative position") << R"({"name": {"position": -1, "visible": false}})"
                                       << QStringList {"note", "id", "name", "qty", ""} << QStringList {"name"}
                                       << QVariantMap {{"id", 120}};
    QTest::newRow("one position twice") << R"({"id": {"position": 0}, "qty": {"position": 0, "visible": false}})"
                                        << QStringList {"id", "note", "name", "qty", ""} << QStringList {"qty"}
                                        << QVariantMap {{"id", 120}};
    QTest::newRow("position not a number")
            << R"({"name": {"position": "first", "size": 140}})" << QStringList {"note", "id", "name", "qty", ""}
            << QStringList() << QVariantMap {{"name", 140}};
    QTest::newRow("entry not an object") << R"({"id": 5, "qty": {"visible": false}})"
                                         << QStringList {"note", "id", "name", "qty", ""} << QStringList {"qty"}
                                         << QVariantMap {{"id", 120}};
    QTest::newRow("size not a number") << R"({"id": {"size": "wide"}, "name": {"size": -4}})"
                                       << QStringList {"note", "id", "name", "qty", ""} << QStringList()
                                       << QVariantMap {{"id", 120}};
    QTest::newRow("no entries") << "{}" << QStringList {"note", "id", "name", "qty", ""} << QStringList()
                                << QVariantMap {{"id", 120}};
}

void tst_TTableView::restoreAppliesWhatFits()
{
    QFETCH(QString, text);
    QFETCH(QStringList, order);
    QFETCH(QStringList, hidden);
    QFETCH(QVariantMap, sizes);
    Fixture f;
    f.header()->resizeSection(0, 120);
    f.header()->moveSection(3, 0);
    const int nameSize = f.header()->sectionSize(1);

    QVERIFY(f.view.restorSaveState(text));
    QCOMPARE(f.visualOrder(), order);
    QStringList hiddenNow;
    for (const QString &name : f.visualOrder()) {
        if (f.header()->isSectionHidden(f.model->columnNumber(name)))
            hiddenNow.append(name);
    }
    QCOMPARE(hiddenNow, hidden);
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        QCOMPARE(f.header()->sectionSize(f.model->columnNumber(it.key())), it.value().toInt());
    if (!sizes.contains("name") && !hidden.contains("name"))
        QCOMPARE(f.header()->sectionSize(1), nameSize);
}

void tst_TTableView::headerPopup()
{
    Fixture f;
    f.view.setHeaderPopupEnabled(true);
    QCOMPARE(f.header()->contextMenuPolicy(), Qt::CustomContextMenu);
    f.header()->moveSection(2, 0);
    f.view.setColumnVisible("name", false);
    THeaderViewPopup *popup = f.view.headerPopup();
    QCOMPARE(f.view.headerPopup(), popup);
    QVERIFY(!popup->parent());
    QVERIFY(popup->windowFlags() & Qt::Popup);

    f.view.showHeaderPopup(QPoint(5, 5));
    QVERIFY(popup->isVisible());
    QList<QCheckBox *> boxes = popup->findChildren<QCheckBox *>();
    QStringList names, texts;
    for (QCheckBox *box : qAsConst(boxes)) {
        names << box->objectName();
        texts << box->text() + (box->isChecked() ? "+" : "-");
    }
    // Named columns only, in the header's visual order.
    QCOMPARE(names, (QStringList {"qty", "id", "name", "note"}));
    QCOMPARE(texts, (QStringList {"Quantity+", "Id+", "Name-", "Note+"}));

    popup->findChild<QCheckBox *>("name")->setChecked(true);
    QVERIFY(f.view.isColumnVisible("name"));
    popup->findChild<QCheckBox *>("id")->setChecked(false);
    QVERIFY(!f.view.isColumnVisible("id"));

    // Rebuilt from the header at each showing.
    popup->hide();
    QVERIFY(popup->findChildren<QCheckBox *>().isEmpty());
    QVERIFY(popup->layout());
    f.view.setColumnVisible(QMap<QString, bool> {{"name", false}, {"note", false}, {"qty", false}});
    f.view.setColumnVisible(4, false);
    f.view.showHeaderPopup(QPoint(0, 0));
    boxes = popup->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 4);
    // Only one column is left: unchecking it keeps it.
    f.view.setColumnVisible("id", true);
    QCOMPARE(f.header()->count() - f.header()->hiddenSectionCount(), 1);
    QCheckBox *id = popup->findChild<QCheckBox *>("id");
    id->setChecked(true);
    id->setChecked(false);
    QVERIFY(f.view.isColumnVisible("id"));
    popup->hide();

    // A view over another model gets an empty pop-up.
    QStandardItemModel plain(2, 2);
    f.view.setModel(&plain);
    f.view.showHeaderPopup(QPoint(0, 0));
    QVERIFY(popup->findChildren<QCheckBox *>().isEmpty());
    popup->hide();

    QPointer<THeaderViewPopup> guard(popup);
    {
        TTableView shortLived;
        shortLived.headerPopup();
        guard = shortLived.headerPopup();
    }
    QVERIFY(guard.isNull());
    f.view.setHeaderPopupEnabled(false);
    QCOMPARE(f.header()->contextMenuPolicy(), Qt::DefaultContextMenu);
}

void tst_TTableView::dragMode()
{
    Fixture f;
    f.view.setDragMode(1);
    QCOMPARE(f.view.property("dragMode"), QVariant(1));
    QCOMPARE(f.model->dragMode(), 1);
    QVERIFY(f.view.dragEnabled());
    QCOMPARE(f.view.dragDropMode(), QAbstractItemView::InternalMove);
    QVERIFY(f.view.acceptDrops());
    QVERIFY(f.view.showDropIndicator());
    QCOMPARE(f.view.defaultDropAction(), Qt::MoveAction);
    QVERIFY(!f.view.dragDropOverwriteMode());
    QVERIFY(f.model->flags(f.row(0)) & Qt::ItemIsDragEnabled);

    f.view.setProperty("dragMode", 0);
    QCOMPARE(f.model->dragMode(), 0);
    QVERIFY(!f.view.dragEnabled());
    QVERIFY(!f.view.showDropIndicator());
    QCOMPARE(f.view.defaultDropAction(), Qt::IgnoreAction);
    // Drops stay accepted and the drag-drop mode stays as it was.
    QVERIFY(f.view.acceptDrops());
    // Reported as drop-only while dragging is off; the internal-move mode itself is kept.
    QCOMPARE(f.view.dragDropMode(), QAbstractItemView::DropOnly);
    f.view.setDragEnabled(true);
    QCOMPARE(f.view.dragDropMode(), QAbstractItemView::InternalMove);
    QVERIFY(!(f.model->flags(f.row(0)) & Qt::ItemIsDragEnabled));
}

void tst_TTableView::relaySignals()
{
    Fixture f(3);
    f.view.setHeaderItem(
            {QVariantMap(),
             QVariantMap {{"name", "id"}, {"displayRole", "$id"}, {"checkStateRole", "$show"}, {"editRole", "$name"}}});
    QStringList seen;
    connect(&f.view, QOverload<>::of(&TTableView::dataChanged), this, [&] { seen << "data"; });
    connect(&f.view, QOverload<>::of(&TTableView::rowsInserted), this, [&] { seen << "inserted"; });
    connect(&f.view, QOverload<>::of(&TTableView::rowsMoved), this, [&] { seen << "moved"; });
    connect(&f.view, QOverload<>::of(&TTableView::rowsRemoved), this, [&] { seen << "removed"; });
    connect(&f.view, &TTableView::rowCheckStateChanged, this,
            [&](const QModelIndex &index) { seen << QString("check %1").arg(index.row()); });
    connect(&f.view, &TTableView::anyDataChanged, this, [&] { seen << "any"; });

    f.model->setData(f.row(1), "new name", Qt::EditRole);
    f.model->setData(f.row(2), Qt::Unchecked, Qt::CheckStateRole);
    f.view.appendRow(QVariantList {3});
    f.view.moveRowsTop(f.rows({2}));
    f.view.removeRow(f.row(0));
    // The view's own link to anyDataChanged was made first, so it fires before outside listeners.
    QCOMPARE(seen, (QStringList {"any", "data", "any", "check 2", "any", "data", "any", "inserted", "any", "moved",
                                 "any", "removed"}));
}

void tst_TTableView::sameModelAgain()
{
    Fixture f(2);
    QSignalSpy any(&f.view, &TTableView::anyDataChanged);
    QSignalSpy states(f.model, &TTableModel::columnStateChanged);
    f.view.setModel(f.model);
    f.view.setModel(f.model);
    f.model->setRowKeyValue(f.row(0), "name", "x");
    QCOMPARE(any.size(), 1);

    // Out and in again: still one connection of each.
    QStandardItemModel plain;
    f.view.setModel(&plain);
    f.model->setRowKeyValue(f.row(0), "name", "y");
    QCOMPARE(any.size(), 1);
    f.view.setModel(f.model);
    f.model->setRowKeyValue(f.row(0), "name", "z");
    QCOMPARE(any.size(), 2);
    f.model->findRows(QVariant(1));
    QVERIFY(f.view.isRowHidden(0));
}

void tst_TTableView::otherModel()
{
    TTableView view;
    QStandardItemModel plain(3, 2);
    view.setModel(&plain);
    QSignalSpy any(&view, &TTableView::anyDataChanged);
    // Relays work for any model; the row operations give their neutral results.
    plain.setData(plain.index(0, 0), "x");
    plain.insertRow(0);
    QCOMPARE(any.size(), 2);
    view.selectRow(plain.index(1, 0));
    QCOMPARE(view.selectedIndexes().size(), 1);
    QCOMPARE(view.selectedPrimaryKeys(), QVariantList());
    QCOMPARE(view.selectedRowDataMaps(), QVariantList());
    QCOMPARE(view.currentPrimaryKey(), QVariant());
    QCOMPARE(view.currentRowDataMap(), QVariant());
    QCOMPARE(view.headerItem(), QVariantList());
    QCOMPARE(view.colummNumber("a"), -1);
    QCOMPARE(view.appendRow(QVariantList {1}), QModelIndex());
    QCOMPARE(view.findRows(QVariant(1)), QModelIndexList());
    QVERIFY(!view.removeRow(plain.index(0, 0)));
    QVERIFY(!view.removeSelectedRows());
    QCOMPARE(view.isColumnVisible("a"), false);
    QCOMPARE(view.isColumnVisible(QStringList()), (QMap<QString, bool>()));
    QCOMPARE(view.getAttr("value"), QVariant(QVariantList()));
    view.setAttr("value", QVariantList {QVariantList {1}});
    QCOMPARE(plain.rowCount(), 4);
    QVERIFY(view.restorSaveState(R"({"": {"size": 10}})"));
    // Without the view's own model no name is a column: nothing to apply.
    QVERIFY(view.restorSaveState(R"({"a": {"size": 10}})"));
}

void tst_TTableView::contextMenu()
{
    TTableView view;
    QVERIFY(!view.contextMenu());
    view.showContextMenu(QPoint());
    auto *menu = new QMenu;
    view.setContextMenu(menu);
    QCOMPARE(view.contextMenu(), menu);
    // The caller owns it: the view neither deletes it nor keeps a dangling pointer.
    delete menu;
    QVERIFY(!view.contextMenu());
    view.showContextMenu(QPoint());
}

void tst_TTableView::fromScript()
{
    Fixture f(0);
    QJSEngine engine;
    expose(engine, "t", &f.view);
    const QJSValue result = CONTROLS_EVAL(engine, R"(
        t.setAttr("visible_key", "show");
        t.set({"value": [[1, "bolt", 5, true], {"id": 2, "name": "nut", "qty": 7, "show": false},
                         [3, "washer", 9, true]],
               "selection_policy": "multi_row"});
        t.selectRows([1, 2, 3]);
        var keys = t.getAttr("selected_primary_keys");
        var all = t.getAttr("selected_data", true);
        t.setRowDataByPrimaryKey(3, {"qty": 10});
        [keys, all.length, t.rowDataMap(3).qty, t.isColumnVisible("id"), t.getAttr("value", ["i"]).length];
    )");
    QVERIFY(!result.isError());
    const QVariantList list = result.toVariant().toList();
    QCOMPARE(list.value(0).toList(), ints({1, 3}));
    QCOMPARE(list.value(1).toInt(), 3);
    QCOMPARE(list.value(2).toInt(), 10);
    QCOMPARE(list.value(3).toBool(), true);
    QCOMPARE(list.value(4).toInt(), 3);
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::MultiSelection);
}

QTEST_MAIN(tst_TTableView)
#include "tst_ttableview.moc"
