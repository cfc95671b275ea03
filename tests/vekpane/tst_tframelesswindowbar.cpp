// The title bar, its helper handling, and the pure hit test the helpers share.
#include "fakeframelesshelper.h"
#include "tframelesshittest.h"
#include "tframelesswindowbar.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Bar = TFramelessWindowBar;
using namespace TFramelessHitTest;

class tst_TFramelessWindowBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void themeRule_data();
    void themeRule();
    void partsWithoutHost();
    void systemButtonsDriveTheHost();
    void titleMirrorsHost_data();
    void titleMirrorsHost();
    void showDecidesVisibility_data();
    void showDecidesVisibility();
    void sysButtonHintFreezesMaxRestore();
    void helperFollowsFramelessState();
    void nativeMessagesGoToTheHelper();
    void editableWidgets();
    void hitTest_data();
    void hitTest();
    void edgesOfAreas();
};

void tst_TFramelessWindowBar::cleanup()
{
    TTheme::instance()->setValueMap({});
    QCOMPARE(FakeFramelessHelper::alive, 0); // every bar deleted its helper
}

void tst_TFramelessWindowBar::themeRule_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("frameless");
    QTest::newRow("unset") << QVariant() << true;
    QTest::newRow("empty") << QVariant("") << true;
    QTest::newRow("yes any case") << QVariant("yes") << true;
    QTest::newRow("no") << QVariant("No") << false;
    QTest::newRow("anything else") << QVariant("true") << false;
    QTest::newRow("blank after yes") << QVariant("YES ") << false;
}

void tst_TFramelessWindowBar::themeRule()
{
    QFETCH(QVariant, value);
    QFETCH(bool, frameless);
    QVariantMap theme;
    if (value.isValid())
        theme.insert("FRAMELESS", value);
    TTheme::instance()->setValueMap(theme);
    Bar bar(nullptr);
    QCOMPARE(bar.isFrameless(), frameless);
}

void tst_TFramelessWindowBar::partsWithoutHost()
{
    QWidget host;
    Bar bar(nullptr);
    QVERIFY(!bar.framelessHelper()); // this platform has none of its own
    QAbstractButton *close = bar.windowCloseButton();
    QCOMPARE(bar.windowCloseButton(), close);
    QCOMPARE(close->parent(), &bar);
    QCOMPARE(close->toolTip(), QString("Close"));
    QCOMPARE(close->property("SS_TYPE"), QVariant("WINDOWBTN"));
    QVERIFY(!bar.windowIconButton()->isEnabled());
    QCOMPARE(bar.windowTitleLabel()->property("SS_FONT"), QVariant("FONT_BODY1"));

    // A host set later does not wire buttons that exist already.
    bar.setHostWindow(&host);
    host.show();
    close->click();
    QVERIFY(host.isVisible());
    bar.windowTitleLabel(); // and the title follows from now on
    host.setWindowTitle("Later");
    QCOMPARE(bar.windowTitleLabel()->text(), QString("Later"));
}

void tst_TFramelessWindowBar::systemButtonsDriveTheHost()
{
    FakeHelperScope fake;
    QWidget host;
    auto *bar = new Bar(&host);
    bar->setHostWindow(&host);
    bar->initDefaultLayout();
    host.resize(300, 200);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(bar->isVisible());
    QVERIFY(bar->windowMaxButton()->isVisible());
    QVERIFY(!bar->windowNormalButton()->isVisible());

    bar->windowMaxButton()->click();
    QTRY_VERIFY(host.isMaximized());
    QTRY_VERIFY(!bar->windowMaxButton()->isVisible());
    QVERIFY(bar->windowNormalButton()->isVisible());
    bar->windowNormalButton()->click();
    QTRY_VERIFY(!host.isMaximized());
    QTRY_VERIFY(bar->windowMaxButton()->isVisible());

    bar->windowCloseButton()->click();
    QVERIFY(!host.isVisible());

    // Replacing a button unwires the old one.
    QAbstractButton *oldClose = bar->windowCloseButton();
    auto *newClose = new QPushButton(bar);
    bar->setWindowCloseButton(newClose);
    host.show();
    oldClose->click();
    QVERIFY(host.isVisible());
    newClose->click();
    QVERIFY(!host.isVisible());
}

void tst_TFramelessWindowBar::titleMirrorsHost_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("shown");
    QTest::newRow("modified") << "Plan[*] A[*]" << true << "Plan* A*";
    QTest::newRow("unmodified") << "Plan[*] A[*]" << false << "Plan A";
    QTest::newRow("no mark") << "Plan" << true << "Plan";
}

