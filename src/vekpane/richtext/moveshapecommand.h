#ifndef MOVESHAPECOMMAND_H
#define MOVESHAPECOMMAND_H

#include "vekpane_export.h"

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QUndoCommand>

class TImageEditWidget;
class TShape;

// The undo step of a move or resize: it swaps the shape between its geometry
// before and after the gesture, so undoing a move puts the shape back instead
// of removing it.
class VEKPANE_EXPORT MoveShapeCommand : public QUndoCommand
{
public:
    struct Geometry
    {
        QPoint start;
        QPoint end;
        QList<QPoint> points;
    };

    MoveShapeCommand(TImageEditWidget *iCanvas, TShape *iShape, const Geometry &iBefore, const Geometry &iAfter,
                     QUndoCommand *iParent = nullptr);
    ~MoveShapeCommand() override;

    void undo() override;
    void redo() override;

    static Geometry geometryOf(const TShape *iShape);

private:
    Q_DISABLE_COPY(MoveShapeCommand)
    void apply(const Geometry &iGeometry);

    QPointer<TImageEditWidget> mCanvas;
    QPointer<TShape> mShape;
    Geometry mBefore;
    Geometry mAfter;
};

#endif // MOVESHAPECOMMAND_H
