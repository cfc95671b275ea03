#ifndef TRADIOBOX_H
#define TRADIOBOX_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class TRadioBoxPrivate;

/*!
 * A single-choice editor: radio buttons built from an item list, laid out in
 * a grid of a fixed number of columns, of which at most one is checked. Its
 * value is the name (object name) of the checked button; an item's "data" is
 * kept in the button's property "USER_DATA".
 *
 * A hidden button without name stands for "nothing chosen", so the group stays
 * exclusive while no named button is checked.
 *
 * Own keys: "value", "item_list" (read back as indented JSON text),
 * "column_count". A click on a button sends "editing_finished" and, when the
 * choice changed since the last report, "value_changed".
 */
class VEKPANE_EXPORT TRadioBox : public QWidget, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QVariantList itemList READ itemList WRITE setItemList NOTIFY itemListChanged)
    Q_PROPERTY(QString currentName READ currentName WRITE setCurrentName NOTIFY currentNameChanged)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
public:
    explicit TRadioBox(QWidget *iParent = nullptr);
    ~TRadioBox() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! addButton() for each, in order.
    void addButtons(const QList<QAbstractButton *> &iLst);
    //! The list last given to setItemList().
    QVariantList itemList() const;
    //! Rebuilds the buttons from \a iItemLst: maps with "icon", "text", "name" and "data", or plain values used as name and text.
    void setItemList(const QVariantList &iItemLst);
    //! The name of the checked button; empty when nothing is chosen.
    QString currentName() const;
    //! Checks the first button of the group with that name; the empty name clears the choice.
    void setCurrentName(const QString &iCurNameStr);
    //! The text of the checked button; empty when none.
    QString currentText() const;
    //! The icon of the checked button; null when none.
    QIcon currentIcon() const;
    //! The "USER_DATA" of the checked button; invalid when none.
    QVariant currentUserData() const;
    //! The number of grid columns, 4 at first.
    int columnCount() const;
    //! Lays the buttons out in \a iCountInt columns (below 1 counts as 1); spare width goes right of them.
    void setColumnCount(int iCountInt);
    //! Removes and deletes every listed button; the item list stays.
    void clear();
    //! Leaves no button checked at all, the hidden one included.
    void clearValue();
    //! The exclusive group of the buttons.
    QButtonGroup *buttonGroup() const;
    //! Places \a iButtonPtr in the next grid cell and joins it to the group; its clicks are reported.
    void addButton(QAbstractButton *iButtonPtr);
    //! The buttons placed in the grid, in order of addition.
    QList<QAbstractButton *> buttons() const;
    //! Joins \a iButtonPtr to the group without placing it; its choice is announced, its clicks are not reported.
    void merge(QAbstractButton *iButtonPtr);
    //! merge() of every button of the other box's group.
    void merge(TRadioBox *iRadioBoxPtr);
    //! merge() of every button of that group.
    void merge(QButtonGroup *iButtonGroupPtr);

    TUI_INTERFACE_SLOTS
    //! Emitted at the end of every setItemList().
    void itemListChanged();
    //! A button of the group became checked.
    void currentNameChanged(const QString &iCurNameStr);

private Q_SLOTS:
    void onButtonToggled();
    void onClicked();

private:
    Q_DISABLE_COPY(TRadioBox)
    Q_DECLARE_PRIVATE_D(d, TRadioBox)
    const std::unique_ptr<TRadioBoxPrivate> d;
};

#endif // TRADIOBOX_H
