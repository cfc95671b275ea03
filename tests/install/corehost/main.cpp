// The core library alone, as a task process uses it.
#include <tlogger.h>

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "vekfoundationcore " << TLogger::funcName("void Plant::open(int)") << '\n';
    return 0;
}
