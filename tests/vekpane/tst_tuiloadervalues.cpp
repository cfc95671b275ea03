#include "tst_tuiloadercreator.h"
#include "tuiloader.h"

#include <QAction>
#include <QJSEngine>
#include <QLabel>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QtTest>

using tuiloadertest::Form;

class tst_TUiLoaderValues : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gettersAndSetters_data();
    void gettersAndSetters();
    void attributeInterfaceFields();
    void throwingGetterAndSetter();
    void setterDoesNotReenter();
    void loadValues_data();
    void loadValues();
    void loadValuesRefusesNonObjects();
    void clearValuesEmptiesChoiceFields();
    void getAllValuesLeavesOutHidden();
    void dataChangedFollowsBlock();
    void rebuildFromDataChanged();
    void initialValuesAndInitCallbacks();
    void userDataTitlesAndCallbacks();

    void validatorResults_data();
    void validatorResults();
    void validatorArguments();
    void validateHeldBack();
    void notNull_data();
    void notNull();
    void validateAllFilters();
    void validateAllBlocksSetters();
    void validationSignals();
    void validationRestylesOnStateChangeOnly();

    void loadFormulas();
    void formulaTriggeredByField();
    void formulaThatThrowsLeavesField();
    void formulaCycleEnds();
    void statesFromFunctions();
    void actionState();
    void colours_data();
    void colours();
};

// --------------------------------------------------------------- values

void tst_TUiLoaderValues::gettersAndSetters_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read"); // "undefined" when nothing is read
    QTest::addColumn<QString>("text"); // the field's text afterwards
    QTest::newRow("defaults") << QString() << QStringLiteral("abc") << QStringLiteral("abc")
                              << QStringLiteral("abc");
    QTest::newRow("true for both") << QStringLiteral("getter:true, setter:true,") << QStringLiteral("abc")
                                   << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("keys") << QStringLiteral("getter:'placeholder_text', setter:'placeholder_text',")
                          << QStringLiteral("hint") << QStringLiteral("hint") << QString();
    QTest::newRow("empty setter writes the value")
            << QStringLiteral("setter:'',") << QStringLiteral("abc") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("no getter") << QStringLiteral("getter:false,") << QStringLiteral("abc")
                               << QStringLiteral("undefined") << QStringLiteral("abc");
    QTest::newRow("no setter") << QStringLiteral("setter:false,") << QStringLiteral("abc") << QString()
                               << QString();
    QTest::newRow("functions")
            << QStringLiteral("getter:function(_this, obj, argv){return obj.get('value') + argv.suffix;},"
                              " setter:function(_this, obj, value, argv){obj.set('value', value.toUpperCase());},")
            << QStringLiteral("abc") << QStringLiteral("ABC!") << QStringLiteral("ABC");
    QTest::newRow("a key with quotes stays a key")
            << QStringLiteral("getter:\"it's\", setter:\"it's\",") << QStringLiteral("abc")
            << QStringLiteral("undefined") << QString();
}

void tst_TUiLoaderValues::gettersAndSetters()
{
    QFETCH(QString, keys);
    QFETCH(QString, written);
    QFETCH(QString, read);
    QFETCH(QString, text);
    Form form;
    form.loader.registerArgv(QStringLiteral("suffix"), QJSValue(QStringLiteral("!")));
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'f', %1}").arg(keys)));
    form.loader.setValue(QStringLiteral("f"), QJSValue(written));
    const QJSValue value = form.loader.getValue(QStringLiteral("f"));
    QCOMPARE(value.isUndefined() ? QStringLiteral("undefined") : value.toString(), read);
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("f"))->text(), text);
    QVERIFY2(form.log.texts(QStringLiteral("error")).isEmpty(), qPrintable(form.log.texts().join(QLatin1Char('\n'))));
    // Names that are not registered read as undefined and take no writes.
    QVERIFY(form.loader.getValue(QStringLiteral("nothing")).isUndefined());
    form.loader.setValue(QStringLiteral("nothing"), QJSValue(1));
}

void tst_TUiLoaderValues::attributeInterfaceFields()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'CheckBox', name:'c'}, {type:'Label', name:'l'},"
                                      " {type:'SpinBox', name:'s'}, {type:'Chips', name:'chips'}]}")));
    form.loader.setValue(QStringLiteral("c"), QJSValue(2));
    form.loader.setValue(QStringLiteral("l"), QJSValue(QStringLiteral("Panel 4")));
    form.loader.setValue(QStringLiteral("s"), QJSValue(17));
    form.loader.setValue(QStringLiteral("chips"), form.js(QStringLiteral("['A', 'B']")));
    QVERIFY(form.find<QCheckBox>(QStringLiteral("c"))->isChecked());
    QCOMPARE(form.loader.getValue(QStringLiteral("c")).toInt(), 2);
    QCOMPARE(form.find<QLabel>(QStringLiteral("l"))->text(), QStringLiteral("Panel 4"));
    QCOMPARE(form.loader.getValue(QStringLiteral("s")).toInt(), 17);
    QCOMPARE(form.loader.getValue(QStringLiteral("chips")).toVariant().toStringList(),
             (QStringList {QStringLiteral("A"), QStringLiteral("B")}));
}

