#include "controlstest.h"
#include "tcombobox.h"
#include "tformlayout.h"
#include "tgridlayout.h"
#include "thboxlayout.h"
#include "tlineedit.h"
#include "tlogger.h"
#include "tvboxlayout.h"
#include "vekpane.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using controlstest::expose;

class tst_VekPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setLayout_data();
    void setLayout();
    void commonKeysReachThePane();
    void focusOutIsEditingFinished();
    void fromScript();
    void traceLines_data();
    void traceLines();
};

void tst_VekPane::setLayout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("installed");
    QTest::newRow("layout") << "layout" << true;
    QTest::newRow("widget") << "widget" << false;
    QTest::newRow("plain object") << "object" << false;
    QTest::newRow("null") << "null" << false;
}

void tst_VekPane::setLayout()
{
    QFETCH(QString, kind);
    QFETCH(bool, installed);
    VekPane pane;
    QObject *object = nullptr;
    if (kind == QLatin1String("layout"))
        object = new THBoxLayout;
    else if (kind == QLatin1String("widget"))
        object = new QPushButton(&pane);
    else if (kind == QLatin1String("object"))
        object = new QObject(&pane);
    pane.setLayout(object);
    QCOMPARE(pane.layout() != nullptr, installed);
    if (installed)
        QCOMPARE(static_cast<QObject *>(pane.layout()), object);
}

void tst_VekPane::commonKeysReachThePane()
{
    VekPane pane;
    QCOMPARE(pane.focusPolicy(), Qt::NoFocus);
    auto *layout = new TVBoxLayout(&pane);
    auto *edit = new QLineEdit;
    layout->packWidget(edit);
    pane.set("enabled", false);
    QVERIFY(!pane.isEnabled());
    QVERIFY(!edit->isEnabled());
    QCOMPARE(pane.get("enabled"), QVariant(false));
    pane.set(QVariantMap {{"tool_tip", "pane"}, {"style", "raised"}, {"value", 1}});
    QCOMPARE(pane.toolTip(), QStringLiteral("pane"));
    QCOMPARE(pane.get("style"), QVariant("RAISED"));
    QVERIFY(!pane.get("value").isValid());
    pane.setDefault({{"value", "x"}});
    QCOMPARE(pane.getDefault(QString("value")), QVariant("x"));
}

void tst_VekPane::focusOutIsEditingFinished()
{
    VekPane pane;
    QSignalSpy spy(&pane, SIGNAL(signal(QString, QVariant, QString)));
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&pane, &out);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QVariantList {"editing_finished", QVariant(), controlstest::hexAddress(&pane)}));
}

void tst_VekPane::fromScript()
{
    VekPane pane;
    auto *layout = new TGridLayout;
    QSignalSpy spy(&pane, SIGNAL(signal(QString, QVariant, QString)));
    QJSEngine engine;
    expose(engine, "pane", &pane);
    expose(engine, "layout", layout);
    const QJSValue r = CONTROLS_EVAL(engine, "pane.setLayout(layout);"
                                             "pane.set({size: [120, 40], validation_state: 'warn'});"
                                             "pane.emitSignal('mine');"
                                             "[pane.get('validation_state'), pane.get('enabled')].join('|')");
    QVERIFY(!r.isError());
    QCOMPARE(r.toString(), QStringLiteral("WARN|true"));
    QCOMPARE(pane.layout(), layout);
    QCOMPARE(pane.size(), QSize(120, 40));
    QCOMPARE(controlstest::types(spy), (QStringList {"validation_state_changed", "mine"}));
}

void tst_VekPane::traceLines_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("destroyed");
    QTest::addColumn<QString>("function");

    QTest::newRow("pane") << "pane"
                          << "new widget"
                          << "destroy widget"
                          << "VekPane";
    QTest::newRow("line edit") << "lineedit"
                               << "new lineedit"
                               << "destroy lineedit"
                               << "TLineEdit";
    QTest::newRow("combo box") << "combobox"
                               << "new combobox"
                               << "destroy combobox"
                               << "TComboBox";
    QTest::newRow("form layout") << "form"
                                 << "new fromlayout"
                                 << "destroy formlayout"
                                 << "TFormLayout";
    QTest::newRow("grid layout") << "grid"
                                 << "new gridlayout"
                                 << "destroy gridlayout"
                                 << "TGridLayout";
    QTest::newRow("row layout") << "hbox"
                                << "new hboxlayout"
                                << "destroy hboxlayout"
                                << "THBoxLayout";
    QTest::newRow("column layout") << "vbox"
                                   << "new vboxlayout"
                                   << "destroy vboxlayout"
                                   << "TVBoxLayout";
}

void tst_VekPane::traceLines()
{
    QFETCH(QString, kind);
    QFETCH(QString, created);
    QFETCH(QString, destroyed);
    QFETCH(QString, function);
    TLogger *logger = TLogger::instance();
    logger->setDebugLevel(5);
    QSignalSpy lines(logger, &TLogger::logWrited);
    QObject *object = nullptr;
    if (kind == QLatin1String("pane"))
        object = new VekPane;
    else if (kind == QLatin1String("lineedit"))
        object = new TLineEdit;
    else if (kind == QLatin1String("combobox"))
        object = new TComboBox;
    else if (kind == QLatin1String("form"))
        object = new TFormLayout;
    else if (kind == QLatin1String("grid"))
        object = new TGridLayout;
    else if (kind == QLatin1String("hbox"))
        object = new THBoxLayout;
    else
        object = new TVBoxLayout;
    const QString address = controlstest::hexAddress(object);
    delete object;
    logger->setDebugLevel(0);

    QCOMPARE(lines.count(), 2);
    QCOMPARE(lines.at(0).at(0).toString(), QStringLiteral("%1 0x%2").arg(created, address));
    QCOMPARE(lines.at(1).at(0).toString(), QStringLiteral("%1 0x%2").arg(destroyed, address));
    QCOMPARE(lines.at(0).at(1).toString(), QStringLiteral("DEBUG"));
    QCOMPARE(lines.at(0).at(4).toString(), QStringLiteral("5"));
    QVERIFY2(lines.at(0).at(3).toString().endsWith(QStringLiteral("Func:%1::%1").arg(function)),
             qPrintable(lines.at(0).at(3).toString()));
    QVERIFY2(lines.at(1).at(3).toString().endsWith(QStringLiteral("Func:%1::~%1").arg(function)),
             qPrintable(lines.at(1).at(3).toString()));
    QVERIFY(lines.at(0).at(3).toString().startsWith(QStringLiteral("File:")));
}

QTEST_MAIN(tst_VekPane)
#include "tst_vekpane.moc"
