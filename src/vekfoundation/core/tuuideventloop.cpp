#include "tuuideventloop.h"
#include "tscriptvalue.h"
#include "tuuideventloop_p.h"

TUuidEventLoop::TUuidEventLoop(const QString &iUuidStr, QObject *iParent)
    : QEventLoop(iParent)
    , d_ptr(new TUuidEventLoopPrivate(this, iUuidStr.isNull() ? QLatin1String("") : iUuidStr))
{}

TUuidEventLoop::TUuidEventLoop(QObject *iParent)
    : TUuidEventLoop(QString(), iParent)
{}

TUuidEventLoop::~TUuidEventLoop() { delete d_ptr; }

void TUuidEventLoop::quit(const QString &iUuidStr, const QVariantMap &iDataVarMap)
{
    Q_D(TUuidEventLoop);
    if (iUuidStr != d->uuid)
        return;
    // A script's object may still hold script values inside.
    d->data = TScriptValue::toPlain(iDataVarMap).toMap();
    QEventLoop::quit();
}

void TUuidEventLoop::setUuid(const QString &iUuidStr)
{
    Q_D(TUuidEventLoop);
    d->uuid = iUuidStr;
}

QString TUuidEventLoop::uuid() const
{
    Q_D(const TUuidEventLoop);
    return d->uuid;
}

QVariantMap TUuidEventLoop::data() const
{
    Q_D(const TUuidEventLoop);
    return d->data;
}
