#include "tst_tuiloadercreator.h"
#include "tuiloader.h"
#include "veklogcapture.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QDockWidget>
#include <QGridLayout>
#include <QJSEngine>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

using tuiloadertest::Form;
using tuiloadertest::Made;

class tst_TUiLoader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void evaluatesTextForms_data();
    void evaluatesTextForms();
    void badTextKeepsForm_data();
    void badTextKeepsForm();
    void withoutEngineNothingEvaluates();
    void smallMembers();
    void keypadEnterConsumed();

    void boxLayoutPacking();
    void formPacking();
    void gridPacking_data();
    void gridPacking();
    void pagedContainers();
    void titleExpanderAreas();
    void splitterPacking();
    void scrollAreaTakesOneWidget();
    void mainWindowParts();
    void toolBarsMenusAndActions();
    void buttonMenuAndLineEditWidgets();
    void plainWidgetKeepsOneBox();
    void nestedChildArrays();
    void itemProperties();
    void keysUnknownToTheInterfaceKept();
    void buddiesAndTabOrder();
    void badItemsStillBuildTheRest_data();
    void badItemsStillBuildTheRest();
    void rebuildReplacesForm();
    void rebuildFromCallbackOfItsOwnButton();
    void rebuildFromInitCallbackRefused();
    void hostDeletesAField();
    void formDeletedByItsOwnScript_data();
    void formDeletedByItsOwnScript();
    void cyclicOrDeepDescriptions_data();
    void cyclicOrDeepDescriptions();
};

void tst_TUiLoader::evaluatesTextForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("object literal") << QStringLiteral("{type:'LineEdit', name:argv.fieldName}");
    QTest::newRow("function") << QStringLiteral(
            "function(_this, argv){ if (!_this.isBlockChange || argv.fieldName !== 'f1') throw new Error('bad');"
            " return {type:'LineEdit', name:argv.fieldName}; }");
    QTest::newRow("function after a line break")
            << QStringLiteral("\n  function(_this, argv){ return {type:'LineEdit', name:argv.fieldName}; }");
    QTest::newRow("literal after a line break, comment after it")
            << QStringLiteral("\n{type:'LineEdit', name:argv.fieldName} // the only field");
}

void tst_TUiLoader::evaluatesTextForms()
{
    QFETCH(QString, text);
    Form form;
    form.loader.registerArgv(QStringLiteral("fieldName"), QJSValue(QStringLiteral("f1")));
    QVERIFY(form.build(text));
    QVERIFY(form.find<TLineEdit>(QStringLiteral("f1")));
    QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
    // The reset leaves the form quiet until the host lets it go.
    QVERIFY(form.loader.isBlockChange());
    QVERIFY(form.loader.isBlockValidate());
}

void tst_TUiLoader::badTextKeepsForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("syntax error on line 3")
            << QStringLiteral("{type:'LineEdit',\n name:'x',\n title: 'a' 'b'}") << QStringLiteral("UI File Error: Line 3: ");
    QTest::newRow("function that throws")
            << QStringLiteral("function(_this, argv){\n throw new Error('no form today'); }")
            << QStringLiteral("UI File Error: Line 2: Error: no form today");
    QTest::newRow("function that throws an error whose message nests 30000 arrays")
            << QStringLiteral("function(_this, argv){ var deep = []; for (var i = 0; i < 30000; ++i) deep = [deep];\n"
                              " var error = new Error(); error.message = deep; throw error; }")
            << QStringLiteral("UI File Error: Line 2: ");
    QTest::newRow("function that throws an error whose line number nests 30000 arrays")
            << QStringLiteral("function(_this, argv){ var deep = []; for (var i = 0; i < 30000; ++i) deep = [deep];"
                              " var error = new Error('no form today'); error.lineNumber = deep; throw error; }")
            << QStringLiteral("UI File Error: Line 0: ");
    QTest::newRow("not an object") << QStringLiteral("42") << QStringLiteral("it is not an object but [42]");
    QTest::newRow("function expression that is no function")
            << QStringLiteral("function") << QStringLiteral("UI File Error: Line ");
}

void tst_TUiLoader::badTextKeepsForm()
{
    QFETCH(QString, text);
    QFETCH(QString, logLine);
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'kept'}")));
    QVERIFY(!form.build(text));
    QVERIFY2(form.logged(logLine), qPrintable(form.log.texts().join(QLatin1Char('\n'))));
    QVERIFY(form.find<TLineEdit>(QStringLiteral("kept")));
}

void tst_TUiLoader::withoutEngineNothingEvaluates()
{
    VekLogCapture log;
    TUiLoader loader;
    loader.setCreator(nullptr, &tuiloadertest::create);
    QVERIFY(!loader.setUiStr(QStringLiteral("{type:'LineEdit', name:'a'}")));
    QVERIFY(!loader.setUiValue(QJSValue()));
    QVERIFY(!loader.loadValues(QVariant(QVariantMap {{QStringLiteral("a"), 1}})));
    QVERIFY(loader.getValue(QStringLiteral("a")).isUndefined());
    QVERIFY(loader.getAllValues().isUndefined());
    QVERIFY(loader.validateAll(QStringLiteral("EDIT")).isEmpty());
    loader.registerArgv(QStringLiteral("k"), QJSValue(1));
    loader.triggerFormula(&loader);
    loader.refreshState();
    QVERIFY(loader.children().size() == 1); // only its own layout
}

