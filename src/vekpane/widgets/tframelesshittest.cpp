#include "tframelesshittest.h"

namespace TFramelessHitTest {

Area hitTest(const QRect &iWindowRect, const QPoint &iPos, int iBand, int iTitleBarHeight, bool iOverControl)
{
    if (!iWindowRect.contains(iPos))
        return Outside;
    const int band = qMax(0, iBand);
    const bool left = iPos.x() < iWindowRect.left() + band;
    const bool right = iPos.x() > iWindowRect.right() - band;
    const bool top = iPos.y() < iWindowRect.top() + band;
    const bool bottom = iPos.y() > iWindowRect.bottom() - band;

    if (bottom && right)
        return BottomRight;
    if (top && right)
        return TopRight;
    if (top && left)
        return TopLeft;
    if (bottom && left)
        return BottomLeft;
    if (bottom)
        return Bottom;
    if (right)
        return Right;
    if (left)
        return Left;
    if (top)
        return Top;
    if (iOverControl)
        return Client;
    if (iPos.y() < iWindowRect.top() + iTitleBarHeight)
        return Caption;
    return Client;
}

Qt::Edges edges(Area iArea)
{
    switch (iArea) {
    case Left:
        return Qt::LeftEdge;
    case Right:
        return Qt::RightEdge;
    case Top:
        return Qt::TopEdge;
    case Bottom:
        return Qt::BottomEdge;
    case TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

} // namespace TFramelessHitTest
