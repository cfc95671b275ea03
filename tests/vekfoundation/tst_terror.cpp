#include "terror.h"

#include <QtTest>

class tst_TError : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultIsEmptyAndInvalid();
    void validity_data();
    void validity();
    void clearEmptiesEverything();
    void copiesAreIndependent();
    void selfAssignmentKeepsRecord();
};

void tst_TError::defaultIsEmptyAndInvalid()
{
    TError e;
    QVERIFY(!e.isValid());
    for (const QString &s : {e.text(), e.type(), e.code(), e.trace()}) {
        QVERIFY(s.isEmpty());
        QVERIFY(!s.isNull());
    }
}

void tst_TError::validity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("trace");
    QTest::addColumn<bool>("valid");
    QTest::newRow("text only") << "boom"
                               << ""
                               << ""
                               << "" << true;
    QTest::newRow("code only") << ""
                               << ""
                               << "E1"
                               << "" << true;
    QTest::newRow("type only") << ""
                               << "Table error"
                               << ""
                               << "" << false;
    QTest::newRow("trace only") << ""
                                << ""
                                << ""
                                << "stack" << false;
    QTest::newRow("type and trace") << ""
                                    << "t"
                                    << ""
                                    << "s" << false;
}

void tst_TError::validity()
{
    QFETCH(QString, text);
    QFETCH(QString, type);
    QFETCH(QString, code);
    QFETCH(QString, trace);
    QFETCH(bool, valid);

    TError viaCtor(text, type, code, trace);
    QCOMPARE(viaCtor.isValid(), valid);

    TError viaSetters;
    viaSetters.setText(text);
    viaSetters.setType(type);
    viaSetters.setCode(code);
    viaSetters.setTrace(trace);
    QCOMPARE(viaSetters.isValid(), valid);
    QCOMPARE(viaSetters.text(), text);
    QCOMPARE(viaSetters.type(), type);
    QCOMPARE(viaSetters.code(), code);
    QCOMPARE(viaSetters.trace(), trace);
}

void tst_TError::clearEmptiesEverything()
{
    TError e("text", "type", "code", "trace");
    QVERIFY(e.isValid());
    e.clearError();
    QVERIFY(!e.isValid());
    QVERIFY(e.text().isEmpty() && e.type().isEmpty() && e.code().isEmpty() && e.trace().isEmpty());
}

void tst_TError::copiesAreIndependent()
{
    TError a("a", "ta", "ca", "ra");
    TError b(a);
    b.setText("b");
    QCOMPARE(a.text(), QString("a"));
    a.setCode("changed");
    QCOMPARE(b.code(), QString("ca"));

    TError c;
    c = a;
    QCOMPARE(c.code(), QString("changed"));
    c.setTrace("other");
    QCOMPARE(a.trace(), QString("ra"));
}

void tst_TError::selfAssignmentKeepsRecord()
{
    TError e("t", "y", "c", "r");
    TError &ref = e;
    e = ref;
    QCOMPARE(e.text(), QString("t"));
    QCOMPARE(e.type(), QString("y"));
    QCOMPARE(e.code(), QString("c"));
    QCOMPARE(e.trace(), QString("r"));
}

QTEST_GUILESS_MAIN(tst_TError)
#include "tst_terror.moc"
