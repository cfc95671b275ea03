#ifndef RETURNCOMMAND_H
#define RETURNCOMMAND_H

#include "vekpane_export.h"

#include <QPointer>
#include <QUndoCommand>

class TScreenShotWidget;

// The bottom step of the capture's undo stack: undoing it takes the capture
// back to choosing a region. Internal to the capture tool.
class VEKPANE_EXPORT ReturnCommand : public QUndoCommand
{
public:
    explicit ReturnCommand(TScreenShotWidget *iCapture, QUndoCommand *iParent = nullptr);
    ~ReturnCommand() override;

    void undo() override;
    void redo() override;

private:
    Q_DISABLE_COPY(ReturnCommand)
    QPointer<TScreenShotWidget> mCapture;
};

#endif // RETURNCOMMAND_H
