// The annotation canvas: gestures, selection, undo and the final rendering.
#include "capturetest.h"
#include "imageediterprivatetexteditwidget.h"
#include "tarrowsshape.h"
#include "tcircleshape.h"
#include "timageeditwidget.h"
#include "tlineshape.h"
#include "trectangleshape.h"
#include "ttextshape.h"
#include "ttriangleshape.h"

#include <QImage>
#include <QTextEdit>
#include <QUndoStack>
#include <QtTest>

using capturetest::click;
using capturetest::drag;

namespace {

// A canvas in create mode for one kind of shape.
struct Canvas
{
    explicit Canvas(int iType)
    {
        widget.resize(300, 300);
        widget.show();
        widget.setShapeType(iType);
        widget.setMode(TImageEditWidget::CreateMode);
        QPen pen(QColor(Qt::red));
        pen.setWidth(2);
        widget.setPen(pen);
    }
    TImageEditWidget widget;
};

QImage render(TImageEditWidget &iCanvas)
{
    QImage image(iCanvas.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    iCanvas.renderShapes(&image);
    return image;
}

} // namespace

class tst_TImageEditWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createsEachKind_data();
    void createsEachKind();
    void unknownKindCreatesNothing();
    void lightLinePen();
    void undoRedoCreation();
    void undoRedoMove();
    void undoRedoResize();
    void clickWithoutMoveLeavesNoStep();
    void pressPicksTopmostAndClearsOutside();
    void releaseWithoutShapePushesNothing();
    void decorationHiddenInCreateMode();
    void removeLastOnEmptyList();
    void resetHidesEmptyCanvas();
    void textEditingAndPen();
};

void tst_TImageEditWidget::createsEachKind_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");

    QTest::newRow("rectangle") << 0 << "TRectangleShape";
    QTest::newRow("ellipse") << 1 << "TCircleShape";
    QTest::newRow("triangle") << 2 << "TTriangleShape";
    QTest::newRow("arrow") << 3 << "TArrowsShape";
    QTest::newRow("line") << 4 << "TLineShape";
    QTest::newRow("light line") << 5 << "TLineShape";
    QTest::newRow("text") << 6 << "TTextShape";
}

void tst_TImageEditWidget::createsEachKind()
{
    QFETCH(int, type);
    QFETCH(QString, className);

    Canvas canvas(type);
    drag(&canvas.widget, QPoint(40, 40), QPoint(160, 140));
    QCOMPARE(canvas.widget.shapes().size(), 1);
    TShape *shape = canvas.widget.shapes().first();
    QCOMPARE(QString(shape->metaObject()->className()), className);
    QCOMPARE(canvas.widget.currentIndex(), 0);
    QCOMPARE(canvas.widget.undoStack()->count(), 1);
    // Create mode stays on for the next shape.
    QCOMPARE(canvas.widget.mode(), int(TImageEditWidget::CreateMode));
    QCOMPARE(shape->startPoint(), QPoint(40, 40));
    if (type < 4)
        QCOMPARE(shape->endPoint(), QPoint(160, 140));
    if (type == 4 || type == 5)
        QCOMPARE(qobject_cast<TLineShape *>(shape)->points().last(), QPoint(160, 140));

    if (auto *text = qobject_cast<TTextShape *>(shape)) {
        // Dragged out, the text area takes the editor with it (insets of 6).
        QCOMPARE(text->endPoint(), QPoint(160, 140));
        QCOMPARE(text->editor()->size(), QSize(160 - 40 - 12, 140 - 40 - 12));
    } else {
        const QImage image = render(canvas.widget);
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                painted += qAlpha(image.pixel(x, y)) != 0;
        QVERIFY(painted > 0);
    }
}

void tst_TImageEditWidget::unknownKindCreatesNothing()
{
    Canvas canvas(7);
    drag(&canvas.widget, QPoint(40, 40), QPoint(160, 140));
    QVERIFY(canvas.widget.shapes().isEmpty());
    QCOMPARE(canvas.widget.undoStack()->count(), 0);
}

void tst_TImageEditWidget::lightLinePen()
{
    Canvas canvas(TImageEditWidget::LightLineType);
    drag(&canvas.widget, QPoint(40, 40), QPoint(160, 140));
    const QPen pen = canvas.widget.shapes().first()->pen();
    QCOMPARE(pen.width(), 6);
    QCOMPARE(pen.color().rgb(), QColor(Qt::red).rgb());
    QVERIFY(qAbs(pen.color().alphaF() - 0.4) < 0.01);
    // The canvas keeps its own pen.
    QCOMPARE(canvas.widget.pen().width(), 2);
}

