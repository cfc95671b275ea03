#ifndef TLAYOUTATTRS_P_H
#define TLAYOUTATTRS_P_H

#include <QString>
#include <QVariant>

class QBoxLayout;
class QLayout;
class QObject;
class QWidget;

/*
 * What the script-facing layouts share: the spacing and margin keys, and
 * taking a QObject from a script as a widget or a layout.
 */
class TLayoutAttrs
{
public:
    // "spacing" and "margin" on any layout, "hspacing" and "vspacing" on a
    // grid. False when iKey is none of these for this layout.
    static bool write(QLayout *iLayout, const QString &iKey, const QVariant &iValue);
    static bool read(const QLayout *iLayout, const QString &iKey, QVariant &oValue);

    // The margin common to all four sides, -1 when they differ.
    static int margin(const QLayout *iLayout);

    // Rows and columns a script may address, and form columns it may ask
    // for: the grid allocates every row and column up to the highest one
    // named, so an unbounded number costs memory or overflows.
    static const int MaxCells = 1000;

    // True when iValue lies in [0, MaxCells); otherwise logs one error naming
    // iWhat (the call) and iName (the argument) and answers false.
    static bool checkIndex(const char *iWhat, const char *iName, int iValue);
    // A count of rows or columns: [0, MaxCells].
    static bool checkCount(const char *iWhat, const char *iName, int iValue);
    // True when iValue is at most iMax; otherwise logs one error like checkIndex.
    static bool checkAtMost(const char *iWhat, const char *iName, int iValue, int iMax);
    // The same for a minimum size or a stretch factor: [0, QLAYOUTSIZE_MAX],
    // so that the layout engine's sums stay within int.
    static bool checkSize(const char *iWhat, const char *iName, int iValue);
    // A grid cell with its spans: a position in range, and a span that is
    // negative (to the grid's far edge, as QGridLayout takes it) or ends
    // within MaxCells.
    static bool checkCell(const char *iWhat, int iRow, int iColumn, int iRowSpan, int iColumnSpan);

    static QWidget *asWidget(QObject *iObject);
    static QLayout *asLayout(QObject *iObject);

    // Appends a widget, or a nested layout, to a row or a column; objects of
    // the wrong kind are ignored.
    static void packWidget(QBoxLayout *iBox, QObject *iWgt, int iStretch, const QString &iAlignment);
    static void packLayout(QBoxLayout *iBox, QObject *iLayout, int iStretch);

private:
    TLayoutAttrs() = delete;
};

#endif // TLAYOUTATTRS_P_H
