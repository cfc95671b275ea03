#ifndef TRESOURCE_H
#define TRESOURCE_H

#include "vekfoundation_export.h"

#include <memory>

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

class TResourcePrivate;

/*!
 * The process-wide finder of resource files and icons: registers compiled
 * resource bundles, keeps the ordered icon and resource folders, and turns
 * icon names ("name" or "name.colour") into icons recoloured from the theme.
 * Lives on the GUI thread; takes no locks.
 */
class VEKFOUNDATION_EXPORT TResource : public QObject
{
    Q_OBJECT
public:
    static TResource *instance();
    ~TResource() override;

public Q_SLOTS:
    /*! Sets the folder from which loadRcc() registers bundles. */
    void setRccDir(const QString &iDirStr);
    /*! Registers a bundle of the bundle folder (or at an absolute path) once, after checking it, and rescans the
     *  folders; false, with an error line naming the file, when it cannot be registered. */
    bool loadRcc(const QString &iRccNameStr);
    /*! Appends a resource folder (made absolute) unless it is already listed. */
    void appendResourcePath(const QString &iPathStr);
    /*! Puts a resource folder (made absolute) ahead of all others. */
    void prependResourcePath(const QString &iPathStr);
    /*! Removes a resource folder. */
    void removeResourcePath(const QString &iPathStr);
    /*! Empties the resource folders. */
    void clearResourcePath();
    /*! The resource folders, searched first to last. */
    QStringList resourcePathList() const;
    /*! Appends an icon folder (made absolute) unless it is already listed. */
    void appendIconPath(const QString &iPathStr);
    /*! Puts an icon folder (made absolute) ahead of all others. */
    void prependIconPath(const QString &iPathStr);
    /*! Removes an icon folder. */
    void removeIconPath(const QString &iPathStr);
    /*! Empties the icon folders. */
    void clearIconPath();
    /*! The icon folders, searched first to last. */
    QStringList iconPathList() const;
    /*! Adds the "icon" and "image"/"file" folders of the registered bundles and drops folders that do not exist. */
    void autoFindPathList();
    /*!
     * The icon of a name, coloured from the theme for a kind of control
     * ("button" or "tab") on a background ("body", "dark" or "light"). A name
     * with a colour suffix is coloured by that instead; a name that no folder
     * holds gives a transparent 10 x 10 placeholder.
     */
    QIcon icon(const QString &iNameStr, const QString &iColorTypeStr = QStringLiteral("button"),
               const QString &iBgType = QStringLiteral("body"));
    /*! The icon of a name with an optional colour suffix ("name.#RRGGBB", "name.$THEME_KEY", "name.org"). */
    QIcon colorIcon(const QString &iNameStr);
    /*! The full path of a resource file found in the resource folders, or empty. */
    QString resourceFilePath(const QString &iNameStr);
    /*! The full path of an icon file found in the icon folders (SVG preferred), or empty. */
    QString iconFilePath(const QString &iNameStr);
    /*! A copy of an icon recoloured with a colour text or "$THEME_KEY"; "org" or empty keeps it. */
    static QIcon refillIcon(const QIcon &iIcon, const QString &iColor);

private:
    TResource();
    Q_DISABLE_COPY(TResource)

    Q_DECLARE_PRIVATE_D(d, TResource)
    const std::unique_ptr<TResourcePrivate> d;
};

#endif // TRESOURCE_H