void tst_TUiLoaderValues::throwingGetterAndSetter()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'LineEdit', name:'bad', getter:function(){ throw new Error('cannot read'); },"
            "   setter:function(){ throw new Error('cannot write'); }},"
            " {type:'LineEdit', name:'good', value:'kept'}]}")));
    const QJSValue read = form.loader.getValue(QStringLiteral("bad"));
    QVERIFY(read.isError());
    QVERIFY(form.logged(QStringLiteral("getter of [bad] failed")));
    QVERIFY(form.logged(QStringLiteral("cannot read")));
    form.loader.setValue(QStringLiteral("bad"), QJSValue(1));
    QVERIFY(form.logged(QStringLiteral("setter of [bad] failed")));
    QCOMPARE(form.loader.getValue(QStringLiteral("good")).toString(), QStringLiteral("kept"));
    QVERIFY(form.loader.loadValues(QVariant(QVariantMap {{QStringLiteral("bad"), 1}, {QStringLiteral("good"), 2}})));
    QCOMPARE(form.loader.getValue(QStringLiteral("good")).toString(), QStringLiteral("2"));
}

void tst_TUiLoaderValues::setterDoesNotReenter()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'LineEdit', name:'f', setter:function(_this, obj, value){"
            "  obj.set('value', obj.get('value') + value); _this.setValue(obj, '!'); _this.setValue('f', '?'); }}")));
    form.loader.setValue(QStringLiteral("f"), QJSValue(QStringLiteral("a")));
    QCOMPARE(form.loader.getValue(QStringLiteral("f")).toString(), QStringLiteral("a"));
    form.loader.setValue(QStringLiteral("f"), QJSValue(QStringLiteral("b")));
    QCOMPARE(form.loader.getValue(QStringLiteral("f")).toString(), QStringLiteral("ab"));
}

void tst_TUiLoaderValues::loadValues_data()
{
    QTest::addColumn<bool>("asVariant");
    QTest::addColumn<bool>("clearBefore");
    QTest::addColumn<QString>("keptValue");
    QTest::newRow("script object, cleared") << false << true << QString();
    QTest::newRow("script object, kept") << false << false << QStringLiteral("old");
    QTest::newRow("variant map, cleared") << true << true << QString();
    QTest::newRow("variant map, kept") << true << false << QStringLiteral("old");
}

void tst_TUiLoaderValues::loadValues()
{
    QFETCH(bool, asVariant);
    QFETCH(bool, clearBefore);
    QFETCH(QString, keptValue);
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'part', validate:'NOTNULL', title:'Part'},"
            " {type:'LineEdit', name:'qty'},"
            " {type:'LineEdit', name:'other', value:'old'},"
            " {type:'LineEdit', name:'total', formulaTrigger:['LOAD'],"
            "   formula:function(_this, obj, argv){ return 'qty=' + _this.getValue('qty'); }},"
            " {type:'LineEdit', name:'extra', state:function(_this, obj){"
            "   return _this.getValue('qty') == '0' ? 'hide' : ''; }}]}")));
    form.live();
    QSignalSpy changed(&form.loader, &TUiLoader::dataChanged);
    const QVariantMap values {{QStringLiteral("qty"), 0}, {QStringLiteral("nosuchfield"), 5},
                              {QStringLiteral("part"), QString()}};
    const bool loaded = asVariant ? form.loader.loadValues(QVariant(values), clearBefore)
                                  : form.loader.loadValues(form.engine.toScriptValue(values), clearBefore);
    QVERIFY(loaded);
    QCOMPARE(form.loader.getValue(QStringLiteral("qty")).toString(), QStringLiteral("0"));
    QCOMPARE(form.loader.getValue(QStringLiteral("other")).toString(), keptValue);
    // Validation with the moment LOAD, LOAD formulas and states ran at the end.
    QCOMPARE(form.find(QStringLiteral("part"))->property("SS_VALIDATEION_STATE").toString(),
             QStringLiteral("ERROR"));
    QCOMPARE(form.loader.getValue(QStringLiteral("total")).toString(), QStringLiteral("qty=0"));
    QVERIFY(form.find(QStringLiteral("extra"))->isHidden());
    QVERIFY(!form.loader.isBlockChange());
    QVERIFY(!form.loader.isBlockValidate());
    QCOMPARE(changed.count(), 0);
}

