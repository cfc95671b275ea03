#include "tcategorytreeview.h"
#include "ttreemodel.h"
#include "vekmodeltester.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

namespace {

QVariantMap category(const QString &iName, const QString &iText, const QVariant &iCount = QVariant(),
                     const QVariantList &iChildren = {})
{
    // The model reads a missing "VISIBLE" as hidden and a missing "checked" as no check box.
    QVariantMap map {{"name", iName},  {"text", iText},   {"data", iName},
                     {"EXPAND", true}, {"VISIBLE", true}, {"checked", 0}};
    if (iCount.isValid())
        map.insert("count", iCount);
    if (!iChildren.isEmpty())
        map.insert("CHILDREN", iChildren);
    return map;
}

// Boards (12) > Rigid (5), Flex; Tools (0); Spares without count.
QVariantList categories()
{
    return {category("boards", "Boards", 12, {category("rigid", "Rigid", 5), category("flex", "Flex")}),
            category("tools", "Tools", 0), category("spares", "Spares")};
}

struct Fixture
{
    TCategoryTreeView view;
    TTreeModel *model = qobject_cast<TTreeModel *>(view.model());
    QAbstractItemModelTester *tester = VekTest::attachModelTester(model);

    explicit Fixture(bool iCheckable = false)
    {
        view.resize(300, 300);
        view.setCheckable(iCheckable);
        view.setItemList(categories());
    }

    QModelIndex at(const QString &iName) { return model->findRow(iName); }
    QString shown(const QString &iName) { return at(iName).data(Qt::DisplayRole).toString(); }
    QStringList names(const QVariantList &iRows)
    {
        QStringList result;
        for (const QVariant &row : iRows)
            result.append(row.toMap().value("name").toString());
        return result;
    }
};

} // namespace

class tst_TCategoryTreeView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void shownText_data();
    void shownText();
    void displayFormatWaitsForRefresh();
    void updateCount();
    void selectionReported();
    void checkable();
    void uncheckable();
    void headerLabel();
};

void tst_TCategoryTreeView::construction()
{
    TCategoryTreeView view;
    auto *model = qobject_cast<TTreeModel *>(view.model());
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(!view.alternatingRowColors());
    QVERIFY(view.header()->isHidden());
    QCOMPARE(model->primaryKey(), QString("name"));
    QCOMPARE(model->expandedKey(), QString("EXPAND"));
    QCOMPARE(model->visibleKey(), QString("VISIBLE"));
    QCOMPARE(model->dataKeyList(), (QStringList {"name", "icon", "text", "count", "data", "format", "EXPAND", "VISIBLE",
                                                 "new_text", "checked"}));
    const QVariantMap column = model->headerItem().value(0).toMap();
    QCOMPARE(model->headerItem().size(), 1);
    QCOMPARE(column.value("displayRole"), QVariant("$new_text"));
    QCOMPARE(column.value("checkStateRole"), QVariant("$checked"));
    QCOMPARE(column.value("typeRole"), QVariant("html"));
    QCOMPARE(view.header()->sectionResizeMode(0), QHeaderView::Stretch);
    QVERIFY(!view.isCheckable());
    QCOMPARE(view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.QTreeView::selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view.displayFormat(), QString("<font color=black>%1%2</font>"));
}

void tst_TCategoryTreeView::shownText_data()
{
    QTest::addColumn<QVariantMap>("row");
    QTest::addColumn<QString>("shown");
    QTest::newRow("count") << category("b", "Boards", 12) << "<font color=black>Boards(12)</font>";
    QTest::newRow("count 0") << category("b", "Boards", 0) << "<font color=black>Boards</font>";
    QTest::newRow("no count") << category("b", "Boards") << "<font color=black>Boards</font>";
    QTest::newRow("count as text") << category("b", "Boards", "5") << "<font color=black>Boards(5)</font>";
    QVariantMap own = category("b", "Boards", 3);
    own.insert("format", "%1 [%2]");
    QTest::newRow("own format") << own << "Boards [(3)]";
    own.insert("count", 0);
    QTest::newRow("own format, no count") << own << "Boards []";
}

void tst_TCategoryTreeView::shownText()
{
    QFETCH(QVariantMap, row);
    QFETCH(QString, shown);
    TCategoryTreeView view;
    VekTest::attachModelTester(view.model());
    view.setItemList({row});
    QCOMPARE(view.model()->index(0, 0).data(Qt::DisplayRole).toString(), shown);
}

void tst_TCategoryTreeView::displayFormatWaitsForRefresh()
{
    Fixture f;
    f.view.setDisplayFormat("%1 %2");
    QCOMPARE(f.shown("boards"), QString("<font color=black>Boards(12)</font>"));
    QSignalSpy changed(f.model, &QAbstractItemModel::dataChanged);
    f.view.refresh();
    QCOMPARE(f.shown("boards"), QString("Boards (12)"));
    QCOMPARE(f.shown("flex"), QString("Flex "));
    // Every row, children included, is announced.
    QCOMPARE(changed.count(), 5);
}

