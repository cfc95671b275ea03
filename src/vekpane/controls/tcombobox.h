#ifndef TCOMBOBOX_H
#define TCOMBOBOX_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QComboBox>
#include <QIcon>

class TComboBoxPrivate;

/*!
 * The drop-down selection control of the widget library.
 *
 * Rows come from an item list: each element is either a map with "name",
 * "text", "icon" and "user_data", or a plain value that serves as both name
 * and text. Rows are addressed by name, can be hidden by name, can be
 * filtered through a search field at the top of the pop-up list, and the
 * mouse wheel only changes the selection when enabled.
 *
 * Own keys: "value" (the current row's name), "item_list", "searchable",
 * "wheel_enabled"; "validation_state" re-applies the search field and then
 * takes the common handling.
 */
class VEKPANE_EXPORT TComboBox : public QComboBox, public TuiAbstract
{
    Q_OBJECT
    Q_PROPERTY(QVariantList itemList READ itemList WRITE setItemList NOTIFY itemListChanged)
    Q_PROPERTY(QString currentName READ currentName WRITE setCurrentName)
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
    Q_PROPERTY(bool searchable READ isSearchable WRITE setSearchable)
public:
    explicit TComboBox(QWidget *iParent = nullptr);
    ~TComboBox() override;

    //! Opens the list with the search field, when shown, holding the keyboard.
    void showPopup() override;
    //! Clears the search, bringing back every row not hidden by name, and closes the list.
    void hidePopup() override;

public Q_SLOTS:
    //! Sets an own key; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads an own key; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! The item list, one map per row with at least "name" and "text".
    QVariantList itemList() const;
    //! Replaces every row; afterwards no row is current.
    void setItemList(const QVariantList &iItemLst);
    //! The current row's name (its text when the name is empty); empty when no row is current.
    QString currentName() const;
    //! Makes the first row of that name current; no row when none has it.
    void setCurrentName(const QString &iCurNameStr);
    //! The current row's icon; a null icon when no row is current.
    QIcon currentIcon() const;
    //! The current row's "user_data"; invalid when no row is current.
    QVariant currentUserData() const;
    //! Whether the mouse wheel changes the selection.
    bool isWheelEnabled() const;
    //! Lets the mouse wheel change the selection, or makes the box ignore it.
    void setWheelEnabled(bool iYBol);
    //! Whether the pop-up list shows the search field.
    bool isSearchable() const;
    //! Shows or hides the search field at the top of the pop-up list.
    void setSearchable(bool iYBol);
    //! Shows or hides every row of that name; hidden rows stay hidden while searching.
    void setItemVisible(const QString &iName, bool iBol = true);

    TUI_ABSTRACT_SLOTS

Q_SIGNALS:
    //! Emitted by every setItemList().
    void itemListChanged();

protected:
    void mouseReleaseEvent(QMouseEvent *iEvent) override;
    void wheelEvent(QWheelEvent *iEvent) override;
    void focusInEvent(QFocusEvent *iEvent) override;

protected Q_SLOTS:
    //! Reports a change of the current row: "value_changed", then "editing_finished".
    void onEditFinished();

private:
    Q_DISABLE_COPY(TComboBox)
    Q_DECLARE_PRIVATE_D(d, TComboBox)
    const std::unique_ptr<TComboBoxPrivate> d;
};

#endif // TCOMBOBOX_H
