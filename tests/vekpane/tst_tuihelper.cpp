#include "commonkeys.h"
#include "tuihelper.h"

#include <QtTest>

class tst_TuiHelper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commonKeys_data() { commonkeys::addRows(); }
    void commonKeys();
    void readBack_data();
    void readBack();
    void validationStateSendsNothing();
    void nullWidget();
};

void tst_TuiHelper::commonKeys()
{
    commonkeys::runRow<QWidget>(
            [](QWidget *w, const QString &key, const QVariant &value) { TuiHelper::setWidgetAttr(w, key, value); },
            nullptr);
}

void tst_TuiHelper::readBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("enabled") << "enabled" << QVariant(false) << QVariant(false);
    QTest::newRow("style") << "style" << QVariant("a = b") << QVariant("A=B");
    QTest::newRow("validation_state") << "validation_state" << QVariant("error") << QVariant("ERROR");
    QTest::newRow("stylesheet") << "stylesheet" << QVariant("color: red;") << QVariant("color: red;");
    QTest::newRow("user_data") << "user_data" << QVariant(QVariantList {1, "x"}) << QVariant(QVariantList {1, "x"});
    QTest::newRow("tool_tip not readable") << "tool_tip" << QVariant("t") << QVariant();
    QTest::newRow("value not readable") << "value" << QVariant("t") << QVariant();
    QTest::newRow("empty key") << "" << QVariant("t") << QVariant();
}

void tst_TuiHelper::readBack()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QWidget w;
    TuiHelper::setWidgetAttr(&w, key, value);
    QCOMPARE(TuiHelper::getWidgetAttr(&w, key), expected);
}

void tst_TuiHelper::validationStateSendsNothing()
{
    // A plain widget has no event signal; the state is still kept.
    QWidget w;
    TuiHelper::setWidgetAttr(&w, "validation_state", "error");
    TuiHelper::setWidgetAttr(&w, "validation_state", "ok");
    QCOMPARE(w.property("validation_state"), QVariant("OK"));
    TuiHelper::setWidgetAttr(&w, "validation_state", 1);
    QCOMPARE(w.property("validation_state"), QVariant("OK"));
}

void tst_TuiHelper::nullWidget()
{
    TuiHelper::setWidgetAttr(nullptr, "enabled", false);
    TuiHelper::setWidgetAttr(nullptr, "user_data", 1);
    QVERIFY(!TuiHelper::getWidgetAttr(nullptr, "enabled").isValid());
}

QTEST_MAIN(tst_TuiHelper)
#include "tst_tuihelper.moc"