void tst_TImageEditWidget::undoRedoCreation()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    drag(&canvas.widget, QPoint(10, 10), QPoint(60, 60));
    drag(&canvas.widget, QPoint(100, 100), QPoint(160, 160));
    QCOMPARE(canvas.widget.shapes().size(), 2);
    TShape *second = canvas.widget.shapes().at(1);

    canvas.widget.undoStack()->undo();
    QCOMPARE(canvas.widget.shapes().size(), 1);
    QCOMPARE(canvas.widget.currentIndex(), 0);
    canvas.widget.undoStack()->undo();
    QVERIFY(canvas.widget.shapes().isEmpty());
    QCOMPARE(canvas.widget.currentIndex(), -1);
    QVERIFY(render(canvas.widget).pixelColor(10 + 3, 30).alpha() == 0);

    canvas.widget.undoStack()->redo();
    canvas.widget.undoStack()->redo();
    QCOMPARE(canvas.widget.shapes().size(), 2);
    QCOMPARE(canvas.widget.shapes().at(1), second);
    // Redone once, not twice: the first push does not add the shape again.
    QCOMPARE(canvas.widget.shapes().count(second), 1);
}

void tst_TImageEditWidget::undoRedoMove()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 80));
    canvas.widget.reset();
    TShape *shape = canvas.widget.shapes().first();

    // Grab the body and move it by (50, 60).
    drag(&canvas.widget, QPoint(50, 50), QPoint(100, 110));
    QCOMPARE(shape->startPoint(), QPoint(70, 80));
    QCOMPARE(shape->endPoint(), QPoint(150, 140));
    QCOMPARE(canvas.widget.undoStack()->count(), 2);
    QCOMPARE(canvas.widget.mode(), int(TImageEditWidget::IdleMode));

    // Undoing the move puts the shape back instead of removing it.
    canvas.widget.undoStack()->undo();
    QCOMPARE(canvas.widget.shapes().size(), 1);
    QCOMPARE(shape->startPoint(), QPoint(20, 20));
    QCOMPARE(shape->endPoint(), QPoint(100, 80));
    canvas.widget.undoStack()->undo();
    QVERIFY(canvas.widget.shapes().isEmpty());

    canvas.widget.undoStack()->redo();
    canvas.widget.undoStack()->redo();
    QCOMPARE(canvas.widget.shapes().size(), 1);
    QCOMPARE(shape->startPoint(), QPoint(70, 80));
}

void tst_TImageEditWidget::undoRedoResize()
{
    // A free-hand line: its path is what moves.
    Canvas canvas(TImageEditWidget::LineType);
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 80));
    canvas.widget.reset();
    auto *line = qobject_cast<TLineShape *>(canvas.widget.shapes().first());
    const QList<QPoint> before = line->points();
    drag(&canvas.widget, QPoint(70, 60), QPoint(80, 80));
    QVERIFY(line->points() != before);
    canvas.widget.undoStack()->undo();
    QCOMPARE(line->points(), before);

    // A rectangle resized by its corner handle, then undone.
    Canvas rect(TImageEditWidget::RectangleType);
    drag(&rect.widget, QPoint(20, 20), QPoint(100, 80));
    rect.widget.reset();
    TShape *shape = rect.widget.shapes().first();
    drag(&rect.widget, QPoint(98, 78), QPoint(150, 120));
    QCOMPARE(shape->endPoint(), QPoint(152, 122));
    QCOMPARE(shape->startPoint(), QPoint(20, 20));
    rect.widget.undoStack()->undo();
    QCOMPARE(shape->endPoint(), QPoint(100, 80));
    rect.widget.undoStack()->redo();
    QCOMPARE(shape->endPoint(), QPoint(152, 122));
}

void tst_TImageEditWidget::clickWithoutMoveLeavesNoStep()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 80));
    canvas.widget.reset();
    click(&canvas.widget, QPoint(50, 50));
    QCOMPARE(canvas.widget.undoStack()->count(), 1);
    QCOMPARE(canvas.widget.currentIndex(), 0);
}

void tst_TImageEditWidget::pressPicksTopmostAndClearsOutside()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    drag(&canvas.widget, QPoint(20, 20), QPoint(150, 150));
    drag(&canvas.widget, QPoint(50, 50), QPoint(200, 200));
    canvas.widget.reset();
    QCOMPARE(canvas.widget.shapeIndexAt(QPoint(100, 100)), 1);
    QCOMPARE(canvas.widget.shapeIndexAt(QPoint(30, 30)), 0);
    QCOMPARE(canvas.widget.shapeIndexAt(QPoint(280, 280)), -1);

    click(&canvas.widget, QPoint(100, 100));
    QCOMPARE(canvas.widget.currentIndex(), 1);
    click(&canvas.widget, QPoint(280, 20));
    QCOMPARE(canvas.widget.currentIndex(), -1);

    // A line made by a plain click has no path and takes no press.
    canvas.widget.setShapeType(TImageEditWidget::LineType);
    canvas.widget.setMode(TImageEditWidget::CreateMode);
    click(&canvas.widget, QPoint(250, 250));
    QCOMPARE(canvas.widget.shapes().size(), 3);
    canvas.widget.reset();
    QCOMPARE(canvas.widget.shapeIndexAt(QPoint(100, 100)), 1);
    QCOMPARE(canvas.widget.shapeIndexAt(QPoint(250, 250)), -1);
}

