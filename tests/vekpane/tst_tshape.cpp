// The annotation shapes: geometry rules, hit tests and painting.
#include "imageediterprivatetexteditwidget.h"
#include "tarrowsshape.h"
#include "tcircleshape.h"
#include "timageeditwidget.h"
#include "tlineshape.h"
#include "trectangleshape.h"
#include "ttextedit.h"
#include "ttextshape.h"
#include "ttriangleshape.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <memory>

namespace {

const QPen kRedPen(QColor(Qt::red), 2);

QImage blankImage()
{
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

int paintedPixels(const QImage &iImage, const QRect &iArea = QRect())
{
    const QRect area = iArea.isNull() ? iImage.rect() : iArea.intersected(iImage.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(iImage.pixel(x, y)) != 0)
                ++count;
        }
    }
    return count;
}

std::unique_ptr<TShape> makeShape(const QString &iKind, const QPoint &iStart, const QPoint &iEnd)
{
    if (iKind == QLatin1String("rectangle"))
        return std::make_unique<TRectangleShape>(iStart, iEnd, kRedPen, QBrush(), QFont());
    if (iKind == QLatin1String("ellipse"))
        return std::make_unique<TCircleShape>(iStart, iEnd, kRedPen, QBrush(), QFont());
    if (iKind == QLatin1String("triangle"))
        return std::make_unique<TTriangleShape>(iStart, iEnd, kRedPen, QBrush(), QFont());
    return std::make_unique<TArrowsShape>(iStart, iEnd, kRedPen, QBrush(), QFont());
}

} // namespace

class tst_TShape : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resizeHandle_data();
    void resizeHandle();
    void hitTest_data();
    void hitTest();
    void moveKeepsSize();
    void figuresPaintInEveryDirection_data();
    void figuresPaintInEveryDirection();
    void selectionDrawsHandle();
    void shortArrowStillDraws();
    void lineCollectsPath();
    void emptyLine();
    void textShapeGeometry();
    void textShapeEditingState();
    void textShapePaintsTypedText();
};

void tst_TShape::resizeHandle_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QRect>("handle");

    QTest::newRow("down-right") << QPoint(10, 10) << QPoint(50, 40) << QRect(QPoint(44, 34), QPoint(50, 40));
    QTest::newRow("up-left") << QPoint(50, 40) << QPoint(10, 10) << QRect(QPoint(10, 10), QPoint(16, 16));
    QTest::newRow("up-right") << QPoint(10, 40) << QPoint(50, 10) << QRect(QPoint(44, 16), QPoint(50, 10));
    QTest::newRow("down-left") << QPoint(50, 10) << QPoint(10, 40) << QRect(QPoint(10, 40), QPoint(16, 34));
    QTest::newRow("same point") << QPoint(20, 20) << QPoint(20, 20) << QRect(QPoint(14, 14), QPoint(20, 20));
    QTest::newRow("vertical upwards has none") << QPoint(20, 40) << QPoint(20, 10) << QRect();
}

void tst_TShape::resizeHandle()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(QRect, handle);

    TRectangleShape shape(start, end, kRedPen, QBrush(), QFont());
    QCOMPARE(shape.resizeHandleRect(), handle);
}

void tst_TShape::hitTest_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("hit");

    // Rectangle from (10, 10) to (60, 50).
    QTest::newRow("resize corner") << QPoint(58, 48) << int(TShape::ResizeHit);
    QTest::newRow("body") << QPoint(30, 30) << int(TShape::BodyHit);
    QTest::newRow("outside") << QPoint(100, 100) << int(TShape::NoHit);
    QTest::newRow("on the outer edge") << QPoint(10, 10) << int(TShape::NoHit);
}

void tst_TShape::hitTest()
{
    QFETCH(QPoint, point);
    QFETCH(int, hit);

    TRectangleShape shape(QPoint(10, 10), QPoint(60, 50), kRedPen, QBrush(), QFont());
    QCOMPARE(shape.contains(point), hit);
}

void tst_TShape::moveKeepsSize()
{
    TRectangleShape shape(QPoint(10, 10), QPoint(60, 50), kRedPen, QBrush(), QFont());
    shape.setStartPoint(QPoint(20, 30), true);
    QCOMPARE(shape.startPoint(), QPoint(20, 30));
    QCOMPARE(shape.endPoint(), QPoint(70, 70));
    shape.setEndPoint(QPoint(60, 60), true);
    QCOMPARE(shape.startPoint(), QPoint(10, 20));
    QCOMPARE(shape.endPoint(), QPoint(60, 60));
    // Without the move flag only the one corner changes.
    shape.setEndPoint(QPoint(100, 100), false);
    QCOMPARE(shape.startPoint(), QPoint(10, 20));
    QCOMPARE(shape.endPoint(), QPoint(100, 100));
}

