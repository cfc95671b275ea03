#include "tstyleditemdelegate.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QStyleOptionProgressBar>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

namespace {

// Records what the delegate asks the style to draw, then draws it.
class RecordingStyle : public QProxyStyle
{
public:
    RecordingStyle()
        : QProxyStyle(QStringLiteral("Fusion"))
    {}

    struct Call
    {
        ControlElement element;
        QString text;
        State state;
        QRect rect;
        int minimum = 0, maximum = 0, progress = 0;
        const QWidget *widget = nullptr;
    };
    mutable QList<Call> calls;
    mutable QRect textRect;

    void drawControl(ControlElement iElement, const QStyleOption *iOption, QPainter *iPainter,
                     const QWidget *iWidget) const override
    {
        Call call {iElement, QString(), iOption->state, iOption->rect};
        call.widget = iWidget;
        if (auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(iOption))
            call.text = item->text;
        if (auto *bar = qstyleoption_cast<const QStyleOptionProgressBar *>(iOption)) {
            call.minimum = bar->minimum;
            call.maximum = bar->maximum;
            call.progress = bar->progress;
            call.text = bar->text;
        }
        calls.append(call);
        QProxyStyle::drawControl(iElement, iOption, iPainter, iWidget);
    }
    QRect subElementRect(SubElement iElement, const QStyleOption *iOption, const QWidget *iWidget) const override
    {
        const QRect rect = QProxyStyle::subElementRect(iElement, iOption, iWidget);
        if (iElement == SE_ItemViewItemText)
            textRect = rect;
        return rect;
    }
    QList<Call> callsOf(ControlElement iElement) const
    {
        QList<Call> result;
        for (const Call &call : calls) {
            if (call.element == iElement)
                result.append(call);
        }
        return result;
    }
};

// A table view with one row whose single column is described by iColumn.
struct Fixture
{
    // Declared first: the view uses the style until it is gone.
    RecordingStyle style;
    TTableView view;
    TTableModel *model = qobject_cast<TTableModel *>(view.model());
    QAbstractItemModelTester tester {model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    TStyledItemDelegate *delegate = qobject_cast<TStyledItemDelegate *>(view.itemDelegate());

    explicit Fixture(const QVariantMap &iColumn,
                     const QVariantList &iRows = {QVariant(QVariantList {"a", 50, 10, 200})})
    {
        view.setStyle(&style);
        view.setDataKeyList({"text", "value", "min", "max", "props"});
        view.setHeaderItem({QVariantMap(), iColumn});
        view.loadData(iRows);
    }

    QStyleOptionViewItem option(const QRect &iRect, QStyle::State iState = QStyle::State_Enabled) const
    {
        QStyleOptionViewItem opt;
        opt.initFrom(&view);
        opt.widget = &view;
        opt.rect = iRect;
        opt.state = iState;
        return opt;
    }

    QImage paint(const QModelIndex &iIndex, const QRect &iRect, QStyle::State iState = QStyle::State_Enabled)
    {
        QImage image(iRect.right() + 11, iRect.bottom() + 11, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        delegate->paint(&painter, option(iRect, iState), iIndex);
        return image;
    }
};

QColor gridColour(QWidget *iView)
{
    QStyleOptionViewItem opt;
    return QColor(static_cast<QRgb>(iView->style()->styleHint(QStyle::SH_Table_GridLineColor, &opt, iView)));
}

} // namespace

class tst_TStyledItemDelegate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noFocusFrameForAnyType_data();
    void noFocusFrameForAnyType();
    void htmlCell();
    void progressCell_data();
    void progressCell();
    void gridLines_data();
    void gridLines();
    void invalidIndexPaintsNothing();
    void buttonCell();
    void buttonFollowsItsRow();
    void buttonWithoutItemView();
    void buttonUnderViewWithoutSignal();
    void sizeHints();
    void editorFillsTheCell();
};

void tst_TStyledItemDelegate::noFocusFrameForAnyType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("drawnText"); // the text the item itself is drawn with
    QTest::newRow("plain") << ""
                           << "a";
    QTest::newRow("unknown type") << "chart"
                                  << "a";
    QTest::newRow("html") << "html"
                          << "";
    QTest::newRow("progress") << "progress"
                              << "";
    QTest::newRow("button") << "button"
                            << "";
}

