#ifndef VEKJSWIDGETBRIDGE_P_H
#define VEKJSWIDGETBRIDGE_P_H

#include <QList>
#include <QObject>
#include <QSet>

class VekJsWidgetBridgePrivate
{
public:
    // The object and everything below it, parents first.
    static QList<QObject *> subtree(QObject *iRoot);
    // True while a signal is being delivered to any object of a subtree():
    // its code is still on the stack.
    static bool isInOwnSignal(const QList<QObject *> &iSubtree);
    // Gone for the script now, deleted once control is back in the event
    // loop; iSubtree is its subtree().
    void retire(QObject *iObj, const QList<QObject *> &iSubtree);

    // What the factories made and is still alive: the only objects that
    // deleteObject() may delete. The theme, the plug-in itself and objects of
    // other owners are not the script's to delete.
    QSet<QObject *> made;
    // Deleted for the script, waiting for the event loop to be deleted.
    QSet<QObject *> retired;
};

// What a script's process needs of every widget, including those it did not
// make: a script may write Qt's own size properties (minimumWidth, size, ...)
// on any widget it made, and a window sized by them would get a backing
// store of gigabytes; and any label or tool tip shows the rich text a script
// gives it, whose images must be decoded within the image budget.
class VekJsApplicationFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Once per application, however often the package is imported.
    static void install();

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;
};

#endif // VEKJSWIDGETBRIDGE_P_H
