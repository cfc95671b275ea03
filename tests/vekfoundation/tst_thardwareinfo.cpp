#include "thardwareinfo.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QtTest>

class tst_THardwareInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addressesFollowTheInterfaces();
    void hostAndCpu();
};

void tst_THardwareInfo::addressesFollowTheInterfaces()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    const QStringList macs = THardwareInfo::allNetMac();
    // One entry per interface, loopback and address-less ones included.
    QCOMPARE(macs.size(), interfaces.size());
    for (int i = 0; i < macs.size(); ++i)
        QCOMPARE(macs.at(i), interfaces.at(i).hardwareAddress());
    if (macs.isEmpty())
        QVERIFY(THardwareInfo::firstNetMac().isNull());
    else
        QCOMPARE(THardwareInfo::firstNetMac(), macs.first());
}

void tst_THardwareInfo::hostAndCpu()
{
    QVERIFY(!THardwareInfo::localHostName().isEmpty());
    QCOMPARE(THardwareInfo::localHostName(), QHostInfo::localHostName());
    QVERIFY(THardwareInfo::cpuSerialNumber().isEmpty());
    QVERIFY(!THardwareInfo::cpuSerialNumber().isNull());
}

QTEST_GUILESS_MAIN(tst_THardwareInfo)
#include "tst_thardwareinfo.moc"
