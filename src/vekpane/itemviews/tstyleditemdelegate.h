#ifndef TSTYLEDITEMDELEGATE_H
#define TSTYLEDITEMDELEGATE_H

#include "vekpane_export.h"

#include <QStyledItemDelegate>

#include <memory>

class TStyledItemDelegatePrivate;

/*!
 * The cell delegate of the table and tree views.
 *
 * A column description chooses how its cells are painted through the role
 * "type": "html" paints the display text as rich text, "progress" a progress
 * bar of the display value between the "min" and "max" roles (max 0 counts as
 * 100), "button" places a tool button in the cell whose properties come from
 * the "property" role; any other cell is painted the standard way. No cell
 * shows a focus frame. Grid lines are drawn here, by the grid line mode.
 *
 * Clicking a cell button makes the view emit its signal
 * indexWidgetCommit(QWidget*, QModelIndex) with the button and its cell; the
 * delegate finds that signal by name on its parent, so any view declaring it
 * works.
 */
class VEKPANE_EXPORT TStyledItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    //! \a iParent is the view the delegate serves.
    explicit TStyledItemDelegate(QObject *iParent = nullptr);
    ~TStyledItemDelegate() override;

    void paint(QPainter *iPainter, const QStyleOptionViewItem &iOption, const QModelIndex &iIndex) const override;
    //! An "html" cell is as large as its laid-out text, or as high as its "sizeHint" value.
    QSize sizeHint(const QStyleOptionViewItem &iOption, const QModelIndex &iIndex) const override;
    QWidget *createEditor(QWidget *iParent, const QStyleOptionViewItem &iOption,
                          const QModelIndex &iIndex) const override;
    void setEditorData(QWidget *iEditor, const QModelIndex &iIndex) const override;
    void setModelData(QWidget *iEditor, QAbstractItemModel *iModel, const QModelIndex &iIndex) const override;
    //! The editor takes the whole cell.
    void updateEditorGeometry(QWidget *iEditor, const QStyleOptionViewItem &iOption,
                              const QModelIndex &iIndex) const override;

public Q_SLOTS:
    //! 0 no grid lines, 1 horizontal, 2 vertical, 3 both.
    int gridLineMode();
    //! Sets which grid lines each cell draws along its lower and right edges.
    void setGridLineMode(int iModeInt);

private Q_SLOTS:
    void onIndexWidgetCommit();

private:
    Q_DISABLE_COPY(TStyledItemDelegate)
    Q_DECLARE_PRIVATE_D(d, TStyledItemDelegate)
    const std::unique_ptr<TStyledItemDelegatePrivate> d;
};

#endif // TSTYLEDITEMDELEGATE_H
