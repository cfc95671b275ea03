#ifndef VEKJSRUNBRIDGE_H
#define VEKJSRUNBRIDGE_H

#include "vekjsplugin.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <climits>

/*!
 * The package "process": the process id, the runner's positional
 * arguments (index 0 is the script file, index 1 the argument file the
 * production service hands over), the program's and the script's folders,
 * and the engine's garbage collection.
 */
class VekJsRunBridge : public QObject, public VekJsPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VekJsPlugin_iid)
    Q_INTERFACES(VekJsPlugin)
public:
    explicit VekJsRunBridge(QObject *iParent = nullptr);

    //! Parses the program's command line; help, version and unknown
    //! options end the process the way Qt's command-line parser does.
    void initPlugin() override;

public Q_SLOTS:
    //! The process id of the running program.
    qint64 pid();

    //! With no index, all positional arguments as a string list; otherwise
    //! the argument at index iIndex, or an empty string when out of range.
    QVariant argv(int iIndex = INT_MAX);

    //! The program's folder (the folder holding the bundle on macOS), absolute.
    QString appBinDir();

    //! The absolute folder of the script file.
    QString execFileDir();

    //! The script file's name without its folder.
    QString execFileName();

    //! The script file's name up to its first dot.
    QString execFileBaseName();

    //! Runs the engine's garbage collection.
    void gc();

private:
    QString firstArgument() const;

    QStringList arguments;
};

#endif // VEKJSRUNBRIDGE_H