void tst_TFramelessWindowBar::titleMirrorsHost()
{
    QFETCH(QString, title);
    QFETCH(bool, modified);
    QFETCH(QString, shown);
    QWidget host;
    Bar bar(nullptr);
    bar.setHostWindow(&host);
    QLabel *label = bar.windowTitleLabel();
    host.setWindowTitle(title);
    host.setWindowModified(modified);
    QCOMPARE(label->text(), shown);

    const QIcon icon(QPixmap(8, 8));
    host.setWindowIcon(icon);
    QCOMPARE(bar.windowIconButton()->icon().cacheKey(), host.windowIcon().cacheKey());
}

void tst_TFramelessWindowBar::showDecidesVisibility_data()
{
    QTest::addColumn<bool>("helper");
    QTest::addColumn<bool>("frameless");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("barShown");
    QTest::addColumn<bool>("hideen");
    QTest::addColumn<bool>("sysShown");
    QTest::addColumn<bool>("titleShown");

    const int all = Bar::AutoHideHint_All;
    const int sys = Bar::AutoHideHint_SysButton;
    QTest::newRow("helper, frameless") << true << true << all << true << false << true << true;
    QTest::newRow("helper, frame switched off") << true << false << all << false << true << true << true;
    QTest::newRow("no helper, default flags") << false << true << all << false << true << true << true;
    QTest::newRow("no helper, system buttons only") << false << true << sys << true << false << false << true;
    QTest::newRow("no helper, label and icon")
            << false << true << int(Bar::AutoHideHint_Lable | Bar::AutoHideHint_Icon) << true << false << true << false;
}

void tst_TFramelessWindowBar::showDecidesVisibility()
{
    QFETCH(bool, helper);
    QFETCH(bool, frameless);
    QFETCH(int, flags);
    QFETCH(bool, barShown);
    QFETCH(bool, hideen);
    QFETCH(bool, sysShown);
    QFETCH(bool, titleShown);

    std::unique_ptr<FakeHelperScope> fake(helper ? new FakeHelperScope : nullptr);
    QWidget host;
    auto *bar = new Bar(&host);
    bar->setHostWindow(&host);
    bar->initDefaultLayout();
    bar->setFrameless(frameless);
    bar->setAutoHideFlags(Bar::AutoHideHints(flags));
    host.show();
    QCOMPARE(bar->isVisible(), barShown);
    QCOMPARE(bar->isBarHideen(), hideen);
    QCOMPARE(bar->isWindowFrameless(), helper && frameless);
    QCOMPARE(bar->windowCloseButton()->isVisibleTo(bar), sysShown);
    QCOMPARE(bar->windowMinButton()->isVisibleTo(bar), sysShown);
    QCOMPARE(bar->windowTitleLabel()->isVisibleTo(bar), titleShown);
    auto *fakeHelper = dynamic_cast<FakeFramelessHelper *>(bar->framelessHelper());
    QCOMPARE(fakeHelper != nullptr, helper && frameless);
    if (fakeHelper)
        QCOMPARE(fakeHelper->host.data(), &host);
}

void tst_TFramelessWindowBar::sysButtonHintFreezesMaxRestore()
{
    QWidget host;
    auto *bar = new Bar(&host);
    bar->setHostWindow(&host);
    bar->initDefaultLayout();
    bar->setAutoHideFlags(Bar::AutoHideHint_SysButton);
    host.show();
    QVERIFY(bar->isVisible());
    host.showMaximized();
    QTRY_VERIFY(host.isMaximized());
    QVERIFY(!bar->windowMaxButton()->isVisibleTo(bar));
    QVERIFY(!bar->windowNormalButton()->isVisibleTo(bar));
}

void tst_TFramelessWindowBar::helperFollowsFramelessState()
{
    FakeHelperScope fake;
    QWidget host;
    auto *bar = new Bar(&host);
    bar->setHostWindow(&host);
    QCOMPARE(FakeFramelessHelper::alive, 1); // made at construction
    bar->setFrameless(false);
    bar->updateEventHelper();
    QCOMPARE(FakeFramelessHelper::alive, 0);
    QVERIFY(!bar->framelessHelper());
    bar->setFrameless(true);
    bar->updateEventHelper();
    QCOMPARE(FakeFramelessHelper::alive, 1);
    QCOMPARE(static_cast<FakeFramelessHelper *>(bar->framelessHelper())->attaches, 1);

    // A child window is never frameless: its helper goes.
    QWidget parent;
    host.setParent(&parent);
    bar->updateEventHelper();
    QCOMPARE(FakeFramelessHelper::alive, 0);
    host.setParent(nullptr);
}

