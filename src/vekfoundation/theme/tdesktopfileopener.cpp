#include "tfileio_p.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

// Loading this library gives TFileIo::openFile() the desktop's file opener.
const bool kOpenerInstalled = (TFileIoPrivate::setUrlOpener(&QDesktopServices::openUrl), true);

} // namespace
