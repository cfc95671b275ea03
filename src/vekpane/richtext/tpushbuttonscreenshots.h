#ifndef TPUSHBUTTONSCREENSHOTS_H
#define TPUSHBUTTONSCREENSHOTS_H

#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class TPushButtonScreenShotsPrivate;

/*!
 * A small frameless window, kept above the others, with one button that
 * starts a screen capture: the user first arranges the screen, then clicks.
 * The window can be dragged by its margin or icon with the left button. It
 * starts nothing itself; its owner listens to clicked().
 */
class VEKPANE_EXPORT TPushButtonScreenShots : public QWidget
{
    Q_OBJECT
public:
    explicit TPushButtonScreenShots(QWidget *iParent = nullptr);
    ~TPushButtonScreenShots() override;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *iEvent) override;
    void mouseReleaseEvent(QMouseEvent *iEvent) override;
    void mouseMoveEvent(QMouseEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TPushButtonScreenShots)
    Q_DECLARE_PRIVATE_D(d, TPushButtonScreenShots)
    const std::unique_ptr<TPushButtonScreenShotsPrivate> d;
};

#endif // TPUSHBUTTONSCREENSHOTS_H
