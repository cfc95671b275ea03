#include "commonkeys.h"
#include "tuiinterface.h"

#include <QAction>
#include <QJSEngine>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

// The smallest widget on the first interface: one key of its own, "value",
// and a record of the keys its setAttr saw.
class UiTestWidget : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit UiTestWidget(QWidget *parent = nullptr)
        : QWidget(parent)
    {}

    QString value;
    QStringList seenKeys;

public Q_SLOTS:
    //! Common keys first, then our own.
    void setAttr(const QString &key, const QVariant &iValue) override
    {
        seenKeys << key;
        _setData(this, key, iValue);
        if (key == QLatin1String("value"))
            value = iValue.toString();
    }
    //! Own keys first, then the common ones.
    QVariant getAttr(const QString &key, const QVariant &options) override
    {
        if (key == QLatin1String("value"))
            return value;
        return _getData(this, key, options);
    }
    //! getAttr with no options.
    QVariant getAttr(const QString &key) { return getAttr(key, QVariant()); }
    //! The "value" attribute.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }

Q_SIGNALS:
    void signal(const QString &type, const QVariant &data = QVariant(), const QString &uuid = QString()) override;
};

// An action is no widget: only the keys that are plain properties apply.
class UiTestAction : public QAction, public TUiInterface
{
    Q_OBJECT
public:
    UiTestAction()
        : QAction(nullptr)
    {}

public Q_SLOTS:
    //! Common keys only.
    void setAttr(const QString &key, const QVariant &data) override { _setData(this, key, data); }
    //! Common keys only.
    QVariant getAttr(const QString &key, const QVariant &options) override { return _getData(this, key, options); }

Q_SIGNALS:
    void signal(const QString &type, const QVariant &data = QVariant(), const QString &uuid = QString()) override;
};

class tst_TUiInterface : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commonKeys_data() { commonkeys::addRows(); }
    void commonKeys();
    void pixelBounds_data() { commonkeys::addBoundData(); }
    void pixelBounds();
    void styleSelectorsAccumulate();
    void styleBlanksAroundEquals_data();
    void styleBlanksAroundEquals();
    void validationEvents_data();
    void validationEvents();
    void validationEventFromScript();
    void listenerMayDestroyTheWidget();
    void getForms();
    void setWalksKeysInOrder();
    void defaultsAreAStore();
    void nonWidgetTarget();
};

void tst_TUiInterface::commonKeys()
{
    commonkeys::runRow<UiTestWidget>(
            [](UiTestWidget *w, const QString &key, const QVariant &value) { w->setAttr(key, value); },
            "w.setAttr('%1', %2)");
}

void tst_TUiInterface::pixelBounds()
{
    commonkeys::runRow<UiTestWidget>(
            [](UiTestWidget *w, const QString &key, const QVariant &value) { w->setAttr(key, value); },
            "w.setAttr('%1', %2)", true);
}

void tst_TUiInterface::styleSelectorsAccumulate()
{
    UiTestWidget w;
    w.setAttr("style", "color=primary");
    w.setTuiStyle("raised");
    QCOMPARE(w.property("SS_COLOR"), QVariant("PRIMARY"));
    QCOMPARE(w.property("SS_RAISED"), QVariant(true));
    QCOMPARE(w.getAttr("style"), QVariant("RAISED"));

    QJSEngine engine;
    commonkeys::expose(engine, &w);
    QCOMPARE(engine.evaluate("w.setAttr('style', 'size = big'); w.getAttr('style')").toString(), QString("SIZE=BIG"));
    QCOMPARE(w.property("SS_SIZE"), QVariant("BIG"));
    QCOMPARE(w.property("SS_COLOR"), QVariant("PRIMARY"));
}

void tst_TUiInterface::styleBlanksAroundEquals_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("spaces") << "color = primary";
    QTest::newRow("tabs and line breaks") << "color\t=\r\n primary \v\fraised";
    QTest::newRow("blank runs kept elsewhere") << "a  b   c=  1";
    QTest::newRow("two equals") << "a = = b";
    QTest::newRow("equals at the ends") << " = a = ";
    QTest::newRow("only blanks") << " \t ";
    QTest::newRow("no-break space is no blank") << QString("a\u00a0= b");
    QTest::newRow("empty") << "";
}

// The text is stored as a regular expression would join it: blanks (ASCII
// white space) next to "=" go, every other blank stays.
void tst_TUiInterface::styleBlanksAroundEquals()
{
    QFETCH(QString, style);
    QString expected = style;
    expected.replace(QRegularExpression("\\s*=\\s*"), "=");
    expected = expected.trimmed().toUpper();

    UiTestWidget w;
    w.setAttr("style", style);
    QCOMPARE(w.getAttr("style").toString(), expected);
}

void tst_TUiInterface::validationEvents_data()
{
    QTest::addColumn<QVariantList>("states");
    QTest::addColumn<QVariantList>("events"); // "old>new" per event sent

    QTest::newRow("case-only change sends once") << QVariantList {"error", "ERROR"} << QVariantList {">ERROR"};
    QTest::newRow("each change") << QVariantList {"error", "ok", "Ok"} << QVariantList {">ERROR", "ERROR>OK"};
    QTest::newRow("number ignored") << QVariantList {3, "warn"} << QVariantList {">WARN"};
    QTest::newRow("empty on fresh widget") << QVariantList {""} << QVariantList {};
    QTest::newRow("back to empty") << QVariantList {"x", ""} << QVariantList {">X", "X>"};
}

