#ifndef TFILEIO_H
#define TFILEIO_H

#include "vekfoundationcore_export.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class TError;

/*!
 * Static file helpers: whole-file reading and writing (text in a named codec,
 * raw bytes, Base64 of optionally compressed content), copying, deleting,
 * folders, file facts and folder trees as variant records, MD5 and UUIDs.
 *
 * Failures return a neutral value (false, empty) and fill the optional
 * trailing TError; nothing is logged.
 */
class VEKFOUNDATIONCORE_EXPORT TFileIo
{
public:
    //! The whole file decoded with iCodec (a byte-order mark wins); a null string on failure.
    static QString readFileString(const QString &iFilePath, const QString &iCodec = QStringLiteral("UTF-8"),
                                  TError *iErr = nullptr);
    //! The file's bytes; empty on failure.
    static QByteArray readFileByteArray(const QString &iFilePath, TError *iErr = nullptr);
    //! Base64 of the file's bytes, compressed at iLevel first unless iLevel is 0; empty on failure.
    static QByteArray readFileBase64(const QString &iFilePath, int iLevel = 0, TError *iErr = nullptr);

    //! Writes iText encoded with iCodec, a byte-order mark first when iBom; false when any step fails.
    static bool writeFileString(const QString &iText, const QString &iFilePath,
                                const QString &iCodec = QStringLiteral("UTF-8"), bool iBom = false,
                                TError *iErr = nullptr);
    //! Writes iData; false when any step fails.
    static bool writeFileByteArray(const QByteArray &iData, const QString &iFilePath, TError *iErr = nullptr);
    //! Writes the expanded content of compressed Base64 text (what readFileBase64 gives with a level);
    //! data that does not expand leaves the file untouched and returns false.
    static bool writeFileBase64(const QByteArray &iData, const QString &iFilePath, TError *iErr = nullptr);

    //! Copies a file; an existing destination makes the copy fail.
    static bool copyFile(const QString &iSrcPath, const QString &iDestPath, TError *iErr = nullptr);
    //! Removes a regular file; folders are never removed.
    static bool deleteFile(const QString &iFilePath, TError *iErr = nullptr);
    //! Creates a folder with its missing parents; true when it exists.
    static bool makePath(const QString &iDirPath, TError *iErr = nullptr);
    //! Opens a local file with the desktop's default application.
    static bool openFile(const QString &iFilePath, TError *iErr = nullptr);

    //! True when the path names an existing folder.
    static bool isDir(const QString &iPath, const QVariantMap &iOptions = QVariantMap(), TError *iErr = nullptr);
    //! True when the path names an existing file or folder.
    static bool isFileExist(const QString &iPath, const QVariantMap &iOptions = QVariantMap(), TError *iErr = nullptr);
    //! Facts of a regular file ("name", "created", "lastModified", …); empty on failure.
    static QVariantMap getFileInfo(const QString &iFilePath, const QVariantMap &iOptions = QVariantMap(),
                                   TError *iErr = nullptr);
    //! The visible entries of a folder sorted by name, sub-folders under "CHILDREN" when iRecursive.
    static QVariantList getDirInfoList(const QString &iDirPath, bool iRecursive = false,
                                       const QVariantMap &iOptions = QVariantMap(), TError *iErr = nullptr);
    //! MD5 of the file's bytes as 32 lower-case hex digits; empty on failure.
    static QString getFileMd5(const QString &iFilePath, TError *iErr = nullptr);
    //! A fresh UUID without braces.
    static QString createUuid();

private:
    TFileIo() = delete;
};

#endif // TFILEIO_H
