#include "tlogger.h"
#include "tlogitem.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

class tst_TLogger : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void lineIsByteExact();
    void handlerMayKeepTheLine();
    void levelFilter_data();
    void levelFilter();
    void textAloneIsInfoAtLevelZero();
    void historyIsBounded();
    void rollsOverAboveSizeLimit();
    void fileNames_data();
    void fileNames();
    void nextNameSkipsTakenNamesAfterFirstListing();
    void linesBeforeLogDirAreNotWritten();
    void unopenableFileIsReported();
    void failedWriteIsReported();
    void concurrentWritersLoseNothing();
    void positionMacro();
    void funcName_data();
    void funcName();

    void logItemFieldsAndJson();
    void logItemCopies();

private:
    QString readAll(const QString &path);
    std::unique_ptr<QTemporaryDir> m_dir;
};

static TLogger *logger() { return TLogger::instance(); }

void tst_TLogger::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    // Leave no file open from an earlier test: a folder cannot be opened as a file.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^can not open file .* for write!$"));
    QVERIFY(!logger()->setCurrentLogFile(m_dir->path()));
    QVERIFY(logger()->currentLogFileName().isEmpty());
    logger()->setLogDir(QString());
    logger()->setDebugLevel(0);
    logger()->setMaxFileSize(10000000);
    logger()->setMaxHistoryCount(1000);
    logger()->setFileExt(QStringLiteral("log"));
    logger()->setFileNameFormat(QStringLiteral("yyyyMMdd"));
}

void tst_TLogger::cleanup()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^can not open file .* for write!$"));
    logger()->setCurrentLogFile(m_dir->path());
    logger()->setLogDir(QString());
}

QString tst_TLogger::readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

void tst_TLogger::lineIsByteExact()
{
    logger()->setLogDir(m_dir->path());
    logger()->setDebugLevel(5);
    QSignalSpy spy(logger(), &TLogger::logWrited);
    const QString text = QString::fromUtf8("Gerber ü 板");
    const QString pos = QStringLiteral("File:a.cpp, Line:7, Func:A::b");
    // The same line on the debug output, without the line feed.
    QTest::ignoreMessage(QtDebugMsg, qPrintable("2026-12-09 08:00:00 [WARN] \t" + text
                                                + "  [SRC:File:a.cpp, Line:7, Func:A::b] [LEVEL:1]"));
    QVERIFY(logger()->writeLog(text, QStringLiteral("warn"), QStringLiteral("2026-12-09 08:00:00"), pos, 1));

    const QByteArray expected = QByteArray("2026-12-09 08:00:00 [WARN] \t") + text.toUtf8()
                                + "  [SRC:File:a.cpp, Line:7, Func:A::b] [LEVEL:1]\n";
    const QString file = logger()->currentLogFileName();
    QCOMPARE(QFileInfo(file).fileName(), QDate::currentDate().toString("yyyyMMdd") + ".log");
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), expected);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QVariantList {text, "WARN", "2026-12-09 08:00:00", pos, "1"}));
    QCOMPARE(logger()->historyLogs().last().toStringList(),
             (QStringList {text, "WARN", "2026-12-09 08:00:00", pos, "1"}));
}

namespace {
QStringList *keptLines = nullptr;
void keepingHandler(QtMsgType, const QMessageLogContext &, const QString &iMessage)
{
    // A host queueing lines for a log window keeps the string itself.
    keptLines->append(iMessage);
}
} // namespace

void tst_TLogger::handlerMayKeepTheLine()
{
    QStringList kept;
    keptLines = &kept;
    const QtMessageHandler previous = qInstallMessageHandler(keepingHandler);
    const QString stamp = QStringLiteral("2026-12-09 08:00:00");
    const QString first = QStringLiteral("panel 0001 passed AOI");
    const QString second = QStringLiteral("panel 0002 failed AOI");
    logger()->writeLog(first, QStringLiteral("error"), stamp, QString(), 0);
    logger()->writeLog(second, QStringLiteral("error"), stamp, QString(), 0);
    // Whatever the logger freed is handed out again and overwritten: a kept
    // line that does not own its text shows the filler, or worse.
    std::vector<QString> filler;
    for (int n = kept.first().size(); n < 2 * kept.first().size(); ++n) {
        filler.emplace_back();
        filler.back().reserve(n);
        filler.back().fill(QLatin1Char('#'), n);
    }
    qInstallMessageHandler(previous);
    keptLines = nullptr;
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept.at(0), stamp + QStringLiteral(" [ERROR] \t") + first + QStringLiteral("  [SRC:] [LEVEL:0]"));
    QCOMPARE(kept.at(1), stamp + QStringLiteral(" [ERROR] \t") + second + QStringLiteral("  [SRC:] [LEVEL:0]"));
}

