#ifndef TPROPERTYTREEVIEW_H
#define TPROPERTYTREEVIEW_H

#include "vekpane_export.h"

#include <QTreeView>

#include <memory>

class TPropertyTreeViewPrivate;

/*!
 * Part of the property editor laid out as a tree. It adds nothing to QTreeView
 * yet; hosts derive from it.
 */
class VEKPANE_EXPORT TPropertyTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit TPropertyTreeView(QWidget *iParent = nullptr);
    ~TPropertyTreeView() override;

private:
    Q_DISABLE_COPY(TPropertyTreeView)
    Q_DECLARE_PRIVATE_D(d, TPropertyTreeView)
    const std::unique_ptr<TPropertyTreeViewPrivate> d;
};

#endif // TPROPERTYTREEVIEW_H
