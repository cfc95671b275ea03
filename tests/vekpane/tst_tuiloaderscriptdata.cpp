// Descriptions and values are script data: reading them runs script (getters,
// proxies, toString), and their values may nest without end.
#include "tst_tuiloadercreator.h"
#include "tuiloader.h"

#include <QJSEngine>
#include <QPointer>
#include <QtTest>

using tuiloadertest::Form;

namespace {

class Deleter : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void deleteObject(QObject *iObj) { delete iObj; }
};

// Script that leaves 30000 levels of objects and arrays in a variable "deep".
const QString deepScript
        = QStringLiteral("var deep = 'bottom'; for (var i = 0; i < 30000; ++i) deep = (i % 2) ? {a: deep} : [deep];");

int deepLines(const VekLogCapture &iLog)
{
    const QStringList lines = iLog.texts(QStringLiteral("error"));
    return int(std::count_if(lines.cbegin(), lines.cend(),
                             [](const QString &iLine) { return iLine.contains(QLatin1String("deeper than 256")); }));
}

} // namespace

class tst_TUiLoaderScriptData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readingDeletesTheForm_data();
    void readingDeletesTheForm();
    void readingDeletesTheFormLater_data();
    void readingDeletesTheFormLater();
    void descriptionReadOnce();

    void deepDescriptionValues_data();
    void deepDescriptionValues();
    void deepValuesWritten_data();
    void deepValuesWritten();
    void deepValuesFromCpp();
    void deepArraysReadAsText_data();
    void deepArraysReadAsText();
};

// ------------------------------------------------------------ reading runs script

void tst_TUiLoaderScriptData::readingDeletesTheForm_data()
{
    // Items whose reading deletes the form (close() deletes the loader).
    QTest::addColumn<QString>("item");
    QTest::newRow("getter on type") << QStringLiteral("{get type(){ close(); return 'LineEdit'; }, name:'f'}");
    QTest::newRow("getter on name") << QStringLiteral("{type:'LineEdit', get name(){ close(); return 'f'; }}");
    QTest::newRow("name whose text runs script")
            << QStringLiteral("{type:'LineEdit', name:{toString: function(){ close(); return 'f'; }}}");
    QTest::newRow("getter inside property")
            << QStringLiteral("{type:'LineEdit', name:'f', property:{get text(){ close(); return 'x'; }}}");
    QTest::newRow("getter on a formulaTrigger entry")
            << QStringLiteral("{type:'LineEdit', name:'f', formulaTrigger:(function(){ var a = ['LOAD'];"
                              " Object.defineProperty(a, 0, {get: function(){ close(); return 'LOAD'; }});"
                              " return a; })()}");
    QTest::newRow("getter inside newParam")
            << QStringLiteral("{type:'FormLayout', name:'f', newParam:{get n(){ close(); return 2; }}}");
    QTest::newRow("getter inside pack") << QStringLiteral("{type:'VBoxLayout', child:{type:'LineEdit', name:'f',"
                                                          " pack:{get stretch(){ close(); return 1; }}}}");
    QTest::newRow("pack number that runs script")
            << QStringLiteral("{type:'GridLayout', child:{type:'LineEdit', name:'f',"
                              " pack:{row:{valueOf: function(){ close(); return 1; }}}}}");
    QTest::newRow("getter on a buddy entry")
            << QStringLiteral("{type:'LineEdit', name:'f', buddy:{get a(){ close(); return 'g'; }}}");
    QTest::newRow("getter on a validateSignal entry") << QStringLiteral(
            "{type:'LineEdit', name:'f', validateSignal:[{toString: function(){ close(); return 'x'; }}]}");
    QTest::newRow("callback that is no function") << QStringLiteral(
            "{type:'PushButton', name:'f', callback:{toString: function(){ close(); return 'no'; }}}");
    QTest::newRow("validate that is neither function nor NOTNULL")
            << QStringLiteral("{type:'LineEdit', name:'f', validate:{toString: function(){ close(); return 'no'; }}}");
    QTest::newRow("getter on title") << QStringLiteral(
            "{type:'LineEdit', name:'f', get title(){ close(); return 'T'; }}");
    QTest::newRow("getter on a child entry")
            << QStringLiteral("{type:'Pane', name:'f', child:(function(){ var a = [{type:'Label'}];"
                              " Object.defineProperty(a, 0, {get: function(){ close(); return {type:'Label'}; }});"
                              " return a; })()}");
    QTest::newRow("proxy item") << QStringLiteral("new Proxy({type:'LineEdit', name:'f'}, {get: function(t, k){"
                                                  " if (k === 'property') close(); return t[k]; }})");
    QTest::newRow("form label whose text runs script") << QStringLiteral(
            "{type:'FormLayout', child:{type:'LineEdit', name:'f', title:(function(){"
            " var t = function(){}; t.toString = function(){ close(); return 'T'; }; return t; })()}}");
    QTest::newRow("getter on a form label item")
            << QStringLiteral("{type:'FormLayout', child:{type:'LineEdit', name:'f',"
                              " pack:{label:{get type(){ close(); return 'Label'; }}}}}");
}

