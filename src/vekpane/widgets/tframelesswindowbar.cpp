#include "tframelesswindowbar.h"
#include "tframelesswindowbar_p.h"

#include "tframelesshelperqt.h"
#include "tframelesshelperwin.h"

#include "ttheme.h"
#include "ttoolbutton.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

namespace {

// Where the window manager cannot be asked to move and resize a window
// (offscreen, plain framebuffers) there is no helper: windows keep the
// platform frame, and the bar hides itself with the default flags.
TFramelessHelper *platformHelper(TFramelessWindowBar *iBar)
{
#ifdef Q_OS_WIN
    return new TFramelessHelperWin(iBar);
#else
    return TFramelessHelperQt::isSupportedPlatform() ? new TFramelessHelperQt(iBar) : nullptr;
#endif
}

bool isControl(const QObject *iObject)
{
    return qobject_cast<const QAbstractButton *>(iObject) || qobject_cast<const QLineEdit *>(iObject)
           || qobject_cast<const QComboBox *>(iObject) || qobject_cast<const QAbstractSpinBox *>(iObject)
           || qobject_cast<const QAbstractSlider *>(iObject);
}

bool contains(const QWidget *iWidget, const QPoint &iGlobalPos)
{
    return iWidget->rect().contains(iWidget->mapFromGlobal(iGlobalPos));
}

TToolButton *systemButton(TFramelessWindowBar *iBar, const char *iIcon, const QString &iToolTip)
{
    auto *button = new TToolButton(iBar);
    button->setAttr(QStringLiteral("color_icon"), QString::fromLatin1(iIcon));
    button->setAttr(QStringLiteral("style"), QStringLiteral("type=windowbtn"));
    button->setAttr(QStringLiteral("tool_tip"), iToolTip);
    return button;
}

} // namespace

TFramelessWindowBar::HelperFactory TFramelessWindowBarPrivate::factory = nullptr;

TFramelessWindowBarPrivate::TFramelessWindowBarPrivate(TFramelessWindowBar *iPublic)
    : q_ptr(iPublic)
{
    const QString rule = TTheme::instance()->value(QStringLiteral("FRAMELESS")).toString().toUpper();
    if (!rule.isEmpty())
        frameless = rule == QLatin1String("YES");
}

void TFramelessWindowBarPrivate::wire(QAbstractButton *iButton, const char *iHostSlot) const
{
    if (iButton && host)
        QObject::connect(iButton, SIGNAL(clicked()), host.data(), iHostSlot);
}

void TFramelessWindowBarPrivate::unwire(QAbstractButton *iButton) const
{
    if (iButton && host)
        QObject::disconnect(iButton, SIGNAL(clicked()), host.data(), nullptr);
}

void TFramelessWindowBarPrivate::refreshTitle()
{
    if (!titleLabel || !host)
        return;
    QString title = host->windowTitle();
    if (host->isWindowModified())
        title.replace(QLatin1String("[*]"), QLatin1String("*"));
    else
        title.remove(QLatin1String("[*]"));
    titleLabel->setText(title);
}

void TFramelessWindowBarPrivate::refreshIcon()
{
    if (iconButton && host)
        iconButton->setIcon(host->windowIcon());
}

void TFramelessWindowBarPrivate::refreshMaxRestore()
{
    if (!host)
        return;
    if (!helperWorking() && autoHideFlags.testFlag(TFramelessWindowBar::AutoHideHint_SysButton))
        return;
    const bool maximized = host->isMaximized();
    if (maxButton)
        maxButton->setVisible(!maximized);
    if (normalButton)
        normalButton->setVisible(maximized);
}

TFramelessWindowBar::TFramelessWindowBar(QWidget *parent)
    : QFrame(parent)
    , d(new TFramelessWindowBarPrivate(this))
{
    d->helper = helperFactory()(this);
}

TFramelessWindowBar::~TFramelessWindowBar()
{
    if (d->host)
        d->host->removeEventFilter(this);
    delete d->helper;
    d->helper = nullptr;
}

