#ifndef TBASECOLORWIDGET_H
#define TBASECOLORWIDGET_H

#include "vekpane_export.h"

#include <QColor>
#include <QWidget>

#include <memory>

class TBaseColorWidgetPrivate;

/*!
 * A fixed palette of 48 colour swatches (6 rows by 8 columns) meant to sit in
 * a pop-up menu. Every click on a swatch reports its colour; the widget keeps
 * no selection.
 */
class VEKPANE_EXPORT TBaseColorWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TBaseColorWidget(QWidget *iParent = nullptr);
    ~TBaseColorWidget() override;

Q_SIGNALS:
    void selectedColor(const QColor &iColor);

public Q_SLOTS:
    /*! Reports the colour of the swatch that sent the click; other senders are ignored. */
    void selectColor();

private:
    Q_DISABLE_COPY(TBaseColorWidget)
    Q_DECLARE_PRIVATE_D(d, TBaseColorWidget)
    const std::unique_ptr<TBaseColorWidgetPrivate> d;
};

#endif // TBASECOLORWIDGET_H