void tst_TCategoryTreeView::updateCount()
{
    Fixture f;
    f.model->setRowVisible(f.at("rigid"), false);
    f.view.updateCount(QVariantMap {{"rigid", 7}, {"tools", 2}, {"nowhere", 9}});
    QCOMPARE(f.shown("rigid"), QString("<font color=black>Rigid(7)</font>")); // hidden rows too
    QCOMPARE(f.shown("tools"), QString("<font color=black>Tools(2)</font>"));
    QCOMPARE(f.shown("boards"), QString("<font color=black>Boards(12)</font>"));
    QCOMPARE(f.model->rowDataMap(f.at("boards")).value("count"), QVariant(12));
    f.view.updateCount(QVariantMap {{"boards", 0}});
    QCOMPARE(f.shown("boards"), QString("<font color=black>Boards</font>"));
}

void tst_TCategoryTreeView::selectionReported()
{
    Fixture f;
    QSignalSpy reported(&f.view, &TCategoryTreeView::selectionChanged);
    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, f.view.visualRect(f.at("tools")).center());
    QCOMPARE(reported.count(), 1);
    const QVariantList rows = reported.last().at(0).toList();
    QCOMPARE(f.names(rows), QStringList {"tools"});
    QCOMPARE(rows.at(0).toMap().value("data"), QVariant("tools"));

    f.view.setSelectionMode(QAbstractItemView::MultiSelection);
    f.view.selectRow(QVariant("flex"));
    QCOMPARE(f.names(reported.last().at(0).toList()), (QStringList {"tools", "flex"}));
    // A selected row the filter hid is not reported.
    f.view.setRowVisible(f.at("flex"), false);
    f.view.selectRow(QVariant("spares"));
    QCOMPARE(f.names(reported.last().at(0).toList()), (QStringList {"tools", "spares"}));
}

void tst_TCategoryTreeView::checkable()
{
    Fixture f(true);
    QSignalSpy reported(&f.view, &TCategoryTreeView::selectionChanged);
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::NoSelection);
    QCOMPARE(f.view.QTreeView::selectionMode(), QAbstractItemView::NoSelection);
    f.view.setSelectionMode(QAbstractItemView::MultiSelection);
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::NoSelection);
    QCOMPARE(f.view.QTreeView::selectionMode(), QAbstractItemView::NoSelection);

    f.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QRect boardsRect = f.view.visualRect(f.at("boards"));
    // A click on the text selects nothing.
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::NoModifier, boardsRect.center());
    QVERIFY(f.view.selectionModel()->selectedRows().isEmpty());

    // Checking a parent reports it with its children, all fully checked.
    f.view.setCurrentIndex(f.at("boards"));
    QTest::keyClick(&f.view, Qt::Key_Space);
    QVERIFY(reported.count() >= 1);
    QCOMPARE(f.names(reported.last().at(0).toList()), (QStringList {"boards", "rigid", "flex"}));
    QVERIFY(f.view.selectionModel()->selectedRows().isEmpty());

    // One child unchecked: the parent is partly checked and not reported.
    QVERIFY(f.model->setData(f.at("flex"), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(f.at("boards").data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    QCOMPARE(f.names(reported.last().at(0).toList()), QStringList {"rigid"});
    // Hidden rows count as well.
    f.view.setRowVisible(f.at("rigid"), false);
    QVERIFY(f.model->setData(f.at("tools"), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(f.names(reported.last().at(0).toList()), (QStringList {"rigid", "tools"}));
}

void tst_TCategoryTreeView::uncheckable()
{
    Fixture f(true);
    f.view.setCheckable(false);
    const QVariantMap column = f.model->headerItem().value(0).toMap();
    QVERIFY(!column.contains("checkStateRole"));
    QVERIFY(!column.contains("flagsRole"));
    QVERIFY(!column.contains("checkStateSync"));
    QCOMPARE(f.at("boards").data(Qt::CheckStateRole), QVariant());
    QVERIFY(!(f.model->flags(f.at("boards")) & Qt::ItemIsUserCheckable));
    // The selection mode waits for a call of its own.
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::NoSelection);
    f.view.setSelectionMode();
    QCOMPARE(f.view.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(f.view.QTreeView::selectionMode(), QAbstractItemView::SingleSelection);

    // A list loaded while not checkable carries no check boxes; the constructor's column does.
    TCategoryTreeView fresh;
    fresh.setItemList(categories());
    QCOMPARE(fresh.model()->index(0, 0).data(Qt::CheckStateRole), QVariant());
    TCategoryTreeView raw;
    raw.loadTreeData(categories());
    QCOMPARE(raw.model()->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

void tst_TCategoryTreeView::headerLabel()
{
    Fixture f;
    f.view.setHeaderLabel("Category");
    QVERIFY(!f.view.header()->isHidden());
    QCOMPARE(f.model->headerData(0, Qt::Horizontal).toString(), QString("Category"));
    QCOMPARE(f.shown("boards"), QString("<font color=black>Boards(12)</font>"));

    TCategoryTreeView wide;
    const QVariantList two {QVariantMap {{"name", "text"}, {"display", "A"}},
                            QVariantMap {{"name", "count"}, {"display", "B"}}};
    wide.setHeaderItem(two);
    wide.setHeaderLabel("Category");
    QCOMPARE(wide.headerItem(), two);
    QVERIFY(wide.header()->isHidden());
}

QTEST_MAIN(tst_TCategoryTreeView)
#include "tst_tcategorytreeview.moc"
