// A stand-in CAM program for the service tests and the demo. Started as
// "PROGRAM -x -s<csh script>", it records its arguments, the CAM variables
// of its environment and the csh script (text and mode) as one JSON file in
// $VEK_FAKECAM_OUT (else $HOME), then runs the csh script's command line
// with /bin/sh, the way the CAM program would run it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUuid>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString csh;
    for (const QString &arg : args) {
        if (arg.startsWith(QLatin1String("-s")))
            csh = arg.mid(2);
    }

    QJsonObject env;
    for (const char *name : {"HOME", "GENESIS_DIR", "GENESIS_EDIR", "GENESIS_VER", "FRONTLINE_NO_LOGIN_SCREEN"})
        env.insert(QLatin1String(name), qEnvironmentVariable(name));
    QFile script(csh);
    QByteArray cshText;
    if (script.open(QIODevice::ReadOnly))
        cshText = script.readAll();

    QJsonObject record;
    record.insert(QStringLiteral("args"), QJsonArray::fromStringList(args));
    record.insert(QStringLiteral("env"), env);
    record.insert(QStringLiteral("csh"), QString::fromUtf8(cshText));
    record.insert(QStringLiteral("csh_mode"), QString::number(int(QFileInfo(csh).permissions() & 0x0fff), 16));

    QString outDir = qEnvironmentVariable("VEK_FAKECAM_OUT");
    if (outDir.isEmpty())
        outDir = qEnvironmentVariable("HOME");
    QDir().mkpath(outDir);
    QFile out(outDir + QStringLiteral("/fakecam-") + QUuid::createUuid().toString(QUuid::WithoutBraces)
              + QStringLiteral(".json"));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(record).toJson()) < 0)
        return 2;
    out.close();

    // The csh script's command line is plain enough for /bin/sh.
    return csh.isEmpty() ? 1 : QProcess::execute(QStringLiteral("/bin/sh"), {csh});
}
