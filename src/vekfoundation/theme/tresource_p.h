#ifndef TRESOURCE_P_H
#define TRESOURCE_P_H

#include "tresource.h"

#include <QPixmap>

class TResourcePrivate
{
    Q_DECLARE_PUBLIC(TResource)
public:
    explicit TResourcePrivate(TResource *qptr)
        : q_ptr(qptr)
    {}

    static void addPath(QStringList &ioList, const QString &iPath, bool iFront);
    static QString themeColorText(const QString &iColor);
    static QPixmap composePixmap(const QPixmap &iPixmap, const QString &iColor);
    static QString bundleFault(const QByteArray &iBundle);

    QStringList resourcePathList;
    QStringList iconPathList;
    QString rccDir;
    QStringList rccList;
    // Qt reads a bundle registered from memory in place for as long as the
    // process lives: these are the very bytes that were checked.
    QList<QByteArray> rccData;
    TResource *q_ptr;
};

#endif // TRESOURCE_P_H
