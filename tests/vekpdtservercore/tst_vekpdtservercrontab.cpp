#include "vekpdtservercrontab.h"

#include "tlogger.h"

#include <QSignalSpy>
#include <QTest>

#include <time.h>

// The timetable, driven by a test clock: each kind's next time, month ends,
// leap days, invalid values, catch-up after a stall and the wait flag.
class tst_VekPdtServerCrontab : public QObject
{
    Q_OBJECT

private:
    QDateTime now;

    // Puts the process into an explicit zone for one test: Qt hands every
    // local-time conversion to the C library, which reads TZ.
    class ZoneGuard
    {
    public:
        explicit ZoneGuard(const char *iZone)
            : had(qEnvironmentVariableIsSet("TZ"))
            , old(qgetenv("TZ"))
        {
            qputenv("TZ", iZone);
            tzset();
        }
        ~ZoneGuard()
        {
            if (had)
                qputenv("TZ", old);
            else
                qunsetenv("TZ");
            tzset();
        }

    private:
        const bool had;
        const QByteArray old;
    };

    static QDateTime utc(const QString &iText)
    {
        return QDateTime(QDate::fromString(iText.left(10), QStringLiteral("yyyy-MM-dd")),
                         QTime::fromString(iText.mid(11), QStringLiteral("HH:mm:ss")), Qt::UTC);
    }

