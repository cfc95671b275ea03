#ifndef VEKPDTSERVERUTIL_P_H
#define VEKPDTSERVERUTIL_P_H

#include "tautotestexport.h"
#include "tlogger.h"
#include "vekpdtservercore_export.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace VekPdtServerUtil {

//! Owner read and write: files that hold passwords or decoded scripts.
constexpr int privateFile = 0600;
//! Owner read, write and run: generated scripts.
constexpr int privateScript = 0700;

/*!
 * Writes iData as the whole new content of iPath, created with iMode in the
 * call that creates it: an existing file of that name is removed first, so
 * nobody who opened the old one reads the new content, and the content is
 * never readable by others, not even for a moment. A partly written file
 * is removed. False, with the reason in oReason, on failure.
 */
bool writePrivateFile(const QString &iPath, const QByteArray &iData, int iMode, QString *oReason = nullptr);

//! Makes the folder iPath (and its missing parents) and gives iPath itself
//! owner-only access (0700). False with oReason on failure.
bool makePrivateDir(const QString &iPath, QString *oReason = nullptr);

//! The JSON object in iPath as a map; empty when unreadable.
QVariantMap readJsonFile(const QString &iPath);
//! Replaces iPath with the compact JSON of iMap (owner-only) in one step: a
//! reader, or a service killed meanwhile, sees the old or the new file whole.
bool replaceJsonFile(const QString &iPath, const QVariantMap &iMap, QString *oReason = nullptr);
//! When process iPid started, in clock ticks after boot (what tells a
//! process from a later one with the same number); 0 when there is none.
qint64 processStartTime(qint64 iPid);
//! Whether process iPid is running and started at iStartTime (a zombie
//! counts as ended).
bool isSameProcessAlive(qint64 iPid, qint64 iStartTime);

//! Whether process group iGroup has a member that has not ended.
bool isGroupAlive(qint64 iGroup);

//! True when a name read from the database may become one part of a path:
//! not empty, not ".", no "/", no "\", no ".." and no NUL.
bool isSafePathPart(const QString &iName);
//! Whether iChar ends or splits a log line (the C0 and C1 controls, DEL,
//! the line and paragraph separators) or changes the order in which the
//! rest of it is shown (the bidirectional controls).
bool isHostileInLogLine(ushort iChar);
//! iName for a log line: a NUL shows as "\0", every other character that
//! isHostileInLogLine as "\u" and its four hexadecimal digits.
VEK_AUTOTEST_EXPORT(VEKPDTSERVERCORE_EXPORT) QString printableName(const QString &iName);

//! iText as one word for /bin/sh and csh: in single quotes, with each
//! single quote closed, escaped and reopened.
QString shellQuote(const QString &iText);

} // namespace VekPdtServerUtil

#endif // VEKPDTSERVERUTIL_P_H
