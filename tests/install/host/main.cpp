// One call into each installed library; prints one line per library.
#include <norvex.h>
#include <tlineedit.h>
#include <tlogger.h>
#include <tsqlselectorv2.h>
#include <vekcore.h>
#include <vekjsengine.h>
#include <veklogin.h>
#include <vekpdtservercore.h>

#include <QApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);

    out << "vekfoundation " << TLogger::funcName("void Plant::open(int)") << '\n';
    QByteArray sealed = Norvex::e2("lot 42");
    out << "vekcipher " << (Norvex::d2(sealed) ? QString::fromUtf8(sealed) : QStringLiteral("failed")) << '\n';
    out << "veksql " << TSqlSelectorV2(QStringLiteral("board")).toSql() << '\n';
    VekJsEngine engine;
    out << "vekjs " << engine.evaluate(QStringLiteral("6 * 7")).toInt() << '\n';
    out << "vekpdtservercore " << (VekPdtServerCore::instance()->appBinPath().isEmpty() ? "empty" : "ok") << '\n';
    TLineEdit edit;
    edit.set(QStringLiteral("value"), QStringLiteral("panel"));
    out << "vekpane " << edit.get(QStringLiteral("value")).toString() << '\n';
    out << "vekcore " << (VekCore::instance() ? "ok" : "missing") << '\n';
    VekLogin login;
    login.setUserName(QStringLiteral("operator"));
    out << "vekutil " << login.theme() << '\n';
    return 0;
}
