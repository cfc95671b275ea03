#include "returncommand.h"

#include "tscreenshotwidget.h"

ReturnCommand::ReturnCommand(TScreenShotWidget *iCapture, QUndoCommand *iParent)
    : QUndoCommand(iParent)
    , mCapture(iCapture)
{}

ReturnCommand::~ReturnCommand() = default;

void ReturnCommand::undo()
{
    // Deferred: the return clears the undo stack that is running this undo.
    if (mCapture)
        QMetaObject::invokeMethod(mCapture, "slotReturn", Qt::QueuedConnection);
}

void ReturnCommand::redo() {}