    static QDateTime at(const char *iText)
    {
        return QDateTime::fromString(QString::fromLatin1(iText), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    static QVariantMap trigger(const QString &iType, const QString &iValue, int iTaskId = 1, bool iWait = false)
    {
        return {{QStringLiteral("task_id"), iTaskId},
                {QStringLiteral("trigger_type"), iType},
                {QStringLiteral("value"), iValue},
                {QStringLiteral("wait_process"), iWait},
                {QStringLiteral("data"), QStringLiteral("data-%1").arg(iTaskId)}};
    }
    void setClock(VekPdtServerCrontab &ioCrontab)
    {
        ioCrontab.setClock([this]() { return now; });
    }
    static void tick(VekPdtServerCrontab &ioCrontab)
    {
        QVERIFY(QMetaObject::invokeMethod(&ioCrontab, "onTimerTimeout"));
    }
    static int logLinesWith(const QString &iText)
    {
        int count = 0;
        for (const QVariant &line : TLogger::instance()->historyLogs()) {
            if (line.toStringList().value(0).contains(iText))
                ++count;
        }
        return count;
    }

private Q_SLOTS:
    void firstRun_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QDateTime>("registeredAt");
        QTest::addColumn<QDateTime>("expected");

        QTest::newRow("day later today") << "EACH_DAY"
                                         << "08:00:00" << at("2026-03-10 07:00:00") << at("2026-03-10 08:00:00");
        QTest::newRow("day 5 s before is tomorrow")
                << "EACH_DAY"
                << "08:00:00" << at("2026-03-10 07:59:55") << at("2026-03-11 08:00:00");
        QTest::newRow("day 10 s before is today")
                << "EACH_DAY"
                << "08:00:00" << at("2026-03-10 07:59:50") << at("2026-03-10 08:00:00");
        QTest::newRow("day in lower case") << "each_day"
                                           << "08:00:00" << at("2026-03-10 09:00:00") << at("2026-03-11 08:00:00");
        QTest::newRow("week Monday from Wednesday")
                << "EACH_WEEK"
                << "1 09:00:00" << at("2026-03-11 12:00:00") << at("2026-03-16 09:00:00");
        QTest::newRow("week Monday on Monday morning")
                << "EACH_WEEK"
                << "1 09:00:00" << at("2026-03-09 08:00:00") << at("2026-03-09 09:00:00");
        QTest::newRow("week Sunday from Tuesday")
                << "EACH_WEEK"
                << "7 18:00:00" << at("2026-03-10 08:00:00") << at("2026-03-15 18:00:00");
        QTest::newRow("month 15th from the 20th")
                << "EACH_MONTH"
                << "15 12:00:00" << at("2026-03-20 08:00:00") << at("2026-04-15 12:00:00");
        QTest::newRow("month 31st in April") << "EACH_MONTH"
                                             << "31 08:00:00" << at("2026-04-10 08:00:00") << at("2026-04-30 08:00:00");
        QTest::newRow("month 31st after January's")
                << "EACH_MONTH"
                << "31 08:00:00" << at("2026-01-31 09:00:00") << at("2026-02-28 08:00:00");
        QTest::newRow("month 31st after February's")
                << "EACH_MONTH"
                << "31 08:00:00" << at("2026-02-28 09:00:00") << at("2026-03-31 08:00:00");
        QTest::newRow("month 31st in a leap February")
                << "EACH_MONTH"
                << "31 08:00:00" << at("2028-02-10 09:00:00") << at("2028-02-29 08:00:00");
        QTest::newRow("month over the year end")
                << "EACH_MONTH"
                << "01 00:10:00" << at("2026-12-05 00:00:00") << at("2027-01-01 00:10:00");
        QTest::newRow("year last second") << "EACH_YEAR"
                                          << "12-31 23:59:59" << at("2026-12-31 23:59:55") << at("2027-12-31 23:59:59");
        QTest::newRow("year later this year")
                << "EACH_YEAR"
                << "03-15 06:30:00" << at("2026-01-01 00:00:00") << at("2026-03-15 06:30:00");
        QTest::newRow("leap day in a common year")
                << "EACH_YEAR"
                << "02-29 06:00:00" << at("2027-01-01 00:00:00") << at("2027-02-28 06:00:00");
        QTest::newRow("leap day in a leap year")
                << "EACH_YEAR"
                << "02-29 06:00:00" << at("2028-01-01 00:00:00") << at("2028-02-29 06:00:00");
        QTest::newRow("leap day after a common year's")
                << "EACH_YEAR"
                << "02-29 06:00:00" << at("2027-03-01 00:00:00") << at("2028-02-29 06:00:00");
        QTest::newRow("interval") << "INTERVAL"
                                  << "60" << at("2026-03-10 07:00:00") << at("2026-03-10 07:00:58");
    }

    void firstRun()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QDateTime, registeredAt);
        QFETCH(QDateTime, expected);
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = registeredAt;
        crontab.registerTask(trigger(type, value));
        QCOMPARE(crontab.taskCount(), 1);
        QCOMPARE(crontab.nextRun(0), expected);
    }

    void firstRunAcrossDaylightSavingChanges_data()
    {
        // Europe/Berlin in 2026: clocks go forward at 01:00 UTC on 29 March
        // and back at 01:00 UTC on 25 October.
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("registeredAtUtc");
        QTest::addColumn<QString>("expectedUtc");

        QTest::newRow("day over the spring change") << "EACH_DAY"
                                                    << "08:00:00"
                                                    << "2026-03-28 08:00:00"
                                                    << "2026-03-29 06:00:00";
        QTest::newRow("day over the autumn change") << "EACH_DAY"
                                                    << "08:00:00"
                                                    << "2026-10-24 07:00:00"
                                                    << "2026-10-25 07:00:00";
        QTest::newRow("10 s rule on the change day") << "EACH_DAY"
                                                     << "08:00:00"
                                                     << "2026-03-29 05:59:55"
                                                     << "2026-03-30 06:00:00";
        QTest::newRow("day before the change, due today") << "EACH_DAY"
                                                          << "23:30:00"
                                                          << "2026-03-28 12:00:00"
                                                          << "2026-03-28 22:30:00";
        QTest::newRow("week over the spring change") << "EACH_WEEK"
                                                     << "1 09:00:00"
                                                     << "2026-03-25 12:00:00"
                                                     << "2026-03-30 07:00:00";
        QTest::newRow("month over the autumn change") << "EACH_MONTH"
                                                      << "01 00:10:00"
                                                      << "2026-10-05 10:00:00"
                                                      << "2026-10-31 23:10:00";
        QTest::newRow("year from winter into summer") << "EACH_YEAR"
                                                      << "06-01 12:00:00"
                                                      << "2026-01-10 12:00:00"
                                                      << "2026-06-01 10:00:00";
        QTest::newRow("interval counts real seconds") << "INTERVAL"
                                                      << "3600"
                                                      << "2026-03-29 00:30:00"
                                                      << "2026-03-29 01:29:58";
    }

    void firstRunAcrossDaylightSavingChanges()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, registeredAtUtc);
        QFETCH(QString, expectedUtc);
        const ZoneGuard zone("Europe/Berlin");
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = utc(registeredAtUtc).toLocalTime();
        crontab.registerTask(trigger(type, value));
        QCOMPARE(crontab.nextRun(0).toUTC(), utc(expectedUtc));
    }

    void dailyFiringsFollowTheZoneAcrossTheChange()
    {
        const ZoneGuard zone("Europe/Berlin");
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = utc(QStringLiteral("2026-03-28 06:00:00")).toLocalTime();
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("08:00:00"), 1));
        // 02:30 does not exist on the day clocks go forward: it still fires once that day.
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("02:30:00"), 2));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        QList<QString> firedAt;
        connect(&crontab, &VekPdtServerCrontab::taskTriggered, this, [this, &firedAt](int iTaskId) {
            firedAt << QStringLiteral("%1 %2").arg(iTaskId).arg(now.toUTC().toString(Qt::ISODate));
        });
        // A tick every minute from Saturday morning to Monday morning.
        for (; now < utc(QStringLiteral("2026-03-30 05:00:00")); now = now.addSecs(60))
            tick(crontab);
        QCOMPARE(firedAt.size(), 4);
        QCOMPARE(firedAt.at(0), QStringLiteral("1 2026-03-28T07:00:00Z"));
        QVERIFY2(firedAt.at(1) >= QStringLiteral("2 2026-03-29T00:30:00Z")
                         && firedAt.at(1) <= QStringLiteral("2 2026-03-29T01:30:00Z"),
                 qPrintable(firedAt.at(1)));
        QCOMPARE(firedAt.at(2), QStringLiteral("1 2026-03-29T06:00:00Z"));
        QCOMPARE(firedAt.at(3), QStringLiteral("2 2026-03-30T00:30:00Z"));
        QCOMPARE(crontab.nextRun(0).toUTC(), utc(QStringLiteral("2026-03-30 06:00:00")));
    }

    void invalidTriggerIsNeverDue_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("hour 25") << "EACH_DAY"
                                 << "25:00:00"
                                 << "is not a valid time";
        QTest::newRow("day 32") << "EACH_MONTH"
                                << "32 08:00:00"
                                << "is not a valid time";
        QTest::newRow("month 13") << "EACH_YEAR"
                                  << "13-01 08:00:00"
                                  << "is not a valid time";
        QTest::newRow("empty day") << "EACH_DAY"
                                   << ""
                                   << "is not a valid time";
        QTest::newRow("interval 0") << "INTERVAL"
                                    << "0"
                                    << "is not a positive number";
        QTest::newRow("interval negative") << "INTERVAL"
                                           << "-5"
                                           << "is not a positive number";
        QTest::newRow("interval text") << "INTERVAL"
                                       << "often"
                                       << "is not a positive number";
        QTest::newRow("unknown kind") << "HOURLY"
                                      << "10"
                                      << "is unknown";
    }

    void invalidTriggerIsNeverDue()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, message);
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = at("2026-03-10 07:00:00");
        const int before = logLinesWith(message);
        crontab.registerTask(trigger(type, value));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        for (int i = 0; i < 5; ++i) {
            tick(crontab);
            now = now.addSecs(1);
        }
        now = now.addDays(400);
        tick(crontab);
        QCOMPARE(spy.count(), 0);
        QVERIFY(!crontab.nextRun(0).isValid());
        QCOMPARE(logLinesWith(message), before + 1);
    }

    void intervalKeepsItsPaceAndCatchesUp()
    {
        VekPdtServerCrontab crontab;
        setClock(crontab);
        const QDateTime t0 = at("2026-03-10 07:00:00");
        now = t0;
        crontab.registerTask(trigger(QStringLiteral("INTERVAL"), QStringLiteral("60"), 7));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);

        now = t0.addSecs(57);
        tick(crontab);
        QCOMPARE(spy.count(), 0);
        // Up to just under a second early counts as due.
        now = t0.addMSecs(57100);
        tick(crontab);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 7);
        QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("data-7"));
        QCOMPARE(crontab.nextRun(0), t0.addSecs(118));

        // A stall: the missed firings come one per tick, from the previous due time.
        now = t0.addSecs(300);
        for (int i = 0; i < 6; ++i)
            tick(crontab);
        QCOMPARE(spy.count(), 5);
        QCOMPARE(crontab.nextRun(0), t0.addSecs(358));
    }

    void calendarFiresOncePerPeriod()
    {
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = at("2026-04-29 07:00:00");
        crontab.registerTask(trigger(QStringLiteral("EACH_MONTH"), QStringLiteral("31 08:00:00")));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        now = at("2026-04-30 08:00:00");
        tick(crontab);
        tick(crontab);
        now = now.addSecs(1);
        tick(crontab);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(crontab.nextRun(0), at("2026-05-31 08:00:00"));
    }

    void waitProcessHoldsUntilRearmed_data()
    {
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QList<int>>("firingsPerDay");
        QTest::newRow("without wait") << false << QList<int> {1, 2, 3, 4};
        QTest::newRow("with wait") << true << QList<int> {1, 1, 2, 2};
    }

    void waitProcessHoldsUntilRearmed()
    {
        QFETCH(bool, wait);
        QFETCH(QList<int>, firingsPerDay);
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = at("2026-03-10 07:00:00");
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("08:00:00"), 3, wait));
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("23:00:00"), 4));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        QList<int> counts;
        for (int day = 0; day < 4; ++day) {
            now = at("2026-03-10 08:00:00").addDays(day);
            tick(crontab);
            if (day == 1)
                crontab.rearmTask(3); // the run of the first firing has ended
            int count = 0;
            for (const QList<QVariant> &args : qAsConst(spy))
                count += args.at(0).toInt() == 3;
            counts << count;
        }
        QCOMPARE(counts, firingsPerDay);
    }

    void dueTriggersFireInRegistrationOrder()
    {
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = at("2026-03-10 07:00:00");
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("07:30:00"), 5));
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("07:30:00"), 2));
        crontab.registerTask(trigger(QStringLiteral("EACH_DAY"), QStringLiteral("07:20:00"), 9));
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        now = at("2026-03-10 07:30:00");
        tick(crontab);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).toInt(), 5);
        QCOMPARE(spy.at(1).at(0).toInt(), 2);
        QCOMPARE(spy.at(2).at(0).toInt(), 9);
    }

    void clearTaskLeavesNothingToFire()
    {
        VekPdtServerCrontab crontab;
        setClock(crontab);
        now = at("2026-03-10 07:00:00");
        crontab.registerTask(trigger(QStringLiteral("INTERVAL"), QStringLiteral("1")));
        crontab.clearTask();
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        now = now.addSecs(10);
        tick(crontab);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(crontab.taskCount(), 0);
    }

    void workerTicksReachTheOwnerThread()
    {
        VekPdtServerCrontab crontab;
        crontab.registerTask(trigger(QStringLiteral("INTERVAL"), QStringLiteral("1"), 11));
        QThread *firedOn = nullptr;
        connect(&crontab, &VekPdtServerCrontab::taskTriggered, this,
                [&firedOn]() { firedOn = QThread::currentThread(); });
        QSignalSpy spy(&crontab, &VekPdtServerCrontab::taskTriggered);
        crontab.start();
        QVERIFY(spy.wait(5000));
        QCOMPARE(firedOn, QThread::currentThread());
        // Destroyed while running: it stops its worker first.
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerCrontab)
#include "tst_vekpdtservercrontab.moc"
