// A form of 500 fields (line edits, spin boxes, check boxes, combo boxes and
// date edits in grids on 10 tabs) built by the UI loader from its description
// and filled with 500 values by loadValues, side by side with the same widget
// tree built and filled directly in C++; then validateAll on the loader's
// form. Each case runs on each side in a child process of its own.
// Run by hand: build/bench/bench_tuiloader [rounds] [fields]
#include "../../tests/vekpane/tst_tuiloadercreator.h"
#include "tuiloader.h"

#include "benchtiming.h"
#include "modelbench.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QJSEngine>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using benchtiming::roundsMs;

const int fieldsPerTab = 50;

QString fieldType(int iIndex)
{
    static const QStringList types {QStringLiteral("LineEdit"), QStringLiteral("SpinBox"), QStringLiteral("CheckBox"),
                                    QStringLiteral("ComboBox"), QStringLiteral("DateEdit")};
    return types.at(iIndex % types.size());
}

QString fieldName(int iIndex) { return QStringLiteral("f%1").arg(iIndex); }

// Two records: a load alternating between them changes every field.
QVariant fieldValue(int iIndex, int iRecord = 0)
{
    switch (iIndex % 5) {
    case 0:
        return QStringLiteral("PN-%1-%2").arg(iIndex).arg(iRecord);
    case 1:
        return (iIndex + iRecord) % 90;
    case 2:
        return iRecord ? 0 : 2;
    case 3:
        return iRecord ? QStringLiteral("C") : QStringLiteral("B");
    default:
        return QDate(2026, 12, 1).addDays(iIndex % 28 + iRecord).toString(QStringLiteral("yyyy-MM-dd"));
    }
}

// Every second field is required; combo boxes get their items.
QString description(int iFields)
{
    QString tabs;
    for (int first = 0; first < iFields; first += fieldsPerTab) {
        QString cells;
        for (int i = first; i < std::min(iFields, first + fieldsPerTab); ++i) {
            const int row = i - first;
            const QString extra = fieldType(i) == QLatin1String("ComboBox")
                    ? QStringLiteral(", property:{item_list:['A','B','C']}")
                    : QString();
            cells += QStringLiteral("{type:'Label', property:{text:'Field %1'}, pack:{row:%2, column:0}},"
                                    "{type:'%3', name:'%4', title:'Field %1'%5%6, pack:{row:%2, column:1}},")
                             .arg(i)
                             .arg(row)
                             .arg(fieldType(i), fieldName(i), extra,
                                  i % 2 ? QString() : QStringLiteral(", validate:'NOTNULL'"));
        }
        tabs += QStringLiteral("{type:'Pane', pack:{label:'Tab %1'}, child:{type:'GridLayout', child:[%2]}},")
                        .arg(first / fieldsPerTab)
                        .arg(cells);
    }
    return QStringLiteral("{type:'TabWidget', name:'tabs', child:[%1]}").arg(tabs);
}

// The same tree without the loader: the widgets' own attribute calls.
QWidget *buildDirect(int iFields, QList<QWidget *> *oFields)
{
    QWidget *top = new QWidget;
    QVBoxLayout *box = new QVBoxLayout(top);
    box->setContentsMargins(0, 0, 0, 0);
    TTabWidget *tabs = new TTabWidget;
    box->addWidget(tabs);
    for (int first = 0; first < iFields; first += fieldsPerTab) {
        VekPane *pane = new VekPane;
        TGridLayout *grid = new TGridLayout;
        for (int i = first; i < std::min(iFields, first + fieldsPerTab); ++i) {
            const int row = i - first;
            TLabel *label = new TLabel;
            label->setAttr(QStringLiteral("text"), QStringLiteral("Field %1").arg(i));
            grid->addWidget(label, row, 0);
            QWidget *field = static_cast<QWidget *>(tuiloadertest::create(nullptr, fieldType(i).toUpper(), QVariant()));
            field->setObjectName(fieldName(i));
            if (TComboBox *combo = qobject_cast<TComboBox *>(field))
                combo->set(QStringLiteral("item_list"), QStringList {QStringLiteral("A"), QStringLiteral("B"),
                                                                     QStringLiteral("C")});
            grid->addWidget(field, row, 1);
            oFields->append(field);
        }
        pane->setLayout(grid);
        tabs->addTab(pane, QStringLiteral("Tab %1").arg(first / fieldsPerTab));
    }
    return top;
}

