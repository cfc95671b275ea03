#ifndef TFILEIO_P_H
#define TFILEIO_P_H

#include "vekfoundationcore_export.h"

class QUrl;

/*
 * Opening a file with the desktop's program needs Qt Gui, which the core
 * library does not link. vekfoundation, which does, installs the opener when it
 * is loaded; without it TFileIo::openFile() fails with its usual error.
 */
class VEKFOUNDATIONCORE_EXPORT TFileIoPrivate
{
public:
    using UrlOpener = bool (*)(const QUrl &);
    static void setUrlOpener(UrlOpener iOpener);
    static UrlOpener urlOpener();
};

#endif // TFILEIO_P_H
