#ifndef TIMAGEVIEWER_H
#define TIMAGEVIEWER_H

#include "tuiwrapper.h"

#include <QPixmap>
#include <QSize>
#include <QWidget>

class QMenu;
class QScrollBar;
class TImageViewerPrivate;

/*!
 * Shows one image file in a scroll area: zoom (buttons, wheel), pan (mouse),
 * natural, fixed or fitted size, quarter turns, and replacement by a screen
 * capture. Turns and captures are written back over the image file. Only the
 * common attribute keys are understood.
 */
class VEKPANE_EXPORT TImageViewer : public QWidget, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString viewType READ viewType WRITE setViewType)
    Q_PROPERTY(QSize fixedSize READ fixedSize WRITE setFixedSize)
public:
    explicit TImageViewer(QWidget *iParent = nullptr);

    TUI_WRAPPER(TImageViewer)

public:
    //! The current zoom factor (1.0 is natural size).
    double scale() const;

public Q_SLOTS:
    /*! Loads and shows an image file; the empty name changes nothing and answers true. */
    bool loadFile(const QString &iFileName);
    /*! Saves the image over the loaded file and shows it; false (nothing changed) for a null image or a failed save. */
    bool replaceImg(const QPixmap &iImage);
    /*! "normal", "fixed" or "fit". */
    QString viewType() const;
    /*! Stores the view type; it applies at the next load, resize, fitWindow() or normalSize(). */
    void setViewType(const QString &iViewType);
    /*! The label size used by the view type "fixed". */
    QSize fixedSize() const;
    /*! Stores the fixed size; it applies like setViewType(). */
    void setFixedSize(const QSize &iFixedSize);
    /*! Fits the image into the view, keeping its aspect. */
    void fitWindow();
    /*! Shows the image at its natural size. */
    void normalSize();
    /*! Zooms in by 1.25, within a bounded image size. */
    void zoomIn();
    /*! Zooms out by 0.8. */
    void zoomOut();
    /*! The path of the loaded file, where turns and captures are saved. */
    QString getImageName() const;
    /*! Starts a screen capture whose result replaces (and is saved over) the image. */
    void screenshot();
    /*! Turns the image a quarter to the right and saves it. */
    void rRotate();
    /*! Turns the image a quarter to the left and saves it. */
    void lRotate();
    /*! The context menu of the view. */
    QMenu *contextMenu() const;

protected:
    void mousePressEvent(QMouseEvent *iEvent) override;
    void mouseMoveEvent(QMouseEvent *iEvent) override;
    void wheelEvent(QWheelEvent *iEvent) override;
    void resizeEvent(QResizeEvent *iEvent) override;

private Q_SLOTS:
    void setContextMenu();
    void showContextMenu(const QPoint &iPos);
    void scaleImage(double iFactor);
    void adjustZoomScrollBar(QScrollBar *iScrollBar, double iFactor);
    void adjustScrollBar(QScrollBar *iScrollBar, double iFactor);
};

#endif // TIMAGEVIEWER_H
