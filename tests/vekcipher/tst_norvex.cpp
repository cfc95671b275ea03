#include "norvex.h"

#include <QTest>

class tst_Norvex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("script") << QByteArray("var sys = __package__.import('sys');\nsys.stdoutWrite('x');\n");
        QTest::newRow("utf-8") << QString::fromUtf8("// 工单 Straße ✓\n").toUtf8();
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe\n\r\x7f", 7);
        QTest::newRow("several key blocks") << QByteArray(1000, 'a');
    }

    void roundTrip()
    {
        QFETCH(QByteArray, plain);
        const QByteArray encrypted = Norvex::e2(plain);
        // Printable ASCII without line breaks: safe in any text column.
        for (const char c : encrypted)
            QVERIFY2(c >= 0x21 && c <= 0x7e, encrypted.constData());
        if (plain.size() > 4)
            QVERIFY(!encrypted.contains(plain.left(4)));
        QByteArray data = encrypted;
        QVERIFY(Norvex::d2(data));
        QCOMPARE(data, plain);
        // A fresh nonce each time: equal scripts do not look equal.
        QVERIFY(Norvex::e2(plain) != encrypted);
    }

    void unreadableTextStaysAsItWas_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray good = Norvex::e2("print 1;");
        QByteArray flipped = good;
        flipped[flipped.size() - 3] = flipped.at(flipped.size() - 3) == 'A' ? 'B' : 'A';
        QTest::newRow("plain script") << QByteArray("print 1;");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("damaged") << flipped;
        QTest::newRow("cut short") << good.left(12);
        QTest::newRow("not base64") << QByteArray("NVX2:@@@@");
    }

    void unreadableTextStaysAsItWas()
    {
        QFETCH(QByteArray, text);
        QByteArray data = text;
        QVERIFY(!Norvex::d2(data));
        QCOMPARE(data, text);
    }
};

QTEST_APPLESS_MAIN(tst_Norvex)
#include "tst_norvex.moc"
