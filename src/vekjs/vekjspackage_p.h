#ifndef VEKJSPACKAGE_P_H
#define VEKJSPACKAGE_P_H

#include "vekjspackage.h"

#include <QHash>
#include <QStringList>

class VekJsPackagePrivate
{
    Q_DECLARE_PUBLIC(VekJsPackage)
public:
    VekJsPackagePrivate(VekJsPackage *iQ, VekJsEngine *iEngine)
        : engine(iEngine)
        , q_ptr(iQ)
    {}

    void writeMessage(const QString &iText) const;

    VekJsEngine *engine;
    QStringList libraryPaths;
    QString workingDir = QStringLiteral(".");
    QHash<QString, QJSValue> packages;
    VekJsPackage *q_ptr;
};

#endif // VEKJSPACKAGE_P_H
