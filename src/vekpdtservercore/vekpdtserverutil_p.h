#ifndef VEKPDTSERVERUTIL_P_H
#define VEKPDTSERVERUTIL_P_H

#include "tlogger.h"

#include <QFileDevice>
#include <QString>

// One log line of the service: empty date-time (now) and the caller's position.
#define VEK_SVC_LOG(text, type, level)                                                                                 \
    TLogger::instance()->writeLog((text), QStringLiteral(type), QString(), TLOG_POS, (level))

namespace VekPdtServerUtil {

//! Owner read and write: files that hold passwords or decoded scripts.
constexpr QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
//! Owner read, write and run: generated scripts.
constexpr QFileDevice::Permissions privateScript
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

/*!
 * Creates (or truncates) iPath and gives it iPermissions before any content
 * is written, so the content is never readable by others, not even for a
 * moment. False, with the reason in oReason, when the file cannot be made.
 */
bool prepareFile(const QString &iPath, QFileDevice::Permissions iPermissions, QString *oReason = nullptr);

//! True when a name read from the database may become one part of a path:
//! not empty, not ".", no "/", no "\", no ".." and no NUL.
bool isSafePathPart(const QString &iName);
//! iName for a log line: a NUL shows as "\0".
QString printableName(const QString &iName);

//! iText as one word for /bin/sh and csh: in single quotes, with each
//! single quote closed, escaped and reopened.
QString shellQuote(const QString &iText);

} // namespace VekPdtServerUtil

#endif // VEKPDTSERVERUTIL_P_H
