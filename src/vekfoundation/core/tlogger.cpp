#include "tlogger.h"
#include "tlogger_p.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QReadLocker>
#include <QSet>
#include <QStringList>
#include <QWriteLocker>

#include <cstring>

namespace {

// Length of a "yyyy-MM-dd hh:mm:ss" stamp.
const int kStampLength = 19;

// Ends a writeLog call early; its message goes to the debug output.
struct LogFailure
{
    QString message;
};

// The type words of the system's own lines, upper-cased, without an
// allocation. The texts are literals: nothing here is destroyed at exit, so
// a singleton may still log from its destructor after every other static
// and thread-local object of the process is gone.
QString upperType(const QString &iType)
{
    switch (iType.size()) {
    case 2:
        if (iType == QLatin1String("ok"))
            return QStringLiteral("OK");
        break;
    case 3:
        if (iType == QLatin1String("sql"))
            return QStringLiteral("SQL");
        break;
    case 4:
        if (iType == QLatin1String("info"))
            return QStringLiteral("INFO");
        if (iType == QLatin1String("warn"))
            return QStringLiteral("WARN");
        if (iType == QLatin1String("step"))
            return QStringLiteral("STEP");
        break;
    case 5:
        if (iType == QLatin1String("error"))
            return QStringLiteral("ERROR");
        if (iType == QLatin1String("debug"))
            return QStringLiteral("DEBUG");
        break;
    default:
        break;
    }
    return iType.toUpper();
}

QString levelText(int iLevel)
{
    switch (iLevel) {
    case 0:
        return QStringLiteral("0");
    case 1:
        return QStringLiteral("1");
    case 2:
        return QStringLiteral("2");
    case 3:
        return QStringLiteral("3");
    case 4:
        return QStringLiteral("4");
    case 5:
        return QStringLiteral("5");
    default:
        return QString::number(iLevel);
    }
}

} // namespace

QString TLoggerPrivate::currentStamp()
{
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != stampSecond) {
        stampText = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        stampBytes = stampText.toUtf8();
        stampSecond = second;
    }
    return stampText;
}

QString TLoggerPrivate::buildFileName(const QString &iStem, int iCounter) const
{
    QString name = iStem;
    if (iCounter > 0)
        name += QLatin1Char('_') + QString::number(iCounter);
    if (!fileExt.isEmpty())
        name += QLatin1Char('.') + fileExt;
    return name;
}

// Both open helpers run with fileLock held for writing; the complaint goes
// to the caller, which prints it once no lock is held any more.
bool TLoggerPrivate::openFile(const QString &iPath, QString *oMessage)
{
    delete currentFile;
    currentFile = new QFile(iPath);
    // Unbuffered: a line is one write call, complete on disk when writeLog
    // returns, and a line that failed is not kept to reappear later.
    if (!currentFile->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered)) {
        *oMessage = QStringLiteral("can not open file %1 for write!").arg(iPath);
        delete currentFile;
        currentFile = nullptr;
        currentSize = 0;
        return false;
    }
    currentSize = currentFile->size();
    return true;
}

bool TLoggerPrivate::openNextFile(QString *oMessage)
{
    Q_Q(TLogger);
    return openFile(q->nextLogFileName(), oMessage);
}

TLogger::TLogger()
    : QObject(nullptr)
    , d(new TLoggerPrivate(this))
{
    // The debug echo goes through Qt's default category, itself a global static
    // created on first use: creating it now makes it outlive the logger, so singletons that log
    // in their destructors at exit never reach a destroyed category.
    QLoggingCategory::defaultCategory();
}

TLogger::~TLogger() { delete d->currentFile; }

TLogger *TLogger::instance()
{
    static TLogger logger;
    return &logger;
}

QString TLogger::funcName(const char *iFuncInfo)
{
    if (!iFuncInfo)
        return QString();
    QByteArray sig(iFuncInfo);
    // Template arguments of the enclosing function: "... [with T = int]".
    const int with = sig.indexOf(" [with ");
    if (with >= 0)
        sig.truncate(with);

    // The parameter list opens at the first '(' outside angle brackets, except
    // the one that belongs to the name "operator()".
    int depth = 0;
    int open = -1;
    for (int i = 0; i < sig.size(); ++i) {
        const char c = sig.at(i);
        if (c == '<') {
            ++depth;
        } else if (c == '>') {
            if (depth > 0)
                --depth;
        } else if (c == '(' && depth == 0) {
            const bool callOperator = sig.mid(0, i).endsWith("operator") && i + 1 < sig.size() && sig.at(i + 1) == ')';
            if (callOperator) {
                ++i;
                continue;
            }
            open = i;
            break;
        }
    }
    if (open < 0)
        return QString::fromUtf8(sig).trimmed();

    // The name starts after the last blank outside angle brackets before it
    // (the blank that ends the return type and the specifiers).
    depth = 0;
    int start = 0;
    for (int i = open - 1; i >= 0; --i) {
        const char c = sig.at(i);
        if (c == '>') {
            ++depth;
        } else if (c == '<') {
            if (depth > 0)
                --depth;
        } else if (c == ' ' && depth == 0) {
            // "operator ==" and "operator new" keep their blank.
            const QByteArray before = sig.left(i);
            if (before.endsWith("operator")) {
                continue;
            }
            start = i + 1;
            break;
        }
    }
    QByteArray name = sig.mid(start, open - start);
    while (!name.isEmpty() && (name.at(0) == '*' || name.at(0) == '&'))
        name.remove(0, 1);
    return QString::fromUtf8(name);
}

