#include "tflowlayout.h"

#include <QPointer>
#include <QProxyStyle>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace {

// A child of fixed size: its preferred size is exactly that.
QWidget *addBox(QWidget *iParent, TFlowLayout *iLayout, int iWidth, int iHeight)
{
    auto *w = new QWidget(iParent);
    w->setFixedSize(iWidth, iHeight);
    iLayout->addWidget(w);
    return w;
}

class GapStyle : public QProxyStyle
{
public:
    enum { HGap = 17, VGap = 13 };
    int pixelMetric(PixelMetric iMetric, const QStyleOption *iOption, const QWidget *iWidget) const override
    {
        if (iMetric == PM_LayoutHorizontalSpacing || iMetric == PM_LayoutVerticalSpacing)
            return -1;
        return QProxyStyle::pixelMetric(iMetric, iOption, iWidget);
    }
    int layoutSpacing(QSizePolicy::ControlType, QSizePolicy::ControlType, Qt::Orientation iOrientation,
                      const QStyleOption *, const QWidget *) const override
    {
        return iOrientation == Qt::Horizontal ? HGap : VGap;
    }
};

int styleGap(QWidget *iWidget, Qt::Orientation iOrientation)
{
    return iWidget->style()->layoutSpacing(QSizePolicy::PushButton, QSizePolicy::PushButton, iOrientation);
}

} // namespace

class tst_TFlowLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void arrange_data();
    void arrange();
    void heightForWidthOnRealWidget();
    void emptyLayoutHeightIsMargins();
    void outOfRangePositions();
    void addWidgetAgainMovesToEnd();
    void spacingFromParent();
    void itemWithoutWidgetUsesParentStyle();
    void minimumSizeAddsAllMargins();
    void destructorKeepsWidgets();
};

void tst_TFlowLayout::arrange_data()
{
    QTest::addColumn<QList<QSize>>("items");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QPoint>>("positions");
    QTest::addColumn<int>("height");

    const QSize s(50, 20);
    QTest::newRow("third wraps") << QList<QSize> {s, s, s} << 0 << 120 << QList<QPoint> {{0, 0}, {60, 0}, {0, 30}}
                                 << 50;
    QTest::newRow("last pixel still fits")
            << QList<QSize> {s, s, s} << 0 << 171 << QList<QPoint> {{0, 0}, {60, 0}, {120, 0}} << 20;
    QTest::newRow("one pixel short wraps")
            << QList<QSize> {s, s, s} << 0 << 170 << QList<QPoint> {{0, 0}, {60, 0}, {0, 30}} << 50;
    QTest::newRow("too wide stays on its row")
            << QList<QSize> {{200, 20}, s} << 0 << 120 << QList<QPoint> {{0, 0}, {0, 30}} << 50;
    QTest::newRow("row height is the tallest")
            << QList<QSize> {{50, 40}, s, s} << 0 << 120 << QList<QPoint> {{0, 0}, {60, 0}, {0, 50}} << 70;
    QTest::newRow("margins") << QList<QSize> {s, s} << 5 << 100 << QList<QPoint> {{5, 5}, {5, 35}} << 60;
}

void tst_TFlowLayout::arrange()
{
    QFETCH(QList<QSize>, items);
    QFETCH(int, margin);
    QFETCH(int, width);
    QFETCH(QList<QPoint>, positions);
    QFETCH(int, height);

    QWidget host;
    auto *layout = new TFlowLayout(&host, margin, 10, 10);
    QList<QWidget *> boxes;
    for (const QSize &size : items)
        boxes << addBox(&host, layout, size.width(), size.height());
    QCOMPARE(layout->heightForWidth(width), height);
    // Measuring moves nothing.
    for (QWidget *box : boxes)
        QCOMPARE(box->pos(), QPoint(0, 0));

    host.show();
    layout->setGeometry(QRect(0, 0, width, 500));
    for (int i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes.at(i)->pos(), positions.at(i));
        QCOMPARE(boxes.at(i)->size(), items.at(i));
    }
    QCOMPARE(layout->geometry(), QRect(0, 0, width, 500));
}

void tst_TFlowLayout::heightForWidthOnRealWidget()
{
    QWidget host;
    auto *layout = new TFlowLayout(&host, 0, 10, 10);
    QList<QWidget *> boxes;
    for (int i = 0; i < 3; ++i)
        boxes << addBox(&host, layout, 50, 20);
    QVERIFY(layout->hasHeightForWidth());
    QVERIFY(host.hasHeightForWidth());
    QCOMPARE(host.heightForWidth(120), 50);
    QCOMPARE(host.heightForWidth(500), 20);

    host.resize(120, 50);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QTRY_COMPARE(boxes.at(2)->pos(), QPoint(0, 30));
    host.resize(300, 50);
    QTRY_COMPARE(boxes.at(2)->pos(), QPoint(120, 0));
    QCOMPARE(layout->sizeHint(), layout->minimumSize());
    QCOMPARE(layout->minimumSize(), QSize(50, 20));
    QCOMPARE(layout->expandingDirections(), Qt::Orientations());
}

void tst_TFlowLayout::emptyLayoutHeightIsMargins()
{
    TFlowLayout layout;
    layout.setContentsMargins(2, 3, 4, 7);
    QCOMPARE(layout.heightForWidth(100), 10);
    QCOMPARE(layout.count(), 0);
}

