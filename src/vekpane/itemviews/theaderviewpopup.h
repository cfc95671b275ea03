#ifndef THEADERVIEWPOPUP_H
#define THEADERVIEWPOPUP_H

#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class QAbstractItemView;
class THeaderViewPopupPrivate;

/*!
 * The column pop-up of the table view: one check box per named column, in
 * the header's visual order, through which the user shows and hides columns.
 * The boxes are built from the header each time the pop-up shows; the last
 * visible column cannot be hidden.
 */
class VEKPANE_EXPORT THeaderViewPopup : public QWidget
{
    Q_OBJECT
public:
    explicit THeaderViewPopup(QWidget *iParent = nullptr);
    ~THeaderViewPopup() override;

public Q_SLOTS:
    //! The table whose columns the pop-up lists.
    void setItemView(QAbstractItemView *iView);

protected:
    void showEvent(QShowEvent *iEvent) override;
    void hideEvent(QHideEvent *iEvent) override;

private:
    Q_DISABLE_COPY(THeaderViewPopup)
    Q_DECLARE_PRIVATE_D(d, THeaderViewPopup)
    const std::unique_ptr<THeaderViewPopupPrivate> d;
};

#endif // THEADERVIEWPOPUP_H
