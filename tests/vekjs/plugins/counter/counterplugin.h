#ifndef COUNTERPLUGIN_H
#define COUNTERPLUGIN_H

#include "vekjsplugin.h"

#include <QObject>

// Counts the loader's initPlugin calls and notes whether the engine was set
// before the first of them.
class CounterPlugin : public QObject, public VekJsPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VekJsPlugin_iid)
    Q_INTERFACES(VekJsPlugin)
public:
    void initPlugin() override
    {
        if (m_count++ == 0)
            m_engineSet = jsEngine != nullptr;
    }

public Q_SLOTS:
    //! How often initPlugin ran.
    int initCount() { return m_count; }
    //! Whether jsEngine was set when initPlugin first ran.
    bool engineWasSet() { return m_engineSet; }

private:
    int m_count = 0;
    bool m_engineSet = false;
};

#endif // COUNTERPLUGIN_H
