#ifndef TSCRIPTVALUE_H
#define TSCRIPTVALUE_H

#include "vekfoundationcore_export.h"

#include <QVariant>

class QJSValue;
class TError;

/*!
 * Scripts hand arrays and objects to QVariant slot parameters as a QJSValue
 * wrapped in the variant. Every script-visible entry point passes its values
 * through here first, so C++ and script callers are served by the same code.
 *
 * The engine's own conversion recurses once per level without bound and
 * reads every property again on each conversion. Here every property is read
 * once, and lists and maps nested deeper than DepthLimit are refused: the
 * result is then an invalid variant, and the error goes to oError or, when
 * the caller passes none, to the log.
 */
class VEKFOUNDATIONCORE_EXPORT TScriptValue
{
public:
    //! How many levels of lists and maps a converted value may hold.
    static constexpr int DepthLimit = 256;

    //! Turns a wrapped QJSValue, and any nested inside lists and maps, into
    //! plain QVariantList / QVariantMap / scalar variants. Other values are
    //! returned unchanged.
    static QVariant toPlain(const QVariant &iValue, TError *oError = nullptr);
    //! What QJSValue::toVariant gives for the value, within DepthLimit.
    static QVariant toVariant(const QJSValue &iValue, TError *oError = nullptr);

private:
    TScriptValue() = delete;
};

#endif // TSCRIPTVALUE_H
