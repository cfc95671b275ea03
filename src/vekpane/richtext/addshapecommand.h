#ifndef ADDSHAPECOMMAND_H
#define ADDSHAPECOMMAND_H

#include "vekpane_export.h"

#include <QPointer>
#include <QUndoCommand>

class TImageEditWidget;
class TShape;

// The undo step of a newly drawn shape: undo takes it off the canvas, redo
// puts it back on top. The canvas owns the shape either way.
class VEKPANE_EXPORT AddShapeCommand : public QUndoCommand
{
public:
    AddShapeCommand(TImageEditWidget *iCanvas, TShape *iShape, QUndoCommand *iParent = nullptr);
    ~AddShapeCommand() override;

    void undo() override;
    void redo() override;

private:
    Q_DISABLE_COPY(AddShapeCommand)
    QPointer<TImageEditWidget> mCanvas;
    QPointer<TShape> mShape;
};

#endif // ADDSHAPECOMMAND_H
