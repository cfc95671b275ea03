// The table chooser dialog and the chooser view that opens it: rows moved
// both ways with hidden rows present, repetition, search, order and result.
#include "dialogtest.h"

#include "tdialogbuttonbox.h"
#include "tsearchentry.h"
#include "ttablechooserdialog.h"
#include "ttablechooserview.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QAbstractItemModelTester>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using dialogtest::whenShown;

namespace {

QVariantMap row(int iId, const QString &iName, const QString &iKind = QStringLiteral("part"))
{
    return QVariantMap {{"id", iId}, {"name", iName}, {"kind", iKind}};
}

QVariantList fiveRows() { return {row(1, "alpha"), row(2, "beta"), row(3, "bravo"), row(4, "gamma"), row(5, "bolt")}; }

// The ids of a table's rows in order; hidden rows in brackets.
QString ids(TTableView *iView)
{
    QStringList out;
    auto *model = qobject_cast<TTableModel *>(iView->model());
    for (int r = 0; r < model->rowCount(); ++r) {
        const QString id = model->rowDataMap(model->index(r, 0)).value("id").toString();
        out << (iView->isRowHidden(r) ? "(" + id + ")" : id);
    }
    return out.join(' ');
}

QString ids(const QVariantList &iRows)
{
    QStringList out;
    for (const QVariant &r : iRows)
        out << r.toMap().value("id").toString();
    return out.join(' ');
}

void click(QWidget *iDialog, const char *iName)
{
    auto *button = iDialog->findChild<QPushButton *>(QLatin1String(iName));
    QVERIFY2(button, iName);
    button->click();
}

void selectIds(TTableView *iView, const QVariantList &iIds)
{
    iView->clearSelection();
    iView->selectRows(iIds);
}

// A dialog set up with the five rows on the left and both tables under a model tester.
struct Chooser
{
    Chooser()
    {
        dialog.setHeaderItem({QVariant(), QVariantMap {{"name", "name"}, {"displayRole", "$name"}},
                              QVariantMap {{"name", "kind"}, {"displayRole", "$kind"}}});
        dialog.setDataKeyList({"id", "name", "kind"});
        dialog.setPrimaryKey("id");
        dialog.loadAllData(fiveRows());
    }
    TTableView *left() { return dialog.tableView(); }
    TTableView *right() { return dialog.selectedTableView(); }

