// The title expander and the accordion.
#include "controlstest.h"
#include "taccordion.h"
#include "tresource.h"
#include "ttitleexpander.h"

#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(TAccordion::AccordionLocation)

namespace {

QLabel *indicator(TTitleExpander &iExpander)
{
    // The indicator is the title frame's label that is neither icon nor title.
    const QList<QLabel *> all = iExpander.findChild<QFrame *>("TITLE_FRAME")->findChildren<QLabel *>();
    return all.last();
}

void release(QWidget *iWidget, Qt::MouseButton iButton, const QPoint &iPos)
{
    QTest::mousePress(iWidget, iButton, Qt::NoModifier, iPos);
    QTest::mouseRelease(iWidget, iButton, Qt::NoModifier, iPos);
}

} // namespace

class tst_TTitleExpander : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void initialState();
    void expandShowsBodyOnce();
    void titleBandClicks_data();
    void titleBandClicks();
    void notCollapsibleIgnoresClicks();
    void toggleButtonDrivesExpansion();
    void toggleButtonRemovedBringsIndicatorBack();
    void titleWidgetsAndIcon();
    void keys();
    void raisedGetsShadow();

    void accordionWithoutLocationOnlyStores();
    void accordionButtons_data();
    void accordionButtons();
    void accordionButtonClicksToggle();
    void accordionDetachedButtonsStay();
    void accordionExpandButtonGoesWithIt();

private:
    QTemporaryDir m_icons;
};

void tst_TTitleExpander::initTestCase()
{
    QVERIFY(m_icons.isValid());
    for (const char *name : {"angle-down", "angle-left", "angle-right", "angle-up", "gear"}) {
        QFile svg(m_icons.filePath(QLatin1String(name) + ".svg"));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                  "<rect width='16' height='16' fill='#000'/></svg>");
    }
    TResource::instance()->appendIconPath(m_icons.path());
}

void tst_TTitleExpander::cleanupTestCase() { TResource::instance()->removeIconPath(m_icons.path()); }

void tst_TTitleExpander::initialState()
{
    TTitleExpander expander;
    QVERIFY(!expander.isExpanded());
    QVERIFY(expander.isCollapsible());
    QCOMPARE(expander.expandedIcon(), QString("angle-down"));
    QCOMPARE(expander.collapsedIcon(), QString("angle-left"));
    QCOMPARE(expander.iconSize(), QSize(16, 16));
    QCOMPARE(expander.titleLabel()->objectName(), QString("TITLE_LABEL"));
    QCOMPARE(expander.findChild<QFrame *>("TITLE_FRAME")->maximumHeight(), 20);
    QVERIFY(!indicator(expander)->pixmap(Qt::ReturnByValue).isNull()); // the collapsed arrow
    QVERIFY(!expander.toggleButton());
    QVERIFY(!expander.bodyWidget());
}

void tst_TTitleExpander::expandShowsBodyOnce()
{
    TTitleExpander expander;
    auto *body = new QLabel("body");
    expander.setBodyWidget(body);
    QVERIFY(body->isHidden());
    QCOMPARE(expander.bodyWidget(), body);
    QSignalSpy spy(&expander, &TTitleExpander::toggled);

    expander.setExpanded(false); // unchanged: nothing
    QVERIFY(spy.isEmpty());
    expander.setExpanded();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0), QVariant(true));
    QVERIFY(!body->isHidden());
    QCOMPARE(expander.findChild<QFrame *>("TITLE_FRAME")->property("SS_EXPANDED"), QVariant(true));
    expander.setExpanded(true);
    QCOMPARE(spy.count(), 1);
    expander.setProperty("expanded", false);
    QVERIFY(body->isHidden());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(expander.findChild<QFrame *>("TITLE_FRAME")->property("SS_EXPANDED"), QVariant(false));
}

void tst_TTitleExpander::titleBandClicks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("toggles");
    QTest::newRow("left in the band") << int(Qt::LeftButton) << 24 << true;
    QTest::newRow("left at the top") << int(Qt::LeftButton) << 0 << true;
    QTest::newRow("left at y 25") << int(Qt::LeftButton) << 25 << false;
    QTest::newRow("right in the band") << int(Qt::RightButton) << 5 << false;
}

void tst_TTitleExpander::titleBandClicks()
{
    QFETCH(int, button);
    QFETCH(int, y);
    QFETCH(bool, toggles);
    TTitleExpander expander;
    expander.resize(200, 100);
    QSignalSpy spy(&expander, &TTitleExpander::toggled);
    release(&expander, Qt::MouseButton(button), QPoint(50, y));
    QCOMPARE(expander.isExpanded(), toggles);
    QCOMPARE(spy.count(), toggles ? 1 : 0);
}

void tst_TTitleExpander::notCollapsibleIgnoresClicks()
{
    TTitleExpander expander;
    expander.resize(200, 100);
    expander.setCollapsible(false);
    QVERIFY(indicator(expander)->isHidden());
    release(&expander, Qt::LeftButton, QPoint(50, 5));
    QVERIFY(!expander.isExpanded());
    expander.setProperty("collapsible", true);
    QVERIFY(!indicator(expander)->isHidden());
}

