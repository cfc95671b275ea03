#include "addshapecommand.h"

#include "timageeditwidget.h"
#include "tshape.h"
#include "ttextshape.h"

AddShapeCommand::AddShapeCommand(TImageEditWidget *iCanvas, TShape *iShape, QUndoCommand *iParent)
    : QUndoCommand(iParent)
    , mCanvas(iCanvas)
    , mShape(iShape)
{}

AddShapeCommand::~AddShapeCommand() = default;

void AddShapeCommand::undo()
{
    if (!mCanvas || !mShape)
        return;
    const QList<TShape *> shapes = mCanvas->shapes();
    const int index = shapes.indexOf(mShape);
    if (index < 0)
        return;
    mCanvas->update(mShape->rect().normalized());
    if (auto *text = qobject_cast<TTextShape *>(mShape.data()))
        text->setEditorVisible(false);
    mCanvas->removeAt(index);
    if (index <= mCanvas->currentIndex()) {
        const int count = shapes.size() - 1;
        mCanvas->setCurrentIndex(index < count ? index : count - 1);
        mCanvas->update();
    }
}

void AddShapeCommand::redo()
{
    // The shape is already on the canvas when the command is first pushed.
    if (!mCanvas || !mShape || mCanvas->shapes().contains(mShape))
        return;
    mCanvas->addShape(mShape);
}
