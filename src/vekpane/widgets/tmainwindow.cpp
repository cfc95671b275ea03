#include "tmainwindow.h"
#include "tmainwindow_p.h"

#include "tcontrolsupport_p.h"
#include "tscriptvalue.h"
#include "tuicommonattrs_p.h"
#include "twindowchrome_p.h"

#include <QEvent>

TMainWindow::TMainWindow(QWidget *parent)
    : QMainWindow(parent)
    , d(new TMainWindowPrivate(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    VEK_LOG(QStringLiteral("new mainwindow 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

TMainWindow::~TMainWindow()
{
    VEK_LOG(QStringLiteral("destroy mainwindow 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TMainWindow::set(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    if (iKey == QLatin1String("window_modify_changed"))
        setWindowModified(value.toBool());
    else
        TuiAbstract::set(iKey, value);
}

QVariant TMainWindow::get(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("window_modify_changed"))
        return isWindowModified();
    return TuiAbstract::get(iKey, iOptions);
}

void TMainWindow::setBodyWidget(QObject *iBodyWgt)
{
    if (iBodyWgt && iBodyWgt->isWidgetType())
        setCentralWidget(static_cast<QWidget *>(iBodyWgt));
}

void TMainWindow::show()
{
    if (isWindow() && d->hasTitleBar && !d->titleBar)
        windowTitleBar()->initDefaultLayout();
    QWidget::show();
}

void TMainWindow::setWindowModified(bool iBol)
{
    const bool old = isWindowModified();
    QWidget::setWindowModified(iBol);
    if (old != iBol)
        Q_EMIT signal(QStringLiteral("window_modify_changed"), QVariant(iBol), TControlSupport::address(this));
}

void TMainWindow::setHasWindowTitleBar(bool iHas) { d->hasTitleBar = iHas; }

TFramelessWindowBar *TMainWindow::windowTitleBar()
{
    if (!d->hasTitleBar)
        return nullptr;
    if (!d->titleBar) {
        d->titleBar = new TFramelessWindowBar(this);
        d->titleBar->setHostWindow(this);
    }
    return d->titleBar;
}

void TMainWindow::setWindowTitleBar(TFramelessWindowBar *iBar) { TWindowChrome::replaceBar(this, d->titleBar, iBar); }

bool TMainWindow::event(QEvent *iEvent)
{
    // Docks, bars and the body add up, and scripts may also write Qt's own
    // size properties: whatever the sum, the window stays within the bound
    // before its backing store is sized to it.
    if (iEvent->type() == QEvent::Resize || iEvent->type() == QEvent::Show || iEvent->type() == QEvent::LayoutRequest)
        TUiCommonAttrs::boundWindow(this);
    if (iEvent->type() == QEvent::Resize || iEvent->type() == QEvent::Show)
        TWindowChrome::reserveRoom(this, d->titleBar, false);
    return QMainWindow::event(iEvent);
}

bool TMainWindow::nativeEvent(const QByteArray &iEventType, void *iMessage, long *iResult)
{
    if (TWindowChrome::nativeMessage(d->titleBar, iMessage, iResult))
        return true;
    return QWidget::nativeEvent(iEventType, iMessage, iResult);
}
