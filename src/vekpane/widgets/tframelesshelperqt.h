#ifndef TFRAMELESSHELPERQT_H
#define TFRAMELESSHELPERQT_H

#include "tframelesshelper.h"
#include "tframelesshittest.h"
#include "vekpane_export.h"

#include <QObject>

#include <memory>

class TFramelessWindowBar;
class TFramelessHelperQtPrivate;

/*!
 * The frameless helper for platforms where Qt asks the window manager to
 * move and resize a window (X11, Wayland): the host loses its platform frame,
 * and a left press in the resize band or on the caption of the title bar
 * hands the window to the window manager (QWindow::startSystemMove and
 * startSystemResize), decided by TFramelessHitTest like on every platform.
 * A double click on the caption maximises or restores the window.
 *
 * Native messages are never claimed: on X every event of the window passes
 * through the helper, and claiming one would swallow drawing and input.
 */
class VEKPANE_EXPORT TFramelessHelperQt : public QObject, public TFramelessHelper
{
    Q_OBJECT
public:
    //! \a parent is the bar that owns the helper.
    explicit TFramelessHelperQt(TFramelessWindowBar *parent);
    ~TFramelessHelperQt() override;

    //! Whether this platform lets the window manager move and resize a window on request.
    static bool isSupportedPlatform();

    void attachHostWindow(QWidget *host) override;
    bool isHelperActive() const override;
    void setHelperActive(bool active) override;
    bool handleNativeMessage(NativeMessage *message, long *result) override;

    //! The area of the attached window at \a windowPos (host coordinates); Outside when not attached.
    TFramelessHitTest::Area areaAt(const QPoint &windowPos) const;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Q_DISABLE_COPY(TFramelessHelperQt)
    Q_DECLARE_PRIVATE_D(d, TFramelessHelperQt)
    const std::unique_ptr<TFramelessHelperQtPrivate> d;
};

#endif // TFRAMELESSHELPERQT_H