void tst_TStyledItemDelegate::noFocusFrameForAnyType()
{
    QFETCH(QString, type);
    QFETCH(QString, drawnText);
    Fixture f({{"displayRole", "$text"}, {"typeRole", type}});
    f.paint(f.model->index(0, 0), QRect(0, 0, 80, 24), QStyle::State_Enabled | QStyle::State_HasFocus);
    const QList<RecordingStyle::Call> items = f.style.callsOf(QStyle::CE_ItemViewItem);
    QVERIFY(!items.isEmpty());
    for (const RecordingStyle::Call &call : items) {
        QVERIFY(!(call.state & QStyle::State_HasFocus));
        QCOMPARE(call.text, drawnText);
    }
    QVERIFY(f.style.callsOf(QStyle::CE_FocusFrame).isEmpty());
}

void tst_TStyledItemDelegate::htmlCell()
{
    Fixture f(
            {{"displayRole", "<span style='color:#000000'>MMMM</span>"}, {"typeRole", "html"}, {"checkStateRole", 1}});
    const QRect cell(0, 0, 120, 30);
    const QImage image = f.paint(f.model->index(0, 0), cell, QStyle::State_Enabled | QStyle::State_Selected);
    // Background, selection and check box come from the style, the text from the document.
    const QList<RecordingStyle::Call> items = f.style.callsOf(QStyle::CE_ItemViewItem);
    QCOMPARE(items.size(), 1);
    QVERIFY(items.at(0).state & QStyle::State_Selected);
    const QRect textRect = f.style.textRect;
    QVERIFY(textRect.isValid());
    // The text starts at the text rectangle: the document's margin in, black glyphs, none left of it.
    QTextDocument document;
    document.setHtml("<span style='color:#000000'>MMMM</span>");
    const int margin = int(document.documentMargin());
    bool darkInside = false;
    for (int x = textRect.left() + margin; x < textRect.left() + margin + 20; ++x) {
        for (int y = textRect.top(); y < textRect.top() + 25 && y < image.height(); ++y)
            darkInside = darkInside || qGray(image.pixel(x, y)) < 80;
    }
    QVERIFY(darkInside);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = textRect.left(); x < textRect.left() + margin - 1; ++x)
            QVERIFY2(qGray(image.pixel(x, y)) >= 80, "text drawn left of the text rectangle");
    }
}

void tst_TStyledItemDelegate::progressCell_data()
{
    QTest::addColumn<QVariantMap>("column");
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("progress");

    const QVariantMap bounded {
            {"typeRole", "progress"}, {"displayRole", "$value"}, {"minRole", "$min"}, {"maxRole", "$max"}};
    QTest::newRow("bounds from roles") << bounded << 30 << 10 << 200 << 50;
    QTest::newRow("max missing is 100") << QVariantMap {{"typeRole", "progress"}, {"displayRole", "$value"}} << 30 << 0
                                        << 100 << 50;
    QTest::newRow("max 0 is 100") << QVariantMap {{"typeRole", "progress"},
                                                  {"displayRole", "$value"},
                                                  {"maxRole", 0},
                                                  {"minRole", 5}}
                                  << 24 << 5 << 100 << 50;
    QTest::newRow("low cell") << bounded << 18 << 10 << 200 << 50;
}

void tst_TStyledItemDelegate::progressCell()
{
    QFETCH(QVariantMap, column);
    QFETCH(int, cellHeight);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, progress);

    Fixture f(column);
    f.paint(f.model->index(0, 0), QRect(0, 5, 100, cellHeight));
    const QList<RecordingStyle::Call> bars = f.style.callsOf(QStyle::CE_ProgressBar);
    QCOMPARE(bars.size(), 1);
    const RecordingStyle::Call &bar = bars.at(0);
    QCOMPARE(bar.minimum, minimum);
    QCOMPARE(bar.maximum, maximum);
    QCOMPARE(bar.progress, progress);
    QCOMPARE(bar.text, QString());
    QVERIFY(!bar.widget);
    const QRect textRect = f.style.textRect;
    QCOMPARE(bar.rect.height(), 20);
    QCOMPARE(bar.rect.left(), textRect.left());
    QCOMPARE(bar.rect.width(), textRect.width());
    QCOMPARE(bar.rect.top(), textRect.top() + (textRect.height() - 20) / 2);
    if (cellHeight == 18)
        QCOMPARE(bar.rect.top(), textRect.top() - 1);
}