void tst_TUiLoaderValues::loadValuesRefusesNonObjects()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'f', value:'kept'}")));
    QVERIFY(!form.loader.loadValues(QJSValue(42)));
    QVERIFY(!form.loader.loadValues(QJSValue(QStringLiteral("f=1"))));
    QVERIFY(form.logged(QStringLiteral("is not an object")));
    QCOMPARE(form.loader.getValue(QStringLiteral("f")).toString(), QStringLiteral("kept"));
    // Nothing to load still empties the form.
    QVERIFY(form.loader.loadValues(QJSValue(QJSValue::NullValue)));
    QCOMPARE(form.loader.getValue(QStringLiteral("f")).toString(), QString());
}

void tst_TUiLoaderValues::clearValuesEmptiesChoiceFields()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'Chips', name:'chips', value:['A', 'B']},"
            " {type:'MultiComboBox', name:'multi', property:{item_list:[{name:'a', text:'A'}, {name:'b', text:'B'}],"
            "   current_names:['a', 'b']}},"
            " {type:'RadioBox', name:'radio', property:{item_list:[{name:'x', text:'X'}, {name:'y', text:'Y'}]},"
            "   value:'y'},"
            " {type:'LineEdit', name:'edit', value:'text'}]}")));
    QCOMPARE(form.find<TChips>(QStringLiteral("chips"))->chips().size(), 2);
    QCOMPARE(form.find<TMultiComboBox>(QStringLiteral("multi"))->currentNames().size(), 2);
    QCOMPARE(form.loader.getValue(QStringLiteral("radio")).toString(), QStringLiteral("y"));
    form.loader.clearValues();
    QVERIFY(form.find<TChips>(QStringLiteral("chips"))->chips().isEmpty());
    QVERIFY(form.find<TMultiComboBox>(QStringLiteral("multi"))->currentNames().isEmpty());
    QCOMPARE(form.loader.getValue(QStringLiteral("radio")).toString(), QString());
    QCOMPARE(form.loader.getValue(QStringLiteral("edit")).toString(), QString());
}

void tst_TUiLoaderValues::getAllValuesLeavesOutHidden()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'a', value:'1'},"
                                      " {type:'LineEdit', name:'b', value:'2'},"
                                      " {type:'LineEdit', name:'c', getter:false, value:'3'}]}")));
    form.loader.setState(QStringLiteral("b"), QStringLiteral("hide"));
    const QVariantMap visible = form.loader.getAllValues().toVariant().toMap();
    QCOMPARE(visible, (QVariantMap {{QStringLiteral("a"), QStringLiteral("1")}}));
    const QVariantMap all = form.loader.getAllValues(true).toVariant().toMap();
    QCOMPARE(all, (QVariantMap {{QStringLiteral("a"), QStringLiteral("1")}, {QStringLiteral("b"), QStringLiteral("2")}}));
}

void tst_TUiLoaderValues::dataChangedFollowsBlock()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'a'},"
                                      " {type:'LineEdit', name:'b', changeSignal:['', 'custom']}]}")));
    QSignalSpy changed(&form.loader, &TUiLoader::dataChanged);
    TLineEdit *a = form.find<TLineEdit>(QStringLiteral("a"));
    a->emitSignal(QStringLiteral("value_changed"), 1, QString());
    QCOMPARE(changed.count(), 0);
    form.live();
    a->emitSignal(QStringLiteral("value_changed"), 1, QString());
    // Any event of a watched field counts.
    a->emitSignal(QStringLiteral("focus_in"), QVariant(), QString());
    form.find<TLineEdit>(QStringLiteral("b"))->emitSignal(QStringLiteral("custom"), QVariant(), QString());
    QCOMPARE(changed.count(), 3);
    QVERIFY(!form.loader.isChanged());
}

void tst_TUiLoaderValues::rebuildFromDataChanged()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'a'}")));
    form.live();
    // A host that answers a change with a new form: the sender is still in its event.
    connect(&form.loader, &TUiLoader::dataChanged, &form.loader,
            [&form]() { form.build(QStringLiteral("{type:'LineEdit', name:'b'}")); });
    QPointer<TLineEdit> a = form.find<TLineEdit>(QStringLiteral("a"));
    a->emitSignal(QStringLiteral("value_changed"), QVariant(), QString());
    QVERIFY(form.find(QStringLiteral("b")));
    QVERIFY(!form.find(QStringLiteral("a")));
    QTRY_VERIFY(!a);
}