void tst_TUiLoader::smallMembers()
{
    Form form;
    QVERIFY(!form.loader.setUiFile(QStringLiteral("/tmp/form.js")));
    QVERIFY(!form.loader.isChanged());
    form.loader.setChanged();
    QVERIFY(form.loader.isChanged());
    form.loader.setChanged(false);
    QVERIFY(!form.loader.isChanged());
    form.loader.setMargin(7);
    QCOMPARE(form.loader.margin(), 7);
    form.loader.setBlockChange(false);
    form.loader.setBlockValidate(false);
    QVERIFY(!form.loader.isBlockChange());
    QVERIFY(!form.loader.isBlockValidate());

    // Objects in argv reach descriptions as their script wrappers.
    QObject holder;
    holder.setObjectName(QStringLiteral("holder"));
    form.loader.registerArgvObject(QStringLiteral("host"), &holder);
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name: argv.host.objectName + '_field'}")));
    QVERIFY(form.find<TLineEdit>(QStringLiteral("holder_field")));
}

// The loader swallows every key; keypad Enter walks the focus chain.
class KeyCounter : public QWidget
{
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent *iEvent) override
    {
        ++keys;
        QWidget::keyPressEvent(iEvent);
    }
};

void tst_TUiLoader::keypadEnterConsumed()
{
    KeyCounter parent;
    QJSEngine engine;
    TUiLoader *loader = new TUiLoader(&parent);
    loader->setEngine(&engine);
    loader->setCreator(nullptr, &tuiloadertest::create);
    for (int key : {int(Qt::Key_Enter), int(Qt::Key_Return), int(Qt::Key_A)}) {
        QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        press.ignore();
        QCoreApplication::sendEvent(loader, &press);
        QVERIFY(press.isAccepted());
    }
    QCOMPARE(parent.keys, 0);
}

void tst_TUiLoader::boxLayoutPacking()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', name:'pane', child:{type:'HBoxLayout', name:'row', child:["
            " {type:'LineEdit', name:'a', pack:{stretch:3, alignment:'top'}},"
            " {type:'Stretch', property:{stretch:5}},"
            " {type:'Spacing'},"
            " {type:'VBoxLayout', name:'inner', pack:{stretch:2}, child:{type:'Label', name:'l'}},"
            " {type:'Stretch'}]}}")));
    QBoxLayout *row = form.find<QBoxLayout>(QStringLiteral("row"));
    QVERIFY(row);
    QCOMPARE(form.find<QWidget>(QStringLiteral("pane"))->layout(), row);
    // Field, stretch of 5, inner box, stretch of 1: the spacing adds nothing.
    QCOMPARE(row->count(), 4);
    QCOMPARE(row->itemAt(0)->widget(), form.find(QStringLiteral("a")));
    QCOMPARE(row->stretch(0), 3);
    QCOMPARE(row->itemAt(0)->alignment(), Qt::AlignTop);
    QVERIFY(row->itemAt(1)->spacerItem());
    QCOMPARE(row->stretch(1), 5);
    QCOMPARE(row->itemAt(2)->layout(), form.find<QLayout>(QStringLiteral("inner")));
    QCOMPARE(row->stretch(2), 2);
    QCOMPARE(row->stretch(3), 1);
    QCOMPARE(form.find<QLabel>(QStringLiteral("l"))->parentWidget(), form.find(QStringLiteral("pane")));
}

void tst_TUiLoader::formPacking()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:{type:'FormLayout', name:'form', newParam:1, child:["
            " {type:'LineEdit', name:'width', title:'Width', units:'mm'},"
            " {type:'LineEdit', name:'height', title:'Height', pack:{label:'Board height', units:'um',"
            "   column_span:0}},"
            " {type:'LineEdit', name:'alone', title:'Alone', pack:{layout_type:2}},"
            " {type:'LineEdit', name:'own', title:'Own', pack:{label:{type:'Label', name:'ownLabel',"
            "   property:{text:'Own label'}}, units:{type:'Label', name:'ownUnits', property:{text:'pcs'}}}},"
            " {type:'HBoxLayout', name:'pair', title:'Pair', child:[{type:'LineEdit', name:'p1'},"
            "   {type:'LineEdit', name:'p2'}]},"
            " {type:'Spacing'}]}}")));
    TFormLayout *grid = form.find<TFormLayout>(QStringLiteral("form"));
    QVERIFY(grid);
    const auto labelText = [grid](QObject *iField) {
        QLabel *label = qobject_cast<QLabel *>(grid->labelWidget(iField));
        return label ? label->text() : QStringLiteral("<none>");
    };
    const auto unitsText = [grid](QObject *iField) {
        QLabel *label = qobject_cast<QLabel *>(grid->unitsWidget(iField));
        return label ? label->text() : QStringLiteral("<none>");
    };
    QObject *width = form.find(QStringLiteral("width"));
    QCOMPARE(labelText(width), QStringLiteral("Width"));
    QCOMPARE(unitsText(width), QStringLiteral("mm"));
    QObject *height = form.find(QStringLiteral("height"));
    QCOMPARE(labelText(height), QStringLiteral("Board height"));
    QCOMPARE(unitsText(height), QStringLiteral("um"));
    // The pack's label becomes the field's title.
    QCOMPARE(form.loader.getTitle(QStringLiteral("height")), QStringLiteral("Board height"));
    QCOMPARE(form.loader.getTitle(QStringLiteral("width")), QStringLiteral("Width"));
    QVERIFY(!grid->labelWidget(form.find(QStringLiteral("alone"))));
    QObject *own = form.find(QStringLiteral("own"));
    QCOMPARE(grid->labelWidget(own), form.find(QStringLiteral("ownLabel")));
    QCOMPARE(grid->unitsWidget(own), form.find(QStringLiteral("ownUnits")));
    QCOMPARE(form.loader.getTitle(own), QStringLiteral("Own"));
    QLayout *pair = form.find<QLayout>(QStringLiteral("pair"));
    QVERIFY(pair);
    QCOMPARE(labelText(pair), QStringLiteral("Pair"));
    QCOMPARE(pair->count(), 2);
    // Hiding a field takes its label and units along.
    form.loader.setState(QStringLiteral("width"), QStringLiteral("hide"));
    QVERIFY(grid->labelWidget(width)->isHidden());
    QVERIFY(grid->unitsWidget(width)->isHidden());
    QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
}

