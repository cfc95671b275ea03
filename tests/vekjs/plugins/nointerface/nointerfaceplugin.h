#ifndef NOINTERFACEPLUGIN_H
#define NOINTERFACEPLUGIN_H

#include <QObject>

// A valid Qt plug-in that is not a script package.
class NoInterfacePlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.example.NotAScriptPackage")
public Q_SLOTS:
    //! Never reachable from a script.
    int value() { return 1; }
};

#endif // NOINTERFACEPLUGIN_H
