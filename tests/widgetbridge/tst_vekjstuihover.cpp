// The buttons of the script form in docs/scripts.md and of the demo's plant
// form, run by the real runner on the X display: the pointer is moved over a
// button and away again, which sends it "hoverEnter" and "hoverLeave"; that
// must neither end the window nor advance the task, while a click still does.
#include "tuirunner.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

class tst_VekJsTuiHover : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hoverIsNoClick_data();
    void hoverIsNoClick();
};

static QString sourceText(const QString &iRelative)
{
    QFile f(QStringLiteral(VEK_SOURCE_DIR "/") + iRelative);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The example of docs/scripts.md that makes the Close button.
static QString documentedForm()
{
    const QString doc = sourceText(QStringLiteral("docs/scripts.md"));
    static const QRegularExpression block(QStringLiteral("```js\\n(.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatchIterator it = block.globalMatch(doc);
    while (it.hasNext()) {
        const QString code = it.next().captured(1);
        if (code.contains(QLatin1String("close.text = 'Close'")))
            return code;
    }
    return QString();
}

// What the probe adds before the form's event loop: it reports where the
// button's centre is on the screen, then every event of the button with the
// value of iEffect after the form's own handler has run. After the pointer
// has left the button it clicks it, and with iCloseAfter the form's Close
// button too. A form that ended its event loop on the hover never gets there.
static QString probe(const QString &iButton, const QString &iEffect, bool iCloseAfter)
{
    return QStringLiteral("(function (button, effect) {\n"
                          "    var probeSys = __package__.import('sys');\n"
                          "    function say(text) { probeSys.stdoutWrite(text + '\\n'); }\n"
                          "    var where = tui.newPushButton();\n"
                          "    var clickLater = tui.newPushButton();\n"
                          "    button.signal.connect(function (type) {\n"
                          "        say('event ' + type + ' ' + effect());\n"
                          "        if (type === 'hoverLeave')\n"
                          "            clickLater.animateClick(200);\n"
                          "    });\n"
                          "    where.clicked.connect(function () {\n"
                          "        say('at ' + (win.x + pane.x + button.x + Math.floor(button.width / 2)) + ' '\n"
                          "            + (win.y + pane.y + button.y + Math.floor(button.height / 2)));\n"
                          "    });\n"
                          "    clickLater.clicked.connect(function () {\n"
                          "        say('still running');\n"
                          "        button.click();\n"
                          "        if (%3)\n"
                          "            close.click();\n"
                          "    });\n"
                          "    where.animateClick(500);\n"
                          "})(%1, function () { return %2; });\n")
            .arg(iButton, iEffect, iCloseAfter ? QStringLiteral("true") : QStringLiteral("false"));
}

static QString withProbe(const QString &iForm, const QString &iProbe)
{
    static const QRegularExpression exec(QStringLiteral("^tui\\.exec\\(\\);$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = exec.match(iForm);
    if (!m.hasMatch())
        return QString();
    return iForm.left(m.capturedStart()) + iProbe + iForm.mid(m.capturedStart());
}

void tst_VekJsTuiHover::hoverIsNoClick_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("closeAfter");

    const QString demo = sourceText(QStringLiteral("scripts/plantform.js"));
    QTest::newRow("documented Close") << documentedForm() << false << "close"
                                      << "'running'"
                                      << "running"
                                      << "running" << false;
    QTest::newRow("demo Close") << demo << true << "close"
                                << "'running'"
                                << "running"
                                << "running" << false;
    QTest::newRow("demo Next task") << demo << true << "next"
                                    << "task.currentIndex + ' ' + trigger.text"
                                    << "0 {\"value\": 2}"
                                    << "1 {\"value\": 3}" << true;
}

void tst_VekJsTuiHover::hoverIsNoClick()
{
    QFETCH(QString, form);
    QFETCH(bool, demo);
    QFETCH(QString, button);
    QFETCH(QString, effect);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, closeAfter);
    const QString display = qEnvironmentVariable("DISPLAY");
    QVERIFY2(!display.isEmpty(), "no X display: run through scripts/test.sh");
    QVERIFY2(!form.isEmpty(), "the form's script was not found");
    const QString script = withProbe(form, probe(button, effect, closeAfter));
    QVERIFY2(!script.isEmpty(), "the form has no line 'tui.exec();'");

    TuiRunner runner;
    QProcessEnvironment env = TuiRunner::environment(QStringLiteral("xcb"), display);
    if (demo) {
        // The demo's plant database, with two tasks to step through.
        const QString db = runner.path(QStringLiteral("plant.db"));
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {db});
        QVERIFY2(sqlite.waitForStarted(10000), "sqlite3 (the command-line shell) is needed");
        sqlite.write("CREATE TABLE mes_pdt_service (name TEXT, host_name TEXT, host_ip TEXT, status TEXT,"
                     " last_start_time TEXT);"
                     "CREATE TABLE mes_pdt_script (name TEXT, type TEXT);"
                     "CREATE TABLE mes_pdt_service_script (id INTEGER PRIMARY KEY, script_name TEXT,"
                     " trigger_type TEXT, trigger_param TEXT);"
                     "INSERT INTO mes_pdt_service VALUES ('demo-service', 'host', '127.0.0.1', 'stopped', '');"
                     "INSERT INTO mes_pdt_script VALUES ('tick.js', 'JAVASCRIPT'), ('report.pl', 'PERL');"
                     "INSERT INTO mes_pdt_service_script VALUES (1, 'tick.js', 'crontab', '{\"value\": 2}'),"
                     " (2, 'report.pl', 'crontab', '{\"value\": 3}');");
        sqlite.closeWriteChannel();
        QVERIFY(sqlite.waitForFinished(30000));
        QVERIFY2(sqlite.exitCode() == 0, sqlite.readAllStandardError().constData());
        env.insert(QStringLiteral("VEK_DEMO_DB"), db);
    }

    // The pointer waits far from the window, which opens at the top left.
    const QPoint away = QGuiApplication::primaryScreen()->geometry().bottomRight();
    QCursor::setPos(away);
    QStringList events;
    const TuiRun r = runner.run(script, env, QString(), [&](const QByteArray &iLine) {
        const QString line = QString::fromUtf8(iLine);
        if (line.startsWith(QLatin1String("at "))) {
            const QStringList xy = line.mid(3).split(QLatin1Char(' '));
            QCursor::setPos(xy.value(0).toInt(), xy.value(1).toInt());
        } else if (line.startsWith(QLatin1String("event ")) || line == QLatin1String("still running")) {
            events.append(line);
            if (line.startsWith(QLatin1String("event hoverEnter")))
                QCursor::setPos(away);
        }
    });
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(events,
             QStringList({QStringLiteral("event hoverEnter ") + before, QStringLiteral("event hoverLeave ") + before,
                          QStringLiteral("still running"), QStringLiteral("event clicked ") + after}));
}

QTEST_MAIN(tst_VekJsTuiHover)
#include "tst_vekjstuihover.moc"
