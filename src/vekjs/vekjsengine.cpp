#include "vekjsengine.h"
#include "vekjsengine_p.h"
#include "vekjspackage.h"

#include <QQmlEngine>

VekJsEngine::VekJsEngine(QObject *iParent)
    : QJSEngine(iParent)
    , d_dptr(new VekJsEnginePrivate(this))
{
    Q_D(VekJsEngine);
    qRegisterMetaType<VekJsEngine *>();
    // Scripts reach the engine through __package__.jsEngine(); the host owns
    // it, so the script side must never collect it.
    QQmlEngine::setObjectOwnership(this, QQmlEngine::CppOwnership);
    d->package = new VekJsPackage(this);
    QQmlEngine::setObjectOwnership(d->package, QQmlEngine::CppOwnership);
    installExtensions(QJSEngine::AllExtensions);
    globalObject().setProperty(QStringLiteral("__package__"), newQObject(d->package));
}

VekJsEngine::~VekJsEngine()
{
    // The loader's cache holds script values: release them while the
    // engine they live in still exists.
    delete d_dptr->package;
    delete d_dptr;
}

void VekJsEngine::setWorkingDir(const QString &iWorkingDir)
{
    Q_D(VekJsEngine);
    d->package->setWorkingDir(iWorkingDir);
}
