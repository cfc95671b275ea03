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

    QStringList resourcePathList;
    QStringList iconPathList;
    QString rccDir;
    QStringList rccList;
    TResource *q_ptr;
};

#endif // TRESOURCE_P_H
