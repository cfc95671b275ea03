#ifndef VEKJSPLUGIN_H
#define VEKJSPLUGIN_H

#include <QtPlugin>

class QJSEngine;

#define VekJsPlugin_iid "com.qarvon.VekJsPlugin"

/*!
 * The contract of every native script package. The root class of a plug-in
 * derives from QObject first and from this interface second; its public
 * slots are what scripts see. The package loader stores its engine in
 * jsEngine and then calls initPlugin, once per load.
 */
class VekJsPlugin
{
public:
    virtual ~VekJsPlugin() {}

    //! Called by the package loader after every successful load, with
    //! jsEngine already set.
    virtual void initPlugin() {}

    //! The engine that imported the plug-in last; null until then.
    QJSEngine *jsEngine = nullptr;
};

Q_DECLARE_INTERFACE(VekJsPlugin, VekJsPlugin_iid)

#endif // VEKJSPLUGIN_H
