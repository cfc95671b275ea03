#include "tpropertytreedelegate.h"
#include "tpropertytreedelegate_p.h"

TPropertyTreeDelegate::TPropertyTreeDelegate(QObject *iParent)
    : QStyledItemDelegate(iParent)
    , d(new TPropertyTreeDelegatePrivate(this))
{}

TPropertyTreeDelegate::~TPropertyTreeDelegate() = default;