void tst_TUiLoader::gridPacking_data()
{
    QTest::addColumn<QString>("pack");
    QTest::addColumn<QList<int>>("cell"); // row, column, row span, column span
    QTest::newRow("no pack") << QString() << QList<int> {0, 0, 1, 1};
    QTest::newRow("cell with spans") << QStringLiteral("{row:2, column:3, row_span:2, column_span:3}")
                                     << QList<int> {2, 3, 2, 3};
    QTest::newRow("spans below one count as one")
            << QStringLiteral("{row:1, column:1, row_span:0, column_span:-4}") << QList<int> {1, 1, 1, 1};
    // Past the grid's bound the field is not packed (and not allocated for).
    QTest::newRow("column past the bound") << QStringLiteral("{row:0, column:1e9}") << QList<int>();
    QTest::newRow("negative row") << QStringLiteral("{row:-1, column:0}") << QList<int>();
    QTest::newRow("span past the bound")
            << QStringLiteral("{row:2, column:0, row_span:2147483647}") << QList<int>();
}

void tst_TUiLoader::gridPacking()
{
    QFETCH(QString, pack);
    QFETCH(QList<int>, cell);
    Form form;
    const QString packText = pack.isEmpty() ? QString() : QStringLiteral(", pack:") + pack;
    // A cell the grid refuses is a failed pack: the field is built, not placed.
    QCOMPARE(form.build(QStringLiteral("{type:'Pane', child:{type:'GridLayout', name:'grid', child:"
                                       "{type:'LineEdit', name:'f'%1}}}")
                                .arg(packText)),
             !cell.isEmpty());
    QGridLayout *grid = form.find<QGridLayout>(QStringLiteral("grid"));
    const int index = grid->indexOf(form.find(QStringLiteral("f")));
    if (cell.isEmpty()) {
        QCOMPARE(index, -1);
        QVERIFY(grid->rowCount() <= 1 && grid->columnCount() <= 1);
        return;
    }
    QVERIFY(index >= 0);
    int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QCOMPARE((QList<int> {row, column, rowSpan, columnSpan}), cell);
}

void tst_TUiLoader::pagedContainers()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'TabWidget', name:'tabs', child:["
            "  {type:'LineEdit', name:'first', pack:{label:'First'}},"
            "  {type:'GridLayout', name:'second', pack:{label:'Second', icon:'save'}, child:"
            "    {type:'LineEdit', name:'inGrid'}}]},"
            " {type:'StackedWidget', name:'stack', child:[{type:'Label', name:'s1'}, {type:'FormLayout', name:'s2'}]}]}")));
    QTabWidget *tabs = form.find<QTabWidget>(QStringLiteral("tabs"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("First"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Second"));
    // A layout page is wrapped into a transparent widget that takes its name.
    QWidget *wrapper = tabs->widget(1);
    QCOMPARE(wrapper->objectName(), QStringLiteral("second"));
    QCOMPARE(wrapper->property("SS").toString(), QStringLiteral("TRANSPARENT"));
    QCOMPARE(wrapper->styleSheet(), QStringLiteral(".QWidget[SS=\"TRANSPARENT\"]{background:transparent}"));
    QVERIFY(qobject_cast<QGridLayout *>(wrapper->layout()));
    QCOMPARE(form.find(QStringLiteral("inGrid"))->parentWidget(), wrapper);
    // The name now addresses the wrapper.
    form.loader.setState(QStringLiteral("second"), QStringLiteral("HIDE"));
    QVERIFY(wrapper->isHidden());
    QVERIFY(!wrapper->isEnabled());
    QStackedWidget *stack = form.find<QStackedWidget>(QStringLiteral("stack"));
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(0), form.find(QStringLiteral("s1")));
    QCOMPARE(stack->widget(1)->objectName(), QStringLiteral("s2"));
}

void tst_TUiLoader::titleExpanderAreas()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'TitleExpander', name:'exp', child:["
            " {type:'PushButton', name:'toggle', pack:{area:'check'}},"
            " {type:'Label', name:'extra', pack:{area:'Title', stretch:1}},"
            " {type:'VBoxLayout', name:'body', child:{type:'LineEdit', name:'inBody'}}]}")));
    TTitleExpander *expander = form.find<TTitleExpander>(QStringLiteral("exp"));
    QCOMPARE(expander->toggleButton(), form.find<QAbstractButton>(QStringLiteral("toggle")));
    QVERIFY(expander->isAncestorOf(form.find(QStringLiteral("extra"))));
    QCOMPARE(expander->bodyWidget()->objectName(), QStringLiteral("body"));
    QVERIFY(expander->bodyWidget()->isAncestorOf(form.find(QStringLiteral("inBody"))));
}