    TTableChooserDialog dialog;
    QAbstractItemModelTester leftTester {dialog.tableView()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester rightTester {dialog.selectedTableView()->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace

class tst_TTableChooser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startState();
    void transferWithNothingChangesNothing_data();
    void transferWithNothingChangesNothing();
    void addMovesOnlyShownSelection();
    void addAllTakesHiddenRowsToo();
    void removeReturnsRowsToTheEnd();
    void repetitionCopies();
    void loadSelectedDataRemovesByKey_data();
    void loadSelectedDataRemovesByKey();
    void searchFiltersOnlyTheLeft();
    void selectButtonsAndSelectRows();
    void runReturnsArrangedOrder();
    void runRejected();

    void viewOffersUnchosenCandidates();
    void viewRepetitionLeavesDialogFlag();
    void viewCancelAndEmptyResult();
    void viewDeletedWhileEditing();
};

void tst_TTableChooser::startState()
{
    TTableChooserDialog dialog;
    QVERIFY(!dialog.isRepetitionEnabled());
    QVERIFY(!dialog.property("repetitionEnabled").toBool());
    QVERIFY(dialog.searchEntry());
    QVERIFY(!dialog.searchEntry()->isVisibleTo(&dialog));
    QStringList names;
    for (QAbstractButton *b : dialog.buttonBox()->buttons())
        names << b->objectName();
    names.sort();
    QCOMPARE(names, QStringList({"Cancel", "Ok"}));
    QCOMPARE(dialog.size(), QSize(600, 400));
}

void tst_TTableChooser::transferWithNothingChangesNothing_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("add") << QByteArray("addButton");
    QTest::newRow("remove") << QByteArray("removeButton");
    QTest::newRow("remove all") << QByteArray("removeAllButton");
}

void tst_TTableChooser::transferWithNothingChangesNothing()
{
    QFETCH(QByteArray, button);
    Chooser c;
    QSignalSpy leftChanged(c.left(), &TTableView::anyDataChanged);
    click(&c.dialog, button.constData());
    QCOMPARE(ids(c.left()), QString("1 2 3 4 5"));
    QCOMPARE(ids(c.right()), QString());
    QCOMPARE(leftChanged.count(), 0);
}

void tst_TTableChooser::addMovesOnlyShownSelection()
{
    Chooser c;
    c.dialog.setSearchKeys({"name"});
    c.dialog.filter("b*");
    QCOMPARE(ids(c.left()), QString("(1) 2 3 (4) 5"));
    // Select-all also catches the hidden rows; only the shown ones go across,
    // and only they leave the left table.
    c.dialog.setButtons({"Ok:Ok:Accept", "All:SelectAll:Action"});
    c.dialog.buttonBox()->findChild<QPushButton *>("SelectAll")->click();
    QCOMPARE(c.left()->selectedIndexes().size(), 5);
    click(&c.dialog, "addButton");
    QCOMPARE(ids(c.right()), QString("2 3 5"));
    QCOMPARE(ids(c.left()), QString("(1) (4)"));
    // Nothing is lost or doubled: the hidden rows come back with an empty search.
    c.dialog.filter("");
    QCOMPARE(ids(c.left()), QString("1 4"));
}

void tst_TTableChooser::addAllTakesHiddenRowsToo()
{
    Chooser c;
    c.dialog.setSearchKeys({"name"});
    c.dialog.filter("g*");
    click(&c.dialog, "addAllButton");
    QCOMPARE(ids(c.right()), QString("1 2 3 4 5"));
    QCOMPARE(ids(c.left()), QString());
    click(&c.dialog, "removeAllButton");
    QCOMPARE(ids(c.right()), QString());
    QCOMPARE(ids(c.left()), QString("1 2 3 4 5"));
}

void tst_TTableChooser::removeReturnsRowsToTheEnd()
{
    Chooser c;
    selectIds(c.left(), {1, 3});
    click(&c.dialog, "addButton");
    QCOMPARE(ids(c.left()), QString("2 4 5"));
    selectIds(c.right(), {1});
    click(&c.dialog, "removeButton");
    QCOMPARE(ids(c.right()), QString("3"));
    QCOMPARE(ids(c.left()), QString("2 4 5 1"));
    // The row keeps all its values on the way back.
    QCOMPARE(c.left()->rowDataMap(1), row(1, "alpha"));
}

void tst_TTableChooser::repetitionCopies()
{
    Chooser c;
    c.dialog.setRepetitionEnabled(true);
    selectIds(c.left(), {2});
    click(&c.dialog, "addButton");
    click(&c.dialog, "addButton");
    QCOMPARE(ids(c.right()), QString("2 2"));
    QCOMPARE(ids(c.left()), QString("1 2 3 4 5"));
    click(&c.dialog, "addAllButton");
    QCOMPARE(ids(c.left()), QString("1 2 3 4 5"));
    QCOMPARE(c.right()->model()->rowCount(), 7);
    // Removing simply drops the chosen rows.
    click(&c.dialog, "removeAllButton");
    QCOMPARE(ids(c.right()), QString());
    QCOMPARE(ids(c.left()), QString("1 2 3 4 5"));
}

void tst_TTableChooser::loadSelectedDataRemovesByKey_data()
{
    QTest::addColumn<bool>("repetition");
    QTest::addColumn<QString>("left");
    QTest::newRow("moving") << false << "(1) 3 (4)";
    QTest::newRow("repetition") << true << "(1) 2 3 (4) 5";
}

void tst_TTableChooser::loadSelectedDataRemovesByKey()
{
    QFETCH(bool, repetition);
    QFETCH(QString, left);
    Chooser c;
    c.dialog.setRepetitionEnabled(repetition);
    c.dialog.setSearchKeys({"name"});
    c.dialog.filter("b*");
    // Rows 2 and 5 are chosen (5 with other values: the key decides); 9 matches nothing.
    c.dialog.loadSelectedData({row(2, "beta"), row(5, "renamed", "tool"), row(9, "none")});
    QCOMPARE(ids(c.right()), QString("2 5 9"));
    // The rows that stay keep their visibility.
    QCOMPARE(ids(c.left()), left);
}

void tst_TTableChooser::searchFiltersOnlyTheLeft()
{
    Chooser c;
    c.dialog.loadSelectedData({row(4, "gamma")});
    c.dialog.setSearchKeys({});
    QVERIFY(!c.dialog.searchEntry()->isVisibleTo(&c.dialog));
    c.dialog.setSearchKeys({"name", "kind"});
    c.dialog.setSearchKeys({"name", "kind"});
    QVERIFY(c.dialog.searchEntry()->isVisibleTo(&c.dialog));
    QCOMPARE(c.dialog.searchEntry()->searchDelayTime(), 1);

    // Typing searches after the short delay, without regard to case.
    QSignalSpy searched(c.dialog.searchEntry(), &TSearchEntry::search);
    c.dialog.setSearchText("A*A");
    QVERIFY(searched.wait(5000));
    QCOMPARE(ids(c.left()), QString("1 (2) (3) (5)"));
    QCOMPARE(ids(c.right()), QString("4"));
    // The pattern may match anywhere in a value.
    c.dialog.filter("?ol");
    QCOMPARE(ids(c.left()), QString("(1) (2) (3) 5"));
    c.dialog.filter("TOOL");
    QCOMPARE(ids(c.left()), QString("(1) (2) (3) (5)"));
}

void tst_TTableChooser::selectButtonsAndSelectRows()
{
    Chooser c;
    c.dialog.setButtons({"All:SelectAll:Action", "None:UnselectAll:Action", "Ok:Ok:Accept"});
    auto *box = c.dialog.buttonBox();
    box->findChild<QPushButton *>("SelectAll")->click();
    QCOMPARE(c.left()->selectedIndexes().size(), 5);
    box->findChild<QPushButton *>("UnselectAll")->click();
    QCOMPARE(c.left()->selectedIndexes().size(), 0);

    c.dialog.selectRows({1, 2});
    c.dialog.selectRows({4});
    QCOMPARE(c.left()->selectedPrimaryKeys(), QVariantList({4}));
    c.dialog.selectRows({5}, false);
    QVariantList keys = c.left()->selectedPrimaryKeys();
    std::sort(keys.begin(), keys.end(), [](const QVariant &a, const QVariant &b) { return a.toInt() < b.toInt(); });
    QCOMPARE(keys, QVariantList({4, 5}));
}

void tst_TTableChooser::runReturnsArrangedOrder()
{
    Chooser c;
    int answer = -1;
    whenShown<TTableChooserDialog>([&c](TTableChooserDialog *shown) {
        QCOMPARE(shown, &c.dialog);
        selectIds(c.left(), {1, 2, 3, 4});
        click(shown, "addButton");
        selectIds(c.right(), {3});
        click(shown, "moveTopButton");
        selectIds(c.right(), {1});
        click(shown, "moveDownButton");
        selectIds(c.right(), {4});
        click(shown, "moveUpButton");
        selectIds(c.right(), {3});
        click(shown, "moveBottomButton");
        shown->buttonBox()->findChild<QPushButton *>("Ok")->click();
    });
    const QVariantList chosen = c.dialog.run(&answer);
    QCOMPARE(answer, 1);
    QCOMPARE(ids(chosen), QString("2 4 1 3"));
    QCOMPARE(chosen.first(), QVariant(row(2, "beta")));
    // Closing keeps the tables for the next run.
    QCOMPARE(ids(c.right()), QString("2 4 1 3"));
}

void tst_TTableChooser::runRejected()
{
    Chooser c;
    c.dialog.loadSelectedData({row(1, "alpha")});
    int answer = -1;
    whenShown<TTableChooserDialog>([](TTableChooserDialog *shown) { shown->reject(); });
    QCOMPARE(c.dialog.run(&answer), QVariantList());
    QCOMPARE(answer, 0);
    whenShown<TTableChooserDialog>([](TTableChooserDialog *shown) { shown->accept(); });
    QCOMPARE(ids(c.dialog.run()), QString("1"));
}

namespace {

// A chooser view with candidates 1..5 and the same columns as above.
void setUpView(TTableChooserView &ioView)
{
    ioView.setViewHeaderItem({QVariant(), QVariantMap {{"name", "name"}, {"displayRole", "$name"}}});
    ioView.setViewDataKeyList({"id", "name", "kind"});
    ioView.setViewPrimaryKey("id");
    ioView.setItemList(fiveRows());
}

QAction *editAction(TTableChooserView &iView) { return iView.contextMenu()->actions().value(0); }

} // namespace

void tst_TTableChooser::viewOffersUnchosenCandidates()
{
    TTableChooserView view;
    QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    setUpView(view);
    QCOMPARE(view.itemList(), fiveRows());
    QCOMPARE(view.model()->rowCount(), 0);
    // Row 2 equals a candidate; row 3 differs in a value but has the candidate's key.
    view.loadData({row(2, "beta"), row(3, "bravo", "tool")});

    QString offered;
    QString chosen;
    whenShown<TTableChooserDialog>([&](TTableChooserDialog *dialog) {
        offered = ids(dialog->tableView());
        chosen = ids(dialog->selectedTableView());
        QVERIFY(!dialog->isRepetitionEnabled());
        selectIds(dialog->tableView(), {5});
        click(dialog, "addButton");
        selectIds(dialog->selectedTableView(), {5});
        click(dialog, "moveTopButton");
        dialog->buttonBox()->findChild<QPushButton *>("Ok")->click();
    });
    QAction *edit = editAction(view);
    QVERIFY(edit);
    QCOMPARE(edit->text(), QString("edit"));
    edit->trigger();
    QCOMPARE(offered, QString("1 4 5"));
    QCOMPARE(chosen, QString("2 3"));
    QCOMPARE(ids(&view), QString("5 2 3"));
    // The chosen rows keep their own values.
    QCOMPARE(view.rowDataMap(3), row(3, "bravo", "tool"));
}

void tst_TTableChooser::viewRepetitionLeavesDialogFlag()
{
    TTableChooserView view;
    setUpView(view);
    view.setRepetitionEnabled(true);
    QVERIFY(view.isRepetitionEnabled());
    view.loadData({row(2, "beta")});
    QString offered;
    bool dialogFlag = true;
    whenShown<TTableChooserDialog>([&](TTableChooserDialog *dialog) {
        dialogFlag = dialog->isRepetitionEnabled();
        offered = ids(dialog->tableView());
        dialog->reject();
    });
    editAction(view)->trigger();
    QVERIFY(!dialogFlag);
    // All candidates were loaded, then the chosen one left by its key.
    QCOMPARE(offered, QString("1 3 4 5"));
}

void tst_TTableChooser::viewCancelAndEmptyResult()
{
    TTableChooserView view;
    setUpView(view);
    view.loadData({row(1, "alpha"), row(4, "gamma")});
    QSignalSpy removed(&view, QOverload<>::of(&TTableView::rowsRemoved));
    whenShown<TTableChooserDialog>([](TTableChooserDialog *dialog) {
        click(dialog, "removeAllButton");
        dialog->reject();
    });
    editAction(view)->trigger();
    QCOMPARE(ids(&view), QString("1 4"));
    QCOMPARE(removed.count(), 0);

    whenShown<TTableChooserDialog>([](TTableChooserDialog *dialog) {
        click(dialog, "removeAllButton");
        dialog->accept();
    });
    editAction(view)->trigger();
    QCOMPARE(ids(&view), QString());
}

void tst_TTableChooser::viewDeletedWhileEditing()
{
    QWidget host;
    QPointer<TTableChooserView> view = new TTableChooserView(&host);
    setUpView(*view);
    whenShown<TTableChooserDialog>([&view](TTableChooserDialog *) { delete view.data(); });
    editAction(*view)->trigger();
    QVERIFY(view.isNull());
}

QTEST_MAIN(tst_TTableChooser)
#include "tst_ttablechooser.moc"
