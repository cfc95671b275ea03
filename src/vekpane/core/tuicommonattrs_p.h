#ifndef TUICOMMONATTRS_P_H
#define TUICOMMONATTRS_P_H

#include <QString>
#include <QVariant>

#include <functional>

class QObject;

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

private:
    TUiCommonAttrs() = delete;
};

#endif // TUICOMMONATTRS_P_H
