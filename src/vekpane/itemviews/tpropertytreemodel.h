#ifndef TPROPERTYTREEMODEL_H
#define TPROPERTYTREEMODEL_H

#include "vekpane_export.h"

#include <QAbstractItemModel>

#include <memory>

class TPropertyTreeModelPrivate;

/*!
 * Part of the property editor laid out as a tree. It adds nothing to
 * QAbstractItemModel yet and leaves the item-model operations open, so only a
 * host class that supplies them can be instantiated.
 */
class VEKPANE_EXPORT TPropertyTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit TPropertyTreeModel(QObject *iParent = nullptr);
    ~TPropertyTreeModel() override;

private:
    Q_DISABLE_COPY(TPropertyTreeModel)
    Q_DECLARE_PRIVATE_D(d, TPropertyTreeModel)
    const std::unique_ptr<TPropertyTreeModelPrivate> d;
};

#endif // TPROPERTYTREEMODEL_H
