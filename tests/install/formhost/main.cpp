// A form from a description: the host makes the widgets; the description
// places them and says how each field is read, written, checked and computed.
#include <tformlayout.h>
#include <tlineedit.h>
#include <tuiloader.h>
#include <vekpane.h>

#include <QApplication>
#include <QJSEngine>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTextStream>

// The loader asks for every item by its "type", upper-cased; an item whose
// type gives no object is skipped (and logged).
static QObject *createWidget(void *, const QString &iType, const QVariant &)
{
    if (iType == QLatin1String("PANE"))
        return new VekPane;
    if (iType == QLatin1String("FORM"))
        return new TFormLayout;
    if (iType == QLatin1String("LINEEDIT"))
        return new TLineEdit;
    if (iType == QLatin1String("PLAINEDIT"))
        return new QLineEdit; // no attribute interface: its item gives a getter and a setter
    return nullptr;
}

static const char description[] = R"(
{type: 'pane', child: {type: 'form', child: [
    {type: 'lineedit', name: 'lot', title: 'Lot', validate: 'NOTNULL'},
    {type: 'plainedit', name: 'panels', title: 'Panels',
     getter: function (_this, obj) { return Number(obj.text); },
     setter: function (_this, obj, value) { obj.text = value === null ? '' : String(value); },
     validate: function (_this, arg) { return arg.value > 0 ? '' : 'at least one panel'; }},
    {type: 'lineedit', name: 'area', title: 'Area', units: 'dm²', formulaTrigger: 'LOAD',
     formula: function (_this) { return _this.getValue('panels') * 2.5; }}
]}}
)";

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QJSEngine engine;
    TUiLoader form; // a host window takes it as a child widget
    form.setEngine(&engine);
    form.setCreator(nullptr, &createWidget);
    if (!form.setUiStr(QString::fromUtf8(description)))
        return 1;

    form.loadValues(QVariantMap {{QStringLiteral("lot"), QStringLiteral("L-2024-17")}, {QStringLiteral("panels"), 4}});
    const QJsonDocument values = QJsonDocument::fromVariant(form.getAllValues().toVariant());
    out << "values " << values.toJson(QJsonDocument::Compact) << '\n';
    out << "problems " << form.validateAll(QStringLiteral("SAVE")).size() << '\n';

    form.setValue(QStringLiteral("panels"), QJSValue(0));
    const QVariantList problems = form.validateAll(QStringLiteral("SAVE"));
    for (const QVariant &problem : problems) {
        const QVariantMap map = problem.toMap();
        out << map.value(QStringLiteral("type")).toString() << ' ' << map.value(QStringLiteral("name")).toString()
            << ": " << map.value(QStringLiteral("message")).toString() << '\n';
    }
    return 0;
}