void tst_TShape::figuresPaintInEveryDirection_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");

    for (const char *kind : {"rectangle", "ellipse", "triangle", "arrow"}) {
        QTest::addRow("%s down-right", kind) << QString(kind) << QPoint(20, 20) << QPoint(150, 120);
        QTest::addRow("%s up-left", kind) << QString(kind) << QPoint(150, 120) << QPoint(20, 20);
        QTest::addRow("%s vertical", kind) << QString(kind) << QPoint(80, 20) << QPoint(80, 150);
    }
}

void tst_TShape::figuresPaintInEveryDirection()
{
    QFETCH(QString, kind);
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);

    const std::unique_ptr<TShape> shape = makeShape(kind, start, end);
    QImage onScreen = blankImage();
    {
        QPainter painter(&onScreen);
        painter.setPen(QPen(Qt::green));
        shape->paint(&painter, false);
        // The painter comes back as it was given.
        QCOMPARE(painter.pen().color(), QColor(Qt::green));
    }
    QVERIFY(paintedPixels(onScreen) > 0);
    QImage final = blankImage();
    {
        QPainter painter(&final);
        shape->paintFinal(&painter);
    }
    QVERIFY(paintedPixels(final) > 0);
    // Nothing is drawn far from the figure's box (the start corner moves in
    // by 3, the pen and the arrow's head reach out by up to 9).
    const QRect box = QRect(start, end).normalized().adjusted(-12, -12, 12, 12);
    QCOMPARE(paintedPixels(final), paintedPixels(final, box));
}

void tst_TShape::selectionDrawsHandle()
{
    TRectangleShape shape(QPoint(20, 20), QPoint(120, 100), kRedPen, QBrush(), QFont());
    QImage image = blankImage();
    {
        QPainter painter(&image);
        shape.paint(&painter, true);
    }
    QVERIFY(shape.isSelected());
    // The white square inside the resize handle.
    QCOMPARE(image.pixelColor(116, 96), QColor(Qt::white));

    QImage plain = blankImage();
    {
        QPainter painter(&plain);
        shape.paint(&painter, false);
    }
    QVERIFY(!shape.isSelected());
    QVERIFY(plain.pixelColor(116, 96) != QColor(Qt::white));
}

void tst_TShape::shortArrowStillDraws()
{
    // Shorter than the head: the head's base lies behind the start.
    const QPolygonF polygon = TArrowsShape::arrowPolygon(QPointF(50, 50), QPointF(55, 50));
    QCOMPARE(polygon.size(), 6);
    QCOMPARE(polygon.at(0), QPointF(50, 50));
    QCOMPARE(polygon.at(3), QPointF(55, 50));
    QVERIFY(polygon.at(1).x() < 50);

    // A long one: the barbs are 18 pixels apart at 9 * sqrt(3) before the tip.
    const QPolygonF longArrow = TArrowsShape::arrowPolygon(QPointF(0, 0), QPointF(100, 0));
    QVERIFY(qAbs(longArrow.at(2).x() - (100 - 9 * std::sqrt(3.0))) < 1e-6);
    QVERIFY(qAbs(longArrow.at(2).y() - longArrow.at(4).y()) - 18 < 1e-6);

    TArrowsShape shape(QPoint(50, 50), QPoint(55, 52), kRedPen, QBrush(), QFont());
    QImage image = blankImage();
    {
        QPainter painter(&image);
        shape.paint(&painter, false);
    }
    QVERIFY(paintedPixels(image) > 0);
}