void tst_TUiLoaderValues::initialValuesAndInitCallbacks()
{
    Form form;
    form.js(QStringLiteral("var seen = [];"));
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'a', value:'first', validate:function(){ return 'never valid'; },"
            "   initCallback:function(_this, obj, argv){ seen.push(obj.objectName + '=' + _this.getValue(obj)"
            "     + ',' + _this.getValue('b') + ',' + typeof argv); }},"
            " {type:'SpinBox', name:'b', value:7}]}")));
    QCOMPARE(form.find<TLineEdit>(QStringLiteral("a"))->text(), QStringLiteral("first"));
    // Init callbacks see the whole form with its initial values, once.
    QCOMPARE(form.js(QStringLiteral("seen.join('|')")).toString(), QStringLiteral("a=first,7,object"));
    // Initial values are not validated while the reset holds validation back.
    QCOMPARE(form.find(QStringLiteral("a"))->property("SS_VALIDATEION_STATE"), QVariant());
}

void tst_TUiLoaderValues::userDataTitlesAndCallbacks()
{
    Form form;
    form.js(QStringLiteral("var clicks = [];"));
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'a', title:'Part number', data:{table:'parts', column:'no'}},"
            " {type:'LineEdit', name:'b'},"
            " {type:'LineEdit'},"
            " {type:'PushButton', name:'toggle', property:{checkable:true},"
            "   callback:function(_this, obj, checked, argv){ clicks.push(obj.objectName + ':' + checked); }}]}")));
    QCOMPARE(form.loader.getTitle(QStringLiteral("a")), QStringLiteral("Part number"));
    QCOMPARE(form.loader.getTitle(QStringLiteral("b")), QStringLiteral("b"));
    QCOMPARE(form.loader.getTitle(QStringLiteral("none")), QString());
    QCOMPARE(form.loader.getUserData(QStringLiteral("a")).property(QStringLiteral("column")).toString(),
             QStringLiteral("no"));
    QVERIFY(form.loader.getUserData(QStringLiteral("b")).isUndefined());
    QPushButton *toggle = form.find<QPushButton>(QStringLiteral("toggle"));
    toggle->click();
    toggle->click();
    QCOMPARE(form.js(QStringLiteral("clicks.join(',')")).toString(), QStringLiteral("toggle:true,toggle:false"));
}

// --------------------------------------------------------------- validation

void tst_TUiLoaderValues::validatorResults_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("sheet");
    const QString saved = QStringLiteral("QLineEdit{color:blue}");
    QTest::newRow("message") << QStringLiteral("'Too long'") << QStringLiteral("ERROR") << QStringLiteral("Too long")
                             << saved;
    QTest::newRow("warning") << QStringLiteral("['Check it', 'warn', '']") << QStringLiteral("WARN")
                             << QStringLiteral("Check it") << saved;
    QTest::newRow("own style sheet") << QStringLiteral("['Bad', '', 'QLineEdit{color:red}']")
                                     << QStringLiteral("ERROR") << QStringLiteral("Bad")
                                     << QStringLiteral("QLineEdit{color:red}");
    QTest::newRow("state without message") << QStringLiteral("['', 'info']") << QStringLiteral("INFO") << QString()
                                           << saved;
    QTest::newRow("empty text is valid") << QStringLiteral("''") << QString() << QString() << saved;
    QTest::newRow("a number is valid") << QStringLiteral("42") << QString() << QString() << saved;
    QTest::newRow("thrown error") << QStringLiteral("(function(){ throw new Error('lookup failed'); })()")
                                  << QStringLiteral("ERROR") << QStringLiteral("Error: lookup failed") << saved;
    // An error that holds a value too deep for text is still an error, without a message.
    const QString deep = QStringLiteral("var deep = []; for (var i = 0; i < 30000; ++i) deep = [deep];"
                                        " var error = new Error('lookup failed');");
    QTest::newRow("error whose message nests 30000 arrays")
            << QStringLiteral("(function(){ %1 error.message = deep; return error; })()").arg(deep)
            << QStringLiteral("ERROR") << QString() << saved;
    QTest::newRow("thrown error whose message nests 30000 arrays")
            << QStringLiteral("(function(){ %1 error.message = deep; throw error; })()").arg(deep)
            << QStringLiteral("ERROR") << QString() << saved;
    QTest::newRow("thrown error whose line number nests 30000 arrays")
            << QStringLiteral("(function(){ %1 error.lineNumber = deep; throw error; })()").arg(deep)
            << QStringLiteral("ERROR") << QString() << saved;
}