void tst_TImageEditWidget::releaseWithoutShapePushesNothing()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    canvas.widget.reset();
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 100));
    QVERIFY(canvas.widget.shapes().isEmpty());
    QCOMPARE(canvas.widget.undoStack()->count(), 0);
    // A right button creates nothing even in create mode.
    canvas.widget.setMode(TImageEditWidget::CreateMode);
    capturetest::mouse(&canvas.widget, QEvent::MouseButtonPress, QPoint(20, 20), Qt::RightButton, Qt::RightButton);
    capturetest::mouse(&canvas.widget, QEvent::MouseButtonRelease, QPoint(20, 20), Qt::RightButton, Qt::NoButton);
    QVERIFY(canvas.widget.shapes().isEmpty());
}

void tst_TImageEditWidget::decorationHiddenInCreateMode()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 80));
    QCOMPARE(canvas.widget.currentIndex(), 0);
    const QPoint handle(96, 76);
    QImage drawing = canvas.widget.grab().toImage();
    QVERIFY(drawing.pixelColor(handle) != QColor(Qt::white));

    canvas.widget.reset();
    canvas.widget.setCurrentIndex(0);
    QImage selected = canvas.widget.grab().toImage();
    QCOMPARE(selected.pixelColor(handle), QColor(Qt::white));
}

void tst_TImageEditWidget::removeLastOnEmptyList()
{
    TImageEditWidget canvas;
    canvas.removeLast();
    canvas.removeAt(0);
    canvas.removeAt(-1);
    QVERIFY(canvas.shapes().isEmpty());
    auto *shape = new TRectangleShape(QPoint(), QPoint(10, 10), QPen(), QBrush(), QFont(), &canvas);
    canvas.addShape(shape);
    canvas.removeAt(5);
    QCOMPARE(canvas.shapes().size(), 1);
    canvas.removeLast();
    QVERIFY(canvas.shapes().isEmpty());
}

void tst_TImageEditWidget::resetHidesEmptyCanvas()
{
    Canvas canvas(TImageEditWidget::RectangleType);
    canvas.widget.reset();
    QVERIFY(canvas.widget.isHidden());
    canvas.widget.show();
    canvas.widget.setMode(TImageEditWidget::CreateMode);
    drag(&canvas.widget, QPoint(20, 20), QPoint(100, 80));
    canvas.widget.reset();
    QVERIFY(!canvas.widget.isHidden());
    QCOMPARE(canvas.widget.currentIndex(), -1);
    QCOMPARE(canvas.widget.mode(), int(TImageEditWidget::IdleMode));
}

void tst_TImageEditWidget::textEditingAndPen()
{
    QWidget owner;
    owner.resize(400, 400);
    auto *canvas = new TImageEditWidget(&owner);
    canvas->setGeometry(20, 30, 300, 300);
    canvas->show();
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    canvas->setShapeType(TImageEditWidget::TextType);
    canvas->setMode(TImageEditWidget::CreateMode);
    click(canvas, QPoint(40, 50));
    auto *text = qobject_cast<TTextShape *>(canvas->shapes().value(0));
    QVERIFY(text);
    // The editor lives beside the canvas, over the shape's text area.
    QCOMPARE(text->editor()->parentWidget(), &owner);
    canvas->repaint();
    QVERIFY(text->editor()->isVisible());
    QCOMPARE(text->editor()->pos(), QPoint(20 + 6 + 40, 30 + 6 + 50));
    QCOMPARE(canvas->textEditors().size(), 1);
    canvas->repaint();
    QCOMPARE(canvas->textEditors().size(), 1);

    // A new pen recolours the open editor.
    canvas->setPen(QPen(QColor(Qt::blue)));
    QCOMPARE(text->editor()->findChild<QTextEdit *>()->currentCharFormat().foreground().color(), QColor(Qt::blue));

    // Any press ends editing.
    canvas->setMode(TImageEditWidget::IdleMode);
    click(canvas, QPoint(250, 250));
    QVERIFY(text->editor()->isHidden());
    QVERIFY(text->isEditingFinished());
    // A press into the text area edits again.
    click(canvas, QPoint(60, 70));
    QCOMPARE(canvas->mode(), int(TImageEditWidget::IdleMode));
    QVERIFY(!text->editor()->isHidden());
    QCOMPARE(canvas->undoStack()->count(), 1);
}

QTEST_MAIN(tst_TImageEditWidget)
#include "tst_timageeditwidget.moc"
