#include "vekcore.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QtConcurrent>
#include <QtTest>

class tst_VekCore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void concurrentFirstCalls();
    void identity();
};

void tst_VekCore::initTestCase()
{
    // Nothing of the identity is set until the core exists.
    QVERIFY(QCoreApplication::organizationName() != QLatin1String("Quendal"));
    QVERIFY(QCoreApplication::applicationName() != QLatin1String("VekZUL7"));
}

void tst_VekCore::concurrentFirstCalls()
{
    // The first calls race each other; all of them get the one object.
    QList<QFuture<VekCore *>> calls;
    for (int i = 0; i < 8; ++i)
        calls << QtConcurrent::run(&VekCore::instance);
    VekCore *first = calls.first().result();
    QVERIFY(first);
    for (QFuture<VekCore *> &call : calls)
        QCOMPARE(call.result(), first);
    QCOMPARE(VekCore::instance(), first);
}

void tst_VekCore::identity()
{
    VekCore *core = VekCore::instance();
    QVERIFY(core);
    QCOMPARE(core->parent(), nullptr);
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Quendal"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("VekZUL7"));
    QVERIFY(!QCoreApplication::organizationDomain().isEmpty());
    // No version and no display name of its own.
    QCOMPARE(QCoreApplication::applicationVersion(), QString());

    // What reads the identity follows it.
    QSettings settings;
    QVERIFY(settings.fileName().contains(QLatin1String("Quendal")));
    QVERIFY(settings.fileName().contains(QLatin1String("VekZUL7")));
    QVERIFY(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                    .endsWith(QLatin1String("Quendal/VekZUL7")));

    // The meta-object declares nothing of its own.
    const QMetaObject *mo = core->metaObject();
    QCOMPARE(mo->methodCount() - mo->methodOffset(), 0);
    QCOMPARE(mo->propertyCount() - mo->propertyOffset(), 0);
}

QTEST_GUILESS_MAIN(tst_VekCore)
#include "tst_vekcore.moc"
