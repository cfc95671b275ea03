// The containers and notifications on a real X display: a form with a panel
// menu, a splitter, a title expander, chips and a message bar, a title box
// with its search entry over a pager, and a loading overlay over a main
// window, grabbed from the screen.
#include "onscreencheck.h"
#include "taccordion.h"
#include "tchips.h"
#include "tlabel.h"
#include "tloadingbar.h"
#include "tmainwindow.h"
#include "tmessagebar.h"
#include "tpagetool.h"
#include "tpanelitem.h"
#include "tpanelmenu.h"
#include "tsearchentry.h"
#include "tsplitter.h"
#include "ttitlebox.h"
#include "ttitleexpander.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using onscreencheck::hasContent;

QRect onScreen(QWidget *iWidget) { return QRect(iWidget->mapToGlobal(QPoint(0, 0)), iWidget->size()); }

QImage grabScreen(const char *iName)
{
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString path = QDir(QDir::tempPath()).filePath(QLatin1String(iName));
    screen.save(path);
    qInfo("screen grabbed to %s", qPrintable(path));
    return screen;
}

int brightness(QRgb iPixel) { return qRed(iPixel) + qGreen(iPixel) + qBlue(iPixel); }

} // namespace

class tst_ContainersOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void formWithContainers();
    void titleBoxSearchAndPager();
    void loadingOverlayOverMainWindow();
};

void tst_ContainersOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
}

void tst_ContainersOnScreen::formWithContainers()
{
    QWidget window;
    window.setWindowTitle("Containers");
    auto *outer = new QVBoxLayout(&window);
    auto *splitter = new TSplitter;
    outer->addWidget(splitter);

    auto *menu = new TPanelMenu;
    menu->setItemList(QVariantList {QVariantMap {{"text", "Orders"},
                                                 {"unfold", true},
                                                 {"child_list", QVariantList {QVariantMap {{"text", "Open"}},
                                                                              QVariantMap {{"text", "Closed"}}}}},
                                    QVariantMap {{"text", "Tooling"}}});
    splitter->addWidget(menu);

    auto *right = new QWidget;
    auto *column = new QVBoxLayout(right);
    auto *expander = new TTitleExpander;
    expander->setAttr("text", "Drilling");
    auto *body = new TLabel;
    body->setAttr("text", "Spindle 3, 0.2 mm drills");
    expander->setBodyWidget(body);
    expander->setExpanded(true);
    auto *chips = new TChips;
    chips->setChips({"FR4", "1.6 mm", "ENIG"});
    auto *bar = new TMessageBar(TMessageBar::BottomAngle);
    bar->setAttr("text", "Lot 4711 released");
    bar->setAttr("style", "type=ok");
    bar->setCloseTime(100000);
    column->addWidget(expander);
    column->addWidget(chips);
    column->addWidget(bar);
    column->addStretch(1);
    splitter->addWidget(right);

    window.setGeometry(40, 40, 640, 420);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bar->showMessage();
    splitter->setWidgetSize(0, 200, true);
    QTRY_COMPARE(splitter->sizes().at(0), 200);
    QTest::qWait(700); // the fade-in ends, everything paints

    const QImage screen = grabScreen("vek-containersonscreen.png");
    TPanelItem *orders = menu->panelItemList().at(0);
    const QList<QWidget *> parts {orders,
                                  orders->childList().at(0),
                                  orders->childList().at(1),
                                  menu->panelItemList().at(1),
                                  expander->titleLabel(),
                                  body,
                                  chips->findChildren<ChipItem *>().at(0),
                                  chips->findChildren<ChipItem *>().at(2),
                                  chips->lineEdit(),
                                  bar};
    for (QWidget *part : parts) {
        QVERIFY2(part->isVisible(), part->metaObject()->className());
        QVERIFY2(hasContent(screen, onScreen(part)), part->metaObject()->className());
    }
    // The rows of the menu, and the parts of the right pane, do not overlap.
    QVERIFY(!onScreen(orders->childList().at(1)).intersects(onScreen(menu->panelItemList().at(1))));
    const QList<QWidget *> stacked {expander, chips, bar};
    for (int i = 0; i + 1 < stacked.size(); ++i)
        QVERIFY(onScreen(stacked.at(i)).bottom() < onScreen(stacked.at(i + 1)).top());
    QVERIFY(onScreen(menu).right() < onScreen(right).left());
    QCOMPARE(menu->width(), 200);

    // The chips wrap inside their box at a narrower width.
    const int oneRow = chips->height();
    splitter->setWidgetSize(0, 500);
    QTRY_VERIFY(chips->height() > oneRow);
}

