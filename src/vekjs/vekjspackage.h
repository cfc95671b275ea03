#ifndef VEKJSPACKAGE_H
#define VEKJSPACKAGE_H

#include "vekjs_export.h"

#include <memory>

#include <QJSValue>
#include <QObject>
#include <QVariant>

class VekJsEngine;
class VekJsPackagePrivate;

/*!
 * The package loader, published to scripts as "__package__". A package is
 * a ".js" file in the working folder, or a folder named after it under one
 * of the library paths holding its ".js" file or its native plug-in.
 * Names match in any letter case; each package is loaded once per loader.
 */
class VEKJS_EXPORT VekJsPackage : public QObject
{
    Q_OBJECT
public:
    explicit VekJsPackage(VekJsEngine *iEngine);
    ~VekJsPackage() override;

    //! The folder searched first for a package's ".js" file; empty: none.
    void setWorkingDir(const QString &iWorkingDir);

public Q_SLOTS:
    //! The engine this loader evaluates packages in; it stays owned by the host.
    VekJsEngine *jsEngine() const;

    //! Puts one folder, or each folder of a list in turn, in front of the
    //! search list. Other value types are ignored.
    void addLibraryPath(const QVariant &iPath);

    //! Empties the search list, then adds as addLibraryPath does.
    void setLibraryPaths(const QVariant &iPaths);

    //! The search list as a string list, in search order.
    QVariant libraryPaths() const;

    //! The value of the named package (cached after the first load), or
    //! undefined when no folder holds it.
    QJSValue import(const QString &iPackage);

private:
    QString getPluginFileName(const QString &iName) const;
    bool loadJsFile(const QString &iName, const QString &iPath);

    Q_DECLARE_PRIVATE_D(d, VekJsPackage)
    const std::unique_ptr<VekJsPackagePrivate> d;
    Q_DISABLE_COPY(VekJsPackage)
};

#endif // VEKJSPACKAGE_H
