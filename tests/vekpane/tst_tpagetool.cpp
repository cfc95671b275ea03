#include "tpagetool.h"
#include "tspinbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

// The four buttons in layout order: first, previous, next, last.
QList<QToolButton *> buttons(TPageTool &iTool)
{
    return iTool.findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly);
}

QList<bool> enabledStates(TPageTool &iTool)
{
    QList<bool> states;
    for (QToolButton *button : buttons(iTool))
        states.append(button->isEnabled());
    return states;
}

TSpinBox *spinBox(TPageTool &iTool) { return iTool.findChild<TSpinBox *>(); }
QLineEdit *sizeEntry(TPageTool &iTool) { return iTool.findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly); }

// Every emission of the pager as one line, in order.
class Recorder : public QObject
{
public:
    explicit Recorder(TPageTool *iTool)
    {
        connect(iTool, &TPageTool::currentPageChanged, this,
                [this](int iPage) { lines.append(QStringLiteral("current %1").arg(iPage)); });
        connect(iTool, &TPageTool::rowCountChanged, this,
                [this](int iRows) { lines.append(QStringLiteral("rows %1").arg(iRows)); });
        connect(iTool, &TPageTool::pageSizeChanged, this,
                [this](int iSize) { lines.append(QStringLiteral("size %1").arg(iSize)); });
        connect(iTool, &TPageTool::pageChanged, this,
                [this](int iPage, int iSize) { lines.append(QStringLiteral("page %1 of %2").arg(iPage).arg(iSize)); });
    }
    QStringList take()
    {
        const QStringList taken = lines;
        lines.clear();
        return taken;
    }
    QStringList lines;
};

} // namespace

class tst_TPageTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction();
    void pageCount_data();
    void pageCount();
    void pageSizeText_data();
    void pageSizeText();
    void settersAreSilentByDefault();
    void settersReport();
    void navigation();
    void shrinkingClampsBeforeReporting();
    void commits();
    void propertiesAndVisibility();
    void listenerMayDeleteThePager();
};

void tst_TPageTool::construction()
{
    TPageTool tool;
    Recorder recorder(&tool);
    QCOMPARE(buttons(tool).size(), 4);
    QCOMPARE(tool.currentPage(), 1);
    QCOMPARE(tool.rowCount(), 0);
    QCOMPARE(tool.pageSize(), 100);
    QCOMPARE(spinBox(tool)->suffix(), QStringLiteral("/1"));
    QCOMPARE(spinBox(tool)->maximum(), 1);
    QCOMPARE(enabledStates(tool), (QList<bool> {false, false, false, false}));
    QVERIFY(!tool.isPageSizeVisible());
    QVERIFY(tool.findChild<QLabel *>()->isHidden());
    QCOMPARE(tool.metaObject()->userProperty().name(), "currentPage");
    QVERIFY(!buttons(tool).at(0)->icon().isNull());
}

void tst_TPageTool::pageCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pages");
    QTest::newRow("no rows") << 0 << 100 << 1;
    QTest::newRow("one row") << 1 << 100 << 1;
    QTest::newRow("250 rows") << 250 << 100 << 3;
    QTest::newRow("300 rows") << 300 << 100 << 3;
    QTest::newRow("301 rows") << 301 << 100 << 4;
    QTest::newRow("size 1") << 7 << 1 << 7;
    QTest::newRow("negative rows") << -5 << 100 << 1;
}

void tst_TPageTool::pageCount()
{
    QFETCH(int, rows);
    QFETCH(int, size);
    QFETCH(int, pages);
    TPageTool tool;
    tool.setPageSize(size);
    tool.setRowCount(rows);
    QCOMPARE(spinBox(tool)->maximum(), pages);
    QCOMPARE(spinBox(tool)->suffix(), QStringLiteral("/%1").arg(pages));
    const bool more = pages > 1;
    QCOMPARE(enabledStates(tool), (QList<bool> {false, false, more, more}));
}

void tst_TPageTool::pageSizeText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("size");
    QTest::newRow("number") << "25"
                            << "25" << 25;
    QTest::newRow("zero kept while typing, counts as 100") << "0"
                                                           << "0" << 100;
    QTest::newRow("beyond 999999 refused") << "1000000"
                                           << "100000" << 100000;
    QTest::newRow("letters refused") << "ab"
                                     << "" << 100;
}

void tst_TPageTool::pageSizeText()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, size);
    TPageTool tool;
    tool.setPageSizeVisible(true);
    sizeEntry(tool)->clear();
    QTest::keyClicks(sizeEntry(tool), typed);
    QCOMPARE(sizeEntry(tool)->text(), kept);
    QCOMPARE(tool.pageSize(), size);

    // Set from outside, text that is no page size counts as 100 for paging too.
    tool.setPageSize(0);
    QCOMPARE(tool.pageSize(), 100);
    tool.setRowCount(150);
    QCOMPARE(spinBox(tool)->maximum(), 2);
}

void tst_TPageTool::settersAreSilentByDefault()
{
    TPageTool tool;
    Recorder recorder(&tool);
    tool.setRowCount(500);
    tool.setCurrentPage(3);
    tool.setPageSize(50);
    tool.setProperty("currentPage", 4);
    tool.setProperty("rowCount", 800);
    tool.setProperty("pageSize", 20);
    QVERIFY(recorder.lines.isEmpty());
    QCOMPARE(tool.currentPage(), 4);
    QCOMPARE(tool.rowCount(), 800);
    QCOMPARE(tool.pageSize(), 20);
}

