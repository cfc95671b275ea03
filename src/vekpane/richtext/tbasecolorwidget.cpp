#include "tbasecolorwidget.h"
#include "tbasecolorwidget_p.h"

#include "tpushbutton.h"

#include <QGridLayout>
#include <QPixmap>

namespace {
// The swatch keeps its colour as a dynamic property, so the slot can read it
// back from the sender without a lookup table.
const char kSwatchColor[] = "vekSwatchColor";
} // namespace

TBaseColorWidget::TBaseColorWidget(QWidget *iParent)
    : QWidget(iParent)
    , d(new TBaseColorWidgetPrivate(this))
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);

    // Running counters, filled column by column: red steps after every third
    // swatch, blue after every swatch, and neither is reset between columns;
    // green steps when an even column starts. Blue wraps at 254 (2 x 127).
    int red = 0;
    int green = 0;
    int blue = 0;
    for (int column = 0; column < 8; ++column) {
        if (column != 0 && column % 2 == 0)
            green += 85;
        for (int row = 0; row < 6; ++row) {
            const int index = column * 6 + row;
            red = 85 * ((index / 3) % 4);
            blue = 127 * (index % 3);
            const QColor color(red, green, blue, 255);

            auto *swatch = new TPushButton(this);
            swatch->setFixedSize(14, 14);
            swatch->setStyleSheet(QStringLiteral("TPushButton:hover{background-color:black;}"));
            swatch->setProperty(kSwatchColor, color);
            QPixmap pixmap(12, 12);
            pixmap.fill(color);
            swatch->setIcon(QIcon(pixmap));
            grid->addWidget(swatch, row, column);
            connect(swatch, &QPushButton::clicked, this, &TBaseColorWidget::selectColor);
        }
    }
}

TBaseColorWidget::~TBaseColorWidget() = default;

void TBaseColorWidget::selectColor()
{
    QObject *swatch = sender();
    if (!swatch || swatch->parent() != this)
        return;
    const QVariant color = swatch->property(kSwatchColor);
    if (color.isValid())
        Q_EMIT selectedColor(color.value<QColor>());
}
