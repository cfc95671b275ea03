#include "vekjsengine.h"
#include "vekjsengine_p.h"
#include "vekjspackage.h"

#include <QQmlEngine>

VekJsEngine::VekJsEngine(QObject *iParent)
    : QJSEngine(iParent)
    , d(new VekJsEnginePrivate(this))
{
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
    delete d->package;
}

void VekJsEngine::setWorkingDir(const QString &iWorkingDir) { d->package->setWorkingDir(iWorkingDir); }
