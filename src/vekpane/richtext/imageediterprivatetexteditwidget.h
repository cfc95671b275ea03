#ifndef IMAGEEDITERPRIVATETEXTEDITWIDGET_H
#define IMAGEEDITERPRIVATETEXTEDITWIDGET_H

#include "vekpane_export.h"

#include <QPen>
#include <QWidget>

#include <memory>

class TTextEdit;
class ImageEditerPrivateTextEditWidgetPrivate;

/*
 * The small borderless editor in which the user types the text of a text
 * annotation before it is painted into the capture. It grows with its
 * document and reports its size. Internal to the capture tool.
 */
class VEKPANE_EXPORT ImageEditerPrivateTextEditWidget : public QWidget
{
    Q_OBJECT
public:
    // Shared with the text shape: the smallest text area and the first size.
    static const QSize kTextMinimumSize;
    static const QSize kTextDefaultSize;

    explicit ImageEditerPrivateTextEditWidget(QWidget *iParent = nullptr);
    ~ImageEditerPrivateTextEditWidget() override;

    TTextEdit *textEdit() const;
    // Colours the text typed from now on (and the selection).
    void setTextPen(const QPen &iPen);
    void setTextFont(const QFont &iFont);
    // Moves the widget; with iStore the point is kept as its position.
    void moveTo(const QPoint &iPoint, bool iStore);

Q_SIGNALS:
    void locationOrSizeChanged(const QSize &iSize);

private Q_SLOTS:
    // Fits the height to the document and reports the new size.
    void doResize();

private:
    Q_DISABLE_COPY(ImageEditerPrivateTextEditWidget)
    Q_DECLARE_PRIVATE_D(d, ImageEditerPrivateTextEditWidget)
    const std::unique_ptr<ImageEditerPrivateTextEditWidgetPrivate> d;
};

#endif // IMAGEEDITERPRIVATETEXTEDITWIDGET_H