void tst_TUiLoader::splitterPacking()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Splitter', name:'split', child:["
            " {type:'LineEdit', name:'left', pack:{stretch_factor:2, stretch:9, collapsible:false}},"
            " {type:'LineEdit', name:'right', pack:{stretch:3}}]}")));
    QSplitter *splitter = form.find<QSplitter>(QStringLiteral("split"));
    QCOMPARE(splitter->count(), 2);
    QVERIFY(!splitter->isCollapsible(0));
    QVERIFY(splitter->isCollapsible(1));
    QCOMPARE(splitter->widget(0)->sizePolicy().horizontalStretch(), 2);
    QCOMPARE(splitter->widget(1)->sizePolicy().horizontalStretch(), 3);
}

void tst_TUiLoader::scrollAreaTakesOneWidget()
{
    Form form;
    QVERIFY(!form.build(QStringLiteral("{type:'ScrollArea', name:'scroll', child:["
                                       " {type:'Pane', name:'content'}, {type:'Pane', name:'second'}]}")));
    QScrollArea *scroll = form.find<QScrollArea>(QStringLiteral("scroll"));
    QCOMPARE(scroll->widget(), form.find(QStringLiteral("content")));
    QVERIFY(form.logged(QStringLiteral("create second failed")));
}

void tst_TUiLoader::mainWindowParts()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'MainWindow', name:'win', child:["
            " {type:'MenuBar', name:'bar'},"
            " {type:'ToolBar', name:'tools', pack:{area:'bottom'}},"
            " {type:'DockWidget', name:'dockA', property:{allowedAreas:0x2|0x8}, pack:{area:'left'},"
            "   child:{type:'Label', name:'inDock'}},"
            " {type:'DockWidget', name:'dockB', pack:{area:'right', tabified:'dockA'}},"
            " {type:'Pane', name:'central'}]}")));
    QMainWindow *window = form.find<QMainWindow>(QStringLiteral("win"));
    QVERIFY(window);
    QCOMPARE(window->parentWidget(), &form.loader);
    QCOMPARE(window->menuBar(), form.find(QStringLiteral("bar")));
    QCOMPARE(window->toolBarArea(form.find<QToolBar>(QStringLiteral("tools"))), Qt::BottomToolBarArea);
    QDockWidget *dockA = form.find<QDockWidget>(QStringLiteral("dockA"));
    QDockWidget *dockB = form.find<QDockWidget>(QStringLiteral("dockB"));
    // Left is not allowed for dockA: the first allowed one in the order left, right, top, bottom.
    QCOMPARE(window->dockWidgetArea(dockA), Qt::RightDockWidgetArea);
    QCOMPARE(dockA->widget(), form.find(QStringLiteral("inDock")));
    QCOMPARE(window->tabifiedDockWidgets(dockA), QList<QDockWidget *> {dockB});
    QCOMPARE(window->centralWidget(), form.find(QStringLiteral("central")));
}

void tst_TUiLoader::toolBarsMenusAndActions()
{
    Form form;
    form.js(QStringLiteral("var hits = [];"));
    form.loader.registerArgv(QStringLiteral("one"), QJSValue(1));
    QVERIFY(form.build(QStringLiteral(
            "{type:'MainWindow', name:'win', child:["
            " {type:'MenuBar', name:'bar', child:{type:'Menu', name:'file', property:{title:'File'}, child:["
            "   {type:'Action', name:'save', property:{text:'Save', style:'raised  color = red'},"
            "     callback:function(_this, obj, checked, argv){ hits.push(obj.objectName + ':' + checked + ':' + argv.one); }},"
            "   {type:'Separator'},"
            "   {type:'Menu', name:'recent', property:{title:'Recent'}}]}},"
            " {type:'ToolBar', name:'tools', child:["
            "   {type:'Action', name:'save'},"
            "   {type:'Stretch'},"
            "   {type:'Separator'},"
            "   {type:'Action', name:'left', property:{text:'Left', checkable:true, actionGroup:'align'}},"
            "   {type:'Action', name:'right', property:{text:'Right', checkable:true, actionGroup:'align'}},"
            "   {type:'LineEdit', name:'search'}]}]}")));
    QCOMPARE(form.made.value(QStringLiteral("ACTION")), 3);
    // Menus and actions are not children of the form: reach them through their hosts.
    QMenuBar *bar = form.find<QMenuBar>(QStringLiteral("bar"));
    QVERIFY(bar);
    QMenu *file = bar->actions().value(0) ? bar->actions().value(0)->menu() : nullptr;
    QVERIFY(file);
    QCOMPARE(file->objectName(), QStringLiteral("file"));
    QToolBar *tools = form.find<QToolBar>(QStringLiteral("tools"));
    QVERIFY(tools);
    QList<QAction *> fileActions = file->actions();
    QCOMPARE(fileActions.size(), 3);
    QAction *save = fileActions.at(0);
    QCOMPARE(save->objectName(), QStringLiteral("save"));
    QVERIFY(fileActions.at(1)->isSeparator());
    QCOMPARE(fileActions.at(2)->menu()->objectName(), QStringLiteral("recent"));
    // One action in the menu and in the tool bar.
    const QList<QAction *> toolActions = tools->actions();
    QCOMPARE(toolActions.size(), 6);
    QCOMPARE(toolActions.at(0), save);
    QVERIFY(tools->widgetForAction(toolActions.at(1))->sizePolicy().horizontalPolicy() == QSizePolicy::Expanding);
    QVERIFY(toolActions.at(2)->isSeparator());
    QWidget *saveButton = tools->widgetForAction(save);
    QCOMPARE(saveButton->property("SS_RAISED"), QVariant(true));
    QCOMPARE(saveButton->property("SS_COLOR"), QVariant(QStringLiteral("RED")));
    QAction *left = toolActions.at(3);
    QAction *right = toolActions.at(4);
    QVERIFY(left->actionGroup());
    QCOMPARE(left->actionGroup(), right->actionGroup());
    QVERIFY(left->actionGroup()->isExclusive());
    QCOMPARE(tools->widgetForAction(toolActions.at(5)), form.find(QStringLiteral("search")));
    // The callback runs from the tool bar as from the menu.
    save->trigger();
    static_cast<QToolButton *>(saveButton)->click();
    QCOMPARE(form.js(QStringLiteral("hits.join(',')")).toString(), QStringLiteral("save:false:1,save:false:1"));
    QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
}

