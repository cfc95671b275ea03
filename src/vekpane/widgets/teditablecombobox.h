#ifndef TEDITABLECOMBOBOX_H
#define TEDITABLECOMBOBOX_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QComboBox>

#include <memory>

class TEditableComboBoxPrivate;

/*!
 * A combo box whose text is typed freely, offering a list of plain strings as
 * drop-down items and as completions while typing. The mouse wheel changes
 * nothing unless enabled, so scrolling a form over the box leaves it alone.
 *
 * Own keys: "item_list" (read back under "itemList"), "value" (text only),
 * "index" (int only). Leaving the box sends "editing_finished", then
 * "value_changed".
 */
class VEKPANE_EXPORT TEditableComboBox : public QComboBox, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QStringList itemList READ itemList WRITE setItemList NOTIFY itemListChanged)
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TEditableComboBox(QWidget *iParent = nullptr);
    ~TEditableComboBox() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! "itemList", "value" (the current text), "index"; other keys go to the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The list last set.
    QStringList itemList() const;
    //! Replaces the drop-down items by \a iItemStrLst, without index events.
    void setItemList(const QStringList &iItemStrLst);
    //! Whether the mouse wheel changes the selection; false at first.
    bool isWheelEnabled() const;
    //! Lets the mouse wheel change the selection, or makes the box ignore it.
    void setWheelEnabled(bool iYBol);

    TUI_INTERFACE_SLOTS
    //! Emitted by every setItemList().
    void itemListChanged();

protected Q_SLOTS:
    //! Sends "index_changed" with \a newIndx; connect currentIndexChanged(int) to it to report index changes.
    void indexChanged(int newIndx);

protected:
    void wheelEvent(QWheelEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TEditableComboBox)
    Q_DECLARE_PRIVATE_D(d, TEditableComboBox)
    const std::unique_ptr<TEditableComboBoxPrivate> d;
};

#endif // TEDITABLECOMBOBOX_H
