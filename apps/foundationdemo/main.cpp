// A short tour of the foundation for a new user: a rotating log, a JSON
// document converted to variants and back, placeholders, file helpers and
// error records.
//
//   foundationdemo <output folder>
#include "tdataparse.h"
#include "terror.h"
#include "tfileio.h"
#include "tlogger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The log echoes each line on the debug output; the tour prints its own summary instead.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString root
            = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("demo-output")).absolutePath();
    TError err;
    if (!TFileIo::makePath(root, &err)) {
        out << err.text() << "\n";
        return 1;
    }
    qInstallMessageHandler(quiet);

    // 1. A rotating log: small files so that the roll-over shows. A second
    // run starts files of its own beside those of the first.
    const QString logDir = root + QStringLiteral("/logs");
    TLogger *logger = TLogger::instance();
    logger->setLogDir(logDir);
    logger->setDebugLevel(5);
    logger->setMaxFileSize(2000);
    for (int panel = 1; panel <= 40; ++panel) {
        logger->writeLog(QStringLiteral("panel PNL-%1 drilled").arg(panel, 4, 10, QLatin1Char('0')),
                         QStringLiteral("step"), QString(), TLOG_POS, 3);
        if (panel % 10 == 0)
            logger->warn(QStringLiteral("tool T07 at %1 hits").arg(panel * 250), QStringLiteral("demo.js"),
                         QStringLiteral("12"), QStringLiteral("drill"));
    }
    logger->sql(QStringLiteral("SELECT id FROM mes_pdt_script"), QStringLiteral("demo.js"), QStringLiteral("20"),
                QStringLiteral("load"));
    out << "log folder: " << logDir << "\n";
    const QVariantList logFiles = TFileIo::getDirInfoList(logDir);
    for (const QVariant &entry : logFiles) {
        const QString name = entry.toMap().value(QStringLiteral("name")).toString();
        out << "  " << name << "  " << QFileInfo(logDir + QLatin1Char('/') + name).size() << " bytes\n";
    }
    const QString firstLog = TFileIo::readFileString(
            logDir + QLatin1Char('/') + logFiles.value(0).toMap().value(QStringLiteral("name")).toString());
    out << "  first line: " << firstLog.section(QLatin1Char('\n'), 0, 0) << "\n";

    // 2. A JSON document: placeholders replaced, parsed, changed, written back.
    const QString configText = QStringLiteral(
            "{\"service_name\": \"drill-line-2\", \"debug_mode\": 1,"
            " \"script_path\": \"${APP_ROOT_PATH}/scripts\","
            " \"tasks\": [{\"name\": \"collect\", \"trigger\": {\"type\": \"crontab\", \"every\": 60}},"
            "             {\"name\": \"tooling\", \"trigger\": {\"type\": \"tooling_request\"}}]}");
    out << "\nplaceholders in the configuration: " << TDataParse::strCapDollar(configText).join(QStringLiteral(", "))
        << "\n";
    const QString resolved = TDataParse::strReplaceDollar(configText, {{QStringLiteral("APP_ROOT_PATH"), root}});
    QVariantMap config = TDataParse::jsonStr2Variant(resolved, &err).toMap();
    out << "script_path: " << config.value(QStringLiteral("script_path")).toString() << "\n";
    out << "task names: "
        << TDataParse::variantList2StringList(
                   TDataParse::fetchVariantListField(config.value(QStringLiteral("tasks")).toList(),
                                                     QStringLiteral("name")))
                    .join(QStringLiteral(", "))
        << "\n";
    config.insert(QStringLiteral("run_id"), TDataParse::getUuid());
    const QString jsonPath = root + QStringLiteral("/config.json");
    TFileIo::writeFileString(TDataParse::variant2JsonStr(config), jsonPath, QStringLiteral("UTF-8"), false, &err);
    out << "written: " << jsonPath << " (md5 " << TFileIo::getFileMd5(jsonPath) << ")\n";
    out << "compact: "
        << TDataParse::variant2JsonStr(
                   TDataParse::fetchVariantMapField(config, QStringLiteral("service_name, debug_mode")), true)
        << "\n";

    // 3. A failure is a record, never an exception.
    if (!TDataParse::jsonStr2Variant(QStringLiteral("{\"broken\": "), &err).isValid())
        out << "\nbad JSON -> " << err.type() << ": " << err.text() << "\n";
    if (TFileIo::readFileString(root + QStringLiteral("/missing.cfg"), QStringLiteral("UTF-8"), &err).isNull())
        out << "missing file -> " << err.text() << "\n";
    return 0;
}
