#include "thardwareinfo.h"

#include <QHostInfo>
#include <QNetworkInterface>

QStringList THardwareInfo::allNetMac()
{
    QStringList macs;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    macs.reserve(interfaces.size());
    for (const QNetworkInterface &netInterface : interfaces)
        macs.append(netInterface.hardwareAddress());
    return macs;
}

QString THardwareInfo::firstNetMac()
{
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    return interfaces.isEmpty() ? QString() : interfaces.first().hardwareAddress();
}

QString THardwareInfo::localHostName() { return QHostInfo::localHostName(); }

QString THardwareInfo::cpuSerialNumber() { return QLatin1String(""); }