void TFramelessWindowBar::setHelperFactory(HelperFactory iFactory) { TFramelessWindowBarPrivate::factory = iFactory; }

TFramelessWindowBar::HelperFactory TFramelessWindowBar::helperFactory()
{
    return TFramelessWindowBarPrivate::factory ? TFramelessWindowBarPrivate::factory : &platformHelper;
}

int TFramelessWindowBar::windowTitleBarHeight() const { return height(); }

bool TFramelessWindowBar::isInEditableWidget(const QPoint &globalPos) const
{
    for (const QPointer<QWidget> &widget : d->editableWidgets) {
        if (widget && contains(widget, globalPos))
            return true;
    }
    for (QObject *child : children()) {
        // The icon button is caption while it is disabled, as it is by default.
        if (child == d->iconButton && !d->iconButton->isEnabled())
            continue;
        if (!child->isWidgetType())
            continue;
        auto *widget = static_cast<QWidget *>(child);
        if (isControl(widget)) {
            if (contains(widget, globalPos))
                return true;
        } else if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
            const QPoint local = tabs->mapFromGlobal(globalPos);
            for (int i = 0; i < tabs->count(); ++i) {
                if (tabs->tabRect(i).contains(local))
                    return true;
            }
        } else {
            for (QObject *grandChild : widget->children()) {
                if (grandChild->isWidgetType() && isControl(grandChild)
                    && contains(static_cast<QWidget *>(grandChild), globalPos))
                    return true;
            }
        }
    }
    return false;
}

void TFramelessWindowBar::setHostWindow(QWidget *host)
{
    if (d->host)
        d->host->removeEventFilter(this);
    d->host = host;
    if (host)
        host->installEventFilter(this);
}

QWidget *TFramelessWindowBar::hostWindow() const { return d->host; }

void TFramelessWindowBar::setWindowCloseButton(QAbstractButton *button)
{
    d->unwire(d->closeButton);
    d->closeButton = button;
    d->wire(button, SLOT(close()));
}

void TFramelessWindowBar::setWindowMaxButton(QAbstractButton *button)
{
    d->unwire(d->maxButton);
    d->maxButton = button;
    d->wire(button, SLOT(showMaximized()));
}

void TFramelessWindowBar::setWindowNormalButton(QAbstractButton *button)
{
    d->unwire(d->normalButton);
    d->normalButton = button;
    d->wire(button, SLOT(showNormal()));
}

void TFramelessWindowBar::setWindowMinButton(QAbstractButton *button)
{
    d->unwire(d->minButton);
    d->minButton = button;
    d->wire(button, SLOT(showMinimized()));
}

void TFramelessWindowBar::setWindowIconButton(QAbstractButton *button)
{
    d->iconButton = button;
    d->refreshIcon();
}

void TFramelessWindowBar::setWindowTitleLabel(QLabel *label)
{
    d->titleLabel = label;
    d->refreshTitle();
}

QAbstractButton *TFramelessWindowBar::windowCloseButton()
{
    if (!d->closeButton)
        setWindowCloseButton(systemButton(this, "window-close-t.#000000AF", tr("Close")));
    return d->closeButton;
}

QAbstractButton *TFramelessWindowBar::windowMaxButton()
{
    if (!d->maxButton)
        setWindowMaxButton(systemButton(this, "window-maximize-t.#000000AF", tr("Maximize")));
    return d->maxButton;
}

QAbstractButton *TFramelessWindowBar::windowNormalButton()
{
    if (!d->normalButton)
        setWindowNormalButton(systemButton(this, "window-restore-t.#000000AF", tr("Restore")));
    return d->normalButton;
}

QAbstractButton *TFramelessWindowBar::windowMinButton()
{
    if (!d->minButton)
        setWindowMinButton(systemButton(this, "window-minimize-t.#000000AF", tr("Minimize")));
    return d->minButton;
}

