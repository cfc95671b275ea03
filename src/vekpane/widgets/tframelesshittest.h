#ifndef TFRAMELESSHITTEST_H
#define TFRAMELESSHITTEST_H

#include "vekpane_export.h"

#include <QPoint>
#include <QRect>
#include <Qt>

/*!
 * Where a point of a frameless window lies for the window manager: a resize
 * band along the window edge (corners first), the caption to drag by, or the
 * client area. Pure, so that every platform helper answers alike.
 */
namespace TFramelessHitTest {

enum Area { Outside, Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

/*!
 * The area of \a iPos (same coordinates as \a iWindowRect). \a iBand is the
 * width of the resize band (inside the window), \a iTitleBarHeight the height
 * of the caption strip at the top, \a iOverControl whether the point lies on
 * a control of the title bar (a button or an entry), which takes the input
 * instead of dragging the window. The band wins over everything, corners over
 * edges; then a control is client area, the rest of the top strip caption.
 */
VEKPANE_EXPORT Area hitTest(const QRect &iWindowRect, const QPoint &iPos, int iBand, int iTitleBarHeight,
                            bool iOverControl);

//! The window edges a resize from \a iArea moves; none for the other areas.
VEKPANE_EXPORT Qt::Edges edges(Area iArea);

} // namespace TFramelessHitTest

#endif // TFRAMELESSHITTEST_H
