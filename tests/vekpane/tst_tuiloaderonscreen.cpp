// A loader form on a real X display: a main window with menu, tool bar, dock,
// tabs holding forms and a grid, filled through loadValues, grabbed from the
// screen; and the keypad Enter walking the fields.
#include "onscreencheck.h"
#include "tst_tuiloadercreator.h"
#include "tuiloader.h"

#include <QDir>
#include <QScreen>
#include <QtTest>

using tuiloadertest::Form;

namespace {

using onscreencheck::hasContent;

QRect onScreen(QWidget *iWidget) { return QRect(iWidget->mapToGlobal(QPoint(0, 0)), iWidget->size()); }

const char *const plantForm = R"JS(
function(_this, argv) {
  return {type:'MainWindow', name:'win', child:[
    {type:'MenuBar', child:{type:'Menu', property:{title:'File'}, child:[
      {type:'Action', name:'save', property:{text:'Save'}}]}},
    {type:'ToolBar', name:'tools', child:[{type:'Action', name:'save'}, {type:'Stretch'},
      {type:'Action', name:'print', property:{text:'Print'}}]},
    {type:'DockWidget', name:'dock', property:{windowTitle:'Notes'}, pack:{area:'right'},
      child:{type:'LineEdit', name:'note'}},
    {type:'TabWidget', name:'tabs', child:[
      {type:'Pane', pack:{label:'Board'}, child:{type:'FormLayout', name:'boardForm', child:[
        {type:'LineEdit', name:'part', title:'Part number', validate:'NOTNULL', tabOrder:1},
        {type:'SpinBox', name:'layers', title:'Layers', tabOrder:2},
        {type:'DoubleSpinBox', name:'thickness', title:'Thickness', units:'mm', tabOrder:3,
          getter:function(_this, obj){ return obj.value; },
          setter:function(_this, obj, value){ obj.value = value || 0; }},
        {type:'CheckBox', name:'leadFree', title:'Lead free', property:{text:'RoHS'}, tabOrder:4}]}},
      {type:'GridLayout', name:'sizes', pack:{label:'Sizes'}, child:[
        {type:'Label', property:{text:'Width'}, pack:{row:0, column:0}},
        {type:'LineEdit', name:'width', pack:{row:0, column:1}},
        {type:'Label', property:{text:'Height'}, pack:{row:1, column:0}},
        {type:'LineEdit', name:'height', pack:{row:1, column:1}}]}]}]};
}
)JS";

} // namespace

class tst_TUiLoaderOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void plantFormShown();
    void keypadEnterWalksFields();
};

void tst_TUiLoaderOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
}

void tst_TUiLoaderOnScreen::plantFormShown()
{
    Form form;
    QVERIFY(form.build(QString::fromUtf8(plantForm)));
    form.live();
    QVERIFY(form.loader.loadValues(form.js(QStringLiteral("({part:'', layers:6, thickness:1.6, leadFree:2,"
                                                          " width:'120', height:'80', note:'rush'})"))));
    form.loader.resize(900, 600);
    form.loader.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.loader));
    QTest::qWait(200);

    const QStringList fields {QStringLiteral("part"), QStringLiteral("layers"), QStringLiteral("thickness"),
                              QStringLiteral("leadFree"), QStringLiteral("note")};
    QList<QRect> areas;
    for (const QString &name : fields) {
        QWidget *field = form.find(name);
        QVERIFY2(field && field->isVisible(), qPrintable(name));
        QVERIFY2(field->width() > 10 && field->height() > 10, qPrintable(name));
        areas.append(onScreen(field));
    }
    for (int i = 0; i < areas.size(); ++i) {
        for (int j = i + 1; j < areas.size(); ++j)
            QVERIFY2(!areas.at(i).intersects(areas.at(j)), qPrintable(fields.at(i) + QLatin1Char('/') + fields.at(j)));
    }
    // The empty required field is marked, the others are not.
    QCOMPARE(form.find(QStringLiteral("part"))->property("SS_VALIDATEION_STATE").toString(), QStringLiteral("ERROR"));
    QCOMPARE(form.find<QDoubleSpinBox>(QStringLiteral("thickness"))->value(), 1.6);

    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("tuiloader_form.png"));
    screen.save(path);
    qInfo("screen grabbed to %s", qPrintable(path));
    QVERIFY(hasContent(screen, onScreen(&form.loader)));
    for (const QString &name : fields)
        QVERIFY2(hasContent(screen, onScreen(form.find(name))), qPrintable(name));
    QVERIFY(hasContent(screen, onScreen(form.find(QStringLiteral("tools")))));

    // The second tab, a grid wrapped into a page, paints its fields too.
    form.find<QTabWidget>(QStringLiteral("tabs"))->setCurrentIndex(1);
    QTest::qWait(100);
    QWidget *width = form.find(QStringLiteral("width"));
    QVERIFY(width->isVisible());
    const QImage second = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    QVERIFY(hasContent(second, onScreen(width)));
    QVERIFY(!onScreen(width).intersects(onScreen(form.find(QStringLiteral("height")))));
}

void tst_TUiLoaderOnScreen::keypadEnterWalksFields()
{
    Form form;
    QVERIFY(form.build(QStringLiteral("{type:'Pane', child:[{type:'LineEdit', name:'a', tabOrder:1},"
                                      " {type:'LineEdit', name:'b', tabOrder:2}]}")));
    form.loader.show();
    form.loader.activateWindow();
    QApplication::setActiveWindow(&form.loader);
    QVERIFY(QTest::qWaitForWindowActive(&form.loader));
    QWidget *a = form.find(QStringLiteral("a"));
    QWidget *b = form.find(QStringLiteral("b"));
    a->setFocus();
    QTRY_VERIFY(a->hasFocus());
    // The field takes Return itself; the loader gets the keys its fields leave.
    QKeyEvent returnKey(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&form.loader, &returnKey);
    QVERIFY(a->hasFocus());
    QKeyEvent enterKey(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QCoreApplication::sendEvent(&form.loader, &enterKey);
    QTRY_VERIFY(b->hasFocus());
}

QTEST_MAIN(tst_TUiLoaderOnScreen)
#include "tst_tuiloaderonscreen.moc"