void setDirect(QWidget *iField, const QVariant &iValue)
{
    if (TuiAbstract *abstract = dynamic_cast<TuiAbstract *>(iField))
        abstract->set(QStringLiteral("value"), iValue);
    else if (TUiInterface *face = dynamic_cast<TUiInterface *>(iField))
        face->setAttr(QStringLiteral("value"), iValue);
}

void loadDirect(const QList<QWidget *> &iFields, int iRecord)
{
    for (int i = 0; i < iFields.size(); ++i)
        setDirect(iFields.at(i), fieldValue(i, iRecord));
}

// The rounds and fields of the parent's command line reach the children here.
const char roundsVariable[] = "BENCH_TUILOADER_ROUNDS";
const char fieldsVariable[] = "BENCH_TUILOADER_FIELDS";

QString figure(double iMs) { return QString::number(iMs, 'f', 2); }

// Best and median of the rounds as "NAME=best NAME_median=median".
QString timesOf(const QString &iName, const std::vector<double> &iTimes)
{
    return QStringLiteral("%1=%2 %1_median=%3").arg(iName, figure(iTimes.front()), figure(iTimes[iTimes.size() / 2]));
}

QVariantMap valuesOf(int iCount, int iRecord)
{
    QVariantMap values;
    for (int i = 0; i < iCount; ++i)
        values.insert(fieldName(i), fieldValue(i, iRecord));
    return values;
}

int runLoaderCase(const QString &iCase, int iRounds, int iCount, QTextStream &oOut)
{
    QJSEngine engine;
    TUiLoader loader;
    loader.setEngine(&engine);
    loader.setCreator(nullptr, &tuiloadertest::create);
    const QString text = description(iCount);
    if (iCase == QLatin1String("build")) {
        bool built = true;
        const std::vector<double> times = roundsMs(iRounds, [&]() { built = loader.setUiStr(text) && built; });
        oOut << timesOf(QStringLiteral("ms"), times) << " ok=" << int(built) << '\n';
        return built ? 0 : 1;
    }
    if (!loader.setUiStr(text))
        return 1;
    // A form being filled is on screen: its fields are polished, and a
    // restyle costs what it costs there.
    loader.show();
    QCoreApplication::processEvents();
    const QJSValue records[] = {engine.toScriptValue(valuesOf(iCount, 0)), engine.toScriptValue(valuesOf(iCount, 1))};
    bool loaded = true;
    int round = 0;
    const std::vector<double> loadTimes
            = roundsMs(iRounds, [&]() { loaded = loader.loadValues(records[++round % 2]) && loaded; });
    const std::vector<double> sameTimes
            = roundsMs(iRounds, [&]() { loaded = loader.loadValues(records[0]) && loaded; });
    const int readBack = loader.getAllValues().toVariant().toMap().size();
    if (iCase == QLatin1String("load")) {
        oOut << timesOf(QStringLiteral("ms"), loadTimes) << ' ' << timesOf(QStringLiteral("same"), sameTimes)
             << " ok=" << int(loaded) << " read=" << readBack << '\n';
        return loaded ? 0 : 1;
    }
    // validateAll on the filled form, then on the emptied one, where the
    // required fields fail: the first run marks them, the next ones find
    // them marked already.
    int invalid = 0;
    const std::vector<double> valid
            = roundsMs(iRounds, [&]() { invalid = loader.validateAll(QStringLiteral("SAVE")).size(); });
    loader.clearValues();
    int failing = 0;
    QElapsedTimer first;
    first.start();
    failing = loader.validateAll(QStringLiteral("SAVE")).size();
    const double firstMs = first.nsecsElapsed() / 1e6;
    const std::vector<double> again
            = roundsMs(iRounds, [&]() { failing = loader.validateAll(QStringLiteral("SAVE")).size(); });
    oOut << timesOf(QStringLiteral("valid"), valid) << " invalid=" << invalid << " emptied_first=" << figure(firstMs)
         << ' ' << timesOf(QStringLiteral("emptied_again"), again) << " failing=" << failing << '\n';
    return 0;
}

