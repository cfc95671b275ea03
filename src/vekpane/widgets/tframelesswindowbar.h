#ifndef TFRAMELESSWINDOWBAR_H
#define TFRAMELESSWINDOWBAR_H

#include "tframelesshelper.h"
#include "vekpane_export.h"

#include <QFrame>
#include <QList>

#include <memory>

class QAbstractButton;
class QLabel;
class TFramelessWindowBarPrivate;

/*!
 * The title bar the library draws itself for its top-level windows: an icon
 * button, the title, and the minimise, maximise, restore and close buttons.
 * It mirrors its host window's title (with the "[*]" modified mark), icon and
 * maximised state, decides whether the host is drawn without the platform
 * frame, and owns the platform helper (TFramelessHelper) that does the
 * platform side.
 *
 * Where no helper exists for the platform the host keeps its platform frame,
 * and with the default auto-hide flags the bar hides itself.
 */
class VEKPANE_EXPORT TFramelessWindowBar : public QFrame
{
    Q_OBJECT
public:
    enum AutoHideHint {
        AutoHideHint_Icon = 0x01,
        AutoHideHint_Lable = 0x20,
        AutoHideHint_SysButton = 0x40,
        AutoHideHint_All = 0x80
    };
    Q_ENUM(AutoHideHint)
    Q_DECLARE_FLAGS(AutoHideHints, AutoHideHint)
    Q_FLAG(AutoHideHints)

    //! Makes the platform helper of a bar (a child of the bar), or null where there is none.
    using HelperFactory = TFramelessHelper *(*) (TFramelessWindowBar *iBar);

    explicit TFramelessWindowBar(QWidget *parent);
    ~TFramelessWindowBar() override;

    //! Replaces the factory every bar made afterwards uses; null restores the platform's own.
    static void setHelperFactory(HelperFactory iFactory);
    //! The factory in use.
    static HelperFactory helperFactory();

    //! The current height of the bar, the caption strip the helper hit-tests.
    virtual int windowTitleBarHeight() const;
    //! Whether a global point lies on a control of the bar (input, not a drag).
    virtual bool isInEditableWidget(const QPoint &globalPos) const;

    //! Follows \a host from now on; buttons made earlier stay unwired.
    void setHostWindow(QWidget *host);
    QWidget *hostWindow() const;

    QAbstractButton *windowCloseButton();
    QAbstractButton *windowMaxButton();
    QAbstractButton *windowNormalButton();
    QAbstractButton *windowMinButton();
    QAbstractButton *windowIconButton();
    QLabel *windowTitleLabel();

    //! Lays out icon, title, stretch, minimise, maximise, restore and close in one row.
    void initDefaultLayout();

    void setFrameless(bool frameless);
    bool isFrameless() const;
    //! Takes effect at the next updateEventHelper().
    void setAutoHideFlags(AutoHideHints flags);
    AutoHideHints autoHideFlags() const;
    //! Extra widgets on the bar that take mouse input instead of dragging the window.
    void setEditableWidgets(const QList<QWidget *> &widgets);

    //! True when the bar takes no room on its window.
    bool isBarHideen() const;
    //! True when the host is a frameless top-level window with a helper.
    bool isWindowFrameless() const;
    //! The platform helper, null where there is none.
    TFramelessHelper *framelessHelper() const;

    //! Hands a native message of the host to the helper; false without one.
    bool winEvent(TFramelessHelper::NativeMessage *message, long *result);

    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void setWindowCloseButton(QAbstractButton *button);
    void setWindowMaxButton(QAbstractButton *button);
    void setWindowNormalButton(QAbstractButton *button);
    void setWindowMinButton(QAbstractButton *button);
    //! Stores the icon button; it shows the host's icon.
    void setWindowIconButton(QAbstractButton *button);
    //! Stores the title label; it shows the host's title.
    void setWindowTitleLabel(QLabel *label);
    //! Makes or drops the helper for the host's present state and shows or hides the bar's parts.
    void updateEventHelper();

private:
    Q_DISABLE_COPY(TFramelessWindowBar)
    Q_DECLARE_PRIVATE_D(d, TFramelessWindowBar)
    const std::unique_ptr<TFramelessWindowBarPrivate> d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFramelessWindowBar::AutoHideHints)

#endif // TFRAMELESSWINDOWBAR_H
