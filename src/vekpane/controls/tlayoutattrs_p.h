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
