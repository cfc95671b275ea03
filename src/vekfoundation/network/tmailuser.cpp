#include "tmailuser.h"
#include "tmailuser_p.h"

TMailUser::TMailUser(QObject *iParent)
    : QObject(iParent)
    , d(new TMailUserPrivate(this))
{}

TMailUser::TMailUser(const QString &iAddress, const QString &iName, QObject *iParent)
    : QObject(iParent)
    , d(new TMailUserPrivate(this))
{
    d->address = iAddress;
    d->name = iName;
}

TMailUser::TMailUser(const TMailUser &iOther)
    : QObject(iOther.parent())
    , d(new TMailUserPrivate(this))
{
    d->address = iOther.d->address;
    d->name = iOther.d->name;
}

TMailUser &TMailUser::operator=(const TMailUser &iOther)
{
    d->address = iOther.d->address;
    d->name = iOther.d->name;
    return *this;
}

TMailUser::~TMailUser() = default;

void TMailUser::setAddress(const QString &iAddress) { d->address = iAddress; }
QString TMailUser::address() const { return d->address; }
void TMailUser::setName(const QString &iName) { d->name = iName; }
QString TMailUser::name() const { return d->name; }
