#include "moveshapecommand.h"

#include "timageeditwidget.h"
#include "tlineshape.h"
#include "tshape.h"

MoveShapeCommand::MoveShapeCommand(TImageEditWidget *iCanvas, TShape *iShape, const Geometry &iBefore,
                                   const Geometry &iAfter, QUndoCommand *iParent)
    : QUndoCommand(iParent)
    , mCanvas(iCanvas)
    , mShape(iShape)
    , mBefore(iBefore)
    , mAfter(iAfter)
{}

MoveShapeCommand::~MoveShapeCommand() = default;

void MoveShapeCommand::undo() { apply(mBefore); }

void MoveShapeCommand::redo() { apply(mAfter); }

MoveShapeCommand::Geometry MoveShapeCommand::geometryOf(const TShape *iShape)
{
    Geometry geometry;
    geometry.start = iShape->startPoint();
    geometry.end = iShape->endPoint();
    if (auto *line = qobject_cast<const TLineShape *>(iShape))
        geometry.points = line->points();
    return geometry;
}

void MoveShapeCommand::apply(const Geometry &iGeometry)
{
    if (!mShape)
        return;
    mShape->restoreGeometry(iGeometry.start, iGeometry.end, iGeometry.points);
    if (mCanvas)
        mCanvas->update();
}
