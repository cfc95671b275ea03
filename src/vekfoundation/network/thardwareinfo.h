#ifndef THARDWAREINFO_H
#define THARDWAREINFO_H

#include "vekfoundation_export.h"

#include <QString>
#include <QStringList>

/*!
 * A few facts about the machine: hardware addresses of its network
 * interfaces and its host name.
 */
class VEKFOUNDATION_EXPORT THardwareInfo
{
public:
    THardwareInfo() = default;
    THardwareInfo(const THardwareInfo &) = default;
    THardwareInfo(THardwareInfo &&) = default;
    THardwareInfo &operator=(const THardwareInfo &) = default;
    THardwareInfo &operator=(THardwareInfo &&) = default;

    //! The hardware address of every interface, in the system's order, unfiltered.
    static QStringList allNetMac();
    //! The hardware address of the first interface; a null string when there is none.
    static QString firstNetMac();
    //! The machine's host name.
    static QString localHostName();
    //! No portable source exists; always the empty string.
    static QString cpuSerialNumber();
};

#endif // THARDWAREINFO_H