void tst_TStyledItemDelegate::gridLines_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<bool>("right");
    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("horizontal") << 1 << true << false;
    QTest::newRow("vertical") << 2 << false << true;
    QTest::newRow("both") << 3 << true << true;
    QTest::newRow("other positive") << 4 << false << false;
    QTest::newRow("negative") << -1 << false << false;
}

void tst_TStyledItemDelegate::gridLines()
{
    QFETCH(int, mode);
    QFETCH(bool, bottom);
    QFETCH(bool, right);

    Fixture f({{"displayRole", ""}});
    f.view.setGridLineMode(mode);
    QCOMPARE(f.view.gridLineMode(), mode);
    QCOMPARE(f.delegate->gridLineMode(), mode);
    const QRect cell(5, 5, 40, 20);
    const QImage image = f.paint(f.model->index(0, 0), cell);
    const QRgb grid = gridColour(&f.view).rgb();
    auto isGrid = [&](int x, int y) { return image.pixel(x, y) == grid; };
    QCOMPARE(isGrid(cell.left() + 10, cell.bottom()), bottom);
    QCOMPARE(isGrid(cell.right(), cell.top() + 5), right);
    // Never the left or upper edge: neighbouring cells draw those.
    QVERIFY(!isGrid(cell.left(), cell.top() + 5));
    QVERIFY(!isGrid(cell.left() + 10, cell.top()));
    QVERIFY(!isGrid(cell.left() + 10, cell.bottom() + 1));
}

void tst_TStyledItemDelegate::invalidIndexPaintsNothing()
{
    Fixture f({{"displayRole", "$text"}});
    f.view.setGridLineMode(3);
    const QImage image = f.paint(QModelIndex(), QRect(0, 0, 40, 20));
    QVERIFY(f.style.calls.isEmpty());
    QImage white(image.size(), image.format());
    white.fill(Qt::white);
    QCOMPARE(image, white);
}

void tst_TStyledItemDelegate::buttonCell()
{
    Fixture f({{"typeRole", "button"}, {"propertyRole", QVariantMap {{"text", "Go"}, {"part_no", 5}}}},
              {QVariantList {"a"}, QVariantList {"b"}});
    const QModelIndex cell = f.model->index(1, 0);
    f.paint(cell, QRect(0, 0, 80, 24));
    auto *button = qobject_cast<QToolButton *>(f.view.indexWidget(cell));
    QVERIFY(button);
    QCOMPARE(button->text(), QString("Go"));
    QCOMPARE(button->property("part_no"), QVariant(5));
    QCOMPARE(QModelIndex(button->property("MODELINDEX").value<QPersistentModelIndex>()), cell);
    // A second paint adds no second button.
    f.paint(cell, QRect(0, 0, 80, 24));
    QCOMPARE(f.view.indexWidget(cell), button);
    QCOMPARE(f.view.viewport()->findChildren<QToolButton *>().size(), 1);

    QSignalSpy commits(&f.view, &TTableView::indexWidgetCommit);
    button->click();
    QCOMPARE(commits.size(), 1);
    QCOMPARE(commits.at(0).at(0).value<QWidget *>(), button);
    QCOMPARE(commits.at(0).at(1).toModelIndex(), cell);
}

void tst_TStyledItemDelegate::buttonFollowsItsRow()
{
    Fixture f({{"typeRole", "button"}, {"displayRole", "$text"}},
              {QVariantList {"a"}, QVariantList {"b"}, QVariantList {"c"}});
    const QModelIndex cell = f.model->index(2, 0);
    f.paint(cell, QRect(0, 0, 80, 24));
    auto *button = qobject_cast<QToolButton *>(f.view.indexWidget(cell));
    QVERIFY(button);
    f.view.moveRowsTop({cell});
    QSignalSpy commits(&f.view, &TTableView::indexWidgetCommit);
    button->click();
    QCOMPARE(commits.size(), 1);
    const QModelIndex reported = commits.at(0).at(1).toModelIndex();
    QCOMPARE(reported.row(), 0);
    QCOMPARE(reported.data().toString(), QString("c"));
}

