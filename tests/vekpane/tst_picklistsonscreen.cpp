// The pick-list dialogs and the icon selector on an X display: every part
// shown, painted, and clear of the others.
#include "onscreencheck.h"
#include "tcategorytreeview.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "ticonselector.h"
#include "tpagetool.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttableview.h"
#include "ttableviewdialog.h"
#include "ttreeview.h"
#include "ttreeviewdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using onscreencheck::hasContent;

// The parts' rectangles in the window's coordinates.
QVector<QRect> placed(QWidget *iWindow, const QList<QWidget *> &iParts)
{
    QVector<QRect> rects;
    for (QWidget *part : iParts)
        rects.append(QRect(part->mapTo(iWindow, QPoint(0, 0)), part->size()));
    return rects;
}

// Each part visible, inside the window, clear of the others and painted.
void checkParts(QWidget *iWindow, const QList<QWidget *> &iParts, const QStringList &iNames)
{
    const QImage image = iWindow->grab().toImage();
    const QVector<QRect> rects = placed(iWindow, iParts);
    for (int i = 0; i < iParts.size(); ++i) {
        const QByteArray name = iNames.at(i).toUtf8();
        QVERIFY2(iParts.at(i)->isVisible(), name.constData());
        QVERIFY2(!rects.at(i).isEmpty(), name.constData());
        QVERIFY2(iWindow->rect().contains(rects.at(i)), name.constData());
        QVERIFY2(hasContent(image, rects.at(i)), name.constData());
        for (int j = i + 1; j < iParts.size(); ++j)
            QVERIFY2(!rects.at(i).intersects(rects.at(j)), qPrintable(iNames.at(i) + " / " + iNames.at(j)));
    }
}

} // namespace

class tst_PickListsOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void tableDialog();
    void treeDialog();
    void iconSelector();

private:
    QTemporaryDir m_icons;
};

void tst_PickListsOnScreen::initTestCase()
{
    QVERIFY(m_icons.isValid());
    // The board the dialogs show, and the two icons of the selector's buttons.
    for (const char *name : {"board.svg", "image.svg", "paint-brush.svg"}) {
        QFile svg(m_icons.filePath(QString::fromLatin1(name)));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                  "<circle cx='8' cy='8' r='7' fill='#3f82b0'/></svg>");
    }
    TResource::instance()->appendIconPath(m_icons.path());
}

void tst_PickListsOnScreen::cleanupTestCase() { TResource::instance()->removeIconPath(m_icons.path()); }

void tst_PickListsOnScreen::tableDialog()
{
    TTableViewDialog dialog;
    dialog.resize(640, 420);
    dialog.setTitle("Boards");
    dialog.setIcon("board");
    dialog.setDataKeyList({"code", "name", "grade"});
    dialog.setPrimaryKey("code");
    dialog.setHeaderItem({QVariant(), QVariantMap {{"name", "code"}, {"display", "Code"}, {"displayRole", "$code"}},
                          QVariantMap {{"name", "name"}, {"display", "Name"}, {"displayRole", "$name"}}});
    dialog.setSearchCallback([](const QVariantMap &) {
        return QVariant(QVariantMap {{"data", QVariantList {QVariantMap {{"code", "PCB-1"}, {"name", "main"}},
                                                            QVariantMap {{"code", "PCB-2"}, {"name", "relay"}}}},
                                     {"dataCount", 120}});
    });
    dialog.setSearchKeys({"code", "name"});
    dialog.setCategoryVisible(true);
    dialog.setCategoryItemList(
            {QVariantMap {{"name", "a"}, {"text", "Grade A"}, {"count", 4}, {"icon", "board"}, {"VISIBLE", true}},
             QVariantMap {{"name", "b"}, {"text", "Grade B"}, {"VISIBLE", true}}});
    dialog.refreshData();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(QTest::qWaitFor([&] { return dialog.tableView()->isVisible(); }, 2000));

    checkParts(&dialog,
               {dialog.searchEntry(), dialog.pageTool(), dialog.categoryTreeView(), dialog.tableView(),
                dialog.buttonBox()},
               {"search entry", "pager", "categories", "table", "buttons"});
    // The rows and categories themselves are drawn.
    const QImage table = dialog.tableView()->viewport()->grab().toImage();
    QVERIFY(hasContent(table, dialog.tableView()->visualRect(dialog.tableView()->model()->index(1, 1))));
    TCategoryTreeView *tree = dialog.categoryTreeView();
    const QImage categories = tree->viewport()->grab().toImage();
    QVERIFY(hasContent(categories, tree->visualRect(tree->model()->index(0, 0))));
    // Left to right: categories, then the table; the search row above both.
    QVERIFY(tree->mapTo(&dialog, QPoint()).x() < dialog.tableView()->mapTo(&dialog, QPoint()).x());
    QVERIFY(dialog.searchEntry()->mapTo(&dialog, QPoint()).y() < tree->mapTo(&dialog, QPoint()).y());
    QVERIFY(dialog.windowTitleBar()->windowIconButton()->isVisible());
}

void tst_PickListsOnScreen::treeDialog()
{
    TTreeViewDialog dialog;
    dialog.resize(480, 400);
    dialog.setTitle("Panels");
    dialog.setDataKeyList({"id", "name"});
    dialog.setPrimaryKey("id");
    dialog.setHeaderItem({QVariantMap {{"name", "name"}, {"display", "Name"}, {"displayRole", "$name"}}});
    dialog.loadTreeData({QVariantMap {{"id", "P1"},
                                      {"name", "Panel one"},
                                      {"CHILDREN", QVariantList {QVariantMap {{"id", "B1"}, {"name", "Board"}}}}}});
    dialog.treeView()->expandAll();
    dialog.setSearchKeys({"name"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.pageTool()->isHidden());
    checkParts(&dialog, {dialog.searchEntry(), dialog.treeView(), dialog.buttonBox()},
               {"search entry", "tree", "buttons"});
    TTreeView *view = dialog.treeView();
    const QModelIndex child = view->model()->index(0, 0, view->model()->index(0, 0));
    QVERIFY(hasContent(view->viewport()->grab().toImage(), view->visualRect(child)));
}

void tst_PickListsOnScreen::iconSelector()
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *selector = new TIconSelector(&window);
    column->addWidget(selector);
    window.resize(320, 60);
    selector->setIconBgColor("#ffffff");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    selector->setText("board.#ff0000");
    QList<QWidget *> parts {selector->findChild<QLabel *>()};
    for (QPushButton *button : selector->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly))
        parts.append(button);
    QCOMPARE(parts.size(), 3);
    checkParts(&window, parts, {"preview", "icon button", "colour button"});
    // The preview shows the red board icon.
    const QImage shown = parts.at(0)->grab().toImage();
    const QRgb centre = shown.pixel(shown.rect().center());
    QVERIFY2(qRed(centre) > 200 && qGreen(centre) < 80, qPrintable(QColor(centre).name()));
}

QTEST_MAIN(tst_PickListsOnScreen)
#include "tst_picklistsonscreen.moc"