void tst_TTitleExpander::toggleButtonDrivesExpansion()
{
    TTitleExpander expander;
    expander.resize(200, 100);
    auto *toggle = new QCheckBox;
    expander.setToggleButton(toggle, 0);
    QCOMPARE(expander.toggleButton(), toggle);
    QVERIFY(indicator(expander)->isHidden());
    QCOMPARE(toggle->parentWidget(), expander.findChild<QFrame *>("TITLE_FRAME"));

    QSignalSpy spy(&expander, &TTitleExpander::toggled);
    release(&expander, Qt::LeftButton, QPoint(150, 10)); // the band toggles the button
    QVERIFY(toggle->isChecked());
    QVERIFY(expander.isExpanded());
    toggle->click();
    QVERIFY(!expander.isExpanded());
    QCOMPARE(spy.count(), 2);
}

void tst_TTitleExpander::toggleButtonRemovedBringsIndicatorBack()
{
    TTitleExpander expander;
    QCheckBox toggle;
    expander.setToggleButton(&toggle);
    expander.setToggleButton(nullptr);
    QVERIFY(!indicator(expander)->isHidden());
    toggle.setChecked(true); // disconnected
    QVERIFY(!expander.isExpanded());
    expander.setToggleButton(nullptr); // nothing to disconnect
}

void tst_TTitleExpander::titleWidgetsAndIcon()
{
    TTitleExpander expander;
    auto *extra = new QLabel("extra");
    expander.addTitleWidget(extra, 0, 0, Qt::AlignVCenter);
    QCOMPARE(extra->parentWidget(), expander.findChild<QFrame *>("TITLE_FRAME"));
    expander.addTitleWidget(nullptr); // ignored

    expander.setIconSize(QSize(12, 12));
    expander.setIcon("gear");
    const QList<QLabel *> labels = expander.findChild<QFrame *>("TITLE_FRAME")->findChildren<QLabel *>();
    QLabel *icon = labels.first();
    QVERIFY(!icon->isHidden());
    QCOMPARE(icon->pixmap(Qt::ReturnByValue).size(), QSize(12, 12));
    expander.setIcon("");
    QVERIFY(icon->isHidden());

    expander.setTextAlignment(Qt::AlignRight);
    QCOMPARE(expander.textAlignment(), Qt::Alignment(Qt::AlignRight));
}

void tst_TTitleExpander::keys()
{
    TTitleExpander expander;
    QSignalSpy spy(&expander, &TTitleExpander::toggled);
    expander.setAttr("text", "Drilling");
    expander.setAttr("icon", "gear");
    expander.setAttr("expanded", true);
    expander.setAttr("expanded_icon", "angle-up");
    expander.setAttr("collapsed_icon", "angle-right");
    QCOMPARE(expander.text(), QString("Drilling"));
    QCOMPARE(expander.getAttr("text"), QVariant("Drilling"));
    QCOMPARE(expander.getAttr("icon"), QVariant("gear"));
    QVERIFY(expander.isExpanded());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(expander.expandedIcon(), QString("angle-up"));
    QCOMPARE(expander.collapsedIcon(), QString("angle-right"));
    QVERIFY(!expander.getAttr("expanded").isValid()); // written only
    QCOMPARE(expander.property("text"), QVariant("Drilling"));
}

void tst_TTitleExpander::raisedGetsShadow()
{
    TTitleExpander expander;
    expander.setAttr("text", "flat");
    QVERIFY(!expander.graphicsEffect());
    expander.setAttr("style", "type=raised");
    QPointer<QGraphicsEffect> first = expander.graphicsEffect();
    QVERIFY(qobject_cast<QGraphicsDropShadowEffect *>(first.data()));
    expander.setAttr("text", "again");
    QVERIFY(first.isNull());
    QVERIFY(expander.graphicsEffect());
}

void tst_TTitleExpander::accordionWithoutLocationOnlyStores()
{
    QWidget parent;
    auto *accordion = new TAccordion(&parent);
    QVERIFY(accordion->isExpanded());
    QCOMPARE(accordion->animationDuration(), 300);
    accordion->setAnimationDuration(120);
    QCOMPARE(accordion->animationDuration(), 120);
    accordion->setIsExpanded(false);
    QVERIFY(!accordion->isExpanded());
    QVERIFY(!accordion->isHidden()); // no buttons: nothing moves or hides
    QVERIFY(!accordion->expandButton());
    QVERIFY(!accordion->collapseButton());
    accordion->setAccordionLocation(TAccordion::AccordionLocation(7));
    QVERIFY(!accordion->expandButton());
}