void tst_TUiLoader::buttonMenuAndLineEditWidgets()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:[{type:'PushButton', name:'more', child:{type:'Menu', name:'moreMenu'}},"
            " {type:'ToolButton', name:'tb', child:{type:'Menu', name:'tbMenu'}},"
            " {type:'LineEdit', name:'edit', child:[{type:'ToolButton', name:'pick'},"
            "   {type:'Label', name:'prefix', pack:{position:'LEFT'}}]}]}")));
    QCOMPARE(form.find<QPushButton>(QStringLiteral("more"))->menu()->objectName(), QStringLiteral("moreMenu"));
    QCOMPARE(form.find<QToolButton>(QStringLiteral("tb"))->menu()->objectName(), QStringLiteral("tbMenu"));
    QWidget *edit = form.find(QStringLiteral("edit"));
    QCOMPARE(form.find(QStringLiteral("pick"))->parentWidget(), edit);
    QCOMPARE(form.find(QStringLiteral("prefix"))->parentWidget(), edit);
    QVERIFY(edit->layout() == nullptr || !qobject_cast<QVBoxLayout *>(edit->layout()));
}

void tst_TUiLoader::plainWidgetKeepsOneBox()
{
    Form form;
    QVERIFY(!form.build(QStringLiteral("{type:'Pane', name:'p', child:[{type:'LineEdit', name:'a'},"
                                      " {type:'LineEdit', name:'b'}, {type:'GridLayout', name:'late'}]}")));
    QWidget *pane = form.find(QStringLiteral("p"));
    QVBoxLayout *box = qobject_cast<QVBoxLayout *>(pane->layout());
    QVERIFY(box);
    QCOMPARE(box->contentsMargins(), QMargins());
    QCOMPARE(box->spacing(), 0);
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->stretch(1), 1);
    // A layout cannot go onto a widget that has one already.
    QVERIFY(form.logged(QStringLiteral("create late failed")));
}

void tst_TUiLoader::nestedChildArrays()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:{type:'VBoxLayout', name:'box', child:"
                                      " [[{type:'Label', name:'n1'}, [{type:'Label', name:'n2'}]],"
                                      "  {type:'Label', name:'n3'}, []]}}")));
    QLayout *box = form.find<QLayout>(QStringLiteral("box"));
    QCOMPARE(box->count(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(box->itemAt(i)->widget()->objectName(), QStringLiteral("n%1").arg(i + 1));
}

void tst_TUiLoader::itemProperties()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'LineEdit', name:'e', property:{placeholder_text:'Part number', tool_tip:'tip', readonly:true}},"
            " {type:'CheckBox', name:'c', property:{text:'Lead free', tool_tip:'tip2', tristate:true}},"
            " {type:'PushButton', name:'b', property:{icon:'save', text:'Save'}},"
            " {type:'GroupBox', name:'g', property:{title:'Group', checkable:true}}]}")));
    TLineEdit *edit = form.find<TLineEdit>(QStringLiteral("e"));
    QCOMPARE(edit->placeholderText(), QStringLiteral("Part number"));
    QCOMPARE(edit->toolTip(), QStringLiteral("tip"));
    QVERIFY(edit->isReadOnly());
    TCheckBox *check = form.find<TCheckBox>(QStringLiteral("c"));
    QCOMPARE(check->text(), QStringLiteral("Lead free"));
    QCOMPARE(check->toolTip(), QStringLiteral("tip2"));
    QVERIFY(check->isTristate());
    QCOMPARE(form.find<QPushButton>(QStringLiteral("b"))->text(), QStringLiteral("Save"));
    QGroupBox *group = form.find<QGroupBox>(QStringLiteral("g"));
    QCOMPARE(group->title(), QStringLiteral("Group"));
    QVERIFY(group->isCheckable());
}