int runDirectCase(const QString &iCase, int iRounds, int iCount, QTextStream &oOut)
{
    QList<QWidget *> fields;
    QWidget *direct = nullptr;
    if (iCase == QLatin1String("build")) {
        const std::vector<double> times = roundsMs(iRounds, [&]() {
            delete direct;
            fields.clear();
            direct = buildDirect(iCount, &fields);
        });
        delete direct;
        oOut << timesOf(QStringLiteral("ms"), times) << '\n';
        return 0;
    }
    if (iCase != QLatin1String("load"))
        return 1;
    direct = buildDirect(iCount, &fields);
    direct->show();
    QCoreApplication::processEvents();
    int round = 0;
    const std::vector<double> times = roundsMs(iRounds, [&]() { loadDirect(fields, ++round % 2); });
    loadDirect(fields, 0);
    const std::vector<double> sameTimes = roundsMs(iRounds, [&]() { loadDirect(fields, 0); });
    delete direct;
    oOut << timesOf(QStringLiteral("ms"), times) << ' ' << timesOf(QStringLiteral("same"), sameTimes) << '\n';
    return 0;
}

int runCase(const QString &iCase, const QString &iSide)
{
    const int rounds = std::max(1, qEnvironmentVariableIntValue(roundsVariable));
    const int count = std::max(1, qEnvironmentVariableIntValue(fieldsVariable));
    QTextStream out(stdout);
    if (iSide == QLatin1String("loader"))
        return runLoaderCase(iCase, rounds, count, out);
    if (iSide == QLatin1String("direct"))
        return runDirectCase(iCase, rounds, count, out);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int named = modelbench::runNamedCase(app.arguments(), runCase);
    if (named >= 0)
        return named;

    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int count = argc > 2 ? std::max(1, atoi(argv[2])) : 500;
    qputenv(roundsVariable, QByteArray::number(rounds));
    qputenv(fieldsVariable, QByteArray::number(count));

    QTextStream out(stdout);
    out << "UI loader bench: " << count << " fields on " << (count + fieldsPerTab - 1) / fieldsPerTab
        << " tabs; best and median of " << rounds << " rounds, each case and side in a process of its own (ms)\n";
    bool ok = true;
    const QList<QPair<QString, QString>> compared {
            {QStringLiteral("build"), QStringLiteral("build the form")},
            {QStringLiteral("load"), QStringLiteral("loadValues beside setting the same values from C++: ms "
                                                    "alternates between two records, same loads one record again")},
    };
    for (const auto &entry : compared) {
        const QMap<QString, QString> loader = modelbench::runChild(entry.first, QStringLiteral("loader"));
        const QMap<QString, QString> direct = modelbench::runChild(entry.first, QStringLiteral("direct"));
        out << entry.second << '\n';
        modelbench::printFigures(out, "loader", loader);
        modelbench::printFigures(out, "direct", direct);
        ok = ok && !loader.contains(QStringLiteral("error")) && !direct.contains(QStringLiteral("error"));
        const double ours = loader.value(QStringLiteral("ms")).toDouble();
        const double theirs = direct.value(QStringLiteral("ms")).toDouble();
        const double oursMedian = loader.value(QStringLiteral("ms_median")).toDouble();
        const double theirsMedian = direct.value(QStringLiteral("ms_median")).toDouble();
        if (theirs > 0 && theirsMedian > 0) {
            out << "  ratio loader/direct: best " << QString::number(ours / theirs, 'f', 2) << ", median "
                << QString::number(oursMedian / theirsMedian, 'f', 2) << '\n';
        }
        const double same = direct.value(QStringLiteral("same")).toDouble();
        const double sameMedian = direct.value(QStringLiteral("same_median")).toDouble();
        if (same > 0 && sameMedian > 0) {
            out << "  ratio loader/direct, the same record again: best "
                << QString::number(loader.value(QStringLiteral("same")).toDouble() / same, 'f', 2) << ", median "
                << QString::number(loader.value(QStringLiteral("same_median")).toDouble() / sameMedian, 'f', 2) << '\n';
        }
        out.flush();
    }
    const QMap<QString, QString> validate = modelbench::runChild(QStringLiteral("validate"), QStringLiteral("loader"));
    out << "validateAll on the filled form, then on the emptied one\n";
    modelbench::printFigures(out, "loader", validate);
    ok = ok && !validate.contains(QStringLiteral("error"));
    return ok ? 0 : 1;
}
