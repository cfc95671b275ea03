// The colour swatch palette of the capture and rich-text menus.
#include "tbasecolorwidget.h"
#include "tpushbutton.h"

#include <QGridLayout>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

namespace {

TPushButton *swatchAt(TBaseColorWidget &iWidget, int iRow, int iColumn)
{
    auto *grid = qobject_cast<QGridLayout *>(iWidget.layout());
    if (!grid || !grid->itemAtPosition(iRow, iColumn))
        return nullptr;
    return qobject_cast<TPushButton *>(grid->itemAtPosition(iRow, iColumn)->widget());
}

QColor iconColor(const TPushButton *iSwatch) { return iSwatch->icon().pixmap(12, 12).toImage().pixelColor(6, 6); }

} // namespace

class tst_TBaseColorWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void swatchColors_data();
    void swatchColors();
    void paletteShape();
    void everyClickReports();
};

void tst_TBaseColorWidget::swatchColors_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("color");

    const char *const rows[3][8] = {
            {"#000000", "#aa0000", "#005500", "#aa5500", "#00aa00", "#aaaa00", "#00ff00", "#aaff00"},
            {"#00007f", "#aa007f", "#00557f", "#aa557f", "#00aa7f", "#aaaa7f", "#00ff7f", "#aaff7f"},
            {"#550000", "#ff0000", "#555500", "#ff5500", "#55aa00", "#ffaa00", "#55ff00", "#ffff00"},
    };
    const int rowNumbers[3] = {0, 1, 3};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 8; ++c)
            QTest::addRow("row %d column %d", rowNumbers[r], c) << rowNumbers[r] << c << QString(rows[r][c]);
    }
    // Blue tops out at 254, not 255.
    QTest::newRow("row 2 column 7") << 2 << 7 << "#aafffe";
    QTest::newRow("row 5 column 7") << 5 << 7 << "#fffffe";
}

void tst_TBaseColorWidget::swatchColors()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, color);

    TBaseColorWidget widget;
    TPushButton *swatch = swatchAt(widget, row, column);
    QVERIFY(swatch);
    QCOMPARE(iconColor(swatch).name(), color);

    QSignalSpy spy(&widget, &TBaseColorWidget::selectedColor);
    swatch->click();
    QCOMPARE(spy.count(), 1);
    const QColor reported = spy.at(0).at(0).value<QColor>();
    QCOMPARE(reported.name(), color);
    QCOMPARE(reported.alpha(), 255);
}

void tst_TBaseColorWidget::paletteShape()
{
    TBaseColorWidget widget;
    auto *grid = qobject_cast<QGridLayout *>(widget.layout());
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 6);
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(grid->spacing(), 0);

    QSet<QRgb> colors;
    const QList<TPushButton *> swatches = widget.findChildren<TPushButton *>();
    QCOMPARE(swatches.size(), 48);
    for (TPushButton *swatch : swatches) {
        QCOMPARE(swatch->size(), QSize(14, 14));
        QCOMPARE(swatch->minimumSize(), swatch->maximumSize());
        // Hovered swatches turn black.
        QVERIFY(swatch->styleSheet().contains(QLatin1String("hover{background-color:black;}")));
        colors.insert(iconColor(swatch).rgb());
    }
    QCOMPARE(colors.size(), 48);
}

void tst_TBaseColorWidget::everyClickReports()
{
    // The palette keeps no selection: the same swatch twice is two reports.
    TBaseColorWidget widget;
    QSignalSpy spy(&widget, &TBaseColorWidget::selectedColor);
    TPushButton *swatch = swatchAt(widget, 4, 2);
    QVERIFY(swatch);
    swatch->click();
    swatch->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<QColor>(), spy.at(1).at(0).value<QColor>());

    // A call that does not come from a swatch reports nothing.
    widget.selectColor();
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(tst_TBaseColorWidget)
#include "tst_tbasecolorwidget.moc"
