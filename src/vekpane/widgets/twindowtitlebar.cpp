#include "twindowtitlebar.h"
#include "twindowtitlebar_p.h"

#include <QPointer>

TWindowTitleBar::TWindowTitleBar(QWidget *parent)
    : QFrame(parent)
    , d(new TWindowTitleBarPrivate(this))
{}

TWindowTitleBar::~TWindowTitleBar() = default;

void TWindowTitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPointer<TWindowTitleBar> guard(this);
    Q_EMIT doubleClicked();
    if (guard)
        QFrame::mouseDoubleClickEvent(event);
}