void tst_TFramelessWindowBar::nativeMessagesGoToTheHelper()
{
    long result = 0;
    {
        Bar bare(nullptr);
        QVERIFY(!bare.winEvent(nullptr, &result));
    }
    FakeHelperScope fake;
    Bar bar(nullptr);
    auto *helper = static_cast<FakeFramelessHelper *>(bar.framelessHelper());
    QVERIFY(bar.winEvent(nullptr, &result));
    QCOMPARE(result, 42L);
    helper->answer = false;
    QVERIFY(!bar.winEvent(nullptr, &result));
    QCOMPARE(helper->messages, 2);
}

void tst_TFramelessWindowBar::editableWidgets()
{
    QWidget host;
    auto *bar = new Bar(&host);
    bar->setHostWindow(&host);
    bar->initDefaultLayout();
    auto *box = new QWidget(bar);
    auto *edit = new QLineEdit(box);
    auto *boxRow = new QHBoxLayout(box);
    boxRow->addWidget(edit);
    auto *plain = new QLabel("extra", &host);
    static_cast<QHBoxLayout *>(bar->layout())->insertWidget(2, box);
    host.resize(500, 200);
    host.show();
    bar->setGeometry(0, 0, 500, 40);
    QVERIFY(QTest::qWaitForWindowExposed(&host));

    auto centre = [](QWidget *w) { return w->mapToGlobal(w->rect().center()); };
    QVERIFY(!bar->isInEditableWidget(centre(bar->windowIconButton()))); // disabled icon is caption
    QVERIFY(!bar->isInEditableWidget(centre(bar->windowTitleLabel())));
    QVERIFY(bar->isInEditableWidget(centre(bar->windowCloseButton())));
    QVERIFY(bar->isInEditableWidget(centre(edit))); // one level down
    bar->windowIconButton()->setEnabled(true);
    QVERIFY(bar->isInEditableWidget(centre(bar->windowIconButton())));

    QVERIFY(!bar->isInEditableWidget(centre(plain)));
    bar->setEditableWidgets({plain});
    QVERIFY(bar->isInEditableWidget(centre(plain)));
    delete plain; // a listed widget may go away
    QVERIFY(!bar->isInEditableWidget(QPoint(-1000, -1000)));
}

void tst_TFramelessWindowBar::hitTest_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("overControl");
    QTest::addColumn<int>("area");

    // Window (100, 50) 400 x 300, band 3, caption strip 30.
    QTest::newRow("2 inside bottom-right") << QPoint(497, 347) << false << int(BottomRight);
    QTest::newRow("last pixel bottom-right") << QPoint(499, 349) << false << int(BottomRight);
    QTest::newRow("top-right") << QPoint(499, 50) << false << int(TopRight);
    QTest::newRow("top-left") << QPoint(100, 50) << false << int(TopLeft);
    QTest::newRow("bottom-left") << QPoint(102, 349) << false << int(BottomLeft);
    QTest::newRow("bottom") << QPoint(300, 348) << false << int(Bottom);
    QTest::newRow("right") << QPoint(498, 200) << false << int(Right);
    QTest::newRow("left") << QPoint(101, 200) << false << int(Left);
    QTest::newRow("top, even over a control") << QPoint(300, 51) << true << int(Top);
    QTest::newRow("4 inside the right edge") << QPoint(496, 200) << false << int(Client);
    QTest::newRow("caption") << QPoint(300, 60) << false << int(Caption);
    QTest::newRow("last caption row") << QPoint(300, 79) << false << int(Caption);
    QTest::newRow("below the caption") << QPoint(300, 80) << false << int(Client);
    QTest::newRow("control on the caption") << QPoint(300, 60) << true << int(Client);
    QTest::newRow("outside") << QPoint(500, 200) << false << int(Outside);
}

void tst_TFramelessWindowBar::hitTest()
{
    QFETCH(QPoint, pos);
    QFETCH(bool, overControl);
    QFETCH(int, area);
    QCOMPARE(int(TFramelessHitTest::hitTest(QRect(100, 50, 400, 300), pos, 3, 30, overControl)), area);
}

void tst_TFramelessWindowBar::edgesOfAreas()
{
    QCOMPARE(edges(BottomRight), Qt::BottomEdge | Qt::RightEdge);
    QCOMPARE(edges(TopLeft), Qt::TopEdge | Qt::LeftEdge);
    QCOMPARE(edges(Left), Qt::Edges(Qt::LeftEdge));
    QCOMPARE(edges(Caption), Qt::Edges());
    QCOMPARE(edges(Client), Qt::Edges());
}

QTEST_MAIN(tst_TFramelessWindowBar)
#include "tst_tframelesswindowbar.moc"