void tst_TShape::lineCollectsPath()
{
    TLineShape line(QPoint(10, 10), QPoint(10, 10), kRedPen, QBrush(), QFont());
    line.setEndPoint(QPoint(10, 10), false);
    line.setEndPoint(QPoint(40, 30), false);
    line.setEndPoint(QPoint(25, 60), false);
    QCOMPARE(line.points(), (QList<QPoint> {{10, 10}, {40, 30}, {25, 60}}));
    QCOMPARE(line.rect(), QRect(QPoint(10, 10), QPoint(40, 60)));
    QCOMPARE(line.endPoint(), QPoint(10, 10));

    // A move shifts the path so that its box starts at the point.
    line.setStartPoint(QPoint(20, 15), true);
    QCOMPARE(line.points(), (QList<QPoint> {{20, 15}, {50, 35}, {35, 65}}));
    line.setStartPoint(QPoint(0, 0), false);
    QCOMPARE(line.rect().topLeft(), QPoint(20, 15));

    QImage image = blankImage();
    {
        QPainter painter(&image);
        line.paintFinal(&painter);
    }
    QCOMPARE(image.pixelColor(20, 15).red(), 255);
}

void tst_TShape::emptyLine()
{
    TLineShape line(QPoint(10, 10), QPoint(10, 10), kRedPen, QBrush(), QFont());
    QCOMPARE(line.rect(), QRect(QPoint(1000000, 1000000), QPoint(-1000000, -1000000)));
    QImage image = blankImage();
    {
        QPainter painter(&image);
        line.paint(&painter, true);
        line.paintFinal(&painter);
    }
    QCOMPARE(paintedPixels(image), 0);
}

void tst_TShape::textShapeGeometry()
{
    TImageEditWidget canvas;
    TTextShape text(QPoint(10, 20), QPoint(500, 500), kRedPen, QBrush(), QFont(), &canvas);
    // The end passed in is ignored: the editor's default size plus the insets.
    QCOMPARE(text.endPoint(), QPoint(102, 72));
    QCOMPARE(text.bodyRect(), QRect(QPoint(10, 20), QPoint(16, 26)));
    QCOMPARE(text.resizeHandleRect(), QRect(QPoint(96, 66), QPoint(102, 72)));
    QCOMPARE(text.contains(QPoint(50, 40)), int(TShape::TextHit));
    QCOMPARE(text.contains(QPoint(12, 22)), int(TShape::BodyHit));

    // Too small (60 x 10 inside): nothing changes.
    text.setEndPoint(QPoint(10 + 12 + 60, 20 + 12 + 30), false);
    QCOMPARE(text.endPoint(), QPoint(102, 72));
    text.setEndPoint(QPoint(10 + 12 + 100, 20 + 12 + 10), false);
    QCOMPARE(text.endPoint(), QPoint(102, 72));
    // 61 x 11 is enough; the editor follows.
    text.setEndPoint(QPoint(10 + 12 + 100, 20 + 12 + 11), false);
    QCOMPARE(text.endPoint(), QPoint(122, 43));
    QCOMPARE(text.editor()->width(), 100);

    // The editor growing with its text stretches the shape.
    text.editor()->resize(120, 30);
    Q_EMIT text.editor()->locationOrSizeChanged(QSize(120, 30));
    QCOMPARE(text.endPoint(), QPoint(10 + 120 + 12, 20 + 30 + 12));
}

void tst_TShape::textShapeEditingState()
{
    TImageEditWidget canvas;
    auto *text = new TTextShape(QPoint(10, 20), QPoint(), kRedPen, QBrush(), QFont(), &canvas);
    QVERIFY(!text->isEditingFinished());
    QVERIFY(text->isFramed());
    text->setEditorVisible(true);
    text->setEditorVisible(false);
    QVERIFY(text->isEditingFinished());
    QVERIFY(!text->isFramed());
    text->setEditorVisible(true);
    QVERIFY(!text->isEditingFinished());

    // The shape takes its editor with it.
    QPointer<ImageEditerPrivateTextEditWidget> editor = text->editor();
    delete text;
    QVERIFY(editor.isNull());
}

void tst_TShape::textShapePaintsTypedText()
{
    TImageEditWidget canvas;
    TTextShape text(QPoint(10, 20), QPoint(), QPen(Qt::blue), QBrush(), QFont(), &canvas);
    text.setEditorVisible(true);
    text.editor()->textEdit()->setPlainText(QStringLiteral("XXXX"));
    text.setEditorVisible(false);

    QImage image = blankImage();
    {
        QPainter painter(&image);
        text.paintFinal(&painter);
    }
    // The text lies inside the shape, past the start by 11 pixels.
    const int inside = paintedPixels(image, QRect(21, 31, 80, 40));
    QVERIFY(inside > 0);
    QCOMPARE(paintedPixels(image), inside);
}

QTEST_MAIN(tst_TShape)
#include "tst_tshape.moc"
