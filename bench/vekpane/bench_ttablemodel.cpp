// The flat table model and view against Qt's QStandardItemModel (and
// QSortFilterProxyModel for filtering) on the same 100,000 rows x 10 columns,
// and the reads of data() on 10,000, 100,000 and 1,000,000 rows.
//
// Without arguments the program runs every case in a child process of its
// own, so that each peak-memory figure starts from a clean process, and
// prints one table. "--case NAME --side ours|qt" runs one case.
#include "ttablemodel.h"
#include "ttableview.h"

#include "benchtiming.h"
#include "modelbench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QRegExp>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextStream>

#include <malloc.h>

using namespace modelbench;

namespace {

const int rowCount = 100000;
const int columnCount = 10;
const int appendCount = 10000;
const int dataCalls = 1000000;
// Rows are made and loaded this many at a time, so that the caller's copy of
// a million rows never exists at once.
const int chunkRows = 10000;

QStringList keys()
{
    QStringList result;
    for (int c = 0; c < columnCount; ++c)
        result.append(QStringLiteral("k%1").arg(c));
    return result;
}

// Mixed cells as a plant table holds them: numbers, codes, names, amounts, flags.
QVariantList makeRows(int iCount, int iFirst = 0)
{
    QVariantList rows;
    rows.reserve(iCount);
    for (int i = iFirst; i < iFirst + iCount; ++i) {
        rows.append(QVariant(QVariantList {i, QStringLiteral("PCB-%1").arg(i, 6, 10, QLatin1Char('0')),
                                           QStringLiteral("part %1").arg(i * 7919 % 1000003), i * 0.25, i % 2 == 0,
                                           QStringLiteral("layer %1").arg(i % 12), i % 97, QStringLiteral("ENIG"),
                                           i * 3, QStringLiteral("lot %1").arg(i / 50)}));
    }
    return rows;
}

QVariantList headerItem()
{
    QVariantList header {QVariantMap()};
    for (const QString &key : keys())
        header.append(QVariantMap {{"name", key}, {"display", key}, {"displayRole", QString("$" + key)}});
    return header;
}

void fillStandardRow(QStandardItemModel &iModel, const QVariant &iRow)
{
    const QVariantList values = iRow.toList();
    QList<QStandardItem *> items;
    items.reserve(values.size());
    for (const QVariant &value : values) {
        auto *item = new QStandardItem;
        item->setData(value, Qt::DisplayRole);
        items.append(item);
    }
    iModel.appendRow(items);
}

void loadStandard(QStandardItemModel &iModel, const QVariantList &iRows)
{
    iModel.setColumnCount(columnCount);
    iModel.setHorizontalHeaderLabels(keys());
    for (const QVariant &row : iRows)
        fillStandardRow(iModel, row);
}

void prepareOurs(TTableView &iView)
{
    iView.setDataKeyList(keys());
    iView.setHeaderItem(headerItem());
}

// The best of three runs, in milliseconds.
template<typename Setup, typename Run>
double bestOf(Setup iSetup, Run iRun)
{
    double best = 1e18;
    for (int round = 0; round < 3; ++round) {
        iSetup();
        QElapsedTimer timer;
        timer.start();
        iRun();
        best = qMin(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// 1,000,000 data() calls for the display role over iRows rows, the median
// of five rounds.
int readCase(bool iOurs, int iRows, QTextStream &iOut)
{
    TTableModel table;
    QStandardItemModel standard;
    QAbstractItemModel *model = nullptr;
    if (iOurs) {
        table.setDataKeyList(keys());
        table.setHeaderItem(headerItem());
        model = &table;
    } else {
        standard.setColumnCount(columnCount);
        model = &standard;
    }
    for (int first = 0; first < iRows; first += chunkRows) {
        const QVariantList rows = makeRows(qMin(chunkRows, iRows - first), first);
        if (iOurs) {
            table.appendRows(rows);
        } else {
            for (const QVariant &row : rows)
                fillStandardRow(standard, row);
        }
    }
    if (model->rowCount() != iRows)
        return 1;
    qint64 sink = 0;
    const double ms = benchtiming::medianMs(5, [&] {
        for (int i = 0; i < dataCalls; ++i) {
            const QModelIndex index = model->index(i % iRows, i % columnCount);
            sink += model->data(index, Qt::DisplayRole).userType();
        }
    });
    iOut << "ms=" << ms << " sink=" << sink << '\n';
    return 0;
}

// One case in this process; prints "key=value" pairs on one line.
int runCase(const QString &iCase, const QString &iSide)
{
    QTextStream out(stdout);
    const bool ours = iSide == QLatin1String("ours");
    if (iCase.startsWith(QLatin1String("read")))
        return readCase(ours, iCase.mid(4).toInt(), out);

    if (iCase == QLatin1String("load")) {
        const qint64 before = statusKb("VmRSS:");
        QVariantList rows = makeRows(rowCount);
        const qint64 withSource = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<TTableModel> table;
        std::unique_ptr<QStandardItemModel> standard;
        if (ours) {
            table.reset(new TTableModel);
            table->setDataKeyList(keys());
            table->setHeaderItem(headerItem());
            table->loadData(rows);
        } else {
            standard.reset(new QStandardItemModel);
            loadStandard(*standard, rows);
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        const qint64 peak = statusKb("VmHWM:");
        // What holding the table costs once the caller's rows are gone.
        rows.clear();
        malloc_trim(0);
        const qint64 retained = statusKb("VmRSS:") - before;
        out << "ms=" << ms << " peak_kb=" << (peak - withSource) << " retained_kb=" << retained << '\n';
        return 0;
    }

    const QVariantList rows = makeRows(rowCount);
    TTableView ourView;
    QStandardItemModel standard;
    QSortFilterProxyModel proxy;
    QTableView qtView;
    TTableModel *table = qobject_cast<TTableModel *>(ourView.model());
    QAbstractItemModel *model = nullptr;
    if (ours) {
        prepareOurs(ourView);
        model = table;
    } else {
        model = &standard;
    }

    if (iCase == QLatin1String("loadview")) {
        const double ms = bestOf(
                [&] {
                    if (!ours)
                        standard.clear();
                },
                [&] {
                    if (ours) {
                        ourView.setAttr(QStringLiteral("value"), rows);
                    } else {
                        qtView.setModel(&standard);
                        loadStandard(standard, rows);
                    }
                    QCoreApplication::processEvents();
                });
        out << "ms=" << ms << '\n';
        return 0;
    }

    if (ours)
        table->loadData(rows);
    else
        loadStandard(standard, rows);

    if (iCase == QLatin1String("filter")) {
        // The view is attached and painted; one keystroke narrows "part 12" to "part 123".
        const QRegExp wide(QStringLiteral("part 12"), Qt::CaseInsensitive, QRegExp::FixedString);
        const QRegExp narrow(QStringLiteral("part 123"), Qt::CaseInsensitive, QRegExp::FixedString);
        QAbstractItemView *view = nullptr;
        if (ours) {
            view = &ourView;
        } else {
            proxy.setSourceModel(&standard);
            proxy.setFilterKeyColumn(2);
            qtView.setModel(&proxy);
            view = &qtView;
        }
        view->resize(900, 600);
        view->show();
        QCoreApplication::processEvents();
        auto apply = [&](const QRegExp &iExpression) {
            if (ours)
                table->findRows(iExpression, QStringList {QStringLiteral("k2")}, 1);
            else
                proxy.setFilterRegExp(iExpression);
            QCoreApplication::processEvents();
        };
        const double ms = bestOf([&] { apply(wide); }, [&] { apply(narrow); });
        int shown = proxy.rowCount();
        if (ours) {
            shown = 0;
            for (int r = 0; r < table->rowCount(); ++r)
                shown += ourView.isRowHidden(r) ? 0 : 1;
        }
        out << "ms=" << ms << " shown=" << shown << '\n';
        return 0;
    }

    if (iCase == QLatin1String("append")) {
        // 10,000 rows one call at a time, as a feed adds them, to a 100,000-row model with its view.
        const QVariantList more = makeRows(appendCount, rowCount);
        if (ours)
            ourView.resize(900, 600);
        else
            qtView.setModel(&standard);
        const double single = bestOf(
                [&] {
                    if (ours) {
                        table->loadData(rows);
                    } else {
                        standard.setRowCount(rowCount);
                    }
                },
                [&] {
                    for (const QVariant &row : more) {
                        if (ours)
                            ourView.appendRow(row);
                        else
                            fillStandardRow(standard, row);
                    }
                });
        double bulk = 0;
        if (ours) {
            bulk = bestOf([&] { table->loadData(rows); }, [&] { table->appendRows(more); });
        }
        out << "ms=" << single << " bulk_ms=" << bulk << " rows=" << model->rowCount() << '\n';
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
    out << "100,000 rows x 10 columns unless named; best of 3 where timed repeatedly, reads the median of 5\n";
    const QList<QPair<QString, QString>> cases {
            {"load", "load into the model (ms; peak and retained memory in KiB)"},
            {"loadview", "load with the view attached (ms)"},
            {"read10000", "1,000,000 data() calls, 10,000 rows (ms)"},
            {"read100000", "1,000,000 data() calls, 100,000 rows (ms)"},
            {"read1000000", "1,000,000 data() calls, 1,000,000 rows (ms)"},
            {"filter", "one filtering keystroke, view attached and painted (ms)"},
            {"append", "10,000 single appends to 100,000 rows with the view (ms)"},
    };
    // Case names on the command line run only those.
    const QStringList only = app.arguments().mid(1);
    for (const auto &entry : cases) {
        if (!only.isEmpty() && !only.contains(entry.first))
            continue;
        const QMap<QString, QString> ours = runChild(entry.first, QStringLiteral("ours"));
        const QMap<QString, QString> qt = runChild(entry.first, QStringLiteral("qt"));
        out << entry.second << '\n';
        printFigures(out, "TTableModel/TTableView     ", ours);
        printFigures(out, "QStandardItemModel(+proxy) ", qt);
        printRatio(out, ours, qt);
        out.flush();
    }
    return 0;
}
