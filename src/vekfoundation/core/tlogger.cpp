#include "tlogger.h"
#include "tlogger_p.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QReadLocker>
#include <QSet>
#include <QStringList>
#include <QWriteLocker>

#include <cstring>

namespace {

// Ends a writeLog call early; its message goes to the debug output.
struct LogFailure
{
    QString message;
};

} // namespace

QString TLoggerPrivate::currentStamp()
{
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != stampSecond) {
        stampText = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
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

// Both open* helpers run with fileLock held for writing.
bool TLoggerPrivate::openFile(const QString &iPath)
{
    delete currentFile;
    currentFile = new QFile(iPath);
    if (!currentFile->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qDebug().noquote() << QStringLiteral("can not open file %1 for write!").arg(iPath);
        delete currentFile;
        currentFile = nullptr;
        currentSize = 0;
        return false;
    }
    currentSize = currentFile->size();
    return true;
}

bool TLoggerPrivate::openNextFile()
{
    Q_Q(TLogger);
    return openFile(q->nextLogFileName());
}

TLogger::TLogger()
    : QObject(nullptr), d_ptr(new TLoggerPrivate(this))
{
}

TLogger::~TLogger()
{
    Q_D(TLogger);
    delete d->currentFile;
    delete d_ptr;
}

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
            const bool callOperator = sig.mid(0, i).endsWith("operator") && i + 1 < sig.size()
                    && sig.at(i + 1) == ')';
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
    Q_D(TLogger);
    QMutexLocker locker(&d->mutex);
    if (iDebugLevelInt > d->debugLevel)
        return true;

    try {
        const QString type = iTypeStr.toUpper();
        const QString when = iDatetimeStr.isEmpty() ? d->currentStamp() : iDatetimeStr;
        const QString level = QString::number(iDebugLevelInt);

        emit logWrited(iTextStr, type, when, iSrcPosStr, level);

        d->historyLogs.append(QVariant(QStringList {iTextStr, type, when, iSrcPosStr, level}));
        if (d->historyLogs.size() > d->maxHistoryCount)
            d->historyLogs.removeFirst();

        QString line;
        line.reserve(when.size() + type.size() + iTextStr.size() + iSrcPosStr.size() + level.size() + 24);
        line += when;
        line += QLatin1String(" [");
        line += type;
        line += QLatin1String("] \t");
        line += iTextStr;
        line += QLatin1String("  [SRC:");
        line += iSrcPosStr;
        line += QLatin1String("] [LEVEL:");
        line += level;
        line += QLatin1Char(']');
        QByteArray bytes = line.toUtf8();
        qDebug("%s", bytes.constData());

        QWriteLocker fileLocker(&d->fileLock);
        if (d->logDir.isEmpty())
            return true;

        if ((!d->currentFile || d->currentSize > d->maxFileSize) && !d->openNextFile())
            throw LogFailure {QStringLiteral("setCurrentLogFile error!")};

        bytes.append('\n');
        if (d->currentFile->write(bytes) != bytes.size() || !d->currentFile->flush())
            throw LogFailure {QStringLiteral("writeLog to %1 error!").arg(d->currentFile->fileName())};
        d->currentSize += bytes.size();
        return true;
    } catch (const LogFailure &failure) {
        qDebug().noquote() << "TLogger::writeLog" << "Error:" << failure.message;
    } catch (...) {
        qDebug().noquote() << "TLogger::writeLog" << "Err or:" << "unknow error!";
    }
    return false;
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

QString TLogger::logDir() const
{
    Q_D(const TLogger);
    return d->logDir;
}

void TLogger::setLogDir(const QString &iDirStr)
{
    Q_D(TLogger);
    d->logDir = iDirStr;
    if (!iDirStr.isEmpty() && !QFileInfo::exists(iDirStr))
        QDir().mkpath(iDirStr);
}

int TLogger::debugLevel() const
{
    Q_D(const TLogger);
    return d->debugLevel;
}

void TLogger::setDebugLevel(int iLevelInt)
{
    Q_D(TLogger);
    d->debugLevel = iLevelInt;
}

int TLogger::maxFileSize() const
{
    Q_D(const TLogger);
    return d->maxFileSize;
}

void TLogger::setMaxFileSize(int iSizeInt)
{
    Q_D(TLogger);
    d->maxFileSize = iSizeInt;
}

int TLogger::maxHistoryCount() const
{
    Q_D(const TLogger);
    return d->maxHistoryCount;
}

void TLogger::setMaxHistoryCount(int iCountInt)
{
    Q_D(TLogger);
    d->maxHistoryCount = iCountInt;
}

QString TLogger::fileExt() const
{
    Q_D(const TLogger);
    return d->fileExt;
}

void TLogger::setFileExt(const QString &iExtStr)
{
    Q_D(TLogger);
    d->fileExt = iExtStr;
}

QString TLogger::fileNameFormat() const
{
    Q_D(const TLogger);
    return d->fileNameFormat;
}

void TLogger::setFileNameFormat(const QString &iFormatStr)
{
    Q_D(TLogger);
    d->fileNameFormat = iFormatStr;
}

QString TLogger::nextLogFileName()
{
    Q_D(TLogger);
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
        const QStringList entries = QDir(stemInfo.absolutePath())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
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
    Q_D(TLogger);
    QWriteLocker fileLocker(&d->fileLock);
    return d->openFile(iFilepathStr);
}

QString TLogger::currentLogFileName() const
{
    Q_D(const TLogger);
    QReadLocker fileLocker(&const_cast<TLoggerPrivate *>(d)->fileLock);
    return d->currentFile ? d->currentFile->fileName() : QString();
}

QVariantList TLogger::historyLogs() const
{
    Q_D(const TLogger);
    QMutexLocker locker(&d->mutex);
    return d->historyLogs;
}
