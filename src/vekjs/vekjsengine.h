#ifndef VEKJSENGINE_H
#define VEKJSENGINE_H

#include "vekjs_export.h"

#include <memory>

#include <QJSEngine>

class VekJsEnginePrivate;

/*!
 * The script engine a host creates. It owns the package loader and
 * publishes it to scripts as the global object "__package__", and it
 * installs the translation, console and garbage-collection extensions.
 */
class VEKJS_EXPORT VekJsEngine : public QJSEngine
{
    Q_OBJECT
public:
    explicit VekJsEngine(QObject *iParent = nullptr);
    ~VekJsEngine() override;

public Q_SLOTS:
    //! Sets the folder searched first for a package's ".js" file; empty:
    //! packages come from the library paths only.
    void setWorkingDir(const QString &iWorkingDir);

private:
    Q_DECLARE_PRIVATE_D(d, VekJsEngine)
    const std::unique_ptr<VekJsEnginePrivate> d;
    Q_DISABLE_COPY(VekJsEngine)
};

#endif // VEKJSENGINE_H
