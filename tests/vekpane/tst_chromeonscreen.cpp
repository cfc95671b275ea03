// The window chrome on a real X display: a main window with its title bar
// and a form, and a message box over it, grabbed from the screen.
#include "fakeframelesshelper.h"
#include "onscreencheck.h"
#include "tframelesswindowbar.h"
#include "tgroupbox.h"
#include "tlabel.h"
#include "tmainwindow.h"
#include "tmessagebox.h"
#include "tpushbutton.h"
#include "tradiobutton.h"
#include "tspinbox.h"
#include "ttoolbutton.h"

#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using onscreencheck::hasContent;

QRect onScreen(QWidget *iWidget) { return QRect(iWidget->mapToGlobal(QPoint(0, 0)), iWidget->size()); }

} // namespace

class tst_ChromeOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mainWindowWithFormAndMessageBox();
};

void tst_ChromeOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
    QVERIFY(onscreencheck::loadIconBundle());
}

void tst_ChromeOnScreen::mainWindowWithFormAndMessageBox()
{
    FakeHelperScope fake; // stands in for a native helper, so the bar is shown
    FakeFramelessHelper::answerByDefault = false;
    QPointer<TMainWindow> window = new TMainWindow;
    window->setWindowTitle("Work orders[*]");
    window->setWindowModified(true);

    auto *body = new QWidget;
    auto *column = new QVBoxLayout(body);
    auto *group = new TGroupBox;
    group->setAttr("title", "Panel");
    auto *form = new QFormLayout(group);
    auto *caption = new TLabel;
    caption->setAttr("text", "Lot 4711, 24 panels");
    auto *count = new TSpinBox;
    count->setAttr("maximum", 500);
    count->setAttr("value", 24);
    auto *urgent = new TRadioButton;
    urgent->setText("Urgent");
    auto *tool = new TToolButton;
    tool->setAttr("text", "Pick");
    form->addRow("Order", caption);
    form->addRow("Panels", count);
    form->addRow("Priority", urgent);
    form->addRow("Tooling", tool);
    auto *release = new TPushButton;
    release->set("text", "Release");
    column->addWidget(group);
    column->addWidget(release);
    column->addStretch(1);
    window->setBodyWidget(body);
    window->setGeometry(40, 40, 520, 380);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));

    // A child of the window: closing the window deletes it with the window.
    QPointer<TMessageBox> boxGuard = new TMessageBox(window.data());
    TMessageBox &box = *boxGuard;
    box.setWindowTitle("Release");
    box.setIcon("Question");
    box.setText("Release lot 4711 to the line?");
    box.setButtons({"Yes:Yes:Yes", "No:No:No"});
    box.show();
    box.move(620, 80);
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::qWait(300); // let both windows paint

    TFramelessWindowBar *bar = window->windowTitleBar();
    QVERIFY(bar && bar->isVisible());
    QVERIFY(bar->height() > 0);
    QCOMPARE(bar->windowTitleLabel()->text(), QString("Work orders*"));
    QCOMPARE(window->contentsMargins().top(), bar->height());
    TFramelessWindowBar *boxBar = box.windowTitleBar();
    QVERIFY(boxBar->isVisible());
    QPushButton *yes = box.findChild<QPushButton *>("Yes");
    QPushButton *no = box.findChild<QPushButton *>("No");
    QVERIFY(yes && no && yes->isVisible() && no->isVisible());

    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString path = QDir(QDir::tempPath()).filePath("vek-chromeonscreen.png");
    screen.save(path);
    qInfo("screen grabbed to %s", qPrintable(path));

    // Every part is on screen and drawn.
    const QList<QWidget *> parts {bar->windowTitleLabel(),
                                  bar->windowCloseButton(),
                                  caption,
                                  count,
                                  urgent,
                                  tool,
                                  release,
                                  boxBar->windowTitleLabel(),
                                  yes,
                                  no};
    for (QWidget *part : parts) {
        QVERIFY2(part->isVisible(), part->metaObject()->className());
        QVERIFY2(hasContent(screen, onScreen(part)), part->metaObject()->className());
    }
    QVERIFY(hasContent(screen, onScreen(box.findChild<QLabel *>())));
    // The bars' buttons show their icons.
    for (QAbstractButton *button :
         {bar->windowMinButton(), bar->windowMaxButton(), bar->windowCloseButton(), boxBar->windowCloseButton()}) {
        QVERIFY2(button->isVisible(), qPrintable(button->toolTip()));
        const QString problem = onscreencheck::iconShows(screen, button, onScreen(button));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The bar sits above the form, and the form's fields do not overlap.
    QVERIFY(onScreen(group).top() >= onScreen(bar).bottom());
    const QList<QWidget *> fields {caption, count, urgent, tool, release};
    for (int i = 0; i < fields.size(); ++i) {
        for (int j = i + 1; j < fields.size(); ++j)
            QVERIFY(!onScreen(fields.at(i)).intersects(onScreen(fields.at(j))));
    }
    QVERIFY(!onScreen(yes).intersects(onScreen(no)));

    box.close();
    window->close();
    QTRY_VERIFY(window.isNull());
    QVERIFY(boxGuard.isNull());
    FakeFramelessHelper::answerByDefault = true;
}

QTEST_MAIN(tst_ChromeOnScreen)
#include "tst_chromeonscreen.moc"