QString TLogger::srcPos(const char *iFile, int iLine, const char *iFuncInfo)
{
    const char *base = iFile ? iFile : "";
    for (const char *p = base; *p; ++p) {
        if (*p == '/' || *p == '\\')
            base = p + 1;
    }
    return QStringLiteral("File:%1, Line:%2, Func:%3")
            .arg(QString::fromUtf8(base), QString::number(iLine), funcName(iFuncInfo));
}

bool TLogger::writeLog(const QString &iTextStr, const QString &iTypeStr, const QString &iDatetimeStr,
                       const QString &iSrcPosStr, int iDebugLevelInt)
{
    if (iDebugLevelInt > d->debugLevel.loadRelaxed())
        return true;

    // Everything that does not depend on the order of lines is prepared
    // before the mutex is taken, so that concurrent writers queue only for
    // the time stamp, the signal, the history and the write itself.
    const QString type = upperType(iTypeStr);
    const QString level = levelText(iDebugLevelInt);
    // The whole line as text, for the echo. When the caller gives no
    // date-time, it starts with room for the stamp, filled in under the mutex.
    const int headLength = iDatetimeStr.isEmpty() ? kStampLength : iDatetimeStr.size();
    QString lineText;
    lineText.reserve(headLength + type.size() + iTextStr.size() + iSrcPosStr.size() + level.size() + 24);
    if (iDatetimeStr.isEmpty())
        lineText.fill(QLatin1Char(' '), kStampLength);
    else
        lineText += iDatetimeStr;
    lineText += QLatin1String(" [");
    lineText += type;
    lineText += QLatin1String("] \t");
    lineText += iTextStr;
    lineText += QLatin1String("  [SRC:");
    lineText += iSrcPosStr;
    lineText += QLatin1String("] [LEVEL:");
    lineText += level;
    lineText += QLatin1String("]\n");
    QByteArray lineBytes = lineText.toUtf8();
    QStringList entry {iTextStr, type, QString(), iSrcPosStr, level};

    QString when;
    QStringList dropped; // freed after the mutex is released
    QString openMessage;
    QString failure;
    const char *failureLabel = "Error:";
    bool ok = true;
    {
        QMutexLocker locker(&d->mutex);
        try {
            if (iDatetimeStr.isEmpty()) {
                // The stamp is ASCII of fixed length: it overwrites the room
                // kept for it, so that nothing is allocated under the mutex.
                when = d->currentStamp();
                if (d->stampBytes.size() == kStampLength)
                    std::memcpy(lineBytes.data(), d->stampBytes.constData(), kStampLength);
                else
                    lineBytes = d->stampBytes + lineBytes.mid(kStampLength);
            } else {
                when = iDatetimeStr;
            }
            Q_EMIT logWrited(iTextStr, type, when, iSrcPosStr, level);

            entry[2] = when;
            d->historyLogs.append(entry);
            if (d->historyLogs.size() > d->maxHistoryCount)
                dropped = d->historyLogs.takeFirst();

            QWriteLocker fileLocker(&d->fileLock);
            if (!d->logDir.isEmpty()) {
                if ((!d->currentFile || d->currentSize > d->maxFileSize) && !d->openNextFile(&openMessage))
                    throw LogFailure {QStringLiteral("setCurrentLogFile error!")};
                if (d->currentFile->write(lineBytes) != lineBytes.size())
                    throw LogFailure {QStringLiteral("writeLog to %1 error!").arg(d->currentFile->fileName())};
                d->currentSize += lineBytes.size();
            }
        } catch (const LogFailure &logFailure) {
            failure = logFailure.message;
            ok = false;
        } catch (...) {
            failure = QStringLiteral("unknow error!");
            failureLabel = "Err or:";
            ok = false;
        }
    }

    // The echo needs no lock. It goes straight to the message handler,
    // without the printf-style formatting of qDebug(), as long as the default
    // category's debug output is on.
    if (!when.isNull() && QLoggingCategory::defaultCategory()->isDebugEnabled()) {
        if (iDatetimeStr.isEmpty())
            lineText.replace(0, kStampLength, when);
        // The handler may keep the message (a host queueing lines for its
        // log window): it gets a string that owns its text. Dropping the line
        // feed leaves the buffer in place, so this copies nothing.
        lineText.chop(1);
        qt_message_output(QtDebugMsg, QMessageLogContext(), lineText);
    }
    if (!openMessage.isEmpty())
        qDebug().noquote() << openMessage;
    if (!ok)
        qDebug().noquote() << "TLogger::writeLog" << failureLabel << failure;
    return ok;
}

