#ifndef TSCREENSHOTWIDGET_H
#define TSCREENSHOTWIDGET_H

#include "vekpane_export.h"

#include <QLabel>
#include <QPixmap>
#include <QRect>

#include <functional>
#include <memory>

class TScreenShotWidgetPrivate;

/*!
 * Finds the window under a screen point for the capture's suggestion. The
 * platform's own answer is used unless a replacement is installed with
 * TScreenShotWidget::setWindowProvider().
 */
class VEKPANE_EXPORT TCaptureWindowProvider
{
public:
    virtual ~TCaptureWindowProvider();
    /*!
     * Fills the outer (frame) and inner (client) rectangles, in screen
     * coordinates, of the topmost window under iScreenPos, never the capture
     * iExcluded itself. Returns false when no window is found.
     */
    virtual bool windowAt(const QPoint &iScreenPos, QWidget *iExcluded, QRect *oFrame, QRect *oClient) const = 0;
};

/*!
 * Freezes the primary screen and lets the user choose a region (the window
 * under the mouse is suggested, or a rectangle is dragged out), annotate it,
 * and then save it or finish: the annotated region goes to the clipboard and
 * out through finished(). Construct it without parent, connect finished() and
 * call getReadyToShot() while state() is NotStarted; it deletes itself when
 * it closes.
 */
class VEKPANE_EXPORT TScreenShotWidget : public QLabel
{
    Q_OBJECT
public:
    enum ShotState { ChoosingRegion = 0, RegionSelected = 1, NotStarted = 2 };
    Q_ENUM(ShotState)

    using ScreenGrabber = std::function<QPixmap()>;

    explicit TScreenShotWidget(QWidget *iParent = nullptr);
    ~TScreenShotWidget() override;

    //! Grabs the screen and starts choosing a region.
    void getReadyToShot();
    ShotState state() const;

    /*!
     * The suggestion for a window: its client area when the cursor lies in it
     * (edges included), else its frame, cut to the screen (negative
     * coordinates to 0, and at iScreenSize's right and bottom edges).
     */
    static QRect clipWindowRect(const QPoint &iCursor, const QRect &iFrame, const QRect &iClient,
                                const QSize &iScreenSize);
    //! Replaces the window finder of every capture; null restores the platform's own.
    static void setWindowProvider(const std::shared_ptr<TCaptureWindowProvider> &iProvider);
    static std::shared_ptr<TCaptureWindowProvider> windowProvider();
    //! Replaces the screen grab of every capture; an empty function restores the real grab.
    static void setScreenGrabber(const ScreenGrabber &iGrabber);

Q_SIGNALS:
    void finished(const QPixmap &iPixMap);

public Q_SLOTS:
    /*! Takes a dragged rectangle as the chosen region. */
    void slotRectChanged(const QRect &iRect);
    /*! Drops the region and its annotations and goes back to choosing one on the same frozen screen. */
    void slotReturn();
    /*! Asks for a file name and saves the annotated region; a failed save is reported and keeps the capture. */
    void slotSave();
    /*! Ends the capture without a result. */
    void slotClose();
    /*! Puts the annotated region on the clipboard, emits finished() and closes. */
    void slotOk();

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;

private Q_SLOTS:
    void slotAutoPixSelect();
    void slotUpdateCusorWindowInfo();
    void addShape();
    void setLineStyle();
    void setLineColor();
    void setLineColor(const QColor &iColor);
    void addCommand();
    void textSizeChanged(const QString &iSizeStr);

private:
    Q_DISABLE_COPY(TScreenShotWidget)
    Q_DECLARE_PRIVATE_D(d, TScreenShotWidget)
    const std::unique_ptr<TScreenShotWidgetPrivate> d;
};

#endif // TSCREENSHOTWIDGET_H
