#ifndef TSCRIPTVALUE_H
#define TSCRIPTVALUE_H

#include "vekfoundationcore_export.h"

#include <QVariant>

/*!
 * Scripts hand arrays and objects to QVariant slot parameters as a QJSValue
 * wrapped in the variant. Every script-visible entry point passes its values
 * through here first, so C++ and script callers are served by the same code.
 */
class VEKFOUNDATIONCORE_EXPORT TScriptValue
{
public:
    //! Turns a wrapped QJSValue, and any nested inside lists and maps, into
    //! plain QVariantList / QVariantMap / scalar variants. Other values are
    //! returned unchanged.
    static QVariant toPlain(const QVariant &iValue);

private:
    TScriptValue() = delete;
};

#endif // TSCRIPTVALUE_H
