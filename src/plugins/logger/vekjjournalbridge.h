#ifndef VEKJJOURNALBRIDGE_H
#define VEKJJOURNALBRIDGE_H

#include "vekjsplugin.h"

#include <QObject>

/*!
 * The package "logger". It has no members of its own: scripts reach the
 * log through the package "sys".
 */
class VekJJournalBridge : public QObject, public VekJsPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VekJsPlugin_iid)
    Q_INTERFACES(VekJsPlugin)
public:
    explicit VekJJournalBridge(QObject *iParent = nullptr);
};

#endif // VEKJJOURNALBRIDGE_H
