// A Qt "generic" plug-in that any widget program loads when started with
// QT_QPA_GENERIC_PLUGINS=benchframeprobe (and QT_PLUGIN_PATH leading to it):
// once the first top-level window has been painted and flushed, it ends the
// event loop. The same end for a C++ program and for a script, with neither
// knowing about it.

#include <QApplication>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

namespace {

class FrameWatch : public QObject
{
public:
    FrameWatch() = default;

protected:
    bool eventFilter(QObject *iObject, QEvent *iEvent) override
    {
        if (!m_seen && iEvent->type() == QEvent::Paint && iObject->isWidgetType()
            && static_cast<QWidget *>(iObject)->isWindow()) {
            m_seen = true;
            // Queued: the paint and the flush of the frame finish first.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

class FrameProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "frameprobe.json")
public:
    QObject *create(const QString &, const QString &) override
    {
        // Without a parent: the application deletes what generic plug-ins make.
        auto *watch = new FrameWatch;
        QCoreApplication::instance()->installEventFilter(watch);
        return watch;
    }
};

#include "frameprobe.moc"
