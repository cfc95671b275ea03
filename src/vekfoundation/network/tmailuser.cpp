#include "tmailuser.h"
#include "tmailuser_p.h"

TMailUser::TMailUser(QObject *iParent)
    : QObject(iParent)
    , d_ptr(new TMailUserPrivate(this))
{}

TMailUser::TMailUser(const QString &iAddress, const QString &iName, QObject *iParent)
    : QObject(iParent)
    , d_ptr(new TMailUserPrivate(this))
{
    d_ptr->address = iAddress;
    d_ptr->name = iName;
}

TMailUser::TMailUser(const TMailUser &iOther)
    : QObject(iOther.parent())
    , d_ptr(new TMailUserPrivate(this))
{
    d_ptr->address = iOther.d_ptr->address;
    d_ptr->name = iOther.d_ptr->name;
}

TMailUser &TMailUser::operator=(const TMailUser &iOther)
{
    d_ptr->address = iOther.d_ptr->address;
    d_ptr->name = iOther.d_ptr->name;
    return *this;
}

TMailUser::~TMailUser() { delete d_ptr; }

void TMailUser::setAddress(const QString &iAddress)
{
    Q_D(TMailUser);
    d->address = iAddress;
}
QString TMailUser::address() const
{
    Q_D(const TMailUser);
    return d->address;
}
void TMailUser::setName(const QString &iName)
{
    Q_D(TMailUser);
    d->name = iName;
}
QString TMailUser::name() const
{
    Q_D(const TMailUser);
    return d->name;
}