void tst_TPageTool::settersReport()
{
    TPageTool tool;
    Recorder recorder(&tool);
    tool.setRowCount(250, false);
    QCOMPARE(recorder.take(), (QStringList {"rows 250", "page 1 of 100"}));
    tool.setRowCount(250, false); // unchanged: the page is still reported once
    QCOMPARE(recorder.take(), QStringList {"page 1 of 100"});

    tool.setCurrentPage(2, false);
    QCOMPARE(recorder.take(), (QStringList {"page 2 of 100", "current 2"}));
    tool.setCurrentPage(9, false); // the page reported is the one shown
    QCOMPARE(recorder.take(), (QStringList {"page 3 of 100", "current 3"}));
    QCOMPARE(enabledStates(tool), (QList<bool> {true, true, false, false}));

    tool.setPageSize(50, false);
    QCOMPARE(recorder.take(), (QStringList {"page 3 of 50", "size 50"}));
    QCOMPARE(spinBox(tool)->maximum(), 5);
    tool.setPageSize(50, false); // page count unchanged: still one page report
    QCOMPARE(recorder.take(), (QStringList {"page 3 of 50", "size 50"}));
}

void tst_TPageTool::navigation()
{
    TPageTool tool;
    tool.setRowCount(450);
    Recorder recorder(&tool);

    buttons(tool).at(3)->click(); // last
    QCOMPARE(recorder.take(), (QStringList {"page 5 of 100", "current 5"}));
    QCOMPARE(enabledStates(tool), (QList<bool> {true, true, false, false}));
    buttons(tool).at(1)->click(); // previous
    QCOMPARE(recorder.take(), (QStringList {"page 4 of 100", "current 4"}));
    buttons(tool).at(0)->click(); // first
    QCOMPARE(recorder.take(), (QStringList {"page 1 of 100", "current 1"}));
    QCOMPARE(enabledStates(tool), (QList<bool> {false, false, true, true}));
    buttons(tool).at(2)->click(); // next
    QCOMPARE(recorder.take(), (QStringList {"page 2 of 100", "current 2"}));

    // The slots clamp; the page reported is the clamped one.
    tool.setCurrentPage(1);
    tool.previousPage();
    QCOMPARE(recorder.take(), (QStringList {"page 1 of 100", "current 1"}));
    tool.lastPage();
    tool.nextPage();
    QCOMPARE(recorder.take(), (QStringList {"page 5 of 100", "current 5", "page 5 of 100", "current 5"}));
}

void tst_TPageTool::shrinkingClampsBeforeReporting()
{
    TPageTool tool;
    tool.setRowCount(1000);
    tool.setCurrentPage(8);
    Recorder recorder(&tool);
    tool.setRowCount(250, false);
    QCOMPARE(recorder.take(), (QStringList {"rows 250", "page 3 of 100"}));
    QCOMPARE(tool.currentPage(), 3);
    QCOMPARE(enabledStates(tool), (QList<bool> {true, true, false, false}));
}

void tst_TPageTool::commits()
{
    TPageTool tool;
    tool.setRowCount(1000);
    tool.setPageSizeVisible(true);
    Recorder recorder(&tool);

    // Typing a page takes effect when editing finishes, not before.
    QLineEdit *pageText = spinBox(tool)->findChild<QLineEdit *>();
    pageText->selectAll();
    QTest::keyClicks(spinBox(tool), QStringLiteral("6"));
    QCOMPARE(tool.currentPage(), 6);
    QVERIFY(recorder.lines.isEmpty());
    Q_EMIT spinBox(tool)->editingFinished();
    QCOMPARE(recorder.take(), (QStringList {"page 6 of 100", "current 6"}));
    Q_EMIT spinBox(tool)->editingFinished(); // nothing new
    QVERIFY(recorder.lines.isEmpty());

    // A page reached by the buttons is not reported again by a later commit.
    tool.nextPage();
    recorder.take();
    Q_EMIT spinBox(tool)->editingFinished();
    QVERIFY(recorder.lines.isEmpty());

    sizeEntry(tool)->selectAll();
    QTest::keyClicks(sizeEntry(tool), QStringLiteral("250"));
    QTest::keyClick(sizeEntry(tool), Qt::Key_Return);
    QCOMPARE(recorder.take(), (QStringList {"page 4 of 250", "size 250"}));
    QCOMPARE(tool.currentPage(), 4);
    Q_EMIT sizeEntry(tool)->editingFinished();
    QVERIFY(recorder.lines.isEmpty());

    // Nor is a size set from outside.
    tool.setPageSize(500);
    Q_EMIT sizeEntry(tool)->editingFinished();
    QVERIFY(recorder.lines.isEmpty());
}

void tst_TPageTool::propertiesAndVisibility()
{
    TPageTool tool;
    tool.setProperty("pageSizeVisible", true);
    QVERIFY(tool.isPageSizeVisible());
    QVERIFY(!tool.findChild<QLabel *>()->isHidden());
    QCOMPARE(tool.findChild<QLabel *>()->text(), QStringLiteral("Page Rows"));
    tool.setPageSizeVisible(false);
    QVERIFY(!tool.property("pageSizeVisible").toBool());
    QVERIFY(tool.findChild<QLabel *>()->isHidden());
}

void tst_TPageTool::listenerMayDeleteThePager()
{
    QWidget parent;
    QPointer<TPageTool> tool = new TPageTool(&parent);
    tool->setRowCount(300);
    connect(tool, &TPageTool::pageChanged, tool, [&tool] { delete tool; });
    buttons(*tool).at(2)->click();
    QVERIFY(!tool);

    tool = new TPageTool(&parent);
    connect(tool, &TPageTool::rowCountChanged, tool, [&tool] { delete tool; });
    tool->setRowCount(300, false);
    QVERIFY(!tool);
}

QTEST_MAIN(tst_TPageTool)
#include "tst_tpagetool.moc"
