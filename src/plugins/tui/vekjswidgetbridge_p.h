#ifndef VEKJSWIDGETBRIDGE_P_H
#define VEKJSWIDGETBRIDGE_P_H

#include <QSet>

class QObject;

class VekJsWidgetBridgePrivate
{
public:
    // What the factories made and is still alive: the only objects that
    // deleteObject() may delete. The theme, the plug-in itself and objects of
    // other owners are not the script's to delete.
    QSet<QObject *> made;
};

#endif // VEKJSWIDGETBRIDGE_P_H