void tst_TUiLoader::keysUnknownToTheInterfaceKept()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'MainWindow', child:["
            " {type:'ToolBar', name:'tools', child:{type:'Action', name:'save',"
            "   property:{text:'Save', zul_style:'a = 1 primary'}}},"
            " {type:'Pane', child:["
            "   {type:'Label', name:'title', property:{SS:'TITLE', text:'Board', style:'big'}},"
            "   {type:'LineEdit', name:'pn', property:{SS:'CODE', placeholder_text:'Part number'}}]}]}")));
    // Theme selectors on both attribute interfaces; the keys they know still reach them.
    QLabel *title = form.find<QLabel>(QStringLiteral("title"));
    QCOMPARE(title->property("SS"), QVariant(QStringLiteral("TITLE")));
    QCOMPARE(title->text(), QStringLiteral("Board"));
    QCOMPARE(title->property("SS_BIG"), QVariant(true));
    QVERIFY(!title->property("style").isValid());
    TLineEdit *edit = form.find<TLineEdit>(QStringLiteral("pn"));
    QCOMPARE(edit->property("SS"), QVariant(QStringLiteral("CODE")));
    QCOMPARE(edit->placeholderText(), QStringLiteral("Part number"));
    // The action's style reaches the tool button the bar makes for it.
    QToolBar *tools = form.find<QToolBar>(QStringLiteral("tools"));
    QAction *save = tools->actions().value(0);
    QVERIFY(save);
    QCOMPARE(save->text(), QStringLiteral("Save"));
    QWidget *button = tools->widgetForAction(save);
    QVERIFY(button);
    QCOMPARE(button->property("SS_A"), QVariant(QStringLiteral("1")));
    QCOMPARE(button->property("SS_PRIMARY"), QVariant(true));
    QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
}

void tst_TUiLoader::buddiesAndTabOrder()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:["
            " {type:'Label', name:'lab', property:{buddy:'a', text:'&A'}},"
            " {type:'LineEdit', name:'a', tabOrder:3, buddy:['hint', 'nobody']},"
            " {type:'Label', name:'hint'},"
            " {type:'LineEdit', name:'b', tabOrder:1},"
            " {type:'LineEdit', name:'c', tabOrder:3},"
            " {type:'ToolBar', child:{type:'Action', name:'act', tabOrder:2}}]}")));
    QCOMPARE(form.find<QLabel>(QStringLiteral("lab"))->buddy(), form.find(QStringLiteral("a")));
    QWidget *a = form.find(QStringLiteral("a"));
    QWidget *b = form.find(QStringLiteral("b"));
    QWidget *c = form.find(QStringLiteral("c"));
    // Ascending order, equal positions in the order of the description.
    QCOMPARE(b->nextInFocusChain(), a);
    QCOMPARE(a->nextInFocusChain(), c);
    // The label and the buddy follow the field's state.
    form.loader.setState(QStringLiteral("a"), QStringLiteral("DISABLE"));
    QVERIFY(!form.find(QStringLiteral("lab"))->isEnabled());
    QVERIFY(!form.find(QStringLiteral("hint"))->isEnabled());
    QVERIFY(!form.find(QStringLiteral("hint"))->isHidden());
    form.loader.setState(QStringLiteral("a"), QString());
    QVERIFY(form.find(QStringLiteral("hint"))->isEnabled());
}

void tst_TUiLoader::badItemsStillBuildTheRest_data()
{
    QTest::addColumn<QString>("badItem");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("unknown type") << QStringLiteral("{type:'Gizmo', name:'bad'}")
                                  << QStringLiteral("create bad failed: no object for the type [GIZMO]");
    QTest::newRow("no type") << QStringLiteral("{name:'bad'}") << QStringLiteral("[UNDEFINED]");
    QTest::newRow("child of the wrong kind")
            << QStringLiteral("{type:'Pane', name:'bad', child:42}") << QStringLiteral("child of [bad] is not an item");
    QTest::newRow("child that is a text")
            << QStringLiteral("{type:'Pane', name:'bad', child:'Label'}") << QStringLiteral("is not an item");
    QTest::newRow("pack of the wrong kind")
            << QStringLiteral("{type:'Label', name:'bad', pack:'row 1'}") << QStringLiteral("pack of [bad] is not an object");
    QTest::newRow("property of the wrong kind")
            << QStringLiteral("{type:'Label', name:'bad', property:[1,2]}")
            << QStringLiteral("property of [bad] is not an object");
    QTest::newRow("an action into a plain pane")
            << QStringLiteral("{type:'Action', name:'bad'}") << QStringLiteral("create bad failed");
    QTest::newRow("a check area without button")
            << QStringLiteral("{type:'TitleExpander', child:{type:'Label', name:'bad', pack:{area:'check'}}}")
            << QStringLiteral("create bad failed");
}

void tst_TUiLoader::badItemsStillBuildTheRest()
{
    QFETCH(QString, badItem);
    QFETCH(QString, logLine);
    Form form;
    QVERIFY(!form.build(QStringLiteral("{type:'Pane', name:'top', child:["
                                       " {type:'LineEdit', name:'before'}, %1, {type:'LineEdit', name:'after'}]}")
                                .arg(badItem)));
    QVERIFY2(form.logged(logLine), qPrintable(form.log.texts().join(QLatin1Char('\n'))));
    QVERIFY(form.find(QStringLiteral("before")));
    QVERIFY(form.find(QStringLiteral("after")));
    QCOMPARE(form.find(QStringLiteral("after"))->parentWidget(), form.find(QStringLiteral("top")));
}

