#ifndef TUUIDEVENTLOOP_H
#define TUUIDEVENTLOOP_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QEventLoop>
#include <QString>
#include <QVariantMap>

class TUuidEventLoopPrivate;

/*!
 * A local event loop that only an answer carrying its identifier ends.
 *
 * The waiting code sends a request tagged with uuid() and calls exec(); the
 * answer comes back through quit(uuid, data), and data() holds it afterwards.
 * Answers for other identifiers leave the loop running, so several waits may
 * be nested or run side by side. While the loop runs, the thread's other
 * events are processed, so the caller must tolerate being re-entered.
 */
class VEKFOUNDATIONCORE_EXPORT TUuidEventLoop : public QEventLoop
{
    Q_OBJECT
public:
    explicit TUuidEventLoop(const QString &iUuidStr, QObject *iParent = nullptr);
    explicit TUuidEventLoop(QObject *iParent = nullptr);
    ~TUuidEventLoop() override;

    using QEventLoop::quit;

public Q_SLOTS:
    //! Ends the loop with iDataVarMap as its result when iUuidStr is this loop's identifier
    //! (exact comparison); does nothing otherwise.
    void quit(const QString &iUuidStr, const QVariantMap &iDataVarMap);
    //! Sets the identifier that ends this loop.
    void setUuid(const QString &iUuidStr);
    //! The identifier that ends this loop.
    QString uuid() const;
    //! The map handed over by the call that ended the loop; empty until then.
    QVariantMap data() const;

private:
    Q_DECLARE_PRIVATE_D(d, TUuidEventLoop)
    const std::unique_ptr<TUuidEventLoopPrivate> d;
    Q_DISABLE_COPY(TUuidEventLoop)
};

#endif // TUUIDEVENTLOOP_H