void tst_TLogger::levelFilter_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("debugLevel");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("level");
    const struct
    {
        const char *slot;
        int level;
    } shorthands[] = {{"error", 0}, {"warn", 1}, {"info", 2}, {"ok", 2}, {"step", 3}, {"sql", 4}, {"debug", 5}};
    for (const auto &s : shorthands) {
        const QString type = QString::fromLatin1(s.slot).toUpper();
        QTest::addRow("%s default level", s.slot) << s.slot << 0 << (s.level == 0) << type << s.level;
        QTest::addRow("%s level 5", s.slot) << s.slot << 5 << true << type << s.level;
        QTest::addRow("%s at its own level", s.slot) << s.slot << s.level << true << type << s.level;
        if (s.level > 0)
            QTest::addRow("%s one below", s.slot) << s.slot << s.level - 1 << false << type << s.level;
    }
}

void tst_TLogger::levelFilter()
{
    QFETCH(QString, slot);
    QFETCH(int, debugLevel);
    QFETCH(bool, written);
    QFETCH(QString, type);
    QFETCH(int, level);

    logger()->setLogDir(m_dir->path());
    logger()->setDebugLevel(debugLevel);
    QSignalSpy spy(logger(), &TLogger::logWrited);
    const int before = logger()->historyLogs().size();
    // Called by name, the way scripts reach the shorthand slots.
    QVERIFY(QMetaObject::invokeMethod(logger(), slot.toLatin1().constData(), Q_ARG(QString, "msg"),
                                      Q_ARG(QString, "f.js"), Q_ARG(QString, "12"), Q_ARG(QString, "run")));
    QCOMPARE(spy.count(), written ? 1 : 0);
    QCOMPARE(logger()->historyLogs().size(), before + (written ? 1 : 0));
    if (!written) {
        QVERIFY(logger()->currentLogFileName().isEmpty());
        return;
    }
    QCOMPARE(spy.at(0).at(1).toString(), type);
    QCOMPARE(spy.at(0).at(3).toString(), QStringLiteral("File:f.js, Line:12, Func:run"));
    QCOMPARE(spy.at(0).at(4).toString(), QString::number(level));
    const QString line = readAll(logger()->currentLogFileName());
    QVERIFY2(line.endsWith(QStringLiteral(" [%1] \tmsg  [SRC:File:f.js, Line:12, Func:run] [LEVEL:%2]\n")
                                   .arg(type)
                                   .arg(level)),
             qPrintable(line));
}

void tst_TLogger::textAloneIsInfoAtLevelZero()
{
    QSignalSpy spy(logger(), &TLogger::logWrited);
    QTest::ignoreMessage(
            QtDebugMsg,
            QRegularExpression(
                    "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\[INFO\\] \tplain  \\[SRC:\\] \\[LEVEL:0\\]$"));
    QVERIFY(QMetaObject::invokeMethod(logger(), "writeLog", Q_ARG(QString, "plain")));
    QVERIFY(QMetaObject::invokeMethod(logger(), "info", Q_ARG(QString, "filtered")));
    QCOMPARE(spy.count(), 1);
    const QVariantList args = spy.at(0);
    QCOMPARE(args.at(1).toString(), QStringLiteral("INFO"));
    QCOMPARE(args.at(4).toString(), QStringLiteral("0"));
    QCOMPARE(args.at(3).toString(), QString());
    // The current local time, to the second.
    const QDateTime when = QDateTime::fromString(args.at(2).toString(), "yyyy-MM-dd hh:mm:ss");
    QVERIFY(when.isValid());
    QVERIFY(qAbs(when.secsTo(QDateTime::currentDateTime())) <= 2);
}