void tst_TFlowLayout::outOfRangePositions()
{
    QWidget host;
    auto *layout = new TFlowLayout(&host);
    addBox(&host, layout, 10, 10);
    addBox(&host, layout, 10, 10);
    QVERIFY(!layout->itemAt(-1));
    QVERIFY(!layout->itemAt(2));
    QVERIFY(!layout->takeAt(2));
    QVERIFY(!layout->takeAt(-1));
    QCOMPARE(layout->count(), 2);
    QLayoutItem *taken = layout->takeAt(0);
    QVERIFY(taken);
    QCOMPARE(layout->count(), 1);
    delete taken;
}

void tst_TFlowLayout::addWidgetAgainMovesToEnd()
{
    QWidget host;
    auto *layout = new TFlowLayout(&host);
    QWidget *first = addBox(&host, layout, 10, 10);
    QWidget *second = addBox(&host, layout, 10, 10);
    layout->addWidget(first);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(0)->widget(), second);
    QCOMPARE(layout->itemAt(1)->widget(), first);
}

void tst_TFlowLayout::spacingFromParent()
{
    TFlowLayout orphan;
    QCOMPARE(orphan.horizontalSpacing(), -1);
    QCOMPARE(orphan.verticalSpacing(), -1);
    orphan.setSpacing(4);
    QCOMPARE(orphan.horizontalSpacing(), 4);
    orphan.setVerticalSpacing(6);
    QCOMPARE(orphan.verticalSpacing(), 6);
    QCOMPARE(orphan.horizontalSpacing(), 4);

    QWidget host;
    auto *layout = new TFlowLayout(&host, 0);
    QCOMPARE(layout->horizontalSpacing(),
             host.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, &host));
    QCOMPARE(layout->verticalSpacing(), host.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, &host));
    QWidget *a = addBox(&host, layout, 50, 20);
    QWidget *b = addBox(&host, layout, 50, 20);
    QWidget *c = addBox(&host, layout, 50, 20);
    int gapX = layout->horizontalSpacing();
    if (gapX == -1)
        gapX = styleGap(a, Qt::Horizontal);
    int gapY = layout->verticalSpacing();
    if (gapY == -1)
        gapY = styleGap(a, Qt::Vertical);
    host.show();
    // Room for two items and their gap, not for the third.
    layout->setGeometry(QRect(0, 0, 100 + gapX + 1, 200));
    QCOMPARE(b->pos(), QPoint(50 + gapX, 0));
    QCOMPARE(c->pos(), QPoint(0, 20 + gapY));
    QCOMPARE(a->pos(), QPoint(0, 0));

    // Nested in another layout, the spacing is that layout's.
    QWidget outer;
    auto *column = new QVBoxLayout(&outer);
    column->setSpacing(9);
    auto *nested = new TFlowLayout;
    column->addLayout(nested);
    QCOMPARE(nested->horizontalSpacing(), 9);
    QCOMPARE(nested->verticalSpacing(), 9);
}

void tst_TFlowLayout::itemWithoutWidgetUsesParentStyle()
{
    // The host's own style leaves spacing to layoutSpacing and answers with
    // gaps no other style gives; its children keep the application style.
    GapStyle style;
    QWidget host;
    host.setStyle(&style);
    auto *layout = new TFlowLayout(&host, 0);
    QCOMPARE(layout->horizontalSpacing(), -1);
    layout->addItem(new QSpacerItem(30, 10));
    QWidget *box = addBox(&host, layout, 50, 20);
    QWidget *next = addBox(&host, layout, 50, 20);
    host.show();
    layout->setGeometry(QRect(0, 0, 400, 100));
    QCOMPARE(box->pos(), QPoint(30 + GapStyle::HGap, 0));
    QCOMPARE(next->pos(), QPoint(30 + GapStyle::HGap + 50 + styleGap(box, Qt::Horizontal), 0));
    // A spacer that wraps takes its row gap from the host too.
    QWidget inner;
    inner.setStyle(&style);
    auto *wrapping = new TFlowLayout(&inner, 0);
    wrapping->addItem(new QSpacerItem(30, 10));
    wrapping->addItem(new QSpacerItem(30, 10));
    QCOMPARE(wrapping->heightForWidth(40), 10 + GapStyle::VGap + 10);

    // Without any parent the application's style answers.
    TFlowLayout orphan(0);
    orphan.addItem(new QSpacerItem(30, 10));
    orphan.addItem(new QSpacerItem(30, 10));
    const int appGapY
            = QApplication::style()->layoutSpacing(QSizePolicy::PushButton, QSizePolicy::PushButton, Qt::Vertical);
    QCOMPARE(orphan.heightForWidth(40), 10 + appGapY + 10);
}

void tst_TFlowLayout::minimumSizeAddsAllMargins()
{
    QWidget host;
    auto *layout = new TFlowLayout(&host);
    layout->setContentsMargins(1, 2, 3, 4);
    addBox(&host, layout, 30, 40);
    addBox(&host, layout, 60, 10);
    QCOMPARE(layout->minimumSize(), QSize(60 + 1 + 3, 40 + 2 + 4));

    TFlowLayout uniform(5, 0, 0);
    QCOMPARE(uniform.contentsMargins(), QMargins(5, 5, 5, 5));
    QCOMPARE(uniform.minimumSize(), QSize(10, 10));
}

void tst_TFlowLayout::destructorKeepsWidgets()
{
    QWidget host;
    auto *layout = new TFlowLayout(&host);
    QPointer<QWidget> box = addBox(&host, layout, 10, 10);
    delete layout;
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), &host);
}

QTEST_MAIN(tst_TFlowLayout)
#include "tst_tflowlayout.moc"
