#ifndef TPANELMENU_H
#define TPANELMENU_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QScrollArea>

#include <memory>

class TPanelItem;
class TPanelMenuPrivate;

/*!
 * A vertical navigation panel built from an item list: one row per item,
 * nested items indented below their parent and folded in or out by clicking
 * it, one chain of rows highlighted as active.
 *
 * The item maps use seven names the caller may rename per list (a map with
 * "item_list" and any of "child_list_key", "text_key", "user_data_key",
 * "icon_key", "tool_tip_key", "unfold_key", "active_key").
 *
 * Own key: "item_list" (read and written). selectChange() reports a new
 * selection, clicked() every click, both with the item's map.
 */
class VEKPANE_EXPORT TPanelMenu : public QScrollArea, public TUiInterface
{
    Q_OBJECT
public:
    explicit TPanelMenu(QWidget *iParent = nullptr);
    ~TPanelMenu() override;

public Q_SLOTS:
    //! Common keys first, then the own key.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own key first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value: getAttr() of the empty key.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! Rebuilds the rows from a list of item maps, or from a map with "item_list" and key names.
    void setItemList(const QVariant &iData);
    //! The maps of the first-level rows, with their current tool tip and unfold state.
    QVariantList itemList() const;
    //! The first-level rows.
    QList<TPanelItem *> panelItemList() const;

    TUI_INTERFACE_SLOTS
    void selectChange(const QVariant &iData);
    void clicked(const QVariant &iData);

private Q_SLOTS:
    void onActiveChange(bool iActive);
    void onSelectedChange(const QVariant &iData);
    void onClicked(const QVariant &iData);

private:
    Q_DISABLE_COPY(TPanelMenu)
    Q_DECLARE_PRIVATE_D(d, TPanelMenu)
    const std::unique_ptr<TPanelMenuPrivate> d;
};

#endif // TPANELMENU_H
