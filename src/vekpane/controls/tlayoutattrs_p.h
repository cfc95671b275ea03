#ifndef TLAYOUTATTRS_P_H
#define TLAYOUTATTRS_P_H

#include <QSize>
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
    // grid. False when iKey is none of these for this layout; a number out
    // of range is refused with one error line (and counts as handled).
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
    // A pixel number (a minimum size, a margin, a fixed space):
    // [0, TUiCommonAttrs::MaxPixels], what a screen can show.
    static bool checkPixels(const char *iWhat, const char *iName, int iValue);
    // A stretch factor: [0, MaxPixels]. It shares out at most MaxPixels
    // pixels, so a larger one says nothing more, and the layout engine's int
    // sums of many of them stay far from overflowing.
    static bool checkStretch(const char *iWhat, const char *iName, int iValue);
    // A grid cell with its spans: a position in range, and a span that is
    // negative (to the grid's far edge, as QGridLayout takes it) or ends
    // within MaxCells.
    static bool checkCell(const char *iWhat, int iRow, int iColumn, int iRowSpan, int iColumnSpan);

    static QWidget *asWidget(QObject *iObject);
    static QLayout *asLayout(QObject *iObject);

    // Appends a widget, or a nested layout, to a row or a column; objects of
    // the wrong kind are ignored, a stretch out of range is refused.
    static void packWidget(QBoxLayout *iBox, QObject *iWgt, int iStretch, const QString &iAlignment);
    static void packLayout(QBoxLayout *iBox, QObject *iLayout, int iStretch);
    // A stretch or a fixed space at the end of a row or a column, checked.
    static void packStretch(QBoxLayout *iBox, int iStretch);
    static void packSpacing(QBoxLayout *iBox, int iSpacing);

    // What a script layout asks for: iSize within MaxPixels on each side,
    // less the margins of the widget it lays out when it is that widget's
    // own layout. So no number of rows, spaces or margins lets a widget, and
    // thus a window, built from these layouts ask for more than the bound.
    static QSize bounded(const QLayout *iLayout, const QSize &iSize);
    // The same for a height for a width; -1 (no such height) stays -1.
    static int boundedHeight(const QLayout *iLayout, int iHeight);

private:
    TLayoutAttrs() = delete;
};

/*
 * TUI_LAYOUT_BOUNDS(Class, Base) defines what every script layout adds to
 * its Qt base: the size answers kept within the bound, and the setters of the
 * "spacing" and "margin" properties, which go through the checked keys.
 */
#define TUI_LAYOUT_BOUNDS(Class, Base)                                                                                 \
    QSize Class::sizeHint() const { return TLayoutAttrs::bounded(this, Base::sizeHint()); }                            \
                                                                                                                       \
    QSize Class::minimumSize() const { return TLayoutAttrs::bounded(this, Base::minimumSize()); }                      \
                                                                                                                       \
    int Class::heightForWidth(int iWidth) const                                                                        \
    {                                                                                                                  \
        return TLayoutAttrs::boundedHeight(this, Base::heightForWidth(iWidth));                                        \
    }                                                                                                                  \
                                                                                                                       \
    int Class::minimumHeightForWidth(int iWidth) const                                                                 \
    {                                                                                                                  \
        return TLayoutAttrs::boundedHeight(this, Base::minimumHeightForWidth(iWidth));                                 \
    }                                                                                                                  \
                                                                                                                       \
    void Class::setSpacingProperty(int iSpacing) { set(QStringLiteral("spacing"), iSpacing); }                         \
                                                                                                                       \
    int Class::marginProperty() const { return TLayoutAttrs::margin(this); }                                           \
                                                                                                                       \
    void Class::setMarginProperty(int iMargin) { set(QStringLiteral("margin"), iMargin); }

#endif // TLAYOUTATTRS_P_H
