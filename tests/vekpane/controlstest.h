// Small helpers shared by the tests of the script-facing controls and layouts.
#ifndef CONTROLSTEST_H
#define CONTROLSTEST_H

#include <QJSEngine>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

namespace controlstest {

// Makes iObject reachable from scripts as iName; C++ keeps ownership.
inline void expose(QJSEngine &iEngine, const QString &iName, QObject *iObject)
{
    QQmlEngine::setObjectOwnership(iObject, QQmlEngine::CppOwnership);
    iEngine.globalObject().setProperty(iName, iEngine.newQObject(iObject));
}

// Runs a script and fails the test with the script's error text.
#define CONTROLS_EVAL(engine, code)                                                                                    \
    [&]() {                                                                                                            \
        const QJSValue vekResult = (engine).evaluate(code);                                                            \
        if (vekResult.isError())                                                                                       \
            qWarning("%s", qPrintable(vekResult.toString()));                                                          \
        return vekResult;                                                                                              \
    }()

// The event types a spy on "signal(QString,QVariant,QString)" recorded, in order.
inline QStringList types(const QSignalSpy &iSpy)
{
    QStringList result;
    for (const QList<QVariant> &args : iSpy)
        result.append(args.at(0).toString());
    return result;
}

inline QString hexAddress(const void *iObject) { return QString::number(reinterpret_cast<quintptr>(iObject), 16); }

} // namespace controlstest

#endif // CONTROLSTEST_H
