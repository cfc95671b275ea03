#include "commonkeys.h"
#include "tuiabstract.h"

#include <QHBoxLayout>
#include <QJSEngine>
#include <QSignalSpy>
#include <QtTest>

// A widget on the second interface with one key of its own, "value", which
// it handles without passing it on.
class AbstractTestWidget : public QWidget, public TuiAbstract
{
    Q_OBJECT
public:
    explicit AbstractTestWidget(QWidget *parent = nullptr)
        : QWidget(parent)
    {}

    QString value;

public Q_SLOTS:
    //! Own keys, then the common ones.
    void set(const QString &iKey, const QVariant &iValue) override
    {
        if (iKey == QLatin1String("value"))
            value = iValue.toString();
        else
            TuiAbstract::set(iKey, iValue);
    }
    //! Own keys, then the common ones.
    QVariant get(const QString &iKey, const QVariant &iOptions) override
    {
        if (iKey == QLatin1String("value"))
            return value;
        return TuiAbstract::get(iKey, iOptions);
    }
    //! get with no options.
    QVariant get(const QString &iKey) { return get(iKey, QVariant()); }
    //! Sets every entry.
    void set(const QVariantMap &iAttrMap) override { TuiAbstract::set(iAttrMap); }
    //! Reads every key.
    QVariantMap get(const QStringList &iKeys) override { return TuiAbstract::get(iKeys); }
    //! Stores defaults.
    void setDefault(const QVariantMap &iDataMap) override { TuiAbstract::setDefault(iDataMap); }
    //! Reads a default.
    QVariant getDefault(const QString &iKey) override { return TuiAbstract::getDefault(iKey); }
    //! Reads several defaults.
    QVariantMap getDefault(const QStringList &iKeys) override { return TuiAbstract::getDefault(iKeys); }
    //! Emits signal().
    void emitSignal(const QString &iType, const QVariant &iData, const QString &iUuid) override
    {
        Q_EMIT signal(iType, iData, iUuid);
    }
    //! emitSignal with an empty uuid.
    void emitSignal(const QString &iType, const QVariant &iData) { emitSignal(iType, iData, QString()); }
    //! emitSignal with no data and an empty uuid.
    void emitSignal(const QString &iType) { emitSignal(iType, QVariant(), QString()); }

Q_SIGNALS:
    void signal(const QString &iType, const QVariant &iData, const QString &iUuid);
};

// A layout on the second interface: the common keys have no widget to act on.
class AbstractTestLayout : public QHBoxLayout, public TuiAbstract
{
    Q_OBJECT
public:
    explicit AbstractTestLayout(QWidget *parent = nullptr)
        : QHBoxLayout(parent)
    {}
    using TuiAbstract::get;
    using TuiAbstract::set;

public Q_SLOTS:
    //! "spacing", then the common keys.
    void set(const QString &iKey, const QVariant &iValue) override
    {
        if (iKey == QLatin1String("spacing"))
            setSpacing(iValue.toInt());
        else
            TuiAbstract::set(iKey, iValue);
    }
    //! "spacing", then the common keys.
    QVariant get(const QString &iKey, const QVariant &iOptions) override
    {
        if (iKey == QLatin1String("spacing"))
            return spacing();
        return TuiAbstract::get(iKey, iOptions);
    }
    //! Emits signal().
    void emitSignal(const QString &iType, const QVariant &iData, const QString &iUuid) override
    {
        Q_EMIT signal(iType, iData, iUuid);
    }

Q_SIGNALS:
    void signal(const QString &iType, const QVariant &iData, const QString &iUuid);
};

class tst_TuiAbstract : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commonKeys_data() { commonkeys::addRows(); }
    void commonKeys();
    void pixelBounds_data() { commonkeys::addBoundData(); }
    void pixelBounds();
    void ownKeysNeverReachTheCommonWriter();
    void bulkFromScript();
    void defaultsAreDynamicProperties();
    void layoutIgnoresCommonKeys();
    void validationEventGoesThroughEmitSignal();
    void emitSignalShortForms();
};

void tst_TuiAbstract::commonKeys()
{
    commonkeys::runRow<AbstractTestWidget>(
            [](AbstractTestWidget *w, const QString &key, const QVariant &value) { w->set(key, value); },
            "w.set('%1', %2)");
}

void tst_TuiAbstract::pixelBounds()
{
    commonkeys::runRow<AbstractTestWidget>(
            [](AbstractTestWidget *w, const QString &key, const QVariant &value) { w->set(key, value); },
            "w.set('%1', %2)", true);
}

void tst_TuiAbstract::ownKeysNeverReachTheCommonWriter()
{
    AbstractTestWidget w;
    w.set("value", "typed");
    QCOMPARE(w.get("value"), QVariant("typed"));
    QVERIFY(!w.get(QString()).isValid());
    QVERIFY(!w.get("no_such_key").isValid());
    QVERIFY(w.dynamicPropertyNames().isEmpty());
}

