#ifndef TGRIDLAYOUT_H
#define TGRIDLAYOUT_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QGridLayout>

class TGridLayoutPrivate;

/*!
 * A grid layout for scripts: widgets and nested layouts are packed by cell,
 * taken as any QObject and placed only when they are of the right kind, with
 * the alignment given as text.
 *
 * Own keys: "spacing", "margin", "hspacing", "vspacing" (set and get),
 * "column_count" and "row_count" (get only).
 *
 * Pixel numbers and stretch factors run from 0 to the pixel bound that
 * docs/scripts.md gives (a spacing also -1, the style's); anything else is
 * refused with one error line.
 */
class VEKPANE_EXPORT TGridLayout : public QGridLayout, public TuiAbstract
{
    Q_OBJECT
    // Scripts reach Qt's "spacing" and "margin" properties too: these take
    // them through the checked keys.
    Q_PROPERTY(int spacing READ spacing WRITE setSpacingProperty)
    Q_PROPERTY(int margin READ marginProperty WRITE setMarginProperty)
public:
    explicit TGridLayout(QWidget *iParent = nullptr);
    ~TGridLayout() override;

    // What the layout asks for stays within the pixel bound.
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    int heightForWidth(int iWidth) const override;
    int minimumHeightForWidth(int iWidth) const override;

public Q_SLOTS:
    //! Sets "spacing", "margin", "hspacing" or "vspacing"; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads the own keys, "column_count" and "row_count"; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! Places \a iWgt, when it is a widget, at the cell with the spans and the alignment text.
    void packWidget(QObject *iWgt, int iRow, int iColumn, int iRowSpan = 1, int iColumnSpan = 1,
                    const QString &iAlignment = QString());
    //! Places \a iLayout, when it is a layout, at the cell with the spans and the alignment text.
    void packLayout(QObject *iLayout, int iRow, int iColumn, int iRowSpan = 1, int iColumnSpan = 1,
                    const QString &iAlignment = QString());
    //! Minimum width of a column.
    void setColumnMinimumWidth(int iColumn, int iMinSize);
    //! Stretch factor of a column.
    void setColumnStretch(int iColumn, int iStretch);
    //! Minimum height of a row.
    void setRowMinimumHeight(int iRow, int iMinSize);
    //! Stretch factor of a row.
    void setRowStretch(int iRow, int iStretch);
    //! Minimum height of a row.
    int rowMinimumHeight(int iRow) const;
    //! Minimum width of a column.
    int columnMinimumWidth(int iColumn) const;
    //! Stretch factor of a row.
    int rowStretch(int iRow) const;
    //! Stretch factor of a column.
    int columnStretch(int iColumn) const;

    TUI_ABSTRACT_SLOTS

    void setSpacingProperty(int iSpacing);
    int marginProperty() const;
    void setMarginProperty(int iMargin);
    Q_DISABLE_COPY(TGridLayout)
    Q_DECLARE_PRIVATE_D(d, TGridLayout)
    const std::unique_ptr<TGridLayoutPrivate> d;
};

#endif // TGRIDLAYOUT_H
