#ifndef TRESOURCE_P_H
#define TRESOURCE_P_H

#include "tresource.h"

#include <QHash>
#include <QPixmap>

class TResourcePrivate
{
    Q_DECLARE_PUBLIC(TResource)
public:
    explicit TResourcePrivate(TResource *qptr) : q_ptr(qptr) {}

    static void addPath(QStringList &ioList, const QString &iPath, bool iFront);
    static QString themeColorText(const QString &iColor);
    static QPixmap composePixmap(const QPixmap &iPixmap, const QString &iColor);

    QIcon cachedIcon(const QString &iKey) const;
    void cacheIcon(const QString &iKey, const QIcon &iIcon);
    void pathsChanged();

    QStringList resourcePathList;
    QStringList iconPathList;
    QString rccDir;
    QStringList rccList;
    TResource *q_ptr;

    // Built icons by name and colours; valid for one set of icon folders and
    // one set of theme values.
    QHash<QString, QIcon> iconCache;
    quint64 iconCacheThemeGeneration {0};
};

#endif // TRESOURCE_P_H
