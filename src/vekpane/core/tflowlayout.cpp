#include "tflowlayout.h"
#include "tflowlayout_p.h"

#include <QApplication>
#include <QWidget>

TFlowLayout::TFlowLayout(QWidget *iParent, int iMargin, int iHSpacing, int iVSpacing)
    : QLayout(iParent)
    , d(new TFlowLayoutPrivate(this, iHSpacing, iVSpacing))
{
    setContentsMargins(iMargin, iMargin, iMargin, iMargin);
}

TFlowLayout::TFlowLayout(int iMargin, int iHSpacing, int iVSpacing)
    : d(new TFlowLayoutPrivate(this, iHSpacing, iVSpacing))
{
    setContentsMargins(iMargin, iMargin, iMargin, iMargin);
}

TFlowLayout::~TFlowLayout()
{
    // The items are ours; the widgets they manage belong to their parent widget.
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

int TFlowLayout::horizontalSpacing() const
{
    return d->hSpacing >= 0 ? d->hSpacing : d->parentSpacing(QStyle::PM_LayoutHorizontalSpacing);
}

int TFlowLayout::verticalSpacing() const
{
    return d->vSpacing >= 0 ? d->vSpacing : d->parentSpacing(QStyle::PM_LayoutVerticalSpacing);
}

void TFlowLayout::setSpacing(int iSpacing)
{
    d->hSpacing = iSpacing;
    d->vSpacing = iSpacing;
}

void TFlowLayout::setHorizontalSpacing(int iSpacing) { d->hSpacing = iSpacing; }

void TFlowLayout::setVerticalSpacing(int iSpacing) { d->vSpacing = iSpacing; }

void TFlowLayout::addItem(QLayoutItem *iItem) { d->items.append(iItem); }

QLayoutItem *TFlowLayout::itemAt(int iIndex) const { return d->items.value(iIndex, nullptr); }

QLayoutItem *TFlowLayout::takeAt(int iIndex)
{
    if (iIndex < 0 || iIndex >= d->items.size())
        return nullptr;
    return d->items.takeAt(iIndex);
}

int TFlowLayout::count() const { return d->items.size(); }

QSize TFlowLayout::sizeHint() const { return minimumSize(); }

QSize TFlowLayout::minimumSize() const
{
    QSize size(0, 0);
    for (const QLayoutItem *item : d->items)
        size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

Qt::Orientations TFlowLayout::expandingDirections() const { return Qt::Orientations(); }

void TFlowLayout::setGeometry(const QRect &iRect)
{
    QLayout::setGeometry(iRect);
    d->arrangeItems(iRect, false);
}

bool TFlowLayout::hasHeightForWidth() const { return true; }

int TFlowLayout::heightForWidth(int iWidth) const { return d->arrangeItems(QRect(0, 0, iWidth, 0), true); }

int TFlowLayoutPrivate::parentSpacing(QStyle::PixelMetric iMetric) const
{
    Q_Q(const TFlowLayout);
    QObject *parent = q->parent();
    if (!parent)
        return -1;
    if (parent->isWidgetType()) {
        QWidget *pw = static_cast<QWidget *>(parent);
        return pw->style()->pixelMetric(iMetric, nullptr, pw);
    }
    if (const QLayout *pl = qobject_cast<const QLayout *>(parent))
        return pl->spacing();
    return -1;
}

int TFlowLayoutPrivate::itemSpacing(QLayoutItem *iItem, Qt::Orientation iOrientation) const
{
    Q_Q(const TFlowLayout);
    const int spacing = iOrientation == Qt::Horizontal ? q->horizontalSpacing() : q->verticalSpacing();
    if (spacing != -1)
        return spacing;
    // A spacer or nested layout has no style of its own: use the one of the
    // widget we lay out, then the application's.
    const QStyle *style = nullptr;
    if (QWidget *w = iItem->widget())
        style = w->style();
    else if (QWidget *pw = q->parentWidget())
        style = pw->style();
    else
        style = QApplication::style();
    return style->layoutSpacing(QSizePolicy::PushButton, QSizePolicy::PushButton, iOrientation);
}

int TFlowLayoutPrivate::arrangeItems(const QRect &iRect, bool iMeasureOnly) const
{
    Q_Q(const TFlowLayout);
    const QMargins m = q->contentsMargins();
    const QRect area = iRect.adjusted(m.left(), m.top(), -m.right(), -m.bottom());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;

    for (QLayoutItem *item : items) {
        const int sx = itemSpacing(item, Qt::Horizontal);
        const int sy = itemSpacing(item, Qt::Vertical);
        const QSize hint = item->sizeHint();
        int nextX = x + hint.width() + sx;
        // The first item of a row never wraps, however wide it is.
        if (nextX - sx > area.right() && rowHeight > 0) {
            x = area.x();
            y = y + rowHeight + sy;
            nextX = x + hint.width() + sx;
            rowHeight = 0;
        }
        if (!iMeasureOnly)
            item->setGeometry(QRect(QPoint(x, y), hint));
        x = nextX;
        rowHeight = qMax(rowHeight, hint.height());
    }
    return y + rowHeight - iRect.y() + m.bottom();
}
