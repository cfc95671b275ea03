#ifndef TMAILADRESSDIALOG_H
#define TMAILADRESSDIALOG_H

#include "vekpane_export.h"

#include <QDialog>
#include <QStringList>
#include <QVariant>

#include <memory>

class TMailAdressDialogPrivate;

/*!
 * The address book of the mail composer: the user picks contacts from a
 * table, narrowed by a category tree and a search, and moves them into a To
 * list and a Cc list. It only collects addresses.
 *
 * A contact is a list of display name, mail address and group (the "name"
 * of its category). A category is a map with "name", "text", "icon" and
 * "CHILDREN". A recipient is written "<display name>address", the form
 * TMail::parseUser() reads. A Bcc list has no place on screen; it passes
 * in and out through setBccList(), getBccList() and run().
 */
class VEKPANE_EXPORT TMailAdressDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TMailAdressDialog(QWidget *iParent = nullptr);
    ~TMailAdressDialog() override;

public Q_SLOTS:
    //! Loads the category tree, with a root row "All" in front.
    void setCategoryList(const QVariantList &iVariantLst);
    //! Stores the contacts and shows them all.
    void setMailList(const QVariantList &iVariantLst);
    //! Replaces the To recipients ("<name>address" each).
    void setToList(const QStringList &iStrLst);
    //! Replaces the Cc recipients.
    void setCcList(const QStringList &iStrLst);
    //! Replaces the Bcc recipients.
    void setBccList(const QStringList &iStrLst);
    //! The To recipients in table order, "<name>address" each.
    QStringList getToList();
    //! The Cc recipients in table order.
    QStringList getCcList();
    //! The Bcc recipients in table order.
    QStringList getBccList();
    //! setCategoryList(), setMailList(), then the three recipient lists.
    void loadData(const QVariantList &iCategoryVarLst, const QVariantList &iMailVarLst,
                  const QStringList &iToStrLst = QStringList(), const QStringList &iCcStrLst = QStringList(),
                  const QStringList &iBccStrLst = QStringList());
    /*!
     * Runs the dialog modally. On Ok, writes the recipient lists into the
     * pointers that are not null and answers true; on Cancel answers false
     * and leaves them alone.
     */
    bool run(QStringList *oToLstPtr = nullptr, QStringList *oCcLstPtr = nullptr, QStringList *oBccLstPtr = nullptr);

private Q_SLOTS:
    void onDoSearch(const QString &iSearchTextStr, const QVariant &iOptionsVar);
    void onAddTo();
    void onAddCc();
    void onRemoveTo();
    void onRemoveCc();
    void onAllAddTo();
    void onAllAddCc();
    void onAllRemoveTo();
    void onAllRemoveCc();
    void onSelectionChanged();

private:
    void initTreeView();
    void initTableView();

    Q_DISABLE_COPY(TMailAdressDialog)
    Q_DECLARE_PRIVATE_D(d, TMailAdressDialog)
    const std::unique_ptr<TMailAdressDialogPrivate> d;
};

#endif // TMAILADRESSDIALOG_H
