#ifndef TFLOWLAYOUT_H
#define TFLOWLAYOUT_H

#include "vekpane_export.h"

#include <memory>

#include <QLayout>

class TFlowLayoutPrivate;

/*!
 * Places its items left to right at their preferred sizes and starts a new
 * row when the next item would pass the right edge, like words in a
 * paragraph; the height it needs follows from the width (height-for-width).
 *
 * A negative spacing means the parent's: the parent widget's style, or the
 * parent layout's spacing.
 */
class VEKPANE_EXPORT TFlowLayout : public QLayout
{
    Q_OBJECT
public:
    //! The layout of \a iParent; a margin of -1 leaves the margins to the style.
    explicit TFlowLayout(QWidget *iParent, int iMargin = -1, int iHSpacing = -1, int iVSpacing = -1);
    //! A layout without parent.
    explicit TFlowLayout(int iMargin = -1, int iHSpacing = -1, int iVSpacing = -1);
    ~TFlowLayout() override;

    int horizontalSpacing() const;
    int verticalSpacing() const;
    void setSpacing(int iSpacing);
    void setHorizontalSpacing(int iSpacing);
    void setVerticalSpacing(int iSpacing);

    void addItem(QLayoutItem *iItem) override;
    QLayoutItem *itemAt(int iIndex) const override;
    QLayoutItem *takeAt(int iIndex) override;
    int count() const override;

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect &iRect) override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int iWidth) const override;

private:
    Q_DISABLE_COPY(TFlowLayout)
    Q_DECLARE_PRIVATE_D(d, TFlowLayout)
    const std::unique_ptr<TFlowLayoutPrivate> d;
};

#endif // TFLOWLAYOUT_H