// Keeps the debug echo of thousands of lines out of the test output.
struct QuietEcho
{
    QuietEcho() { QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false")); }
    ~QuietEcho() { QLoggingCategory::setFilterRules(QString()); }
};

void tst_TLogger::historyIsBounded()
{
    QuietEcho quiet;
    for (int i = 0; i < 1000; ++i)
        logger()->writeLog(QStringLiteral("h%1").arg(i), "info", "t", "p", 0);
    QCOMPARE(logger()->historyLogs().size(), 1000);
    logger()->writeLog(QStringLiteral("h1000"), "info", "t", "p", 0);
    QVariantList history = logger()->historyLogs();
    QCOMPARE(history.size(), 1000);
    QCOMPARE(history.first().toStringList().first(), QStringLiteral("h1"));
    QCOMPARE(history.last().toStringList().first(), QStringLiteral("h1000"));

    // Lowering the bound trims one entry per line, not all at once.
    logger()->setMaxHistoryCount(10);
    logger()->writeLog(QStringLiteral("h1001"), "info", "t", "p", 0);
    QCOMPARE(logger()->historyLogs().size(), 1000);
    logger()->writeLog(QStringLiteral("h1002"), "info", "t", "p", 0);
    history = logger()->historyLogs();
    QCOMPARE(history.size(), 1000);
    QCOMPARE(history.first().toStringList().first(), QStringLiteral("h3"));
}

void tst_TLogger::rollsOverAboveSizeLimit()
{
    logger()->setLogDir(m_dir->path());
    const QString stamp = QStringLiteral("2026-12-09 08:00:00");
    const QByteArray oneLine = logger()->writeLog("a", "info", stamp, "p", 0)
                                       ? readAll(logger()->currentLogFileName()).toUtf8()
                                       : QByteArray();
    QVERIFY(!oneLine.isEmpty());
    const QString date = QDate::currentDate().toString("yyyyMMdd");
    const QString first = m_dir->filePath(date + ".log");
    QCOMPARE(logger()->currentLogFileName(), first);

    // A file of exactly the limit still takes a line; one byte over switches.
    logger()->setMaxFileSize(oneLine.size());
    QVERIFY(logger()->writeLog("b", "info", stamp, "p", 0));
    QCOMPARE(logger()->currentLogFileName(), first);
    QVERIFY(logger()->writeLog("c", "info", stamp, "p", 0));
    QCOMPARE(logger()->currentLogFileName(), m_dir->filePath(date + "_1.log"));
    QVERIFY(logger()->writeLog("d", "info", stamp, "p", 0));
    QVERIFY(logger()->writeLog("e", "info", stamp, "p", 0));
    QCOMPARE(logger()->currentLogFileName(), m_dir->filePath(date + "_2.log"));

    auto lines = [&](const QString &name) { return readAll(m_dir->filePath(name)).count('\n'); };
    QCOMPARE(lines(date + ".log"), 2);
    QCOMPARE(lines(date + "_1.log"), 2);
    QCOMPARE(lines(date + "_2.log"), 1);
    QVERIFY(readAll(m_dir->filePath(date + "_1.log")).startsWith(stamp + " [INFO] \tc"));
}

void tst_TLogger::fileNames_data()
{
    QTest::addColumn<bool>("trailingSlash");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    const QString day = QDate::currentDate().toString("yyyyMMdd");
    QTest::newRow("plain") << false << "log"
                           << "yyyyMMdd" << QStringList() << day + ".log";
    QTest::newRow("trailing slash") << true << "log"
                                    << "yyyyMMdd" << QStringList() << day + ".log";
    QTest::newRow("no extension") << false << ""
                                  << "yyyyMMdd" << QStringList() << day;
    QTest::newRow("no extension taken") << false << ""
                                        << "yyyyMMdd" << QStringList {day} << day + "_1";
    QTest::newRow("other extension") << false << "txt"
                                     << "yyyyMMdd" << QStringList {day + ".log"} << day + ".txt";
    QTest::newRow("taken") << false << "log"
                           << "yyyyMMdd" << QStringList {day + ".log", day + "_1.log"} << day + "_2.log";
    QTest::newRow("first gap") << false << "log"
                               << "yyyyMMdd" << QStringList {day + ".log", day + "_1.log", day + "_3.log"}
                               << day + "_2.log";
    QTest::newRow("format") << false << "log"
                            << "yyyy-MM" << QStringList() << QDate::currentDate().toString("yyyy-MM") + ".log";
}

void tst_TLogger::fileNames()
{
    QFETCH(bool, trailingSlash);
    QFETCH(QString, ext);
    QFETCH(QString, format);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    for (const QString &name : existing) {
        QFile f(m_dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    logger()->setFileExt(ext);
    logger()->setFileNameFormat(format);
    logger()->setLogDir(m_dir->path() + (trailingSlash ? "/" : ""));
    QCOMPARE(logger()->nextLogFileName(), m_dir->path() + "/" + expected);
    // nextLogFileName creates nothing.
    QVERIFY(!QFile::exists(m_dir->path() + "/" + expected));
}

void tst_TLogger::nextNameSkipsTakenNamesAfterFirstListing()
{
    const QString day = QDate::currentDate().toString("yyyyMMdd");
    QuietEcho quiet;
    for (int i = 0; i < 300; ++i) {
        QFile f(m_dir->filePath(i ? QStringLiteral("%1_%2.log").arg(day).arg(i) : day + ".log"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    logger()->setLogDir(m_dir->path());
    logger()->setMaxFileSize(0);
    for (int i = 0; i < 3; ++i)
        QVERIFY(logger()->writeLog("x", "info", "t", "p", 0));
    // Every line above the limit opens the next free name.
    QCOMPARE(logger()->currentLogFileName(), m_dir->filePath(day + "_302.log"));
    QCOMPARE(readAll(m_dir->filePath(day + "_300.log")).count('\n'), 1);
    QCOMPARE(readAll(m_dir->filePath(day + "_301.log")).count('\n'), 1);
}

void tst_TLogger::linesBeforeLogDirAreNotWritten()
{
    QVERIFY(logger()->writeLog("early", "error", "t", "p", 0));
    QVERIFY(logger()->currentLogFileName().isEmpty());
    logger()->setLogDir(m_dir->filePath("nested/logs"));
    QVERIFY(QFileInfo(m_dir->filePath("nested/logs")).isDir());
    QVERIFY(logger()->writeLog("late", "error", "t", "p", 0));
    const QString content = readAll(logger()->currentLogFileName());
    QVERIFY(!content.contains("early"));
    QVERIFY(content.contains("late"));
}

void tst_TLogger::unopenableFileIsReported()
{
    // The log folder is a regular file: nothing can be opened below it.
    QFile blocker(m_dir->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    logger()->setLogDir(blocker.fileName());
    QSignalSpy spy(logger(), &TLogger::logWrited);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^can not open file .*blocker/.* for write!$"));
    QTest::ignoreMessage(QtDebugMsg, "TLogger::writeLog Error: setCurrentLogFile error!");
    QVERIFY(!logger()->writeLog("lost?", "error", "t", "p", 0));
    // Announced and kept even though no file took it.
    QCOMPARE(spy.count(), 1);
    QCOMPARE(logger()->historyLogs().last().toStringList().first(), QStringLiteral("lost?"));
    QVERIFY(logger()->currentLogFileName().isEmpty());

    // Once the folder can be used, the next line opens a file again.
    QVERIFY(blocker.remove());
    QVERIFY(QDir().mkpath(blocker.fileName()));
    QVERIFY(logger()->writeLog("back", "error", "t", "p", 0));
    QVERIFY(logger()->currentLogFileName().startsWith(blocker.fileName() + "/"));
    QVERIFY(readAll(logger()->currentLogFileName()).contains("back"));
    QVERIFY(!readAll(logger()->currentLogFileName()).contains("lost?"));
}

void tst_TLogger::failedWriteIsReported()
{
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("needs /dev/full");
    logger()->setLogDir(m_dir->path());
    // A character device: appending cannot seek, which QFile mentions.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot call seek on a sequential device"));
    QVERIFY(logger()->setCurrentLogFile("/dev/full"));
    QTest::ignoreMessage(QtDebugMsg, "TLogger::writeLog Error: writeLog to /dev/full error!");
    QVERIFY(!logger()->writeLog("disk full", "error", "t", "p", 0));
    QCOMPARE(logger()->currentLogFileName(), QStringLiteral("/dev/full"));
}

void tst_TLogger::concurrentWritersLoseNothing()
{
    QuietEcho quiet;
    logger()->setLogDir(m_dir->path());
    logger()->setDebugLevel(5);
    logger()->setMaxFileSize(20000); // several roll-overs while the threads run
    const int threads = 8;
    const int perThread = 1500;
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([t, perThread] {
            for (int i = 0; i < perThread; ++i)
                TLogger::instance()->writeLog(QStringLiteral("T%1 N%2 payload").arg(t).arg(i), "debug", QString(),
                                              TLOG_POS, 5);
        }));
        workers.back()->start();
    }
    for (auto &w : workers)
        QVERIFY(w->wait(60000));

    QStringList lines;
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    QVERIFY2(files.size() > 3, "expected roll-overs");
    for (const QString &name : files) {
        const QString content = readAll(m_dir->filePath(name));
        QVERIFY(content.endsWith('\n'));
        lines += content.split('\n', Qt::SkipEmptyParts);
    }
    QCOMPARE(lines.size(), threads * perThread);
    QSet<QString> seen;
    const QRegularExpression shape("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\[DEBUG\\] \\t(T\\d N\\d+) payload"
                                   "  \\[SRC:File:tst_tlogger.cpp, Line:\\d+, Func:[^\\]]+\\] \\[LEVEL:5\\]$");
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = shape.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        seen.insert(m.captured(1));
    }
    QCOMPARE(seen.size(), threads * perThread);
}

void tst_TLogger::positionMacro()
{
    const int line = __LINE__ + 1;
    const QString pos = TLOG_POS;
    QCOMPARE(pos, QStringLiteral("File:tst_tlogger.cpp, Line:%1, Func:tst_TLogger::positionMacro").arg(line));
    // Each call site keeps its own line.
    const QString other = TLOG_POS;
    QCOMPARE(other, QStringLiteral("File:tst_tlogger.cpp, Line:%1, Func:tst_TLogger::positionMacro").arg(line + 3));
}

void tst_TLogger::funcName_data()
{
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("name");
    QTest::newRow("method") << "bool TSqlQueryV2::begin(bool)"
                            << "TSqlQueryV2::begin";
    QTest::newRow("const virtual") << "virtual QString A::b(const QString&, int) const"
                                   << "A::b";
    QTest::newRow("constructor") << "TFoo::TFoo(QObject*)"
                                 << "TFoo::TFoo";
    QTest::newRow("static pointer") << "static TLogger* TLogger::instance()"
                                    << "TLogger::instance";
    QTest::newRow("free function") << "int main(int, char**)"
                                   << "main";
    QTest::newRow("template return") << "QMap<QString, int> ns::A::m(QList<int>)"
                                     << "ns::A::m";
    QTest::newRow("template class") << "void Holder<T>::run(int) [with T = QMap<int, int>]"
                                    << "Holder<T>::run";
    QTest::newRow("lambda") << "A::b()::<lambda(int)>"
                            << "A::b";
    QTest::newRow("call operator") << "void A::operator()(int)"
                                   << "A::operator()";
    QTest::newRow("comparison") << "bool A::operator==(const A&) const"
                                << "A::operator==";
    QTest::newRow("not a signature") << "weird"
                                     << "weird";
}

void tst_TLogger::funcName()
{
    QFETCH(QString, info);
    QFETCH(QString, name);
    QCOMPARE(TLogger::funcName(info.toLatin1().constData()), name);
}

void tst_TLogger::logItemFieldsAndJson()
{
    TLogItem item;
    QCOMPARE(item.toJsonString(), QStringLiteral("[\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"]"));
    const char *setters[]
            = {"setWhen", "setWho", "setWhat", "setWhere", "setRemark", "setIcon", "setCategory", "setTag", "setData"};
    int i = 0;
    for (const char *setter : setters)
        QVERIFY(QMetaObject::invokeMethod(&item, setter, Q_ARG(QString, QString::number(i++))));
    QCOMPARE(item.when(), QStringLiteral("0"));
    QCOMPARE(item.data(), QStringLiteral("8"));
    item.setWhat(QStringLiteral("say \"hi\""));
    QCOMPARE(item.toJsonString(),
             QStringLiteral("[\"0\",\"1\",\"say \\\"hi\\\"\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"]"));
}

void tst_TLogger::logItemCopies()
{
    QObject parent;
    TLogItem a(&parent);
    a.setWho(QStringLiteral("op"));
    a.setTag(QStringLiteral("t"));
    TLogItem b(a);
    QCOMPARE(b.parent(), &parent);
    QCOMPARE(b.toJsonString(), a.toJsonString());
    b.setWho(QStringLiteral("other"));
    QCOMPARE(a.who(), QStringLiteral("op"));

    TLogItem c;
    c = a;
    QVERIFY(!c.parent());
    QCOMPARE(c.toJsonString(), a.toJsonString());
    TLogItem &same = c;
    c = same;
    QCOMPARE(c.who(), QStringLiteral("op"));
}

QTEST_GUILESS_MAIN(tst_TLogger)
#include "tst_tlogger.moc"
