#ifndef VEKJSAPPPATH_H
#define VEKJSAPPPATH_H

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

/*!
 * The folder of the running program, or, when the program sits inside an
 * application bundle (its folder is "MacOS"), the folder that holds the
 * bundle. Header-only so that plug-ins carry their own copy of the rule
 * without linking anything for it.
 */
inline QString vekJsAppBinPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    if (QFileInfo(dir).fileName() == QLatin1String("MacOS"))
        return QDir::cleanPath(QDir(dir).absoluteFilePath(QStringLiteral("../../..")));
    return QDir(dir).absolutePath();
}

#endif // VEKJSAPPPATH_H
