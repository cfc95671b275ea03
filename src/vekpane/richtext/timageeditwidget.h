#ifndef TIMAGEEDITWIDGET_H
#define TIMAGEEDITWIDGET_H

#include "vekpane_export.h"

#include <QBrush>
#include <QFont>
#include <QList>
#include <QPen>
#include <QWidget>

#include <memory>

class QUndoStack;
class TShape;
class TImageEditWidgetPrivate;

/*
 * The transparent drawing layer laid over the chosen capture region. It makes
 * annotation shapes from mouse gestures, selects, moves and resizes them,
 * records every finished gesture on its undo stack, and at the end paints all
 * shapes into the captured image. Internal to the capture tool.
 */
class VEKPANE_EXPORT TImageEditWidget : public QWidget
{
    Q_OBJECT
public:
    // Kinds made by the next press in create mode.
    enum ShapeType {
        RectangleType = 0,
        EllipseType = 1,
        TriangleType = 2,
        ArrowType = 3,
        LineType = 4,
        LightLineType = 5,
        TextType = 6
    };
    enum Mode { IdleMode = 0, CreateMode = 1, MovingMode = 2, ResizingMode = 3, EditingTextMode = 4 };

    explicit TImageEditWidget(QWidget *iParent = nullptr);
    ~TImageEditWidget() override;

    int shapeType() const;
    void setShapeType(int iType);
    int mode() const;
    void setMode(int iMode);
    // Back to idle with nothing selected; hides the layer when it holds no shape.
    void reset();
    QPen pen() const;
    // Also recolours the text of every open text editor.
    void setPen(const QPen &iPen);
    QBrush brush() const;
    void setBrush(const QBrush &iBrush);
    QFont font() const;
    void setFont(const QFont &iFont);
    int currentIndex() const;
    void setCurrentIndex(int iIndex);
    QUndoStack *undoStack() const;
    QList<TShape *> shapes() const;
    void addShape(TShape *iShape);
    void removeAt(int iIndex);
    // Does nothing on an empty list.
    void removeLast();
    // Deletes every shape, also those undo took off; clear the undo stack first.
    void clearShapes();
    // The topmost shape whose rectangle holds the point, or -1.
    int shapeIndexAt(const QPoint &iPoint) const;
    // Registering the same editor twice keeps one entry.
    void registerTextEditor(QObject *iEditor);
    QList<QWidget *> textEditors() const;
    // Paints every shape, in list order, as it should appear in the saved image.
    void renderShapes(QPaintDevice *iDevice) const;

Q_SIGNALS:
    void currentShapeChanged(const QString &iShapeNameStr);

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void mousePressEvent(QMouseEvent *iEvent) override;
    void mouseMoveEvent(QMouseEvent *iEvent) override;
    void mouseReleaseEvent(QMouseEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TImageEditWidget)
    Q_DECLARE_PRIVATE_D(d, TImageEditWidget)
    const std::unique_ptr<TImageEditWidgetPrivate> d;
};

#endif // TIMAGEEDITWIDGET_H
