#ifndef TTABLECHOOSERDIALOG_H
#define TTABLECHOOSERDIALOG_H

#include "tdialog.h"

#include <QAbstractItemView>
#include <QStringList>
#include <QVariant>

#include <memory>

class QAbstractButton;
class TDialogButtonBox;
class TSearchEntry;
class TTableView;
class TTableChooserDialogPrivate;

/*!
 * A modal dialog for choosing an ordered subset of rows: the available rows
 * on the left, the chosen ones on the right, and arrow buttons between them
 * that move rows across and reorder the chosen ones. A search entry in the
 * title bar filters the available rows. run() answers the chosen rows in the
 * order the user arranged them.
 *
 * With repetition enabled, adding copies rows (the same row may be chosen
 * again) and removing drops them; otherwise every row is in exactly one of
 * the two tables. Both tables share the column descriptions, data keys and
 * primary key set here. Buttons named "SelectAll" and "UnselectAll" select
 * all available rows or clear their selection.
 */
class VEKPANE_EXPORT TTableChooserDialog : public TDialog
{
    Q_OBJECT
    Q_PROPERTY(bool repetitionEnabled READ isRepetitionEnabled WRITE setRepetitionEnabled)
public:
    explicit TTableChooserDialog(QWidget *iParent = nullptr);
    ~TTableChooserDialog() override;

public Q_SLOTS:
    //! Whether adding copies rows instead of moving them.
    bool isRepetitionEnabled();
    //! Makes adding copy rows (true) or move them (false).
    void setRepetitionEnabled(bool iEnabled);
    //! Replaces the buttons of the bottom row (button specifications, see TDialogButtonBox).
    void setButtons(const QStringList &iButtonStrLst);
    //! Sets the window title.
    void setTitle(const QString &iTitleStr);
    //! Sets the window icon from an icon name.
    void setIcon(const QString &iIconStr);
    /*!
     * Runs the dialog modally. Answers the chosen rows as maps, in their
     * order, when it was accepted, else an empty list; \a oAnswer, when
     * given, receives 1 for accepted and 0 for rejected.
     */
    QVariantList run(int *oAnswer = nullptr);
    //! The table of the available rows.
    TTableView *tableView();
    //! The table of the chosen rows.
    TTableView *selectedTableView();
    //! Sets the column descriptions of both tables.
    void setHeaderItem(const QVariantList &iHeaderItemLst);
    //! Sets the data keys of both tables.
    void setDataKeyList(const QStringList &iKeyLst);
    //! Sets the primary key of both tables.
    void setPrimaryKey(const QString &iKeyStr);
    //! Replaces the available rows.
    void loadAllData(const QVariantList &iDataLst);
    /*!
     * Replaces the chosen rows. Unless repetition is enabled, the available
     * rows whose primary keys are among them are removed; the others stay as
     * they are, shown or hidden. Call it after loadAllData().
     */
    void loadSelectedData(const QVariantList &iDataLst);
    //! Selection mode of the available table.
    void setLeftTableSelectionMode(QAbstractItemView::SelectionMode iMode);
    //! Selection mode of the chosen table.
    void setRightTableSelectionMode(QAbstractItemView::SelectionMode iMode);
    //! The data keys searched by the search entry; an empty list hides the entry.
    void setSearchKeys(const QStringList &iKeyLst);
    //! Puts a text into the search entry; no search runs by itself.
    void setSearchText(const QString &iText);
    //! The pause after typing before a search runs, in milliseconds.
    void setSearchDelayTime(int iMsec);
    //! Selects the available rows with these primary keys, after clearing the selection when \a iClear.
    void selectRows(const QVariantList &iKeyLst, bool iClear = true);
    //! Shows the available rows in which the wildcard pattern \a iText matches a search key; hides the others.
    void filter(const QString &iText, const QVariant &iOptions = QVariant());
    //! The bottom button row.
    TDialogButtonBox *buttonBox();
    //! The search entry of the title bar.
    TSearchEntry *searchEntry();

private Q_SLOTS:
    void onButtonClicked(QAbstractButton *iButton);
    void onAllAddBtnClicked();
    void onAddBtnClicked();
    void onAllRemoveBtnClicked();
    void onRemoveBtnClicked();
    void onMoveTopBtnClicked();
    void onMoveUpBtnClicked();
    void onMoveDownBtnClicked();
    void onMoveBtmBtnClicked();

private:
    Q_DISABLE_COPY(TTableChooserDialog)
    Q_DECLARE_PRIVATE_D(d, TTableChooserDialog)
    const std::unique_ptr<TTableChooserDialogPrivate> d;
};

#endif // TTABLECHOOSERDIALOG_H
