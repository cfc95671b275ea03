#ifndef SELECTRECT_H
#define SELECTRECT_H

#include "vekpane_export.h"

#include <QLabel>
#include <QList>

#include <memory>

class PushPoint;
class SelectRectPrivate;

/*
 * The transparent layer over the frozen screen on which the user drags out
 * the region to capture, then moves it or reshapes it with eight handles.
 * Internal to the capture tool.
 */
class VEKPANE_EXPORT SelectRect : public QLabel
{
    Q_OBJECT
public:
    explicit SelectRect(QWidget *iParent = nullptr);
    ~SelectRect() override;

    // Back to "no selection": covers the screen (or the parent) with a
    // nearly invisible pixmap so that it still receives the mouse.
    void reset();
    QRect rect() const;
    void setRect(const QRect &iRect);
    bool hasSelection() const;
    QRect borderRect() const;
    // Draws the border around the selection and places the handles on it.
    void updateBorder();
    QList<PushPoint *> pushPoints() const;

Q_SIGNALS:
    void rectChanged(const QRect &iRect);
    void releaseWithoutMove();

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void mousePressEvent(QMouseEvent *iEvent) override;
    void mouseMoveEvent(QMouseEvent *iEvent) override;
    void mouseReleaseEvent(QMouseEvent *iEvent) override;
    void mouseDoubleClickEvent(QMouseEvent *iEvent) override;

private Q_SLOTS:
    void slotPointMoved(const QPoint &iPoint);

private:
    Q_DISABLE_COPY(SelectRect)
    Q_DECLARE_PRIVATE_D(d, SelectRect)
    const std::unique_ptr<SelectRectPrivate> d;
};

#endif // SELECTRECT_H