QAbstractButton *TFramelessWindowBar::windowIconButton()
{
    if (!d->iconButton) {
        auto *button = new TToolButton(this);
        button->setAttr(QStringLiteral("enabled"), false);
        button->setAttr(QStringLiteral("style"), QStringLiteral("type=windowicon"));
        setWindowIconButton(button);
    }
    return d->iconButton;
}

QLabel *TFramelessWindowBar::windowTitleLabel()
{
    if (!d->titleLabel) {
        auto *label = new QLabel(this);
        label->setProperty("SS_COLOR", QStringLiteral("BRIGHT"));
        label->setProperty("SS_FONT", QStringLiteral("FONT_BODY1"));
        setWindowTitleLabel(label);
    }
    return d->titleLabel;
}

void TFramelessWindowBar::initDefaultLayout()
{
    // A second call replaces the row; the parts stay children of the bar.
    delete layout();
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(windowIconButton(), 0, Qt::AlignCenter);
    row->addWidget(windowTitleLabel(), 0, Qt::AlignCenter);
    row->addStretch(1);
    for (QAbstractButton *button : {windowMinButton(), windowMaxButton(), windowNormalButton(), windowCloseButton()})
        row->addWidget(button, 0, Qt::AlignRight | Qt::AlignTop);
}

void TFramelessWindowBar::setFrameless(bool frameless) { d->frameless = frameless; }

bool TFramelessWindowBar::isFrameless() const { return d->frameless; }

void TFramelessWindowBar::setAutoHideFlags(AutoHideHints flags) { d->autoHideFlags = flags; }

TFramelessWindowBar::AutoHideHints TFramelessWindowBar::autoHideFlags() const { return d->autoHideFlags; }

void TFramelessWindowBar::setEditableWidgets(const QList<QWidget *> &widgets)
{
    d->editableWidgets.clear();
    for (QWidget *widget : widgets)
        d->editableWidgets.append(widget);
}

bool TFramelessWindowBar::isBarHideen() const
{
    if (d->helperWorking())
        return false;
    return d->autoHideFlags.testFlag(AutoHideHint_All);
}

bool TFramelessWindowBar::isWindowFrameless() const { return d->helperWorking() && d->host && d->host->isWindow(); }

TFramelessHelper *TFramelessWindowBar::framelessHelper() const { return d->helper; }

bool TFramelessWindowBar::winEvent(TFramelessHelper::NativeMessage *message, long *result)
{
    return d->helper ? d->helper->handleNativeMessage(message, result) : false;
}

void TFramelessWindowBar::updateEventHelper()
{
    const bool topLevel = d->host && d->host->isWindow();
    if (d->frameless && topLevel) {
        if (!d->helper)
            d->helper = helperFactory()(this);
        if (d->helper)
            d->helper->attachHostWindow(d->host);
    } else {
        delete d->helper;
        d->helper = nullptr;
    }

    if (d->helper && d->frameless && topLevel) {
        show();
        return;
    }
    if (d->autoHideFlags.testFlag(AutoHideHint_All)) {
        hide();
        return;
    }
    show();
    const bool hideSystem = d->autoHideFlags.testFlag(AutoHideHint_SysButton);
    for (QAbstractButton *button :
         {d->closeButton.data(), d->maxButton.data(), d->normalButton.data(), d->minButton.data()}) {
        if (button && hideSystem)
            button->hide();
    }
    if (d->iconButton && d->autoHideFlags.testFlag(AutoHideHint_Icon))
        d->iconButton->hide();
    if (d->titleLabel && d->autoHideFlags.testFlag(AutoHideHint_Lable))
        d->titleLabel->hide();
}

bool TFramelessWindowBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->host) {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::ModifiedChange:
            d->refreshTitle();
            break;
        case QEvent::WindowIconChange:
            d->refreshIcon();
            break;
        case QEvent::WindowStateChange:
            d->refreshMaxRestore();
            break;
        case QEvent::Show:
            d->refreshMaxRestore();
            updateEventHelper();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