void tst_TUiLoader::rebuildReplacesForm()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'MainWindow', name:'win', child:[{type:'ToolBar', child:"
                                      " {type:'Action', name:'act'}}, {type:'Pane', name:'old'}]}")));
    QPointer<QObject> oldPane = form.find(QStringLiteral("old"));
    QVERIFY(oldPane);
    QVERIFY(form.build(QStringLiteral("{type:'LineEdit', name:'fresh'}")));
    QVERIFY(!oldPane);
    QVERIFY(form.find(QStringLiteral("fresh")));
    QVERIFY(!form.find(QStringLiteral("win")));
    QCOMPARE(form.loader.children().size(), 2); // its layout and the new field
    QVERIFY(form.loader.getValue(QStringLiteral("act")).isUndefined());
}

void tst_TUiLoader::rebuildFromCallbackOfItsOwnButton()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'Pane', child:{type:'PushButton', name:'go', callback:function(_this, obj, checked, argv){"
            "  _this.setUiStr(\"{type:'LineEdit', name:'next'}\"); }}}")));
    QPointer<QPushButton> go = form.find<QPushButton>(QStringLiteral("go"));
    go->click();
    QVERIFY(form.find(QStringLiteral("next")));
    QVERIFY(!form.find(QStringLiteral("go")));
    // The button is gone once the event loop had its turn.
    QTRY_VERIFY(!go);
}

void tst_TUiLoader::rebuildFromInitCallbackRefused()
{
    Form form;
    QVERIFY(form.build(QStringLiteral(
            "{type:'LineEdit', name:'once', initCallback:function(_this, obj, argv){"
            "  argv.again = _this.setUiStr(\"{type:'LineEdit', name:'twice'}\"); }}")));
    QVERIFY(form.find(QStringLiteral("once")));
    QVERIFY(!form.find(QStringLiteral("twice")));
    QVERIFY(form.logged(QStringLiteral("while it is being built")));
}

void tst_TUiLoader::hostDeletesAField()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'a', validate:'NOTNULL',"
                                      " formulaTrigger:'b', formula:function(){return 'x';}},"
                                      " {type:'LineEdit', name:'b'}]}")));
    form.loader.setBlockChange(false);
    form.loader.setBlockValidate(false);
    delete form.find(QStringLiteral("a"));
    QVERIFY(form.loader.getValue(QStringLiteral("a")).isUndefined());
    form.loader.setValue(QStringLiteral("a"), QJSValue(QStringLiteral("v")));
    form.loader.triggerFormula(form.find(QStringLiteral("b")));
    QVERIFY(form.loader.validateAll(QStringLiteral("EDIT")).isEmpty());
    QVERIFY(form.loader.loadValues(QVariant(QVariantMap {{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}})));
    QCOMPARE(form.loader.getValue(QStringLiteral("b")).toString(), QStringLiteral("2"));
}

// What the script UI package gives scripts to delete a widget at once.
class Deleter : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void deleteObject(QObject *iObj) { delete iObj; }
};

void tst_TUiLoader::formDeletedByItsOwnScript_data()
{
    // A description whose script deletes the form (argv.host.deleteObject(_this)),
    // what the host does next, and whether the build itself reports success.
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("built");
    const QString close = QStringLiteral("argv.host.deleteObject(_this);");
    QTest::newRow("button callback")
            << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f'}, {type:'PushButton', name:'close',"
                              " callback:function(_this, obj, checked, argv){ %1 }}]}")
                       .arg(close)
            << QStringLiteral("click") << true;
    QTest::newRow("validator") << QStringLiteral(
            "{type:'Pane', child:[{type:'LineEdit', name:'f',"
            " validate:function(_this, arg){ arg.host.deleteObject(_this);"
            " return 'gone'; }}, {type:'LineEdit', name:'g', validate:'NOTNULL'}]}")
                               << QStringLiteral("validateAll") << true;
    QTest::newRow("setter") << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f',"
                                              " setter:function(_this, obj, value, argv){ %1 }},"
                                              " {type:'LineEdit', name:'g'}]}")
                                       .arg(close)
                            << QStringLiteral("load") << true;
    QTest::newRow("setter of an initial value")
            << QStringLiteral(
                       "{type:'Pane', child:[{type:'LineEdit', name:'f', value:'x',"
                       " setter:function(_this, obj, value, argv){ %1 }}, {type:'LineEdit', name:'g', value:'y'}]}")
                       .arg(close)
            << QString() << false;
    QTest::newRow("init callback") << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f',"
                                                     " initCallback:function(_this, obj, argv){ %1 }},"
                                                     " {type:'LineEdit', name:'g', initCallback:function(){}}]}")
                                              .arg(close)
                                   << QString() << false;
    QTest::newRow("description function")
            << QStringLiteral("function(_this, argv){ %1 return {type:'LineEdit', name:'f'}; }").arg(close) << QString()
            << false;
    QTest::newRow("getter") << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f',"
                                              " getter:function(_this, obj, argv){ %1 return 1; }},"
                                              " {type:'LineEdit', name:'g'}]}")
                                       .arg(close)
                            << QStringLiteral("getAllValues") << true;
    QTest::newRow("formula") << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f', formulaTrigger:'LOAD',"
                                               " formula:function(_this, obj, argv){ %1 return 1; }},"
                                               " {type:'LineEdit', name:'g', formulaTrigger:'LOAD',"
                                               " formula:function(){ return 2; }}]}")
                                        .arg(close)
                             << QStringLiteral("load") << true;
    QTest::newRow("state function") << QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'f',"
                                                      " state:function(_this, obj, argv){ %1 return 'HIDE'; }},"
                                                      " {type:'LineEdit', name:'g', state:function(){ return ''; }}]}")
                                               .arg(close)
                                    << QStringLiteral("load") << true;
}

