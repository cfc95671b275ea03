#include "tdialog.h"
#include "tdialog_p.h"

#include "twindowchrome_p.h"

#include <QEvent>

TDialog::TDialog(QWidget *parent)
    : QDialog(parent)
    , d(new TDialogPrivate(this))
{}

TDialog::~TDialog() = default;

TFramelessWindowBar *TDialog::windowTitleBar()
{
    if (!d->titleBar) {
        d->titleBar = new TFramelessWindowBar(this);
        d->titleBar->setHostWindow(this);
    }
    return d->titleBar;
}

void TDialog::setWindowTitleBar(TFramelessWindowBar *iBar) { TWindowChrome::replaceBar(this, d->titleBar, iBar); }

void TDialog::show()
{
    if (isWindow() && !d->titleBar)
        windowTitleBar()->initDefaultLayout();
    QWidget::show();
}

void TDialog::setWindowModified(bool iBol)
{
    Q_EMIT windowModifyChanged(iBol);
    QWidget::setWindowModified(iBol);
}

bool TDialog::event(QEvent *iEvent)
{
    const QEvent::Type type = iEvent->type();
    if (type == QEvent::Resize || type == QEvent::Show)
        TWindowChrome::reserveRoom(this, d->titleBar, type == QEvent::Show);
    return QWidget::event(iEvent);
}

bool TDialog::nativeEvent(const QByteArray &iEventType, void *iMessage, long *iResult)
{
    if (TWindowChrome::nativeMessage(d->titleBar, iMessage, iResult))
        return true;
    return QWidget::nativeEvent(iEventType, iMessage, iResult);
}
