#ifndef TMULTICOMBOBOXPRILISTWGT_H
#define TMULTICOMBOBOXPRILISTWGT_H

#include <QIcon>
#include <QListWidget>

#include <memory>

class TMultiComboBoxPriListWgtPrivate;

/*
 * The drop-down of the multi-choice combo box: one checkable row per item and,
 * as the last row, a select-all box, the label "All" and an OK button. It
 * reports the checked rows as maps {"text", "icon", "user_data", "name"};
 * hiding it (other than by cancel()) confirms them. Internal to the library.
 */
class TMultiComboBoxPriListWgt : public QListWidget
{
    Q_OBJECT
public:
    explicit TMultiComboBoxPriListWgt(QWidget *iParent = nullptr);
    ~TMultiComboBoxPriListWgt() override;

public Q_SLOTS:
    //! The "name" of each checked row, in row order.
    QStringList currentNames() const;
    //! Checks exactly the rows of those names and confirms them.
    void setCurrentNames(const QStringList &iCurNameLst);
    QList<QIcon> currentIcons() const;
    QVariantList currentUserDatas() const;
    //! Checks (or unchecks) the row of the first item named \a iNameStr.
    void select(const QString &iNameStr, bool iFlagBol = true);
    //! Checks or unchecks every item row.
    void selectAll(bool iIsAllSelectBol);
    //! The item list as given.
    QVariantList data() const;
    //! Rebuilds the rows from \a iItemVarLst and confirms the (empty) choice.
    void setData(const QVariantList &iItemVarLst);
    //! The selection maps of the checked rows, in row order.
    QVariantList currentDatasMap() const;

Q_SIGNALS:
    //! The checks changed (not yet confirmed).
    void selectChanged(const QVariantList &iMapVarLst);
    //! A changed choice was confirmed.
    void modelDataChanged(const QVariantList &iMapVarLst);
    //! The drop-down is done and may close.
    void finish();

protected:
    void hideEvent(QHideEvent *iEvent) override;

private Q_SLOTS:
    void doAfterSelectRefresh();
    void select(QListWidgetItem *iItemPtr);
    void ok();
    void cancel();

private:
    Q_DISABLE_COPY(TMultiComboBoxPriListWgt)
    Q_DECLARE_PRIVATE_D(d, TMultiComboBoxPriListWgt)
    const std::unique_ptr<TMultiComboBoxPriListWgtPrivate> d;
};

#endif // TMULTICOMBOBOXPRILISTWGT_H