void tst_TUiLoaderScriptData::readingDeletesTheForm()
{
    QFETCH(QString, item);
    QJSEngine engine;
    Deleter host;
    VekLogCapture log;
    QWidget window;
    QPointer<TUiLoader> loader = new TUiLoader(&window);
    loader->setEngine(&engine);
    loader->setCreator(nullptr, &tuiloadertest::create);
    loader->registerArgvObject(QStringLiteral("host"), &host);
    const QString description = QStringLiteral("function(_this, argv){ var close = function(){"
                                               " argv.host.deleteObject(_this); };"
                                               " return {type:'Pane', child:[{type:'LineEdit', name:'before'}, %1,"
                                               " {type:'LineEdit', name:'after'}]}; }")
                                        .arg(item);
    QVERIFY(!loader->setUiStr(description));
    QVERIFY(!loader);
    QVERIFY(window.children().isEmpty());
}

void tst_TUiLoaderScriptData::readingDeletesTheFormLater_data()
{
    // Values read after the build: what the host does, and the field's keys.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("keys");
    QTest::newRow("accessor on argv that validation copies")
            << QStringLiteral("validateAll")
            << QStringLiteral("validate:function(){ return ''; }, initCallback:function(_this, obj, argv){"
                              " Object.defineProperty(argv, 'trap', {enumerable:true,"
                              " get: function(){ argv.host.deleteObject(_this); return 1; }}); }");
    QTest::newRow("validator message that runs script")
            << QStringLiteral("validateAll")
            << QStringLiteral("validate:function(_this, arg){ return [{toString: function(){"
                              " arg.host.deleteObject(_this); return 'bad'; }}, 'ERROR', '']; }");
    QTest::newRow("validator answer with a getter")
            << QStringLiteral("validateAll")
            << QStringLiteral("validate:function(_this, arg){ var a = ['x', 'ERROR', ''];"
                              " Object.defineProperty(a, 2, {get: function(){ arg.host.deleteObject(_this);"
                              " return ''; }}); return a; }");
    QTest::newRow("state text that runs script")
            << QStringLiteral("load")
            << QStringLiteral("state:function(_this, obj, argv){ return {toString: function(){"
                              " argv.host.deleteObject(_this); return 'HIDE'; }}; }");
    QTest::newRow("title text that runs script when validated")
            << QStringLiteral("validateAll")
            << QStringLiteral("validate:'NOTNULL', title:{toString: function(){"
                              " argv.host.deleteObject(argv.form); return 'T'; }}");
}

void tst_TUiLoaderScriptData::readingDeletesTheFormLater()
{
    QFETCH(QString, action);
    QFETCH(QString, keys);
    QJSEngine engine;
    Deleter host;
    VekLogCapture log;
    QWidget window;
    QPointer<TUiLoader> loader = new TUiLoader(&window);
    loader->setEngine(&engine);
    loader->setCreator(nullptr, &tuiloadertest::create);
    loader->registerArgvObject(QStringLiteral("host"), &host);
    loader->registerArgvObject(QStringLiteral("form"), loader);
    QVERIFY(loader->setUiStr(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f', %1},"
                                            " {type:'LineEdit', name:'g', validate:'NOTNULL'}]}")
                                     .arg(keys)));
    loader->setBlockChange(false);
    loader->setBlockValidate(false);
    if (action == QLatin1String("validateAll"))
        loader->validateAll(QStringLiteral("SAVE"));
    else
        QVERIFY(!loader->loadValues(QVariant(QVariantMap {{QStringLiteral("f"), 1}})));
    QVERIFY(!loader);
    QVERIFY(window.children().isEmpty());
}

