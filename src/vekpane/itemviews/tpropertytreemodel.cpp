#include "tpropertytreemodel.h"
#include "tpropertytreemodel_p.h"

TPropertyTreeModel::TPropertyTreeModel(QObject *iParent)
    : QAbstractItemModel(iParent)
    , d(new TPropertyTreeModelPrivate(this))
{}

TPropertyTreeModel::~TPropertyTreeModel() = default;
