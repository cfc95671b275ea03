#ifndef TDATEEDITSUPPORT_P_H
#define TDATEEDITSUPPORT_P_H

#include <QMenu>
#include <QString>
#include <QWheelEvent>

/*
 * What the date, date-time and time editors share: the clamp into their
 * range, the field the wheel steps, and the end of their pop-up.
 */
namespace TDateEditSupport {

// iValue inside [iMin, iMax]; a bound that is not valid does not bound, and
// a value that is not valid stays so.
template<typename T>
T clamp(const T &iValue, const T &iMin, const T &iMax)
{
    if (!iValue.isValid())
        return iValue;
    if (iMin.isValid() && iValue < iMin)
        return iMin;
    if (iMax.isValid() && iValue > iMax)
        return iMax;
    return iValue;
}

// The index into iFormat of the field the wheel steps: the letter before the
// cursor, or the one after it when that is no field letter and the text goes
// on; -1 when the index falls outside the format.
inline int wheelFieldIndex(const QString &iFormat, int iCursor, int iTextLength)
{
    static const QString fieldLetters = QStringLiteral("yMdhms");
    int index = iCursor - 1;
    const bool inside = index >= 0 && index < iFormat.size();
    if ((!inside || !fieldLetters.contains(iFormat.at(index))) && iTextLength > iCursor + 1)
        index = iCursor;
    return index >= 0 && index < iFormat.size() ? index : -1;
}

// +1, -1 or 0 for the turn of the wheel.
inline int wheelDirection(const QWheelEvent *iEvent)
{
    const QPoint delta = iEvent->angleDelta();
    const int value = delta.y() != 0 ? delta.y() : delta.x();
    return (value > 0) - (value < 0);
}

// The pop-up has no parent; its editor ends it. An open one is closed first
// and goes once its own modal loop has returned.
inline void releaseChooser(QMenu *iChooser)
{
    if (!iChooser)
        return;
    if (iChooser->isVisible()) {
        iChooser->hide();
        iChooser->deleteLater();
    } else {
        delete iChooser;
    }
}

} // namespace TDateEditSupport

#endif // TDATEEDITSUPPORT_P_H