void tst_TUiInterface::validationEvents()
{
    QFETCH(QVariantList, states);
    QFETCH(QVariantList, events);
    UiTestWidget w;
    QVariantList seen;
    QVariantList stateDuringEvent;
    connect(&w, &UiTestWidget::signal, this, [&](const QString &type, const QVariant &data, const QString &uuid) {
        QCOMPARE(type, QString("validation_state_changed"));
        QVERIFY(uuid.isEmpty());
        const QVariantMap m = data.toMap();
        QCOMPARE(m.size(), 2);
        seen << QString(m.value("old").toString() + '>' + m.value("new").toString());
        stateDuringEvent << w.getAttr("validation_state").toString();
    });
    QString last;
    for (const QVariant &s : states) {
        w.setAttr("validation_state", s);
        if (s.userType() == QMetaType::QString)
            last = s.toString().toUpper();
    }
    QCOMPARE(seen, events);
    for (int i = 0; i < seen.size(); ++i) // listeners still see the old state
        QCOMPARE(stateDuringEvent.at(i).toString(), seen.at(i).toString().section('>', 0, 0));
    QCOMPARE(w.getAttr("validation_state").toString(), last);
}

void tst_TUiInterface::validationEventFromScript()
{
    UiTestWidget w;
    QSignalSpy spy(&w, &UiTestWidget::signal);
    QJSEngine engine;
    commonkeys::expose(engine, &w);
    const QJSValue r = engine.evaluate("w.setAttr('validation_state', 'error');"
                                       "w.setAttr('validation_state', 'ERROR');"
                                       "w.setAttr('validation_state', 'ok'); w.getAttr('validation_state')");
    QVERIFY2(!r.isError(), qPrintable(r.toString()));
    QCOMPARE(r.toString(), QString("OK"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0), QVariant("validation_state_changed"));
    QCOMPARE(spy.at(1).at(1), QVariant(QVariantMap {{"old", "ERROR"}, {"new", "OK"}}));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TUiInterface::listenerMayDestroyTheWidget()
{
    QPointer<UiTestWidget> w = new UiTestWidget;
    connect(w.data(), &UiTestWidget::signal, this, [&w] { delete w.data(); });
    w->setAttr("validation_state", "error");
    QVERIFY(!w);
}

void tst_TUiInterface::getForms()
{
    UiTestWidget w;
    w.setAttr("value", "v1");
    w.setAttr("enabled", false);
    QCOMPARE(w.get(QString()), QVariant("v1"));
    QCOMPARE(w.getAttr(), QVariant("v1"));
    const QVariantMap two = w.get(QStringList {"enabled", "style"}).toMap();
    QCOMPARE(two.keys(), (QStringList {"enabled", "style"}));
    QCOMPARE(two.value("enabled"), QVariant(false));
    QCOMPARE(w.get(5), QVariant(QVariantMap()));
    QVERIFY(!w.isTuiReturnable());

    QJSEngine engine;
    commonkeys::expose(engine, &w);
    QCOMPARE(engine.evaluate("w.getAttr()").toString(), QString("v1"));
    QCOMPARE(engine.evaluate("w.getAttr('')").toString(), QString("v1"));
    QCOMPARE(engine.evaluate("w.getAttr('enabled')").toBool(), false);
    // A script array of keys reaches get() as a wrapped script value.
    const QJSValue keys = engine.evaluate("['value', 'enabled']");
    QCOMPARE(w.get(QVariant::fromValue(keys)).toMap(), (QVariantMap {{"value", "v1"}, {"enabled", false}}));
}

void tst_TUiInterface::setWalksKeysInOrder()
{
    UiTestWidget w;
    w.set(QVariantMap {{"value", "x"}, {"style", "a"}, {"enabled", false}, {"size", QVariantList {30, 20}}});
    QCOMPARE(w.seenKeys, (QStringList {"enabled", "size", "style", "value"}));
    QCOMPARE(w.value, QString("x"));
    QCOMPARE(w.size(), QSize(30, 20));
}

void tst_TUiInterface::defaultsAreAStore()
{
    UiTestWidget w;
    QVERIFY(!w.getDefaultData("value").isValid());
    w.setDefault(QVariantMap {{"value", 3}, {"enabled", false}});
    QCOMPARE(w.getDefault(QString("value")), QVariant(3));
    QCOMPARE(w.getDefault(QStringList {"value", "missing"}).toMap(),
             (QVariantMap {{"value", 3}, {"missing", QVariant()}}));
    QVERIFY(w.value.isEmpty());
    QVERIFY(w.isEnabled());
    QVERIFY(w.seenKeys.isEmpty());
    w.setDefaultData("value", "later");
    QCOMPARE(w.getDefaultData("value"), QVariant("later"));
}

void tst_TUiInterface::nonWidgetTarget()
{
    UiTestAction a;
    QSignalSpy spy(&a, &UiTestAction::signal);
    a.setAttr("enabled", false);
    a.setAttr("style", "kind=tool");
    a.setAttr("validation_state", "error");
    a.setAttr("user_data", QVariantList {1, 2});
    a.setAttr("size", "10,10");
    a.setAttr("tool_tip", "not applied");
    QVERIFY(!a.isEnabled());
    QCOMPARE(a.getAttr("style", QVariant()), QVariant("KIND=TOOL"));
    QCOMPARE(a.property("SS_KIND"), QVariant("TOOL"));
    QCOMPARE(a.getAttr("validation_state", QVariant()), QVariant("ERROR"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(a.getAttr("user_data", QVariant()), QVariant(QVariantList {1, 2}));
    QVERIFY(!a.property("size").isValid());
    QVERIFY(a.toolTip() != QLatin1String("not applied"));
    QVERIFY(!a.getAttr("stylesheet", QVariant()).isValid());
}

QTEST_MAIN(tst_TUiInterface)
#include "tst_tuiinterface.moc"
