#ifndef VEKLOGCAPTURE_H
#define VEKLOGCAPTURE_H

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QStringList>

// Collects every log line (text and type) that passes the logger's filter,
// from any thread, while it lives. Raises the logger's level to 5.
class VekLogCapture : public QObject
{
    Q_OBJECT

public:
    VekLogCapture();
    ~VekLogCapture() override;

    QStringList texts(const QString &iType = QString()) const;
    void clear();

private:
    mutable QMutex mMutex;
    QList<QPair<QString, QString>> mLines;
    int mOldLevel;
};

#endif // VEKLOGCAPTURE_H