void tst_TTitleExpander::accordionButtons_data()
{
    QTest::addColumn<TAccordion::AccordionLocation>("location");
    QTest::addColumn<QPoint>("collapseAt"); // in the accordion, expanded
    QTest::addColumn<QPoint>("expandAt");   // in the parent, collapsed

    // Parent 400 x 300, accordion 100 x 80, buttons 16 x 24, offsets (3, 4) and (5, 6).
    QTest::newRow("left") << TAccordion::LeftSide << QPoint(100 + 3 - 16, 4) << QPoint(5, 6);
    QTest::newRow("right") << TAccordion::RightSide << QPoint(3, 4) << QPoint(400 + 5 - 16, 6);
    QTest::newRow("upper") << TAccordion::UpperSide << QPoint((100 - 16) / 2 + 3, 80 + 4 - 24)
                           << QPoint((400 - 16) / 2 + 5, 6);
    QTest::newRow("lower") << TAccordion::LowerSide << QPoint((100 - 16) / 2 + 3, 4)
                           << QPoint((400 - 16) / 2 + 5, 300 + 6 - 24);
}

void tst_TTitleExpander::accordionButtons()
{
    QFETCH(TAccordion::AccordionLocation, location);
    QFETCH(QPoint, collapseAt);
    QFETCH(QPoint, expandAt);

    QWidget parent;
    parent.resize(400, 300);
    auto *accordion = new TAccordion(&parent);
    accordion->resize(100, 80);
    accordion->setCollapseButtonOffset(3, 4);
    accordion->setExpandButtonOffset(5, 6);
    accordion->setAccordionLocation(location);
    QCOMPARE(accordion->accordionLocation(), location);
    QToolButton *expand = accordion->expandButton();
    QToolButton *collapse = accordion->collapseButton();
    QVERIFY(expand && collapse);
    QCOMPARE(expand->parentWidget(), &parent);
    QCOMPARE(collapse->parentWidget(), accordion);
    QCOMPARE(expand->size(), QSize(16, 24));
    QCOMPARE(expand->property("SS_TYPE"), QVariant("FLAT"));
    QVERIFY(!expand->icon().isNull());

    QVERIFY(!accordion->isHidden());
    QVERIFY(expand->isHidden());
    QVERIFY(!collapse->isHidden());
    QCOMPARE(collapse->pos(), collapseAt);

    accordion->setIsExpanded(false);
    QVERIFY(accordion->isHidden());
    QVERIFY(collapse->isHidden());
    QVERIFY(!expand->isHidden());
    QCOMPARE(expand->pos(), expandAt);

    // A second location keeps the same buttons.
    accordion->setAccordionLocation(location);
    QCOMPARE(accordion->expandButton(), expand);
    QCOMPARE(parent.findChildren<QToolButton *>().size(), 2);
}

void tst_TTitleExpander::accordionButtonClicksToggle()
{
    QWidget parent;
    parent.resize(400, 300);
    auto *accordion = new TAccordion(&parent);
    accordion->setAccordionLocation(TAccordion::LeftSide);
    accordion->collapseButton()->click();
    QVERIFY(!accordion->isExpanded());
    QVERIFY(accordion->isHidden());
    accordion->expandButton()->click();
    QVERIFY(accordion->isExpanded());
    QVERIFY(!accordion->isHidden());
    // Both were connected once: one click, one toggle.
    accordion->setAccordionLocation(TAccordion::RightSide);
    accordion->collapseButton()->click();
    QVERIFY(!accordion->isExpanded());
}

void tst_TTitleExpander::accordionDetachedButtonsStay()
{
    QWidget parent;
    parent.resize(400, 300);
    auto *accordion = new TAccordion(&parent);
    accordion->resize(100, 80);
    parent.show(); // resize events reach only a visible panel
    accordion->setAccordionLocation(TAccordion::RightSide);
    accordion->setExpandButtonDetached(true);
    accordion->setCollapseButtonDetached(true);
    accordion->expandButton()->move(1, 2);
    accordion->collapseButton()->move(3, 4);
    accordion->setIsExpanded(false);
    QCOMPARE(accordion->expandButton()->pos(), QPoint(1, 2));
    QVERIFY(!accordion->expandButton()->isHidden());
    accordion->setIsExpanded(true);
    QCOMPARE(accordion->collapseButton()->pos(), QPoint(3, 4));
    accordion->resize(150, 80); // a resize lays out again
    QCOMPARE(accordion->collapseButton()->pos(), QPoint(3, 4));
    accordion->setCollapseButtonDetached(false);
    accordion->resize(160, 80);
    QCOMPARE(accordion->collapseButton()->pos(), QPoint(0, 0));
}

void tst_TTitleExpander::accordionExpandButtonGoesWithIt()
{
    QWidget parent;
    auto *accordion = new TAccordion(&parent);
    accordion->setAccordionLocation(TAccordion::UpperSide);
    QPointer<QToolButton> expand = accordion->expandButton();
    delete accordion;
    QVERIFY(expand.isNull());

    // Without a parent the button stays on the panel instead of becoming a window.
    TAccordion lonely;
    lonely.setAccordionLocation(TAccordion::LeftSide);
    QCOMPARE(lonely.expandButton()->parentWidget(), &lonely);
    lonely.setIsExpanded(false); // no parent to fold into
    QVERIFY(!lonely.isExpanded());
}

QTEST_MAIN(tst_TTitleExpander)
#include "tst_ttitleexpander.moc"