void tst_TUiLoaderScriptData::descriptionReadOnce()
{
    // Every key of an item is read once, before anything is made from it.
    Form form;
    const QJSValue description = form.js(QStringLiteral(
            "var reads = {};"
            " var item = new Proxy({type:'LineEdit', name:'f', title:'F', property:{placeholder_text:'x'}, tabOrder:1},"
            " {get: function(t, k){ reads[k] = (reads[k] || 0) + 1; return t[k]; }});"
            " ({type:'FormLayout', child:[item]})"));
    QVERIFY(form.loader.setUiValue(description));
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("f"))->placeholderText(), QStringLiteral("x"));
    QCOMPARE(form.loader.getTitle(QStringLiteral("f")), QStringLiteral("F"));
    const QJSValue reads = form.js(QStringLiteral("reads"));
    for (const QString &key : {QStringLiteral("type"), QStringLiteral("name"), QStringLiteral("title"),
                               QStringLiteral("property"), QStringLiteral("pack"), QStringLiteral("child")})
        QVERIFY2(reads.property(key).toInt() == 1, qPrintable(key + QLatin1Char(' ') + reads.property(key).toString()));
}

// ------------------------------------------------------------ deep values

void tst_TUiLoaderScriptData::deepDescriptionValues_data()
{
    // An item with a deep value, whether the item itself is made.
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("made");
    QTest::newRow("newParam") << QStringLiteral("{type:'FormLayout', name:'f', newParam:deep}") << false;
    QTest::newRow("property of the attribute interface")
            << QStringLiteral("{type:'LineEdit', name:'f', property:{placeholder_text:'kept', tool_tip:deep}}") << true;
    QTest::newRow("Qt property") << QStringLiteral(
            "{type:'LineEdit', name:'f', property:{placeholder_text:'kept', windowTitle:deep}}")
                                 << true;
}

void tst_TUiLoaderScriptData::deepDescriptionValues()
{
    QFETCH(QString, item);
    QFETCH(bool, made);
    Form form;
    const QJSValue description
            = form.js(deepScript
                      + QStringLiteral("({type:'Pane', name:'top', child:[{type:'LineEdit', name:'before'},"
                                       " %1, {type:'LineEdit', name:'after'}]})")
                                .arg(item));
    QVERIFY(description.isObject());
    const bool built = form.loader.setUiValue(description);
    QCOMPARE(deepLines(form.log), 1);
    QVERIFY(!built);
    QCOMPARE(form.loader.findChild<QObject *>(QStringLiteral("f")) != nullptr, made);
    QVERIFY(form.find(QStringLiteral("before")));
    QCOMPARE(form.find(QStringLiteral("after"))->parentWidget(), form.find(QStringLiteral("top")));
    if (TLineEdit *edit = form.find<TLineEdit>(QStringLiteral("f")))
        QCOMPARE(edit->placeholderText(), QStringLiteral("kept"));
}

void tst_TUiLoaderScriptData::deepValuesWritten_data()
{
    // How the deep value is written to the field "f", which holds "old"
    // before (the initial value: nothing), and what "f" and "g" hold after.
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("f");
    QTest::addColumn<QString>("g");
    QTest::newRow("initial value") << QStringLiteral("value") << 1 << QString() << QStringLiteral("old");
    QTest::newRow("setValue from script")
            << QStringLiteral("_this.setValue('f', deep)") << 1 << QStringLiteral("old") << QStringLiteral("old");
    QTest::newRow("loadValues from script") << QStringLiteral("_this.loadValues({f: deep, g: 'new'}, false)") << 1
                                            << QStringLiteral("old") << QStringLiteral("new");
    // An array takes the variant form; its names are no fields.
    QTest::newRow("loadValues of an array from script")
            << QStringLiteral("_this.loadValues([deep], false)") << 0 << QStringLiteral("old") << QStringLiteral("old");
    QTest::newRow("script value inside a host's map")
            << QStringLiteral("variant") << 1 << QStringLiteral("old") << QStringLiteral("old");
}

void tst_TUiLoaderScriptData::deepValuesWritten()
{
    QFETCH(QString, how);
    QFETCH(int, lines);
    QFETCH(QString, f);
    QFETCH(QString, g);
    Form form;
    form.js(deepScript);
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f', value:%1},"
                                      " {type:'LineEdit', name:'g', value:'old'}]}")
                               .arg(how == QLatin1String("value") ? QStringLiteral("deep") : QStringLiteral("'old'"))));
    form.live();
    if (how == QLatin1String("variant")) {
        // The whole load is refused, as for a host's own list.
        const QJSValue deep = form.js(QStringLiteral("deep"));
        QVERIFY(!form.loader.loadValues(QVariant(QVariantMap {{QStringLiteral("f"), QVariant::fromValue(deep)},
                                                              {QStringLiteral("g"), QStringLiteral("new")}}),
                                        false));
    } else if (how != QLatin1String("value")) {
        const QJSValue result = form.js(QStringLiteral("(function(_this){ %1; return true; })").arg(how))
                                        .call({form.engine.newQObject(&form.loader)});
        QVERIFY(!result.isError());
    }
    QCOMPARE(deepLines(form.log), lines);
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("f"))->text(), f);
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("g"))->text(), g);
}

