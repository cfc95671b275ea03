#ifndef TLOGGER_H
#define TLOGGER_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QVariantList>

class TLoggerPrivate;

/*!
 * The process-wide log.
 *
 * A line passes the level filter (a line is kept when its level is at most
 * debugLevel()), is announced through logWrited(), kept in a bounded history,
 * printed on Qt's debug output and, once a log folder is set, appended to a
 * dated UTF-8 file that rolls over above maxFileSize():
 *
 *     2026-12-09 08:00:00 [ERROR] \tmessage  [SRC:File:x.cpp, Line:1, Func:A::b] [LEVEL:0]
 *
 * Any thread may log; writeLog() is serialised by a mutex and emits
 * logWrited() on the calling thread while holding it, so a receiver connected
 * directly must not log itself.
 *
 * Lifetime rule for the other libraries: the logger is a function-local
 * static, destroyed at exit in reverse order of construction. Every other
 * singleton that logs in its destructor must call TLogger::instance() in its
 * own constructor, so that the logger is constructed first and therefore
 * outlives it.
 */
class VEKFOUNDATIONCORE_EXPORT TLogger : public QObject
{
    Q_OBJECT
public:
    //! The single logger, created on first use (thread-safe), destroyed at exit.
    static TLogger *instance();

    //! Builds the position text "File:<base name>, Line:<line>, Func:<Class::method>"
    //! from __FILE__, __LINE__ and Q_FUNC_INFO. Use the TLOG_POS macro instead.
    static QString srcPos(const char *iFile, int iLine, const char *iFuncInfo);
    //! The "Class::method" part of a Q_FUNC_INFO text.
    static QString funcName(const char *iFuncInfo);

public Q_SLOTS:
    /*!
     * Writes one line. An empty date-time takes the current local time. Returns
     * false only when the log file cannot be opened or written; a filtered line
     * and a line written while no log folder is set return true.
     */
    bool writeLog(const QString &iTextStr, const QString &iTypeStr = QStringLiteral("info"),
                  const QString &iDatetimeStr = QString(), const QString &iSrcPosStr = QString(),
                  int iDebugLevelInt = 0);

    //! Logs type "error" at level 0.
    void error(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
               const QString &iFunction = QString());
    //! Logs type "warn" at level 1.
    void warn(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
              const QString &iFunction = QString());
    //! Logs type "info" at level 2.
    void info(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
              const QString &iFunction = QString());
    //! Logs type "ok" at level 2.
    void ok(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
            const QString &iFunction = QString());
    //! Logs type "step" at level 3.
    void step(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
              const QString &iFunction = QString());
    //! Logs type "sql" at level 4.
    void sql(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
             const QString &iFunction = QString());
    //! Logs type "debug" at level 5.
    void debug(const QString &iMsg, const QString &iFile = QString(), const QString &iLine = QString(),
               const QString &iFunction = QString());

    //! Folder of the log files; empty while nothing goes to a file.
    QString logDir() const;
    //! Sets the folder of the log files and creates it when missing; the current file stays open.
    void setLogDir(const QString &iDirStr);

    //! Highest level that is written (default 0).
    int debugLevel() const;
    //! Sets the highest level that is written.
    void setDebugLevel(int iLevelInt);

    //! Size in bytes above which the next line starts a new file (default 10000000).
    int maxFileSize() const;
    //! Sets the roll-over size in bytes.
    void setMaxFileSize(int iSizeInt);

    //! Most lines kept in historyLogs() (default 1000).
    int maxHistoryCount() const;
    //! Sets the most lines kept in the history.
    void setMaxHistoryCount(int iCountInt);

    //! Extension of the log files without the dot (default "log").
    QString fileExt() const;
    //! Sets the extension of the log files; empty gives names without a dot.
    void setFileExt(const QString &iExtStr);

    //! Date format of the file names (default "yyyyMMdd").
    QString fileNameFormat() const;
    //! Sets the date format of the file names.
    void setFileNameFormat(const QString &iFormatStr);

    //! The first free file name for today in the log folder ("_1", "_2"… appended when taken).
    QString nextLogFileName();
    //! Closes the current file and opens iFilepathStr for appending; false when it cannot be opened.
    bool setCurrentLogFile(const QString &iFilepathStr);
    //! Path of the file in use, empty when there is none.
    QString currentLogFileName() const;

    //! A copy of the kept lines, each a string list: text, type, date-time, position, level.
    QVariantList historyLogs() const;

Q_SIGNALS:
    //! Emitted on the logging thread for every line that passes the level filter.
    void logWrited(const QString &iTextStr, const QString &iTypeStr, const QString &iDateTimeStr,
                   const QString &iSrcPosStr, const QString &iDebugLevelStr);

private:
    TLogger();
    ~TLogger() override;
    Q_DISABLE_COPY(TLogger)

    Q_DECLARE_PRIVATE_D(d, TLogger)
    const std::unique_ptr<TLoggerPrivate> d;
};

/*!
 * The position text of the current source line:
 * "File:<base name of the source file>, Line:<line>, Func:<Class::method>".
 * Built once per call site and then only copied. The text is never
 * destroyed: a call site first reached during the run may be reached again
 * from a destructor at exit, after the function-local statics made during
 * the run are gone.
 */
#define TLOG_POS                                                                                                       \
    ([](const char *vekFuncInfo) -> QString {                                                                          \
        static const QString *const vekPos = new QString(TLogger::srcPos(__FILE__, __LINE__, vekFuncInfo));            \
        return *vekPos;                                                                                                \
    }(Q_FUNC_INFO))

/*!
 * Writes one log line with the caller's position and the current time.
 * The level is looked at first, as qCDebug does: a line above debugLevel()
 * costs neither its text nor its position nor the logger's lock.
 *
 *     VEK_LOG(QStringLiteral("opened %1").arg(name), "info", 2);
 *
 * type is a string literal ("error", "warn", "info", "debug", ...).
 */
#define VEK_LOG(text, type, level)                                                                                     \
    do {                                                                                                               \
        TLogger *const vekLogger = TLogger::instance();                                                                \
        if ((level) <= vekLogger->debugLevel())                                                                        \
            vekLogger->writeLog((text), QStringLiteral(type), QString(), TLOG_POS, (level));                           \
    } while (false)

#endif // TLOGGER_H
