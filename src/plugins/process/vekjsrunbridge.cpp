#include "vekjsrunbridge.h"
#include "vekjsapppath.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QJSEngine>

VekJsRunBridge::VekJsRunBridge(QObject *iParent)
    : QObject(iParent)
{}

void VekJsRunBridge::initPlugin()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        // Without an application object there is no command line to read.
        arguments.clear();
        return;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quendal JavaScript Runtime Environment Base on Chrome V8 Engine"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QCoreApplication::translate("main", "The file to eval."),
                                 QString());
    parser.process(*app);
    arguments = parser.positionalArguments();
}

qint64 VekJsRunBridge::pid() { return QCoreApplication::applicationPid(); }

QVariant VekJsRunBridge::argv(int iIndex)
{
    if (iIndex == INT_MAX)
        return arguments;
    if (iIndex < 0 || iIndex >= arguments.size())
        return QString();
    return arguments.at(iIndex);
}

QString VekJsRunBridge::appBinDir() { return vekJsAppBinPath(); }

QString VekJsRunBridge::execFileDir()
{
    const QString file = firstArgument();
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

QString VekJsRunBridge::execFileName()
{
    const QString file = firstArgument();
    return file.isEmpty() ? QString() : QFileInfo(file).fileName();
}

QString VekJsRunBridge::execFileBaseName()
{
    const QString file = firstArgument();
    return file.isEmpty() ? QString() : QFileInfo(file).baseName();
}

void VekJsRunBridge::gc()
{
    if (!jsEngine)
        return;
    qDebug() << "gc...";
    jsEngine->collectGarbage();
}

QString VekJsRunBridge::firstArgument() const { return arguments.isEmpty() ? QString() : arguments.first(); }