void tst_TUiLoaderScriptData::deepValuesFromCpp()
{
    // A host's own lists count their levels the same way.
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f', value:'old'}]}")));
    form.live();
    QVariant deep = QStringLiteral("bottom");
    for (int i = 0; i < 300; ++i)
        deep = QVariantList {deep};
    QVERIFY(!form.loader.loadValues(QVariant(QVariantMap {{QStringLiteral("f"), deep}})));
    QCOMPARE(deepLines(form.log), 1);
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("f"))->text(), QStringLiteral("old"));
    // Within the limit the same shape loads.
    QVariant shallow = QStringLiteral("bottom");
    for (int i = 0; i < 10; ++i)
        shallow = QVariantList {shallow};
    QVERIFY(form.loader.loadValues(QVariant(
            QVariantMap {{QStringLiteral("f"), QStringLiteral("new")}, {QStringLiteral("unknown"), shallow}})));
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("f"))->text(), QStringLiteral("new"));
}

void tst_TUiLoaderScriptData::deepArraysReadAsText_data()
{
    // Where a description's value is taken as text or as a number, an array
    // of 30,000 levels: the engine's own join of it overflows the stack.
    QTest::addColumn<QString>("item");
    QTest::newRow("type") << QStringLiteral("{type:deepArray, name:'f'}");
    QTest::newRow("name") << QStringLiteral("{type:'LineEdit', name:deepArray}");
    QTest::newRow("pack that is no object") << QStringLiteral("{type:'LineEdit', name:'f', pack:deepArray}");
    QTest::newRow("pack text") << QStringLiteral("{type:'LineEdit', name:'f', pack:{alignment:deepArray}}");
    QTest::newRow("pack number") << QStringLiteral("{type:'LineEdit', name:'f', pack:{stretch:deepArray}}");
    QTest::newRow("property that is no object") << QStringLiteral("{type:'LineEdit', name:'f', property:deepArray}");
    QTest::newRow("getter that is no function") << QStringLiteral("{type:'LineEdit', name:'f', getter:deepArray}");
    QTest::newRow("formulaTrigger entry") << QStringLiteral("{type:'LineEdit', name:'f', formulaTrigger:[deepArray]}");
    QTest::newRow("tabOrder") << QStringLiteral("{type:'LineEdit', name:'f', tabOrder:deepArray}");
    QTest::newRow("validator's message") << QStringLiteral(
            "{type:'LineEdit', name:'f', validate:function(){ return [deepArray]; }}");
    // An error's text holds its message.
    QTest::newRow("name that is an error") << QStringLiteral("{type:'LineEdit', name:deepError}");
    QTest::newRow("validator's message that is an error")
            << QStringLiteral("{type:'LineEdit', name:'f', validate:function(){ return [deepError]; }}");
    // Too deep to compare with nothing: the field holds something.
    QTest::newRow("NOTNULL field's value") << QStringLiteral(
            "{type:'LineEdit', name:'f', validate:'NOTNULL', getter:function(){ return deepArray; }}");
    QTest::newRow("NOTNULL check box's value") << QStringLiteral(
            "{type:'CheckBox', name:'f', validate:'NOTNULL', getter:function(){ return deepArray; }}");
}

void tst_TUiLoaderScriptData::deepArraysReadAsText()
{
    QFETCH(QString, item);
    Form form;
    form.js(QStringLiteral("var deepArray = []; for (var i = 0; i < 30000; ++i) deepArray = [deepArray];"
                           " var deepError = new Error(); deepError.message = deepArray;"));
    const QJSValue description
            = form.js(QStringLiteral("({type:'VBoxLayout', child:[%1, {type:'LineEdit', name:'after'}]})").arg(item));
    QVERIFY(description.isObject());
    form.loader.setUiValue(description);
    form.live();
    QCOMPARE(form.loader.validateAll(QStringLiteral("SAVE")).size(), 0);
    // The rest of the form is built and the value was refused, not joined.
    QVERIFY(form.find(QStringLiteral("after")));
    QVERIFY(deepLines(form.log) <= 1);
}

QTEST_MAIN(tst_TUiLoaderScriptData)
#include "tst_tuiloaderscriptdata.moc"
