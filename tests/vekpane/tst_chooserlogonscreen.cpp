// The table chooser dialog and the operation log view shown on an X display.
#include "onscreencheck.h"

#include "tcombobox.h"
#include "tdialogbuttonbox.h"
#include "tlogview.h"
#include "tsearchentry.h"
#include "ttablechooserdialog.h"
#include "ttableview.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using onscreencheck::checkParts;

class tst_ChooserLogOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void chooserDialog();
    void logView();
};

void tst_ChooserLogOnScreen::initTestCase() { QVERIFY(onscreencheck::loadIconBundle()); }

void tst_ChooserLogOnScreen::chooserDialog()
{
    TTableChooserDialog dialog;
    dialog.setTitle("Choose columns");
    dialog.setHeaderItem({QVariant(), QVariantMap {{"name", "name"}, {"display", "Name"}, {"displayRole", "$name"}}});
    dialog.setDataKeyList({"id", "name"});
    dialog.setPrimaryKey("id");
    dialog.loadAllData({QVariantMap {{"id", 1}, {"name", "Drill"}}, QVariantMap {{"id", 2}, {"name", "Rout"}},
                        QVariantMap {{"id", 3}, {"name", "Plate"}}});
    dialog.loadSelectedData({QVariantMap {{"id", 2}, {"name", "Rout"}}});
    dialog.setSearchKeys({"name"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    std::vector<QWidget *> parts {dialog.tableView(), dialog.selectedTableView(), dialog.buttonBox(),
                                  dialog.searchEntry()};
    for (const char *name : {"addAllButton", "addButton", "removeButton", "removeAllButton", "moveTopButton",
                             "moveUpButton", "moveDownButton", "moveBottomButton"}) {
        auto *button = dialog.findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        parts.push_back(button);
    }
    const QString problem = checkParts(&dialog, parts, "chooser_dialog");
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // The arrows and the search entry's option button show their icons.
    const QImage image = dialog.grab().toImage();
    QList<QAbstractButton *> iconButtons {dialog.searchEntry()->lineEdit()->findChild<QToolButton *>()};
    for (size_t i = 4; i < parts.size(); ++i)
        iconButtons.append(static_cast<QAbstractButton *>(parts.at(i)));
    for (QAbstractButton *button : qAsConst(iconButtons)) {
        QVERIFY(button && button->isVisible());
        const QString notShown = onscreencheck::iconShows(image, button, onscreencheck::inWindow(button, &dialog));
        QVERIFY2(notShown.isEmpty(), qPrintable(notShown));
    }
    // The arrow column sits between the two tables.
    const QRect left = onscreencheck::inWindow(dialog.tableView(), &dialog);
    const QRect right = onscreencheck::inWindow(dialog.selectedTableView(), &dialog);
    const QRect add = onscreencheck::inWindow(dialog.findChild<QPushButton *>("addButton"), &dialog);
    QVERIFY(left.right() < add.left() && add.right() < right.left());
    // The search entry is in the title bar, above the tables.
    QVERIFY(onscreencheck::inWindow(dialog.searchEntry(), &dialog).bottom() < left.top());
}

void tst_ChooserLogOnScreen::logView()
{
    QPointer<TLogView> view = new TLogView;
    view->setLog({QVariantMap {{"id", 1},
                               {"category", "login"},
                               {"user_name", "ann"},
                               {"action_type", "sign in"},
                               {"action_time", "2026-12-01 08:00:00"},
                               {"remark", "first shift"},
                               {"site", "plant 1"}},
                  QVariantMap {{"id", 2},
                               {"category", "press"},
                               {"user_name", "bob"},
                               {"action_type", "load"},
                               {"action_time", "2026-12-01 08:05:00"},
                               {"site", "plant 1"}}});
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.data()));
    auto *table = view->findChild<TTableView *>();
    auto *toolBar = view->findChild<QToolBar *>();
    const QString problem = checkParts(view, {table, toolBar}, "log_view");
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QString toolProblem
            = checkParts(view, {view->findChild<TSearchEntry *>(), view->findChild<TComboBox *>()}, "log_view");
    QVERIFY2(toolProblem.isEmpty(), qPrintable(toolProblem));
    // The first row's cells are painted.
    const QImage cells = table->viewport()->grab().toImage();
    QVERIFY(onscreencheck::hasContent(cells, table->visualRect(table->model()->index(0, 0)).adjusted(2, 2, -2, -2)));
    view->close();
    QTRY_VERIFY_WITH_TIMEOUT(view.isNull(), 5000);
}

QTEST_MAIN(tst_ChooserLogOnScreen)
#include "tst_chooserlogonscreen.moc"