void tst_TUiLoaderValues::validatorResults()
{
    QFETCH(QString, answer);
    QFETCH(QString, state);
    QFETCH(QString, tip);
    QFETCH(QString, sheet);
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'f', title:'Field', property:{stylesheet:"
                                      "'QLineEdit{color:blue}'}, validate:function(_this, arg){ return %1; }}")
                               .arg(answer)));
    QWidget *field = form.find(QStringLiteral("f"));
    QCOMPARE(field->property("ORG_STYLESHEET").toString(), QStringLiteral("QLineEdit{color:blue}"));
    // A field marked before, in a state that none of the answers gives, is
    // restyled by each of them; a valid answer clears it.
    field->setProperty("SS_VALIDATEION_STATE", QStringLiteral("STALE"));
    field->setToolTip(QStringLiteral("old"));
    field->setStyleSheet(QStringLiteral("QLineEdit{color:green}"));
    form.live();
    const QVariantMap result = form.loader.validate(field);
    QCOMPARE(field->property("SS_VALIDATEION_STATE").toString(), state);
    QCOMPARE(field->toolTip(), tip);
    QCOMPARE(field->styleSheet(), sheet);
    if (state.isEmpty()) {
        QVERIFY(result.isEmpty());
    } else {
        QCOMPARE(result,
                 (QVariantMap {{QStringLiteral("type"), state}, {QStringLiteral("message"), tip},
                               {QStringLiteral("name"), QStringLiteral("f")}, {QStringLiteral("title"), QStringLiteral("Field")}}));
    }
}

void tst_TUiLoaderValues::validatorArguments()
{
    Form form;
    form.loader.registerArgv(QStringLiteral("plant"), QJSValue(QStringLiteral("P1")));
    QVERIFY(form.build(QStringLiteral(
            "{type:'LineEdit', name:'f', title:'Field', value:'v1', validate:function(_this, arg){"
            "  return [[arg.object.objectName, arg.title, arg.value, arg.moment, arg.plant,"
            "           typeof _this.validateAll, JSON.stringify(_this.validate(arg.object))].join(','), 'info']; }}")));
    form.live();
    const QVariantMap result = form.loader.validate(form.find(QStringLiteral("f")), QStringLiteral("SAVE"));
    // The nested validate of the same field gives an empty map.
    QCOMPARE(result.value(QStringLiteral("message")).toString(), QStringLiteral("f,Field,v1,SAVE,P1,function,{}"));
}

void tst_TUiLoaderValues::validateHeldBack()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'f', validate:'NOTNULL'}")));
    QWidget *field = form.find(QStringLiteral("f"));
    QVERIFY(form.loader.isBlockValidate());
    QVERIFY(form.loader.validate(field).isEmpty());
    QCOMPARE(field->property("SS_VALIDATEION_STATE"), QVariant());
    form.live();
    QVERIFY(form.loader.validate(nullptr).isEmpty());
    QVERIFY(form.loader.validate().isEmpty());
    QVERIFY(!form.loader.validate(field).isEmpty());
}

void tst_TUiLoaderValues::notNull_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value"); // script expression; empty for none
    QTest::addColumn<bool>("fails");
    QTest::newRow("empty line edit") << QStringLiteral("LineEdit") << QString() << true;
    QTest::newRow("filled line edit") << QStringLiteral("LineEdit") << QStringLiteral("'A-1'") << false;
    QTest::newRow("spin box at zero") << QStringLiteral("SpinBox") << QStringLiteral("0") << false;
    QTest::newRow("no chips") << QStringLiteral("Chips") << QString() << true;
    QTest::newRow("a chip") << QStringLiteral("Chips") << QStringLiteral("['A']") << false;
    QTest::newRow("unchecked check box") << QStringLiteral("CheckBox") << QStringLiteral("0") << false;
    QTest::newRow("null from the getter")
            << QStringLiteral("LineEdit', getter:function(){ return null; }, x:'") << QString() << true;
}

void tst_TUiLoaderValues::notNull()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(bool, fails);
    Form form;
    const QString valueKey = value.isEmpty() ? QString() : QStringLiteral(", value:%1").arg(value);
    QVERIFY(form.build(
            QStringLiteral("{type:'%1', name:'f', title:'Part no', validate:'notnull'%2}").arg(type, valueKey)));
    form.live();
    QWidget *field = form.find(QStringLiteral("f"));
    const QVariantMap result = form.loader.validate(field);
    QCOMPARE(!result.isEmpty(), fails);
    QCOMPARE(field->property("SS_VALIDATEION_STATE").toString(), fails ? QStringLiteral("ERROR") : QString());
    if (fails)
        QCOMPARE(field->toolTip(), QStringLiteral("Part no can not be null!"));
    QCOMPARE(field->styleSheet(), QStringLiteral(".Q{}"));
}

