// The splitter: pane sizes set at once or animated, and the size cache.
#include "controlstest.h"
#include "tsplitter.h"

#include <QVariantAnimation>
#include <QtTest>

namespace {

// A shown splitter with panes of the given sizes (no handles, no minimum sizes).
void fill(TSplitter &iSplitter, const QList<int> &iSizes)
{
    iSplitter.setHandleWidth(0);
    int total = 0;
    for (int size : iSizes) {
        auto *pane = new QWidget;
        pane->setMinimumSize(0, 0);
        iSplitter.addWidget(pane);
        total += size;
    }
    iSplitter.resize(total, 50);
    iSplitter.show();
    iSplitter.setSizes(iSizes);
    QCOMPARE(iSplitter.sizes(), iSizes);
}

QVariantAnimation *animation(TSplitter &iSplitter) { return iSplitter.findChild<QVariantAnimation *>(); }

} // namespace

class tst_TSplitter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void setAtOnce_data();
    void setAtOnce();
    void animated();
    void unchangedSizeStartsNoAnimation();
    void byWidget();
    void cache();
    void orientationKey_data();
    void orientationKey();
};

void tst_TSplitter::setAtOnce_data()
{
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("result");

    QTest::newRow("first takes from the next") << QList<int> {100, 200} << 0 << 150 << QList<int> {150, 150};
    QTest::newRow("last takes from the previous") << QList<int> {100, 200} << 1 << 250 << QList<int> {50, 250};
    QTest::newRow("middle takes from the next") << QList<int> {100, 100, 100} << 1 << 60 << QList<int> {100, 60, 140};
    QTest::newRow("index past the panes") << QList<int> {100, 200} << 2 << 10 << QList<int> {100, 200};
    QTest::newRow("negative index") << QList<int> {100, 200} << -1 << 10 << QList<int> {100, 200};
    QTest::newRow("single pane") << QList<int> {300} << 0 << 10 << QList<int> {300};
}

void tst_TSplitter::setAtOnce()
{
    QFETCH(QList<int>, sizes);
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(QList<int>, result);
    TSplitter splitter;
    fill(splitter, sizes);
    splitter.setWidgetSize(index, size, false);
    QCOMPARE(splitter.sizes(), result);
    QCOMPARE(animation(splitter)->state(), QAbstractAnimation::Stopped);
}

void tst_TSplitter::animated()
{
    TSplitter splitter;
    fill(splitter, {100, 200});
    QList<QList<int>> steps;
    connect(splitter.findChild<QVariantAnimation *>(), &QVariantAnimation::valueChanged, this,
            [&] { steps.append(splitter.sizes()); });
    splitter.setWidgetSize(0, 180, true);
    QVariantAnimation *a = animation(splitter);
    QCOMPARE(a->state(), QAbstractAnimation::Running);
    QCOMPARE(a->duration(), 100);
    QCOMPARE(a->startValue(), QVariant(100));
    QCOMPARE(a->endValue(), QVariant(180));
    QTRY_COMPARE(a->state(), QAbstractAnimation::Stopped);
    QCOMPARE(splitter.sizes(), QList<int>({180, 120}));
    // Every step keeps the total: each is computed from the sizes at the start.
    QVERIFY(steps.size() >= 2);
    for (const QList<int> &s : qAsConst(steps))
        QCOMPARE(s.at(0) + s.at(1), 300);

    // A new animation starts from where the panes are now.
    splitter.setWidgetSize(1, 200, true);
    QCOMPARE(a->startValue(), QVariant(120));
    QTRY_COMPARE(splitter.sizes(), QList<int>({100, 200}));
}

void tst_TSplitter::unchangedSizeStartsNoAnimation()
{
    TSplitter splitter;
    fill(splitter, {100, 200});
    splitter.setWidgetSize(1, 200, true);
    QCOMPARE(animation(splitter)->state(), QAbstractAnimation::Stopped);
    QCOMPARE(splitter.sizes(), QList<int>({100, 200}));
}

void tst_TSplitter::byWidget()
{
    TSplitter splitter;
    fill(splitter, {100, 200});
    splitter.setWidgetSize(splitter.widget(1), 120);
    QCOMPARE(splitter.sizes(), QList<int>({180, 120}));
    QWidget stranger;
    splitter.setWidgetSize(&stranger, 10, true);
    splitter.setWidgetSize(static_cast<QWidget *>(nullptr), 10);
    QCOMPARE(splitter.sizes(), QList<int>({180, 120}));
    QCOMPARE(animation(splitter)->state(), QAbstractAnimation::Stopped);
    QCOMPARE(splitter.getCacheSize(splitter.widget(0)), 180);
    QCOMPARE(splitter.getCacheSize(&stranger), 0);
}

void tst_TSplitter::cache()
{
    TSplitter splitter;
    fill(splitter, {100, 200});
    QCOMPARE(splitter.getCacheSizes(), QList<int>({100, 200})); // live before any cache
    splitter.setSizes({150, 150});
    QCOMPARE(splitter.getCacheSizes(), QList<int>({150, 150}));
    splitter.cacheSizes();
    splitter.setSizes({0, 300});
    QCOMPARE(splitter.getCacheSizes(), QList<int>({150, 150}));
    QCOMPARE(splitter.getCacheSize(1), 150);
    QCOMPARE(splitter.getCacheSize(5), 0);
    QCOMPARE(splitter.getCacheSize(-1), 0);
}

void tst_TSplitter::orientationKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("orientation");
    QTest::newRow("Vertical") << "Vertical" << int(Qt::Vertical);
    QTest::newRow("Qt::Vertical") << "Qt::Vertical" << int(Qt::Vertical);
    QTest::newRow("vertical") << "vertical" << int(Qt::Vertical);
    QTest::newRow("Horizontal") << "Horizontal" << int(Qt::Horizontal);
    QTest::newRow("anything else") << "sideways" << int(Qt::Horizontal);
}

void tst_TSplitter::orientationKey()
{
    QFETCH(QString, text);
    QFETCH(int, orientation);
    TSplitter splitter;
    splitter.setOrientation(Qt::Vertical);
    splitter.setAttr("orientation", text);
    QCOMPARE(int(splitter.orientation()), orientation);
    QVERIFY(!splitter.getAttr("orientation").isValid());

    QJSEngine engine;
    controlstest::expose(engine, "s", &splitter);
    CONTROLS_EVAL(engine, "s.setAttr('orientation', 'Vertical'); s.setWidgetSize(0, 10, false)");
    QCOMPARE(splitter.orientation(), Qt::Vertical);
}

QTEST_MAIN(tst_TSplitter)
#include "tst_tsplitter.moc"
