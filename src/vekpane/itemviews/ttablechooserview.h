#ifndef TTABLECHOOSERVIEW_H
#define TTABLECHOOSERVIEW_H

#include "ttableview.h"

#include <QAbstractItemView>
#include <QVariantList>

#include <memory>

class TTableChooserViewPrivate;

/*!
 * A table whose rows are a user's ordered choice from a list of candidate
 * rows (the item list). Its context menu's one action opens a
 * TTableChooserDialog with the candidates on the left and the current rows
 * on the right; when the user accepts, the dialog's result becomes the rows.
 * Display, attributes and row access are the table view's.
 *
 * Unless repetition is enabled, a candidate equal to a current row is not
 * offered. The dialog lives as long as the view and keeps its settings.
 */
class VEKPANE_EXPORT TTableChooserView : public TTableView
{
    Q_OBJECT
    Q_PROPERTY(bool repetitionEnabled READ isRepetitionEnabled WRITE setRepetitionEnabled)
public:
    explicit TTableChooserView(QWidget *iParent = nullptr);
    ~TTableChooserView() override;

public Q_SLOTS:
    //! Whether the dialog is offered candidates equal to current rows too.
    bool isRepetitionEnabled();
    //! Offers every candidate (true) or only those not chosen yet (false); the dialog's own flag is left alone.
    void setRepetitionEnabled(bool iEnabled);
    //! Stores the candidate rows; the view's rows are left alone.
    void setItemList(const QVariantList &iItemLst);
    //! The candidate rows.
    QVariantList itemList();
    //! Sets the column descriptions of the view and of the dialog.
    void setViewHeaderItem(const QVariantList &iHeaderItemLst);
    //! Sets the data keys of the view and of the dialog.
    void setViewDataKeyList(const QStringList &iKeyLst);
    //! Sets the primary key of the view and of the dialog.
    void setViewPrimaryKey(const QString &iKeyStr);
    //! The dialog's buttons (button specifications).
    void setDialogButtons(const QStringList &iButtonStrLst);
    //! The dialog's window title.
    void setDialogTitle(const QString &iTitleStr);
    //! The dialog's window icon, by icon name.
    void setDialogIcon(const QString &iIconStr);
    //! Selection mode of the dialog's available table.
    void setDialogLeftTableSelectionMode(QAbstractItemView::SelectionMode iMode);
    //! Selection mode of the dialog's chosen table.
    void setDialogRightTableSelectionMode(QAbstractItemView::SelectionMode iMode);
    //! The data keys the dialog's search covers; an empty list hides its search entry.
    void setDialogSearchKeys(const QStringList &iKeyLst);
    //! Text put into the dialog's search entry.
    void setDialogSearchText(const QString &iText);
    //! The dialog's search delay in milliseconds.
    void setDialogSearchDelayTime(int iMsec);

private Q_SLOTS:
    void onEditActionTriggered();

private:
    Q_DISABLE_COPY(TTableChooserView)
    Q_DECLARE_PRIVATE_D(d, TTableChooserView)
    const std::unique_ptr<TTableChooserViewPrivate> d;
};

#endif // TTABLECHOOSERVIEW_H
