// The tree model against Qt's QStandardItemModel on trees of the same shape:
// loading 100,000 leaves under 10 x 100 branches, one node with 50,000
// children expanded and scrolled through in a QTreeView, and a full read
// (index and data of every node) of wide trees of 10,000 to 1,000,000 nodes.
//
// Without arguments every case runs in a child process of its own (so that
// the peak-memory figure starts from a clean process) and one table is
// printed. "--case NAME --side ours|qt" runs one case.
#include "ttreemodel.h"

#include "benchtiming.h"
#include "modelbench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextStream>
#include <QTreeView>

#include <malloc.h>

using namespace modelbench;

namespace {

const QString childKey = QStringLiteral("CHILDREN");

QStringList keys() { return {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("qty")}; }

QVariantList headerItem()
{
    QVariantList header;
    for (const QString &key : keys())
        header.append(QVariantMap {{"name", key}, {"display", key}, {"displayRole", QString(QLatin1Char('$') + key)}});
    return header;
}

QVariantMap node(const QString &iId, int iNumber)
{
    return QVariantMap {{QStringLiteral("id"), iId},
                        {QStringLiteral("name"), QStringLiteral("part %1").arg(iNumber * 7919 % 1000003)},
                        {QStringLiteral("qty"), iNumber % 97}};
}

// Branches of branches of leaves, as nested maps with their children under "CHILDREN".
QVariantList makeTree(const QList<int> &iShape, const QString &iPrefix = QString(), int *ioNumber = nullptr)
{
    int counter = 0;
    int *number = ioNumber ? ioNumber : &counter;
    QVariantList level;
    if (iShape.isEmpty())
        return level;
    level.reserve(iShape.first());
    for (int i = 0; i < iShape.first(); ++i) {
        const QString id = iPrefix.isEmpty() ? QString::number(i) : iPrefix + QLatin1Char('.') + QString::number(i);
        QVariantMap map = node(id, (*number)++);
        const QVariantList children = makeTree(iShape.mid(1), id, number);
        if (!children.isEmpty())
            map.insert(childKey, children);
        level.append(map);
    }
    return level;
}

void appendStandard(QStandardItem *iParent, const QVariantList &iRows)
{
    for (const QVariant &row : iRows) {
        const QVariantMap map = row.toMap();
        QList<QStandardItem *> items;
        for (const QString &key : keys()) {
            auto *item = new QStandardItem;
            item->setData(map.value(key), Qt::DisplayRole);
            items.append(item);
        }
        const QVariantList children = map.value(childKey).toList();
        if (!children.isEmpty())
            appendStandard(items.first(), children);
        iParent->appendRow(items);
    }
}

void loadStandard(QStandardItemModel &iModel, const QVariantList &iRows)
{
    iModel.clear();
    iModel.setColumnCount(keys().size());
    iModel.setHorizontalHeaderLabels(keys());
    appendStandard(iModel.invisibleRootItem(), iRows);
}

void prepareOurs(TTreeModel &iModel)
{
    iModel.setDataKeyList(keys());
    iModel.setHeaderItem(headerItem());
}

double msSince(const QElapsedTimer &iTimer) { return iTimer.nsecsElapsed() / 1e6; }

// Every node once: each index asked for its parent, as views and proxies do.
qint64 walk(QAbstractItemModel *iModel, const QModelIndex &iParent)
{
    qint64 count = 0;
    const int rows = iModel->rowCount(iParent);
    for (int r = 0; r < rows; ++r) {
        const QModelIndex index = iModel->index(r, 0, iParent);
        if (iModel->parent(index) != iParent)
            return -1;
        ++count;
        count += walk(iModel, index);
    }
    return count;
}

// Every node's index and display value, parents before their children, as a
// view or a proxy reads a tree.
qint64 readAll(QAbstractItemModel *iModel, const QModelIndex &iParent)
{
    qint64 sink = 0;
    const int rows = iModel->rowCount(iParent);
    for (int r = 0; r < rows; ++r) {
        const QModelIndex index = iModel->index(r, 0, iParent);
        sink += iModel->data(index, Qt::DisplayRole).userType();
        sink += readAll(iModel, index);
    }
    return sink;
}

// A wide tree of iNodes nodes: 100 first-level branches with the rest spread
// evenly below them. A round reads the whole tree as often as it takes to
// visit 1,000,000 nodes, so that every size does the same work; the median
// of five rounds.
int readCase(bool iOurs, int iNodes, QTextStream &iOut)
{
    const int branches = 100;
    const int leaves = iNodes / branches - 1;
    TTreeModel ours;
    QStandardItemModel standard;
    QAbstractItemModel *model = nullptr;
    int number = 0;
    if (iOurs) {
        prepareOurs(ours);
        model = &ours;
    } else {
        standard.setColumnCount(keys().size());
        model = &standard;
    }
    for (int b = 0; b < branches; ++b) {
        // One branch's rows at a time: the caller's copy of the whole tree never exists.
        const QString id = QString::number(b);
        const QVariantList branch {node(id, number++)};
        QVariantList children;
        children.reserve(leaves);
        for (int l = 0; l < leaves; ++l)
            children.append(node(id + QLatin1Char('.') + QString::number(l), number++));
        if (iOurs) {
            ours.appendRows(branch);
            ours.appendRows(children, ours.index(b, 0));
        } else {
            appendStandard(standard.invisibleRootItem(), branch);
            appendStandard(standard.item(b), children);
        }
    }
    qint64 sink = 0;
    const int passes = qMax(1, 1000000 / iNodes);
    const double ms = benchtiming::medianMs(5, [&] {
        for (int pass = 0; pass < passes; ++pass)
            sink += readAll(model, QModelIndex());
    });
    iOut << "ms=" << ms << " nodes=" << number << " sink=" << sink << '\n';
    return number == branches * (leaves + 1) ? 0 : 1;
}

// One node with iChildren children, expanded in a view and scrolled from top to bottom a page at a time.
void wideCase(bool iOurs, int iChildren, QTextStream &iOut)
{
    QVariantMap big = node(QStringLiteral("big"), 0);
    big.insert(childKey, makeTree({iChildren}, QStringLiteral("big")));
    const QVariantList rows {node(QStringLiteral("before"), 1), big, node(QStringLiteral("after"), 2)};

    TTreeModel ours;
    QStandardItemModel standard;
    QAbstractItemModel *model = nullptr;
    QElapsedTimer timer;
    timer.start();
    if (iOurs) {
        prepareOurs(ours);
        ours.loadTreeData(rows);
        model = &ours;
    } else {
        loadStandard(standard, rows);
        model = &standard;
    }
    const double loadMs = msSince(timer);

    QTreeView view;
    view.resize(900, 600);
    view.setModel(model);
    view.show();
    QCoreApplication::processEvents();

    timer.restart();
    const QModelIndex bigIndex = model->index(1, 0);
    view.expand(bigIndex);
    view.viewport()->repaint();
    const double expandMs = msSince(timer);

    timer.restart();
    QScrollBar *bar = view.verticalScrollBar();
    int pages = 0;
    for (int value = 0; value <= bar->maximum(); value += qMax(1, bar->pageStep())) {
        bar->setValue(value);
        view.viewport()->repaint();
        ++pages;
    }
    const double scrollMs = msSince(timer);

    // The last child's row and parent, asked for each child in turn.
    timer.restart();
    qint64 sink = 0;
    for (int r = 0; r < iChildren; ++r) {
        const QModelIndex child = model->index(r, 0, bigIndex);
        sink += model->parent(child).row();
    }
    const double parentMs = msSince(timer);

    iOut << "children=" << iChildren << " load_ms=" << loadMs << " expand_ms=" << expandMs << " scroll_ms=" << scrollMs
         << " pages=" << pages << " parent_ms=" << parentMs << " sink=" << sink << '\n';
}

int runCase(const QString &iCase, const QString &iSide)
{
    QTextStream out(stdout);
    const bool ours = iSide == QLatin1String("ours");

    if (iCase == QLatin1String("load")) {
        const qint64 before = statusKb("VmRSS:");
        QVariantList rows = makeTree({10, 100, 100});
        const qint64 withSource = statusKb("VmRSS:");
        resetPeak();
        std::unique_ptr<TTreeModel> tree;
        std::unique_ptr<QStandardItemModel> standard;
        QElapsedTimer timer;
        timer.start();
        if (ours) {
            tree.reset(new TTreeModel);
            prepareOurs(*tree);
            tree->loadTreeData(rows);
        } else {
            standard.reset(new QStandardItemModel);
            loadStandard(*standard, rows);
        }
        const double ms = msSince(timer);
        const qint64 peak = statusKb("VmHWM:");
        QAbstractItemModel *model = ours ? static_cast<QAbstractItemModel *>(tree.get()) : standard.get();
        timer.restart();
        const qint64 nodes = walk(model, QModelIndex());
        const double walkMs = msSince(timer);
        rows.clear();
        malloc_trim(0);
        const qint64 retained = statusKb("VmRSS:") - before;
        out << "ms=" << ms << " nodes=" << nodes << " walk_ms=" << walkMs << " peak_kb=" << (peak - withSource)
            << " retained_kb=" << retained << '\n';
        out.flush();
        return nodes > 0 ? 0 : 1;
    }
    if (iCase.startsWith(QLatin1String("read")))
        return readCase(ours, iCase.mid(4).toInt(), out);
    if (iCase.startsWith(QLatin1String("wide"))) {
        wideCase(ours, iCase.mid(4).toInt(), out);
        return 0;
    }
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int named = runNamedCase(app.arguments(), runCase);
    if (named >= 0)
        return named;

    QTextStream out(stdout);
    // The wide node at three sizes: linear work doubles with the children, quadratic work quadruples.
    const QList<QPair<QString, QString>> cases {
            {"load",
             "load 10 x 100 x 100 (101,010 nodes) from nested maps (ms; walk = index and parent of every node)"},
            {"wide12500", "one node with 12,500 children in a QTreeView (ms)"},
            {"wide25000", "one node with 25,000 children in a QTreeView (ms)"},
            {"wide50000", "one node with 50,000 children in a QTreeView (ms)"},
            {"read10000", "1,000,000 node reads (index and data), wide tree of 10,000 nodes (ms, median of 5)"},
            {"read100000", "1,000,000 node reads (index and data), wide tree of 100,000 nodes (ms, median of 5)"},
            {"read1000000", "1,000,000 node reads (index and data), wide tree of 1,000,000 nodes (ms, median of 5)"},
    };
    // Case names on the command line run only those.
    const QStringList only = app.arguments().mid(1);
    for (const auto &entry : cases) {
        if (!only.isEmpty() && !only.contains(entry.first))
            continue;
        const QMap<QString, QString> ours = runChild(entry.first, QStringLiteral("ours"));
        const QMap<QString, QString> qt = runChild(entry.first, QStringLiteral("qt"));
        out << entry.second << '\n';
        printFigures(out, "TTreeModel         ", ours, {QStringLiteral("sink")});
        printFigures(out, "QStandardItemModel ", qt, {QStringLiteral("sink")});
        printRatio(out, ours, qt);
        out.flush();
    }
    return 0;
}
