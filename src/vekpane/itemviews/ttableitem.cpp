#include "ttableitem.h"
#include "ttableitem_p.h"

#include "ttablemodel.h"

TTableItem::TTableItem()
    : d(new TTableItemPrivate)
{}

TTableItem::TTableItem(const QList<QVariant> &iValues)
    : d(new TTableItemPrivate)
{
    d->values = TRowValues::fromList(iValues);
}

TTableItem::TTableItem(const TTableItem &iOther)
    : d(new TTableItemPrivate(*iOther.d))
{}

TTableItem &TTableItem::operator=(const TTableItem &iOther)
{
    if (this != &iOther)
        *d = *iOther.d;
    return *this;
}

TTableItem::~TTableItem() = default;

QList<QVariant> TTableItem::data() const { return d->values.toList(); }

QVariant TTableItem::data(int iIndex) const { return d->values.value(iIndex); }

void TTableItem::setData(const QList<QVariant> &iValues) { d->values = TRowValues::fromList(iValues); }

void TTableItem::setData(int iIndex, const QVariant &iValue)
{
    if (iIndex >= 0 && iIndex < d->values.size())
        d->values[iIndex] = iValue;
}

bool TTableItem::visible() const { return d->visible; }

void TTableItem::setVisible(bool iVisible) { d->visible = iVisible; }

TTableModel *TTableItem::model() const { return d->model; }

void TTableItem::setModel(TTableModel *iModel) { d->model = iModel; }

int TTableItem::row() const
{
    if (!d->model)
        return -1;
    return d->model->dataList().indexOf(const_cast<TTableItem *>(this));
}