void tst_TuiAbstract::bulkFromScript()
{
    AbstractTestWidget w;
    w.resize(10, 10);
    QJSEngine engine;
    commonkeys::expose(engine, &w);
    // Nested script arrays inside the map must arrive as plain lists.
    const QJSValue r
            = engine.evaluate("w.set({size: [200, 80], enabled: false, value: 'x', user_data: {ids: [1, 2]}});"
                              "var m = w.get(['value', 'enabled', 'user_data']);"
                              "[m.value, m.enabled, m.user_data.ids.join('+'), Object.keys(m).length].join('|')");
    QVERIFY2(!r.isError(), qPrintable(r.toString()));
    QCOMPARE(r.toString(), QString("x|false|1+2|3"));
    QCOMPARE(w.size(), QSize(200, 80));
    QCOMPARE(w.value, QString("x"));
    QCOMPARE(w.property("tui_user_data"), QVariant(QVariantMap {{"ids", QVariantList {1, 2}}}));
}

void tst_TuiAbstract::defaultsAreDynamicProperties()
{
    AbstractTestWidget w;
    w.set("value", "current");
    QJSEngine engine;
    commonkeys::expose(engine, &w);
    const QJSValue r = engine.evaluate("w.setDefault({value: 'filled', limits: [1, 2]}); w.getDefault('value')");
    QCOMPARE(r.toString(), QString("filled"));
    QCOMPARE(w.property("__default__value"), QVariant("filled"));
    QCOMPARE(w.property("__default__limits"), QVariant(QVariantList {1, 2}));
    QCOMPARE(w.get("value"), QVariant("current"));
    QCOMPARE(w.getDefault(QStringList {"value", "missing"}),
             (QVariantMap {{"value", "filled"}, {"missing", QVariant()}}));
    // An invalid default removes the property again.
    w.setDefault(QVariantMap {{"value", QVariant()}});
    QVERIFY(!w.dynamicPropertyNames().contains("__default__value"));
}

void tst_TuiAbstract::layoutIgnoresCommonKeys()
{
    QWidget host;
    auto *layout = new AbstractTestLayout(&host);
    QSignalSpy spy(layout, &AbstractTestLayout::signal);
    const QVariantMap attrs {{"enabled", false}, {"style", "a=b"},  {"validation_state", "error"},
                             {"user_data", 1},   {"size", "10,10"}, {"spacing", 7}};
    layout->set(attrs);
    QCOMPARE(layout->spacing(), 7);
    QVERIFY(layout->isEnabled());
    QVERIFY(layout->dynamicPropertyNames().isEmpty());
    QVERIFY(host.dynamicPropertyNames().isEmpty());
    QCOMPARE(spy.count(), 0);
    for (const QString &key : attrs.keys()) {
        if (key != QLatin1String("spacing"))
            QVERIFY2(!layout->get(key, QVariant()).isValid(), qPrintable(key));
    }
    layout->setDefault(QVariantMap {{"value", 1}});
    QVERIFY(layout->dynamicPropertyNames().isEmpty());
    QCOMPARE(layout->getDefault(QStringList {"value"}), QVariantMap());
    QVERIFY(!layout->getDefault(QString("value")).isValid());
}

void tst_TuiAbstract::validationEventGoesThroughEmitSignal()
{
    AbstractTestWidget w;
    QString stateDuringEvent;
    connect(&w, &AbstractTestWidget::signal, this, [&] { stateDuringEvent = w.get("validation_state").toString(); });
    QSignalSpy spy(&w, &AbstractTestWidget::signal);
    // The signature listeners connect to by name.
    QSignalSpy bySignature(&w, SIGNAL(signal(QString, QVariant, QString)));
    w.set("validation_state", "warn");
    w.set("validation_state", "Warn");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(bySignature.count(), 1);
    QCOMPARE(spy.at(0),
             (QVariantList {"validation_state_changed", QVariantMap {{"old", ""}, {"new", "WARN"}}, QString()}));
    QVERIFY(stateDuringEvent.isEmpty());
}

void tst_TuiAbstract::emitSignalShortForms()
{
    AbstractTestWidget w;
    QSignalSpy spy(&w, &AbstractTestWidget::signal);
    QJSEngine engine;
    commonkeys::expose(engine, &w);
    QVERIFY(!engine.evaluate("w.emitSignal('my_event');"
                             "w.emitSignal('with_data', {n: [1]});"
                             "w.emitSignal('full', 2, 'abc')")
                     .isError());
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(0), (QVariantList {"my_event", QVariant(), QString()}));
    QCOMPARE(spy.at(1).at(0), QVariant("with_data"));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
    QCOMPARE(spy.at(2), (QVariantList {"full", 2, "abc"}));
}

QTEST_MAIN(tst_TuiAbstract)
#include "tst_tuiabstract.moc"
