#ifndef TWEBVIEWENGINELOADER_P_H
#define TWEBVIEWENGINELOADER_P_H

#include "tautotestexport.h"
#include "vekpane_export.h"

#include <QString>

class TWebViewEngine;

/*!
 * Finds and loads the web engine module once per process, on the first
 * request, from the folder that holds the widget library itself (the
 * programs' folder "bin" in the build and in an installed tree). A module
 * that is missing or does not load is logged once; every web view then
 * shows errorText() in place of the page.
 */
class VEK_AUTOTEST_EXPORT(VEKPANE_EXPORT) TWebViewEngineLoader
{
public:
    //! The engine, loaded on the first call; null when it cannot be.
    static TWebViewEngine *engine();
    //! Why engine() is null, in words for the user; empty while it is not.
    static QString errorText();
    //! The module's file: in the widget library's folder unless set.
    static QString moduleFile();
    //! Points the next engine() at iFile and forgets an earlier failure;
    //! an empty text restores the usual file. A module already loaded stays.
    static void setModuleFile(const QString &iFile);

private:
    TWebViewEngineLoader() = delete;
};

#endif // TWEBVIEWENGINELOADER_P_H