void tst_TUiLoader::formDeletedByItsOwnScript()
{
    QFETCH(QString, description);
    QFETCH(QString, action);
    QFETCH(bool, built);
    QJSEngine engine;
    Deleter host;
    QWidget window;
    QPointer<TUiLoader> loader = new TUiLoader(&window);
    loader->setEngine(&engine);
    loader->setCreator(nullptr, &tuiloadertest::create);
    loader->registerArgvObject(QStringLiteral("host"), &host);
    QCOMPARE(loader->setUiStr(description), built);
    if (action == QLatin1String("click")) {
        loader->setBlockChange(false);
        loader->findChild<QPushButton *>(QStringLiteral("close"))->click();
    } else if (action == QLatin1String("validateAll")) {
        loader->setBlockValidate(false);
        QVERIFY(loader->validateAll(QStringLiteral("SAVE")).isEmpty());
    } else if (action == QLatin1String("load")) {
        QVERIFY(!loader->loadValues(QVariant(QVariantMap {{QStringLiteral("f"), 1}, {QStringLiteral("g"), 2}})));
    } else if (action == QLatin1String("getAllValues")) {
        loader->getAllValues();
    }
    QVERIFY(!loader);
    QVERIFY(window.children().isEmpty());
}

void tst_TUiLoader::cyclicOrDeepDescriptions_data()
{
    // Script that leaves the item "bad" in a variable, whether the build
    // succeeds, and the log line it gives.
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("built");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("array that holds itself") << QStringLiteral("var a = [{type:'Label', name:'inner'}]; a.push(a);"
                                                               " var bad = {type:'Pane', name:'holder', child:a};")
                                             << false << QStringLiteral("child of [holder] contains itself");
    QTest::newRow("item that is its own child")
            << QStringLiteral("var bad = {type:'Pane', name:'holder'}; bad.child = bad;") << false
            << QStringLiteral("child of [holder] contains itself");
    QTest::newRow("item below itself through an array")
            << QStringLiteral("var bad = {type:'Pane', name:'holder'};"
                              " bad.child = [{type:'Label', name:'inner'}, {type:'Pane', child:[bad]}];")
            << false << QStringLiteral("contains itself");
    QTest::newRow("30000 levels of items")
            << QStringLiteral("var bad = {type:'Pane', name:'holder'}; var at = bad;"
                              " for (var i = 0; i < 30000; ++i) { at.child = {type:'Pane'}; at = at.child; }")
            << false << QStringLiteral("nested deeper than");
    QTest::newRow("30000 levels of arrays")
            << QStringLiteral("var a = [{type:'Label', name:'deepest'}]; for (var i = 0; i < 30000; ++i) a = [a];"
                              " var bad = {type:'Pane', name:'holder', child:a};")
            << false << QStringLiteral("nested deeper than");
    // Shared, not cyclic: one item object in several places is built each time.
    QTest::newRow("one item in two places")
            << QStringLiteral("var field = {type:'LineEdit'};"
                              " var bad = {type:'Pane', name:'holder', child:[field, [field]]};")
            << true << QString();
    QTest::newRow("60 levels of items in arrays")
            << QStringLiteral("var bad = {type:'Pane', name:'holder'}; var at = bad;"
                              " for (var i = 0; i < 60; ++i) { at.child = [{type:'Pane'}]; at = at.child[0]; }"
                              " at.child = {type:'Label', name:'inner'};")
            << true << QString();
}

void tst_TUiLoader::cyclicOrDeepDescriptions()
{
    QFETCH(QString, script);
    QFETCH(bool, built);
    QFETCH(QString, logLine);
    Form form;
    const QJSValue description
            = form.js(script
                      + QStringLiteral("; ({type:'Pane', name:'top', child:[{type:'LineEdit', name:'before'}, bad,"
                                       " {type:'LineEdit', name:'after'}]})"));
    QVERIFY2(description.isObject(), qPrintable(description.toString()));
    QCOMPARE(form.loader.setUiValue(description), built);
    if (!logLine.isEmpty())
        QVERIFY2(form.logged(logLine), qPrintable(form.log.texts().join(QLatin1Char('\n'))));
    else
        QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
    // What comes before and after the bad part is built and placed.
    QVERIFY(form.find(QStringLiteral("holder")));
    QCOMPARE(form.find(QStringLiteral("after"))->parentWidget(), form.find(QStringLiteral("top")));
    QVERIFY(form.find(QStringLiteral("before")));
    if (script.contains(QLatin1String("'inner'")))
        QVERIFY(form.find(QStringLiteral("inner")));
}

QTEST_MAIN(tst_TUiLoader)
#include "tst_tuiloader.moc"
