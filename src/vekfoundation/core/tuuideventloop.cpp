#include "tuuideventloop.h"
#include "tscriptvalue.h"
#include "tuuideventloop_p.h"

TUuidEventLoop::TUuidEventLoop(const QString &iUuidStr, QObject *iParent)
    : QEventLoop(iParent)
    , d(new TUuidEventLoopPrivate(this, iUuidStr.isNull() ? QLatin1String("") : iUuidStr))
{}

TUuidEventLoop::TUuidEventLoop(QObject *iParent)
    : TUuidEventLoop(QString(), iParent)
{}

TUuidEventLoop::~TUuidEventLoop() = default;

void TUuidEventLoop::quit(const QString &iUuidStr, const QVariantMap &iDataVarMap)
{
    if (iUuidStr != d->uuid)
        return;
    // A script's object may still hold script values inside.
    d->data = TScriptValue::toPlain(iDataVarMap).toMap();
    QEventLoop::quit();
}

void TUuidEventLoop::setUuid(const QString &iUuidStr) { d->uuid = iUuidStr; }

QString TUuidEventLoop::uuid() const { return d->uuid; }

QVariantMap TUuidEventLoop::data() const { return d->data; }
