#ifndef PUSHPOINT_H
#define PUSHPOINT_H

#include "vekpane_export.h"

#include <QLabel>

#include <memory>

class PushPointPrivate;

/*
 * One of the eight drag handles around the capture selection (0 top-left,
 * 1 top-right, 2 top-middle, 3 bottom-left, 4 bottom-right, 5 bottom-middle,
 * 6 left-middle, 7 right-middle). While editing is allowed, dragging it with
 * the left button reports its new place. Internal to the capture tool.
 */
class VEKPANE_EXPORT PushPoint : public QLabel
{
    Q_OBJECT
public:
    explicit PushPoint(QWidget *iParent = nullptr);
    ~PushPoint() override;

    int index() const;
    // Sets the place index and the matching cursor (arrow outside 0 to 7).
    void setIndex(int iIndex);
    static Qt::CursorShape cursorForIndex(int iIndex);

    // One switch for every handle of every capture: off while a drawing tool
    // is active, so dragging draws instead of reshaping.
    static bool isEditingAllowed();
    static void setEditingAllowed(bool iAllowed);

Q_SIGNALS:
    void moved(const QPoint &iPos);

protected:
    void mousePressEvent(QMouseEvent *iEvent) override;
    void mouseMoveEvent(QMouseEvent *iEvent) override;

private:
    Q_DISABLE_COPY(PushPoint)
    Q_DECLARE_PRIVATE_D(d, PushPoint)
    const std::unique_ptr<PushPointPrivate> d;
};

#endif // PUSHPOINT_H
