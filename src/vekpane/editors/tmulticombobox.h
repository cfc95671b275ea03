#ifndef TMULTICOMBOBOX_H
#define TMULTICOMBOBOX_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QComboBox>
#include <QIcon>

#include <memory>

class TMultiComboBoxPrivate;

/*!
 * A combo box from which any number of items is picked. Its drop-down is a
 * checkable list whose last row holds a select-all box and an OK button; the
 * closed box shows the texts of the chosen items, and a tool tip with their
 * icons and texts shows while the mouse is over it.
 *
 * Items are maps with "name", "text", "icon" (a file or resource path) and
 * "user_data". The choice is read and written as a list of names or as one
 * text in the name format: "A,B" (default), "A;B", "|A|B|", "JSON" or
 * "(A)(B)".
 *
 * Own keys: "value" (the names as one text), "item_list", "name_format"
 * (written only), "current_names", "row" (read only: the current row's item,
 * or one field of it given as option).
 */
class VEKPANE_EXPORT TMultiComboBox : public QComboBox, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QVariantList itemList READ itemList WRITE setItemList NOTIFY itemListChanged)
    Q_PROPERTY(QStringList currentNames READ currentNames WRITE setCurrentNames NOTIFY currentNamesChanged)
    Q_PROPERTY(QString nameFormat READ nameFormat WRITE setNameFormat)
public:
    explicit TMultiComboBox(QWidget *iParent = nullptr);
    ~TMultiComboBox() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The item list as given.
    QVariantList itemList() const;
    //! Replaces the items; the choice is cleared.
    void setItemList(const QVariantList &iItemLst);
    //! The names of the chosen items, in item order.
    QStringList currentNames() const;
    //! Chooses exactly the items of those names; unknown names are ignored.
    void setCurrentNames(const QStringList &iCurNameStrLst);
    //! The name format: "A,B", "A;B", "|A|B|", "JSON" or "(A)(B)".
    QString nameFormat() const;
    //! Stores the name format; the choice stays.
    void setNameFormat(const QString &iFormatStr);
    //! The chosen names as one text in the name format.
    QString currentName() const;
    //! Chooses the names a text in the name format holds.
    void setCurrentName(const QString &iCurNameStr);
    //! The icons of the chosen items.
    QList<QIcon> currentIcons() const;
    //! The "user_data" of the chosen items.
    QVariantList currentUserDatas() const;
    //! Checks (or unchecks) the item named \a iNameStr in the drop-down.
    void select(const QString &iNameStr, bool iFlagBol = true);
    //! Checks or unchecks every item in the drop-down.
    void selectAll(bool iFlagBol);
    //! Shows the texts of the interim choice while the drop-down is open.
    void doSelectChanged(const QVariantList &iMapVarLst);
    //! Takes a confirmed choice, announces it and closes the drop-down.
    void doModelDataChanged(const QVariantList &iMapVarLst);
    //! Closes the drop-down and shows the texts of the choice.
    void hideListWidget();

    TUI_INTERFACE_SLOTS
    //! Emitted by every setItemList().
    void itemListChanged();
    //! The choice changed.
    void currentNamesChanged(const QStringList &iCurrentNameStrLst);

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;

private Q_SLOTS:
    void onLineEditTextChanged();

private:
    Q_DISABLE_COPY(TMultiComboBox)
    Q_DECLARE_PRIVATE_D(d, TMultiComboBox)
    const std::unique_ptr<TMultiComboBoxPrivate> d;
};

#endif // TMULTICOMBOBOX_H