void tst_TUiLoaderValues::validateAllFilters()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'e1', validate:'NOTNULL'},"
            " {type:'LineEdit', name:'w1', validate:function(){ return ['careful', 'Warn']; }},"
            " {type:'LineEdit', name:'ok', validate:function(){ return ''; }},"
            " {type:'LineEdit', name:'e2', validate:function(){ return ['bad', 'error']; }},"
            " {type:'LineEdit', name:'free'}]}")));
    form.live();
    const auto names = [](const QVariantList &iList) {
        QStringList result;
        for (const QVariant &entry : iList)
            result.append(entry.toMap().value(QStringLiteral("name")).toString());
        return result;
    };
    QCOMPARE(names(form.loader.validateAll(QStringLiteral("SAVE"))),
             (QStringList {QStringLiteral("e1"), QStringLiteral("w1"), QStringLiteral("e2")}));
    QCOMPARE(names(form.loader.validateAll(QStringLiteral("SAVE"), false, QStringLiteral("error"))),
             (QStringList {QStringLiteral("e1"), QStringLiteral("e2")}));
    QCOMPARE(names(form.loader.validateAll(QStringLiteral("SAVE"), false, QStringLiteral("WARN"))),
             QStringList {QStringLiteral("w1")});
    form.loader.setBlockValidate(true);
    QVERIFY(form.loader.validateAll(QStringLiteral("SAVE")).isEmpty());
}

void tst_TUiLoaderValues::validateAllBlocksSetters()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'LineEdit', name:'a', validate:function(_this, arg){"
            "   _this.setValue('b', 'written'); return ''; }},"
            " {type:'LineEdit', name:'b'}]}")));
    form.live();
    form.loader.validateAll(QStringLiteral("SAVE"), true);
    QCOMPARE(form.loader.getValue(QStringLiteral("b")).toString(), QString());
    form.loader.validateAll(QStringLiteral("SAVE"), false);
    QCOMPARE(form.loader.getValue(QStringLiteral("b")).toString(), QStringLiteral("written"));
}

// Counts how often each widget is polished: a new style sheet and a
// re-polish after a state change both end here.
class PolishCounter : public QProxyStyle
{
public:
    using QProxyStyle::polish;
    using QProxyStyle::QProxyStyle;
    void polish(QWidget *iWidget) override
    {
        ++polished[iWidget];
        QProxyStyle::polish(iWidget);
    }
    QHash<QWidget *, int> polished;
};

void tst_TUiLoaderValues::validationRestylesOnStateChangeOnly()
{
    const QString previousStyle = QApplication::style()->objectName();
    PolishCounter *counter = new PolishCounter(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setStyle(counter);
    Form form;
    form.js(QStringLiteral("var verdict = '';"));
    QVERIFY(form.build(
            QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'required', validate:'NOTNULL', value:'A-1'},"
                           " {type:'LineEdit', name:'checked', validate:function(){ return verdict; }}]}")));
    form.loader.show();
    form.live();
    QVERIFY(form.loader.validateAll(QStringLiteral("SAVE")).isEmpty());
    QWidget *required = form.find(QStringLiteral("required"));
    QWidget *checked = form.find(QStringLiteral("checked"));
    QCOMPARE(required->styleSheet(), QStringLiteral(".Q{}"));

    // Passes that change no state leave the style alone, also one the host set since.
    form.loader.setBgColor(QStringLiteral("checked"), QStringLiteral("yellow"));
    counter->polished.clear();
    for (int pass = 0; pass < 3; ++pass) {
        QVERIFY(form.loader.validateAll(QStringLiteral("SAVE")).isEmpty());
        form.loader.setValue(QStringLiteral("required"), QJSValue(QStringLiteral("A-2")));
    }
    QCOMPARE(counter->polished.value(required), 0);
    QCOMPARE(counter->polished.value(checked), 0);
    QCOMPARE(checked->styleSheet(), QStringLiteral(".TLineEdit{background:yellow}"));

    // A change of state restyles, once.
    form.js(QStringLiteral("verdict = 'bad';"));
    form.loader.setValue(QStringLiteral("required"), QJSValue(QString()));
    QCOMPARE(form.loader.validateAll(QStringLiteral("SAVE")).size(), 2);
    QCOMPARE(required->property("SS_VALIDATEION_STATE").toString(), QStringLiteral("ERROR"));
    QCOMPARE(checked->property("SS_VALIDATEION_STATE").toString(), QStringLiteral("ERROR"));
    QCOMPARE(checked->styleSheet(), QStringLiteral(".Q{}"));
    const int requiredPolished = counter->polished.value(required);
    const int checkedPolished = counter->polished.value(checked);
    QVERIFY(requiredPolished > 0);
    QVERIFY(checkedPolished > 0);
    QCOMPARE(form.loader.validateAll(QStringLiteral("SAVE")).size(), 2);
    QCOMPARE(counter->polished.value(required), requiredPolished);
    QCOMPARE(counter->polished.value(checked), checkedPolished);
    form.loader.hide();
    QApplication::setStyle(previousStyle);
}

