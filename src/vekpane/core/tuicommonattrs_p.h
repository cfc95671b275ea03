#ifndef TUICOMMONATTRS_P_H
#define TUICOMMONATTRS_P_H

#include "vekpane_export.h"

#include <QString>
#include <QVariant>

#include <functional>

class QObject;
class QWidget;

/*
 * The one implementation of the attribute keys every script-facing widget
 * understands. TUiInterface, TuiAbstract and TuiHelper only decide what the
 * target is and where "validation_state_changed" goes.
 */
class TUiCommonAttrs
{
public:
    using EventSink = std::function<void(const QString &iType, const QVariant &iData, const QString &iUuid)>;

    // Applies one common key to iTarget. Keys that act on widget state are
    // skipped when iTarget is not a widget; unknown keys do nothing. iSink,
    // when set, receives "validation_state_changed" before the state changes.
    static void write(QObject *iTarget, const QString &iKey, const QVariant &iValue, const EventSink &iSink);

    // Reads back the readable common keys; anything else is invalid.
    static QVariant read(QObject *iTarget, const QString &iKey);

    // The QSize merge behind the "size" keys; iTarget must be a live object.
    static void mergeSizeProperty(QObject *iTarget, const QString &iPropName, const QVariant &iValue);

    // Name of the dynamic property a default for iKey is kept in.
    static QByteArray defaultPropertyName(const QString &iKey);

    // The largest pixel number a script may give a layout or a widget size,
    // and the largest extent a script-built layout or window takes. It is
    // more than the widest screen shows, and a window of MaxPixels squared
    // still costs no more than a 256 MB backing store (64 megapixels).
    static const int MaxPixels = 8192;

    // True when iValue lies in [iLeast, iMost]; otherwise logs one error line
    // naming iWhat (where) and iName (which number) and answers false.
    static bool checkRange(const QString &iWhat, const QString &iName, qint64 iValue, qint64 iLeast, qint64 iMost);
    // The same for a script's value, read as an int the way QVariant::toInt
    // reads it (text that is no number counts as 0). A number that an int
    // cannot hold is refused, not wrapped or zeroed. The int is left in oValue.
    static bool checkNumber(const QString &iWhat, const QString &iName, const QVariant &iValue, int iLeast, int iMost,
                            int *oValue);

    // Keeps a window within MaxPixels on both sides: a larger minimum size
    // (from its layout or its own keys) is lowered to the bound, with one
    // error line, and a larger size is cut back. Nothing for a child widget.
    // The script plug-in calls it for every window of a script's process.
    VEKPANE_EXPORT static void boundWindow(QWidget *iWindow);

private:
    TUiCommonAttrs() = delete;
};

#endif // TUICOMMONATTRS_P_H
