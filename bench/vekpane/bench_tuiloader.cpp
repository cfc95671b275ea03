// A form of 500 fields (line edits, spin boxes, check boxes, combo boxes and
// date edits in grids on 10 tabs) built by the UI loader from its description
// and filled with 500 values, side by side with the same widget tree built and
// filled directly in C++; then validateAll on the loader's form.
// Run by hand: build/bench/bench_tuiloader [rounds] [fields]
#include "../../tests/vekpane/tst_tuiloadercreator.h"
#include "tuiloader.h"

#include "benchtiming.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QJSEngine>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using benchtiming::bestMs;

const int fieldsPerTab = 50;

QString fieldType(int iIndex)
{
    static const QStringList types {QStringLiteral("LineEdit"), QStringLiteral("SpinBox"), QStringLiteral("CheckBox"),
                                    QStringLiteral("ComboBox"), QStringLiteral("DateEdit")};
    return types.at(iIndex % types.size());
}

QString fieldName(int iIndex) { return QStringLiteral("f%1").arg(iIndex); }

QVariant fieldValue(int iIndex)
{
    switch (iIndex % 5) {
    case 0:
        return QStringLiteral("PN-%1").arg(iIndex);
    case 1:
        return iIndex % 90;
    case 2:
        return 2;
    case 3:
        return QStringLiteral("B");
    default:
        return QDate(2026, 12, 1).addDays(iIndex % 28).toString(QStringLiteral("yyyy-MM-dd"));
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

void loadDirect(const QList<QWidget *> &iFields)
{
    for (int i = 0; i < iFields.size(); ++i) {
        QWidget *field = iFields.at(i);
        if (TuiAbstract *abstract = dynamic_cast<TuiAbstract *>(field))
            abstract->set(QStringLiteral("value"), fieldValue(i));
        else if (TUiInterface *face = dynamic_cast<TUiInterface *>(field))
            face->setAttr(QStringLiteral("value"), fieldValue(i));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int count = argc > 2 ? std::max(1, atoi(argv[2])) : 500;

    const QString text = description(count);
    QVariantMap values;
    for (int i = 0; i < count; ++i)
        values.insert(fieldName(i), fieldValue(i));

    QJSEngine engine;
    TUiLoader loader;
    loader.setEngine(&engine);
    loader.setCreator(nullptr, &tuiloadertest::create);
    const QJSValue scriptValues = engine.toScriptValue(values);

    bool built = true;
    const double loaderBuild = bestMs(rounds, [&]() { built = loader.setUiStr(text) && built; });
    bool loaded = true;
    const double loaderLoad = bestMs(rounds, [&]() { loaded = loader.loadValues(scriptValues) && loaded; });
    const QJSValue back = loader.getAllValues();
    int invalid = 0;
    const double validate = bestMs(rounds, [&]() { invalid = loader.validateAll(QStringLiteral("SAVE")).size(); });
    // Emptied, the required fields fail and are restyled; the next run marks
    // them again, so each round after the first restyles nothing new.
    loader.clearValues();
    int failing = 0;
    QElapsedTimer firstTimer;
    firstTimer.start();
    failing = loader.validateAll(QStringLiteral("SAVE")).size();
    const double validateFailingFirst = firstTimer.nsecsElapsed() / 1e6;
    const double validateFailing =
            bestMs(rounds, [&]() { failing = loader.validateAll(QStringLiteral("SAVE")).size(); });

    QList<QWidget *> fields;
    QWidget *direct = nullptr;
    const double directBuild = bestMs(rounds, [&]() {
        delete direct;
        fields.clear();
        direct = buildDirect(count, &fields);
    });
    const double directLoad = bestMs(rounds, [&]() { loadDirect(fields); });
    delete direct;

    std::printf("UI loader bench: %d fields on %d tabs, best of %d rounds\n", count,
                (count + fieldsPerTab - 1) / fieldsPerTab, rounds);
    std::printf("  built and loaded: %s, values read back: %d, invalid fields: %d\n",
                built && loaded ? "yes" : "NO", int(back.toVariant().toMap().size()), invalid);
    std::printf("  %-28s %10s %10s %8s\n", "", "loader ms", "direct ms", "ratio");
    std::printf("  %-28s %10.2f %10.2f %8.2f\n", "build", loaderBuild, directBuild, loaderBuild / directBuild);
    std::printf("  %-28s %10.2f %10.2f %8.2f\n", "load 500 values", loaderLoad, directLoad, loaderLoad / directLoad);
    std::printf("  %-28s %10.2f %10.2f %8.2f\n", "build + load", loaderBuild + loaderLoad, directBuild + directLoad,
                (loaderBuild + loaderLoad) / (directBuild + directLoad));
    std::printf("  %-28s %10.2f\n", "validateAll, all valid", validate);
    std::printf("  %-28s %10.2f  (%d invalid, marked afresh)\n", "validateAll, emptied form", validateFailingFirst,
                failing);
    std::printf("  %-28s %10.2f  (%d invalid, marks unchanged)\n", "validateAll again", validateFailing, failing);
    return built && loaded ? 0 : 1;
}
