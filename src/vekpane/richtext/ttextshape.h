#ifndef TTEXTSHAPE_H
#define TTEXTSHAPE_H

#include "tshape.h"

class QWidget;
class ImageEditerPrivateTextEditWidget;
class TImageEditWidget;
class TTextShapePrivate;

/*
 * A text annotation. While it is being edited its own small editor floats
 * over the canvas; once the editor is hidden the typed text is painted. The
 * rectangle carries a move handle at the start, a resize handle at the end
 * and the text area between them. Internal to the capture tool.
 */
class VEKPANE_EXPORT TTextShape : public TShape
{
    Q_OBJECT
public:
    // iEnd is ignored: the shape starts at the editor's default size.
    TTextShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
               TImageEditWidget *iCanvas, QWidget *iUnused = nullptr);
    ~TTextShape() override;

    void setEndPoint(const QPoint &iPoint, bool iMove) override;
    QRect bodyRect() const override;
    QRect resizeHandleRect() const override;
    QRect textRect() const override;
    void paint(QPainter *iPainter, bool iSelected) override;
    void paintFinal(QPainter *iPainter) override;
    void restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints) override;

    bool isEditingFinished() const;
    void setEditingFinished(bool iFinished);
    bool isFramed() const;
    void setFramed(bool iFramed);
    ImageEditerPrivateTextEditWidget *editor() const;
    void setEditorVisible(bool iVisible);

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;

private Q_SLOTS:
    void doResize(const QSize &iSize);

private:
    Q_DISABLE_COPY(TTextShape)
    Q_DECLARE_PRIVATE_D(d, TTextShape)
    const std::unique_ptr<TTextShapePrivate> d;
};

#endif // TTEXTSHAPE_H
