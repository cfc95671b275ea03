#ifndef TSCRIPTVALUE_P_H
#define TSCRIPTVALUE_P_H

#include <QObject>
#include <QVariant>

/*
 * Lets the engine convert one level of a script value, as it does for a
 * QVariant parameter of a slot: sequences, value types, byte buffers and
 * the other wrapped C++ values arrive as themselves, while arrays and
 * objects arrive as a QJSValue to be walked level by level. One per engine,
 * as its child; scripts never see it.
 */
class TScriptValueProbe : public QObject
{
    Q_OBJECT
public:
    explicit TScriptValueProbe(QObject *iParent)
        : QObject(iParent)
    {}

    Q_INVOKABLE void take(const QVariant &iValue) { taken = iValue; }

    QVariant taken;
};

#endif // TSCRIPTVALUE_P_H
