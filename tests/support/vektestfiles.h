#ifndef VEKTESTFILES_H
#define VEKTESTFILES_H

// Files and scratch folders of the tests.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

namespace VekTest {

//! The content of a file; a null array when it cannot be read.
QByteArray readFile(const QString &iPath);

//! Writes (replaces) a file, making its folders first; true when every byte
//! was written. iExecutable adds the owner's execute permission.
bool writeFile(const QString &iPath, const QByteArray &iContent, bool iExecutable = false);

//! The MD5 digest of iBytes in lower-case hex, as the file services name files.
QString md5Of(const QByteArray &iBytes);

//! A JSON object file as a map; empty when unreadable or not an object.
QVariantMap readJson(const QString &iPath);

/*!
 * A scratch root folder for one test, removed with the object: paths below
 * it are given relative to it.
 */
class TempRoot
{
public:
    TempRoot() = default;
    TempRoot(const TempRoot &) = delete;
    TempRoot &operator=(const TempRoot &) = delete;

    bool isValid() const { return mDir.isValid(); }
    //! The root itself, or iRelative below it.
    QString path(const QString &iRelative = QString()) const
    {
        return iRelative.isEmpty() ? mDir.path() : mDir.filePath(iRelative);
    }
    //! Makes the folder iRelative below the root (and its parents).
    bool mkpath(const QString &iRelative) const;
    bool write(const QString &iRelative, const QByteArray &iContent, bool iExecutable = false) const
    {
        return writeFile(path(iRelative), iContent, iExecutable);
    }
    QByteArray read(const QString &iRelative) const { return readFile(path(iRelative)); }

private:
    QTemporaryDir mDir;
};

} // namespace VekTest

#endif // VEKTESTFILES_H
