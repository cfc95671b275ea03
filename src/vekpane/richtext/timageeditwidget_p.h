#ifndef TIMAGEEDITWIDGET_P_H
#define TIMAGEEDITWIDGET_P_H

#include "timageeditwidget.h"

#include <QPointer>

class TImageEditWidgetPrivate
{
    Q_DECLARE_PUBLIC(TImageEditWidget)
public:
    explicit TImageEditWidgetPrivate(TImageEditWidget *iPublic)
        : q_ptr(iPublic)
    {}

    TShape *currentShape() const;
    void createShape(const QPoint &iPoint);
    void updateHoverCursor(const QPoint &iPoint);

    int shapeType = TImageEditWidget::RectangleType;
    QPen pen;
    QBrush brush;
    QFont font;
    int currentIndex = -1;
    QPoint pressOffset;
    int mode = TImageEditWidget::IdleMode;
    QUndoStack *undoStack = nullptr;
    QWidget *owner = nullptr;
    QList<TShape *> shapes;
    QList<QPointer<QObject>> textEditors;
    bool buttonDown = false;
    // The current shape's geometry when the gesture began, so a move or
    // resize can be undone to where it was.
    QPoint pressStart;
    QPoint pressEnd;
    QList<QPoint> pressPoints;
    TImageEditWidget *q_ptr;
};

#endif // TIMAGEEDITWIDGET_P_H