void tst_TUiLoaderValues::validationSignals()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'LineEdit', name:'a', validate:'NOTNULL'},"
            " {type:'LineEdit', name:'b', validate:'NOTNULL', validateSignal:['value_changed', 'focus_out']}]}")));
    form.live();
    TLineEdit *a = form.find<TLineEdit>(QStringLiteral("a"));
    TLineEdit *b = form.find<TLineEdit>(QStringLiteral("b"));
    a->emitSignal(QStringLiteral("value_changed"), QVariant(), QString());
    b->emitSignal(QStringLiteral("editing_finished"), QVariant(), QString());
    b->emitSignal(QStringLiteral("Focus_out"), QVariant(), QString());
    QCOMPARE(a->property("SS_VALIDATEION_STATE"), QVariant());
    QCOMPARE(b->property("SS_VALIDATEION_STATE"), QVariant());
    a->emitSignal(QStringLiteral("editing_finished"), QVariant(), QString());
    b->emitSignal(QStringLiteral("focus_out"), QVariant(), QString());
    QCOMPARE(a->property("SS_VALIDATEION_STATE").toString(), QStringLiteral("ERROR"));
    QCOMPARE(b->property("SS_VALIDATEION_STATE").toString(), QStringLiteral("ERROR"));
    // A write validates the field it wrote.
    form.loader.setValue(QStringLiteral("a"), QJSValue(QStringLiteral("x")));
    QCOMPARE(a->property("SS_VALIDATEION_STATE").toString(), QString());
}

// --------------------------------------------------------------- formulas and states

void tst_TUiLoaderValues::loadFormulas()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'SpinBox', name:'w'}, {type:'SpinBox', name:'h'},"
            " {type:'LineEdit', name:'area', formulaTrigger:'LOAD',"
            "   formula:function(_this, obj, argv){ return _this.getValue('w') * _this.getValue('h') * argv.k; }},"
            " {type:'LineEdit', name:'never', formulaTrigger:['nosuchfield', null],"
            "   formula:function(){ return 'ran'; }}]}")));
    form.loader.registerArgv(QStringLiteral("k"), QJSValue(10));
    QVERIFY(form.loader.loadValues(form.js(QStringLiteral("({w:3, h:4})"))));
    QCOMPARE(form.loader.getValue(QStringLiteral("area")).toString(), QStringLiteral("120"));
    QCOMPARE(form.loader.getValue(QStringLiteral("never")).toString(), QString());
    // Held back, nothing is recomputed.
    form.loader.setValue(QStringLiteral("w"), QJSValue(5));
    form.loader.setBlockChange(true);
    form.loader.triggerFormula(&form.loader);
    QCOMPARE(form.loader.getValue(QStringLiteral("area")).toString(), QStringLiteral("120"));
    form.loader.setBlockChange(false);
    form.loader.triggerFormula(&form.loader);
    QCOMPARE(form.loader.getValue(QStringLiteral("area")).toString(), QStringLiteral("200"));
}

void tst_TUiLoaderValues::formulaTriggeredByField()
{
    Form form;
    // The description wires the field's event to the loader, as hosts do.
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'qty', initCallback:function(_this, obj){"
            "   obj.signal.connect(function(type){ if (type === 'value_changed') _this.triggerFormula(obj); }); }},"
            " {type:'LineEdit', name:'twice', formulaTrigger:'qty', validate:'NOTNULL',"
            "   formula:function(_this){ return _this.getValue('qty') * 2; }}]}")));
    form.live();
    TLineEdit *qty = form.find<TLineEdit>(QStringLiteral("qty"));
    qty->setText(QStringLiteral("21"));
    qty->emitSignal(QStringLiteral("value_changed"), QVariant(), QString());
    QCOMPARE(form.loader.getValue(QStringLiteral("twice")).toString(), QStringLiteral("42"));
    // The write of the formula validated the target.
    QCOMPARE(form.find(QStringLiteral("twice"))->property("SS_VALIDATEION_STATE").toString(), QString());
}

void tst_TUiLoaderValues::formulaThatThrowsLeavesField()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'LineEdit', name:'src'},"
            " {type:'LineEdit', name:'dst', value:'before', formulaTrigger:'src',"
            "   formula:function(){ throw new Error('division by zero'); }}]}")));
    form.live();
    form.loader.triggerFormula(form.find(QStringLiteral("src")));
    QCOMPARE(form.loader.getValue(QStringLiteral("dst")).toString(), QStringLiteral("before"));
    QVERIFY(form.logged(QStringLiteral("formula of [dst] failed")));
    QVERIFY(form.logged(QStringLiteral("division by zero")));
}

