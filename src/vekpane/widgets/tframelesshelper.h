#ifndef TFRAMELESSHELPER_H
#define TFRAMELESSHELPER_H

#include "vekpane_export.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

class QWidget;

/*!
 * The platform side of a frameless top-level window, as the title bar
 * (TFramelessWindowBar) drives it: attach to the window, then answer its
 * native messages. The bar owns its helper and deletes it through this
 * interface.
 *
 * An implementation is a QObject first and TFramelessHelper second; its Qt
 * parent is the bar that owns it.
 */
class VEKPANE_EXPORT TFramelessHelper
{
public:
#ifdef Q_OS_WIN
    using NativeMessage = MSG;
#else
    //! The platform's event record, handed on as Qt's nativeEvent() gives it.
    using NativeMessage = void;
#endif

    virtual ~TFramelessHelper();

    //! Attaches to a top-level window; null detaches and restores what attaching changed.
    virtual void attachHostWindow(QWidget *host) = 0;
    virtual bool isHelperActive() const = 0;
    virtual void setHelperActive(bool active) = 0;
    //! True when the message is handled and \a result holds the answer; false passes it on to Qt.
    virtual bool handleNativeMessage(NativeMessage *message, long *result) = 0;
};

#endif // TFRAMELESSHELPER_H