void tst_ContainersOnScreen::titleBoxSearchAndPager()
{
    // The product's icons, as a host loads them, before the widgets fetch theirs.
    QVERIFY(onscreencheck::loadIconBundle());

    QWidget window;
    window.setWindowTitle("Title box");
    auto *column = new QVBoxLayout(&window);
    auto *title = new TTitleBox;
    title->setStyleSheet("TTitleBox { background-color: #2A6FB0; } QLabel { color: #FFFFFF; }");
    title->setAttr("value", "Work orders");
    TSearchEntry *search = title->searchEntry();
    search->setOptionList(QVariantList {QVariantMap {{"text", "Order"}, {"name", "order_no"}},
                                        QVariantMap {{"text", "Product"}, {"name", "product"}}});
    search->setActiveOptions(QStringList {"order_no", "product"});
    search->setLabel("Find");
    search->setText("WO-1");
    auto *table = new QLabel("rows");
    table->setMinimumHeight(200);
    auto *pager = new TPageTool;
    pager->setPageSizeVisible(true);
    pager->setRowCount(950);
    pager->setCurrentPage(4);
    column->addWidget(title);
    column->addWidget(table, 1);
    column->addWidget(pager);

    window.setGeometry(80, 80, 700, 360);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(300);

    const QImage screen = grabScreen("vek-titlebox.png");
    QLabel *titleText = nullptr;
    for (QLabel *label : title->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->text() == QLatin1String("Work orders"))
            titleText = label;
    }
    QVERIFY(titleText);
    QToolButton *clear = search->findChild<QToolButton *>("CLEAR_BUTTON");
    QSpinBox *page = pager->findChild<QSpinBox *>();
    const QList<QToolButton *> buttons = pager->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(buttons.size(), 4);
    QList<QWidget *> parts {titleText, search->lineEdit(), clear, page};
    for (QToolButton *button : buttons)
        parts.append(button);
    for (QWidget *part : parts) {
        QVERIFY2(part->isVisible(), part->metaObject()->className());
        QVERIFY2(hasContent(screen, onScreen(part)), part->metaObject()->className());
    }
    QVERIFY(page->text().endsWith("/10"));
    // The search entry's option and clear buttons and the pager's arrows show their icons.
    QList<QToolButton *> iconButtons = search->lineEdit()->findChildren<QToolButton *>();
    QCOMPARE(iconButtons.size(), 2);
    iconButtons += buttons;
    for (QToolButton *button : qAsConst(iconButtons)) {
        QVERIFY(button->isVisible());
        const QString problem = onscreencheck::iconShows(screen, button, onScreen(button));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    // The box paints its own background; the search entry sits right of the title text.
    const QRect box = onScreen(title);
    QCOMPARE(QColor(screen.pixel(box.topLeft() + QPoint(2, 2))), QColor("#2A6FB0"));
    QVERIFY(onScreen(titleText).right() < onScreen(search).left());
    QVERIFY(box.contains(onScreen(search)));
    // The clear button stays inside the field, clear of the text.
    QVERIFY(onScreen(search->lineEdit()).contains(onScreen(clear)));
    QVERIFY(box.bottom() < onScreen(table).top());
    QVERIFY(onScreen(table).bottom() < onScreen(pager).top());
    // The pager's controls sit in one row at the right end.
    for (int i = 0; i + 1 < buttons.size(); ++i)
        QVERIFY(onScreen(buttons.at(i)).right() < onScreen(buttons.at(i + 1)).left());
    QVERIFY(onScreen(buttons.at(1)).right() < onScreen(page).left());
    QVERIFY(onScreen(page).right() < onScreen(buttons.at(2)).left());
    QVERIFY(onScreen(buttons.at(0)).left() > onScreen(pager).center().x());
}

void tst_ContainersOnScreen::loadingOverlayOverMainWindow()
{
    QPointer<TMainWindow> window = new TMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *content = new QLabel("Work orders");
    content->setStyleSheet("background-color:#F0F0F0; color:#000000;");
    window->setBodyWidget(content);
    window->setGeometry(60, 60, 500, 360);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    QTRY_COMPARE(window->size(), QSize(500, 360));

    QTest::qWait(300);
    const QImage before = QGuiApplication::primaryScreen()->grabWindow(0).toImage();

    auto *overlay = new TLoadingBar(window.data());
    // The theme gives the mask and the strip their look.
    overlay->setStyleSheet("QFrame[SS_TYPE=\"MSGBAR_MASK\"]{background-color:rgba(0,0,0,160);}"
                           "QFrame[SS_TYPE=\"MSGBAR_LOADING\"]{background-color:#202830;}");
    overlay->setAttr("data", QVariantMap {{"text", "Loading work orders"}, {"detail", "page 1 of 3"}, {"percent", 40}});
    overlay->show();
    overlay->raise();
    QTest::qWait(400);
    QCOMPARE(overlay->geometry(), QRect(5, 5, 490, 350));

    const QImage screen = grabScreen("vek-loadingoverlay.png");
    const QRect area = onScreen(overlay);
    // Under the mask the window is darkened; its 5-pixel border is left as it was.
    const QPoint inside = area.topLeft() + QPoint(area.width() / 2, area.height() / 3);
    const QPoint border(onScreen(window.data()).left() + 2, inside.y());
    QVERIFY2(brightness(screen.pixel(inside)) + 150 < brightness(before.pixel(inside)),
             qPrintable(
                     QString("%1 vs %2").arg(brightness(screen.pixel(inside))).arg(brightness(before.pixel(inside)))));
    QCOMPARE(screen.pixel(border), before.pixel(border));
    // The strip runs along the bottom edge, with its text, remark, spinner and progress line drawn.
    const QList<QLabel *> labels = overlay->findChildren<QLabel *>();
    QVERIFY(hasContent(screen, onScreen(labels.at(0))));
    QVERIFY(hasContent(screen, onScreen(labels.at(1))));
    QFrame *strip = nullptr;
    for (QFrame *f : overlay->findChildren<QFrame *>()) {
        if (f->property("SS_TYPE") == QVariant("MSGBAR_LOADING"))
            strip = f;
    }
    QVERIFY(strip);
    QCOMPARE(onScreen(strip).bottom(), area.bottom());
    QCOMPARE(QColor(screen.pixel(onScreen(strip).topRight() + QPoint(-3, 3))), QColor("#202830"));
    QVERIFY(!onScreen(labels.at(0)).intersects(onScreen(labels.at(1))));

    window->close();
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(tst_ContainersOnScreen)
#include "tst_containersonscreen.moc"
