#include "tpropertytreeview.h"
#include "tpropertytreeview_p.h"

TPropertyTreeView::TPropertyTreeView(QWidget *iParent)
    : QTreeView(iParent)
    , d(new TPropertyTreeViewPrivate(this))
{}

TPropertyTreeView::~TPropertyTreeView() = default;
