#ifndef TMULTICHECKBOX_H
#define TMULTICHECKBOX_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QIcon>
#include <QList>
#include <QWidget>

#include <memory>

class QAbstractButton;
class TCheckBox;
class TMultiCheckBoxPrivate;

/*!
 * A multiple-choice editor: check boxes built from an item list or added one
 * by one, in a flowing row or in a grid of a fixed number of columns. Its
 * value is the list of the names (object names) of the checked boxes, also
 * readable as one text joined with a separator. An optional parent button
 * selects or clears all boxes and shows whether none, some or all are checked.
 *
 * Boxes made from the item list belong to the group; boxes added from outside
 * or merged from another group stay their owners' and are only let go by
 * clear().
 *
 * Own keys: "value" (names joined by ","), "current_names", "item_list",
 * "column_count", "style" (also given to every box), "parent_button".
 */
class VEKPANE_EXPORT TMultiCheckBox : public QWidget, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QStringList currentNames READ currentNames WRITE setCurrentNames NOTIFY currentNamesChanged)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)
public:
    explicit TMultiCheckBox(QWidget *iParent = nullptr);
    ~TMultiCheckBox() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The names of the checked boxes, in list order.
    QStringList currentNames() const;
    //! Checks exactly the first box of each name; unknown names are ignored.
    void setCurrentNames(const QStringList &iCurNameStrLst);
    //! currentNames() joined with \a iSepStr.
    QString currentName(const QString &iSepStr = QStringLiteral(",")) const;
    //! setCurrentNames() of the text split at \a iSepStr (empty parts kept).
    void setCurrentName(const QString &iCurNameStr, const QString &iSepStr = QStringLiteral(","));
    //! The icons of the checked boxes, in list order.
    QList<QIcon> currentIcons() const;
    //! The "USER_DATA" of the checked boxes, in list order.
    QVariantList currentUserDatas() const;
    //! Checks (or unchecks) the first box named \a iNameStr.
    void select(const QString &iNameStr, bool iFlagStr = true);
    //! Checks or unchecks every box.
    void selectAll(bool iFlagBol);
    //! The number of grid columns; below 1 (-1 at first) the boxes flow in rows.
    int columnCount() const;
    //! Rebuilds the layout: a grid of \a iCountInt columns, or a flow layout below 1.
    void setColumnCount(int iCountInt);
    //! Deletes the boxes made from the item list and lets go of all others.
    void clear();
    //! Places \a iButtonPtr in the layout with the group's style; its toggles and "editing_finished" are followed.
    void addButton(TCheckBox *iButtonPtr);
    //! Every box of the group, in order of addition.
    QList<TCheckBox *> buttons() const;
    //! Follows the toggles of \a iButtonPtr without placing it.
    void merge(TCheckBox *iButtonPtr);
    //! merge() of every box of the other group, in its order.
    void merge(TMultiCheckBox *iCheckBoxPtr);
    //! The button that selects all; none at first.
    QAbstractButton *parentButton() const;
    //! Makes \a iButtonPtr select or clear all boxes when clicked; an earlier one is let go.
    void setParentButton(QAbstractButton *iButtonPtr);
    //! The list last accepted by setItemList().
    QVariantList itemList() const;
    //! Rebuilds the boxes from maps with "name", "value", "icon", "text", "data"; an equal list changes nothing.
    void setItemList(const QVariantList &iItemLst);
    //! Box name -> tip text, for every box.
    QVariantMap getTipTexts() const;
    //! Sets the tip text of each box named in \a iData.
    void setTipTexts(const QVariantMap &iData);
    //! The first box named \a iName, or null.
    TCheckBox *checkButton(const QString &iName) const;
    int horizontalSpacing() const;
    int verticalSpacing() const;
    int margin() const;
    void setHorizontalSpacing(int iSpace);
    void setVerticalSpacing(int iSpace);
    void setMargin(int iMargin);

    TUI_INTERFACE_SLOTS
    //! A box was toggled; the names of the checked boxes.
    void currentNamesChanged(const QStringList &iCurNameStrLst);

private Q_SLOTS:
    void onButtonToggled();
    void onNotification(const QString &iType, const QVariant &iData, const QString &iUuid);

private:
    Q_DISABLE_COPY(TMultiCheckBox)
    Q_DECLARE_PRIVATE_D(d, TMultiCheckBox)
    const std::unique_ptr<TMultiCheckBoxPrivate> d;
};

#endif // TMULTICHECKBOX_H
