#ifndef TPROPERTYTREEDELEGATE_H
#define TPROPERTYTREEDELEGATE_H

#include "vekpane_export.h"

#include <QStyledItemDelegate>

#include <memory>

class TPropertyTreeDelegatePrivate;

/*!
 * Part of the property editor laid out as a tree. It adds nothing to QStyledItemDelegate
 * yet; hosts derive from it.
 */
class VEKPANE_EXPORT TPropertyTreeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TPropertyTreeDelegate(QObject *iParent = nullptr);
    ~TPropertyTreeDelegate() override;

private:
    Q_DISABLE_COPY(TPropertyTreeDelegate)
    Q_DECLARE_PRIVATE_D(d, TPropertyTreeDelegate)
    const std::unique_ptr<TPropertyTreeDelegatePrivate> d;
};

#endif // TPROPERTYTREEDELEGATE_H
