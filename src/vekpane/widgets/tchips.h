#ifndef TCHIPS_H
#define TCHIPS_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QFrame>
#include <QScrollArea>
#include <QStringList>

#include <memory>

class QAbstractButton;
class QLineEdit;
class ChipItemPrivate;
class TChipsPrivate;

/*!
 * One chip of TChips: a framed text with a close button. The close button
 * asks the owner to remove the chip through deleteChip().
 */
class VEKPANE_EXPORT ChipItem : public QFrame
{
    Q_OBJECT
public:
    explicit ChipItem(const QString &iText = QString(), QWidget *iParent = nullptr);
    ~ChipItem() override;

    //! The chip's text.
    QString text() const;
    //! The close button.
    QAbstractButton *closeButton() const;

Q_SIGNALS:
    //! The close button was clicked.
    void deleteChip();

protected:
    void resizeEvent(QResizeEvent *iEvent) override;

private Q_SLOTS:
    void onDeleteClicked();

private:
    Q_DISABLE_COPY(ChipItem)
    Q_DECLARE_PRIVATE_D(d, ChipItem)
    const std::unique_ptr<ChipItemPrivate> d;
};

/*!
 * A tag input: a wrapping row of chips followed by a line edit. Finishing the
 * edit turns its whole text into a new chip (no splitting, no trimming,
 * duplicates allowed); the close button of a chip, or Backspace in the empty
 * entry for the last chip, removes one. The box grows in height with its
 * rows while its vertical scroll bar is off (the default).
 *
 * Own key: "value", the chip texts as a string list (read and written;
 * writing sends nothing). An edit by the user emits valueChanged() and then
 * editingFinished().
 */
class VEKPANE_EXPORT TChips : public QScrollArea, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QStringList chips READ chips WRITE setChips NOTIFY valueChanged USER true)
public:
    explicit TChips(QWidget *iParent = nullptr);
    ~TChips() override;

    //! Gives the entry and every chip the fixed height \a iHeight.
    void setChipHeight(int iHeight);
    //! Lays the chips and the entry out at \a iWidth and fits the box's height to them.
    void refreshLayout(int iWidth);
    //! The line edit that makes new chips.
    QLineEdit *lineEdit() const;

public Q_SLOTS:
    //! Common keys first, then the own key.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own key first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value: getAttr() of the empty key.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! Turns the entry's text into a new last chip and empties the entry; nothing for an empty entry.
    void addChip();
    //! Makes a chip of \a iText inside the box without listing it.
    ChipItem *createChip(const QString &iText);
    //! Replaces every chip by one per text, in order; no signal.
    void setChips(const QStringList &iChipsList);
    //! The chip texts in order.
    QStringList chips() const;
    //! Removes every chip and empties the entry; no signal.
    void clearChips();
    //! Removes the chip at \a iIndex and reports the change; nothing for an index without chip.
    void removeChip(int iIndex);

    TUI_INTERFACE_SLOTS
    //! The chips changed by an edit.
    void valueChanged();
    //! An edit of the chips ended.
    void editingFinished();

protected:
    void mousePressEvent(QMouseEvent *iEvent) override;
    void resizeEvent(QResizeEvent *iEvent) override;
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;

private Q_SLOTS:
    void onDeleteChip();
    void onRefresh();

private:
    Q_DISABLE_COPY(TChips)
    Q_DECLARE_PRIVATE_D(d, TChips)
    const std::unique_ptr<TChipsPrivate> d;
};

#endif // TCHIPS_H