namespace {

QString shorthandPos(const QString &iFile, const QString &iLine, const QString &iFunction)
{
    return QStringLiteral("File:%1, Line:%2, Func:%3").arg(iFile, iLine, iFunction);
}

} // namespace

void TLogger::error(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("error"), QString(), shorthandPos(iFile, iLine, iFunction), 0);
}

void TLogger::warn(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("warn"), QString(), shorthandPos(iFile, iLine, iFunction), 1);
}

void TLogger::info(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("info"), QString(), shorthandPos(iFile, iLine, iFunction), 2);
}

void TLogger::ok(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("ok"), QString(), shorthandPos(iFile, iLine, iFunction), 2);
}

void TLogger::step(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("step"), QString(), shorthandPos(iFile, iLine, iFunction), 3);
}

void TLogger::sql(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("sql"), QString(), shorthandPos(iFile, iLine, iFunction), 4);
}

void TLogger::debug(const QString &iMsg, const QString &iFile, const QString &iLine, const QString &iFunction)
{
    writeLog(iMsg, QStringLiteral("debug"), QString(), shorthandPos(iFile, iLine, iFunction), 5);
}

QString TLogger::logDir() const { return d->logDir; }

void TLogger::setLogDir(const QString &iDirStr)
{
    d->logDir = iDirStr;
    if (!iDirStr.isEmpty() && !QFileInfo::exists(iDirStr))
        QDir().mkpath(iDirStr);
}

int TLogger::debugLevel() const { return d->debugLevel.loadRelaxed(); }

void TLogger::setDebugLevel(int iLevelInt) { d->debugLevel.storeRelaxed(iLevelInt); }

int TLogger::maxFileSize() const { return d->maxFileSize; }

void TLogger::setMaxFileSize(int iSizeInt) { d->maxFileSize = iSizeInt; }

int TLogger::maxHistoryCount() const { return d->maxHistoryCount; }

void TLogger::setMaxHistoryCount(int iCountInt) { d->maxHistoryCount = iCountInt; }

QString TLogger::fileExt() const { return d->fileExt; }

void TLogger::setFileExt(const QString &iExtStr) { d->fileExt = iExtStr; }

QString TLogger::fileNameFormat() const { return d->fileNameFormat; }

void TLogger::setFileNameFormat(const QString &iFormatStr) { d->fileNameFormat = iFormatStr; }

QString TLogger::nextLogFileName()
{
    QString folder = d->logDir;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QString stem = folder + QDate::currentDate().toString(d->fileNameFormat);

    QMutexLocker locker(&d->nameMutex);
    const QString key = stem + QLatin1Char('\n') + d->fileExt;
    int counter = 0;
    if (key == d->lastNameStem) {
        // Every name below the last one handed out was taken then.
        counter = d->lastNameCounter;
    } else {
        // One listing of the folder instead of one probe per taken name; the
        // probes below only confirm the result.
        const QFileInfo stemInfo(stem);
        const QStringList entries
                = QDir(stemInfo.absolutePath())
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::Unsorted);
        const QSet<QString> taken(entries.cbegin(), entries.cend());
        while (taken.contains(QFileInfo(d->buildFileName(stem, counter)).fileName()))
            ++counter;
    }
    while (QFileInfo::exists(d->buildFileName(stem, counter)))
        ++counter;
    d->lastNameStem = key;
    d->lastNameCounter = counter;
    return d->buildFileName(stem, counter);
}

bool TLogger::setCurrentLogFile(const QString &iFilepathStr)
{
    QString message;
    bool opened;
    {
        QWriteLocker fileLocker(&d->fileLock);
        opened = d->openFile(iFilepathStr, &message);
    }
    if (!opened)
        qDebug().noquote() << message;
    return opened;
}

QString TLogger::currentLogFileName() const
{
    QReadLocker fileLocker(&d->fileLock);
    return d->currentFile ? d->currentFile->fileName() : QString();
}

QVariantList TLogger::historyLogs() const
{
    QVariantList history;
    QMutexLocker locker(&d->mutex);
    history.reserve(d->historyLogs.size());
    for (const QStringList &entry : d->historyLogs)
        history.append(QVariant(entry));
    return history;
}
