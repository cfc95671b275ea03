#ifndef TLOGGER_P_H
#define TLOGGER_P_H

#include "tlogger.h"

#include <QAtomicInt>
#include <QByteArray>
#include <QFile>
#include <QMutex>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>
#include <QVariantList>

class TLoggerPrivate
{
    Q_DECLARE_PUBLIC(TLogger)
public:
    explicit TLoggerPrivate(TLogger *qptr)
        : q_ptr(qptr)
    {}

    QString logDir;
    int maxFileSize {10000000};
    int maxHistoryCount {1000};
    QString fileExt {QStringLiteral("log")};
    QString fileNameFormat {QStringLiteral("yyyyMMdd")};
    QReadWriteLock fileLock;
    QFile *currentFile {nullptr};
    // Read without the mutex, so that a filtered line costs one load and a compare.
    QAtomicInt debugLevel {0};
    // Kept as plain string lists; historyLogs() wraps them in variants, which
    // saves two allocations per line.
    QList<QStringList> historyLogs;
    mutable QMutex mutex;
    TLogger *q_ptr;

    // Bytes in the current file, kept alongside it so that the roll-over test
    // needs no stat call per line.
    qint64 currentSize {0};

    // The current second's date-time text; formatting a date is the dearest
    // part of a line, and most lines share their second with the one before.
    qint64 stampSecond {-1};
    QString stampText;
    QByteArray stampBytes;

    // The last name handed out by nextLogFileName, so that the next roll-over
    // of the same day starts probing there instead of at "_1".
    QMutex nameMutex;
    QString lastNameStem;
    int lastNameCounter {-1};

    QString currentStamp();
    QString buildFileName(const QString &iStem, int iCounter) const;
    bool openFile(const QString &iPath, QString *oMessage);
    bool openNextFile(QString *oMessage);
};

#endif // TLOGGER_P_H
