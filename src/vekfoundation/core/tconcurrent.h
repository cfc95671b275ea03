#ifndef TCONCURRENT_H
#define TCONCURRENT_H

#include "vekfoundationcore_export.h"

#include <QVariant>

#include <functional>

/*!
 * Runs work on Qt's global thread pool while the calling thread keeps
 * processing its events.
 */
class VEKFOUNDATIONCORE_EXPORT TConcurrent
{
public:
    /*!
     * Runs iFunction on the global thread pool, waits for it in a local event
     * loop and returns its result. The function must not touch objects of the
     * calling thread; the caller's own slots may run while it waits. An empty
     * function gives an invalid variant.
     */
    static QVariant runSync(const std::function<QVariant()> &iFunction);

private:
    TConcurrent() = delete;
};

#endif // TCONCURRENT_H
