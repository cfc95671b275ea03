#ifndef VEKCORE_H
#define VEKCORE_H

#include "vekcore_export.h"

#include <QObject>

#include <memory>

class VekCorePrivate;

/*!
 * The application core of the desktop application. Its creation gives the Qt
 * application its identity (organization and application name), which decides
 * where settings and standard locations lie: call instance() early, before
 * anything reads them.
 */
class VEKCORE_EXPORT VekCore : public QObject
{
    Q_OBJECT
public:
    //! The one object, created on the first call (from any thread) and destroyed at exit.
    static VekCore *instance();

private:
    VekCore();
    ~VekCore() override;
    Q_DISABLE_COPY(VekCore)
    Q_DECLARE_PRIVATE_D(d, VekCore)
    const std::unique_ptr<VekCorePrivate> d;
};

#endif // VEKCORE_H
