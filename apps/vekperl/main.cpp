// vekperl SCRIPT ARGFILE...: runs the system's perl on the script with the
// remaining arguments, and ends with perl's exit code.

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#else
#include <cstdio>
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    if (argc < 2) {
        fputs("Usage: vekperl SCRIPT [ARGFILE...]\n", stderr);
        return 2;
    }
#ifdef Q_OS_WIN
    QCoreApplication app(argc, argv);
    return QProcess::execute(QStringLiteral("perl"), app.arguments().mid(1));
#else
    // perl takes over this process: signals and the exit code reach the service unchanged.
    char perl[] = "perl";
    argv[0] = perl;
    ::execvp(perl, argv);
    perror("vekperl: cannot start perl");
    return 127;
#endif
}