void tst_TStyledItemDelegate::buttonWithoutItemView()
{
    QObject owner;
    TStyledItemDelegate delegate(&owner);
    TTableModel model;
    model.setHeaderItem({QVariantMap(), QVariantMap {{"typeRole", "button"}}});
    model.loadData({QVariantList {1}});
    QImage image(60, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem opt;
    opt.rect = QRect(0, 0, 50, 20);
    delegate.paint(&painter, opt, model.index(0, 0));
    QVERIFY(owner.findChildren<QToolButton *>().isEmpty());
}

void tst_TStyledItemDelegate::buttonUnderViewWithoutSignal()
{
    // A view that declares no indexWidgetCommit still gets its buttons; a click reports nothing.
    QTableView view;
    TTableModel model;
    model.setHeaderItem({QVariantMap(), QVariantMap {{"typeRole", "button"}}});
    model.loadData({QVariantList {1}});
    view.setModel(&model);
    auto *delegate = new TStyledItemDelegate(&view);
    view.setItemDelegate(delegate);
    QImage image(60, 30, QImage::Format_ARGB32);
    QPainter painter(&image);
    QStyleOptionViewItem opt;
    opt.rect = QRect(0, 0, 50, 20);
    delegate->paint(&painter, opt, model.index(0, 0));
    auto *button = qobject_cast<QToolButton *>(view.indexWidget(model.index(0, 0)));
    QVERIFY(button);
    button->click();
}

void tst_TStyledItemDelegate::sizeHints()
{
    const QString html = "<p>first line</p><p>second, a longer line</p>";
    Fixture f({{"displayRole", "$text"}, {"typeRole", "$min"}, {"sizeHintRole", "$max"}},
              {QVariantList {html, 0, "html"}, QVariantList {html, 0, "html", 33}, QVariantList {"plain", 0, ""}});
    const QStyleOptionViewItem opt = f.option(QRect(0, 0, 300, 20));

    QTextDocument document;
    document.setHtml(html);
    document.setTextWidth(300);
    QCOMPARE(f.delegate->sizeHint(opt, f.model->index(0, 0)),
             QSize(int(document.idealWidth()), int(document.size().height())));

    QStyledItemDelegate base;
    const QSize baseSize = base.sizeHint(opt, f.model->index(1, 0));
    QCOMPARE(f.delegate->sizeHint(opt, f.model->index(1, 0)), QSize(baseSize.width(), 33));
    QCOMPARE(f.delegate->sizeHint(opt, f.model->index(2, 0)), base.sizeHint(opt, f.model->index(2, 0)));
}

void tst_TStyledItemDelegate::editorFillsTheCell()
{
    Fixture f({{"displayRole", "$text"}, {"editRole", "$text"}, {"flagsRole", "ItemIsEnabled|ItemIsEditable"}});
    const QModelIndex cell = f.model->index(0, 0);
    const QStyleOptionViewItem opt = f.option(QRect(3, 4, 70, 22));
    std::unique_ptr<QWidget> editor(f.delegate->createEditor(f.view.viewport(), opt, cell));
    QVERIFY(editor);
    f.delegate->updateEditorGeometry(editor.get(), opt, cell);
    QCOMPARE(editor->geometry(), QRect(3, 4, 70, 22));
    auto *line = qobject_cast<QLineEdit *>(editor.get());
    QVERIFY(line);
    f.delegate->setEditorData(line, cell);
    QCOMPARE(line->text(), QString("a"));
    line->setText("edited");
    f.delegate->setModelData(line, f.model, cell);
    QCOMPARE(f.model->rowDataList(cell).at(0), QVariant("edited"));
}

QTEST_MAIN(tst_TStyledItemDelegate)
#include "tst_tstyleditemdelegate.moc"