void tst_TUiLoaderValues::formulaCycleEnds()
{
    Form form;
    // Each setter announces its change, and each change recomputes the other field.
    const QString field = QStringLiteral(
            "{type:'LineEdit', name:'%1', formulaTrigger:'%2',"
            " formula:function(_this){ return Number(_this.getValue('%2')) + 1; },"
            " setter:function(_this, obj, value){ obj.set('value', value); obj.emitSignal('value_changed', value, ''); },"
            " initCallback:function(_this, obj){ obj.signal.connect(function(){ _this.triggerFormula(obj); }); }}");
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[%1, %2]}")
                               .arg(field.arg(QStringLiteral("a"), QStringLiteral("b")),
                                    field.arg(QStringLiteral("b"), QStringLiteral("a")))));
    form.live();
    form.loader.setValue(QStringLiteral("a"), QJSValue(1));
    QCOMPARE(form.loader.getValue(QStringLiteral("b")).toString(), QStringLiteral("2"));
    QCOMPARE(form.loader.getValue(QStringLiteral("a")).toString(), QStringLiteral("1"));
    QVERIFY(form.logged(QStringLiteral("in a cycle")));
    // The form still works afterwards.
    form.loader.setValue(QStringLiteral("b"), QJSValue(10));
    QCOMPARE(form.loader.getValue(QStringLiteral("a")).toString(), QStringLiteral("11"));
}

void tst_TUiLoaderValues::statesFromFunctions()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:{type:'FormLayout', child:["
            " {type:'CheckBox', name:'coated', title:'Coated'},"
            " {type:'LineEdit', name:'thickness', title:'Thickness', units:'um',"
            "   state:function(_this){ return _this.getValue('coated') == 2 ? '' : 'hide'; }},"
            " {type:'LineEdit', name:'note', title:'Note',"
            "   state:function(_this){ return _this.getValue('coated') == 2 ? 'disable' : 'show'; }},"
            " {type:'LineEdit', name:'broken', title:'Broken', state:function(){ throw new Error('no state'); }}]}}")));
    QWidget *thickness = form.find(QStringLiteral("thickness"));
    QWidget *note = form.find(QStringLiteral("note"));
    form.loader.refreshState(); // held back after the build
    QVERIFY(!thickness->isHidden());
    form.live();
    form.loader.refreshState();
    QVERIFY(thickness->isHidden());
    QVERIFY(!thickness->isEnabled());
    QCOMPARE(thickness->property("STATE").toString(), QStringLiteral("HIDE"));
    QVERIFY(note->isEnabled());
    QCOMPARE(note->property("STATE").toString(), QStringLiteral("SHOW"));
    QVERIFY(form.logged(QStringLiteral("state function of [broken] failed")));
    form.loader.setValue(QStringLiteral("coated"), QJSValue(2));
    form.loader.refreshState();
    QVERIFY(!thickness->isHidden());
    QVERIFY(thickness->isEnabled());
    QVERIFY(!note->isHidden());
    QVERIFY(!note->isEnabled());
    form.loader.setState(QStringLiteral("nosuchfield"), QStringLiteral("HIDE"));
    form.loader.setState(static_cast<QObject *>(nullptr), QStringLiteral("HIDE"));
}

void tst_TUiLoaderValues::actionState()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'ToolBar', child:{type:'Action', name:'act'}}")));
    QAction *action = form.find<QToolBar>(QString())->actions().value(0);
    QVERIFY(action);
    form.loader.setState(QStringLiteral("act"), QStringLiteral("Disable"));
    QVERIFY(action->isVisible());
    QVERIFY(!action->isEnabled());
    form.loader.setState(QStringLiteral("act"), QStringLiteral("hide"));
    QVERIFY(!action->isVisible());
    form.loader.setState(QStringLiteral("act"), QStringLiteral("anything"));
    QVERIFY(action->isVisible());
    QVERIFY(action->isEnabled());
}

void tst_TUiLoaderValues::colours_data()
{
    QTest::addColumn<bool>("background");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("background") << true << QStringLiteral("red") << QStringLiteral(".TLineEdit{background:red}");
    QTest::newRow("text") << false << QStringLiteral("#00ff00") << QStringLiteral(".TLineEdit{color:#00ff00}");
    QTest::newRow("background reset") << true << QString() << QStringLiteral(".Q{}");
    QTest::newRow("text reset") << false << QString() << QStringLiteral(".Q{}");
}

void tst_TUiLoaderValues::colours()
{
    QFETCH(bool, background);
    QFETCH(QString, color);
    QFETCH(QString, sheet);
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'f', property:{stylesheet:'QLineEdit{border:0}'}}")));
    if (background)
        form.loader.setBgColor(QStringLiteral("f"), color);
    else
        form.loader.setFgColor(QStringLiteral("f"), color);
    QCOMPARE(form.find(QStringLiteral("f"))->styleSheet(), sheet);
    form.loader.setBgColor(QStringLiteral("nosuchfield"), color);
}

QTEST_MAIN(tst_TUiLoaderValues)
#include "tst_tuiloadervalues.moc"
