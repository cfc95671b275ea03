// A short tour of the foundation for a new user: error records for now;
// the log and the conversions join as they land.
#include "terror.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    TError err;
    err.setError(QStringLiteral("config file [%1] does not exists!").arg(QStringLiteral("demo.cfg")),
                 QStringLiteral("Config error"), QStringLiteral("NO_CONFIG"));
    out << "error recorded: " << err.text() << " (" << err.code() << ")\n";
    return 0;
}
