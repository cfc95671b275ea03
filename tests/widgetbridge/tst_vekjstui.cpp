// The real runner importing "tui" on the offscreen platform and with no
// display at all, and the plug-in's start-up read of the product folders:
// resource bundles, theme file and style-sheet template; and the image
// budget in the plain Qt labels of a script's forms.
#include "tuirunner.h"
#include "vekimagebombs.h"

#include <QtEndian>

class tst_VekJsTui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formOffscreen();
    void noDisplay_data();
    void noDisplay();
    void productFolders_data();
    void productFolders();
    void iconBundleAtImport_data();
    void iconBundleAtImport();
    void themeBundlesChecked();
    void labelImagesWithinBudget();

private:
    static QByteArray bundle(const TuiRunner &iRunner, const QString &iName, const QString &iFile,
                             const QByteArray &iContent);
};

static QString formScript(const QString &iPrefix = QString())
{
    QFile f(QStringLiteral(VEK_TEST_DATA_DIR "/form.js"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return TuiRunner::prelude() + iPrefix + QString::fromUtf8(f.readAll());
}

void tst_VekJsTui::formOffscreen()
{
    TuiRunner runner;
    const TuiRun r = runner.run(formScript(), TuiRunner::environment(QStringLiteral("offscreen")));
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    const FormReport report = FormReport::check(r);
    if (QTest::currentTestFailed())
        return;
    // The offscreen screen is 800 pixels wide.
    QCOMPARE(report.boxes.value(QStringLiteral("dp_ratio")).toDouble(), 1.0);
}

void tst_VekJsTui::noDisplay_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("failing"); // the call named in the error

    QTest::newRow("import") << "var tui = __package__.import('tui'); out('imported');"
                            << "import";
    QTest::newRow("factory after a caught import error")
            << "try { __package__.import('tui'); } catch (e) { out('caught'); }"
               "var tui = __package__.import('tui'); out('cached'); tui.newMainWindow(); out('made');"
            << "newMainWindow";
    QTest::newRow("event loop") << "try { __package__.import('tui'); } catch (e) {}"
                                   "__package__.import('tui').exec(); out('ran');"
                                << "exec";
}

void tst_VekJsTui::noDisplay()
{
    QFETCH(QString, script);
    QFETCH(QString, failing);
    TuiRunner runner;
    const TuiRun r = runner.run(TuiRunner::prelude() + script, TuiRunner::environment(QString()));
    QVERIFY2(r.finished && !r.crashed, r.err.constData());
    QVERIFY(r.exitCode != 0);
    const QString err = QString::fromUtf8(r.err);
    // Libraries the plug-in loads may warn first (Qt WebEngine does without a
    // GUI application); the script's own end is the one "ERROR: " line.
    const QStringList errorLines = err.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^ERROR: ")));
    QVERIFY2(errorLines.size() == 1, r.err.constData());
    QVERIFY2(err.contains(QStringLiteral("tui: %1 needs a widget application").arg(failing)), r.err.constData());
    for (const QString &line : r.outLines())
        QVERIFY2(line == QLatin1String("caught") || line == QLatin1String("cached"), qPrintable(line));
}

QByteArray tst_VekJsTui::bundle(const TuiRunner &iRunner, const QString &iName, const QString &iFile,
                                const QByteArray &iContent)
{
    // A compiled bundle holding one file under ":/t".
    const QString work = iRunner.path(QStringLiteral("rcc-") + iFile);
    QDir().mkpath(work);
    QFile content(work + QLatin1Char('/') + iFile);
    QFile qrc(work + QStringLiteral("/b.qrc"));
    if (!content.open(QIODevice::WriteOnly) || !qrc.open(QIODevice::WriteOnly))
        return QByteArray();
    content.write(iContent);
    content.close();
    qrc.write(QStringLiteral("<RCC><qresource prefix=\"/t\"><file>%1</file></qresource></RCC>").arg(iFile).toUtf8());
    qrc.close();
    QProcess rcc;
    rcc.start(QStringLiteral(VEK_RCC), {QStringLiteral("-binary"), qrc.fileName(), QStringLiteral("-o"), iName});
    if (!rcc.waitForFinished(30000) || rcc.exitCode() != 0)
        return QByteArray();
    QFile out(iName);
    return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
}

void tst_VekJsTui::productFolders_data()
{
    QTest::addColumn<QString>("binDir");   // the runner's folder
    QTest::addColumn<QString>("themeDir"); // where the theme folder is written
    QTest::addColumn<QByteArray>("theme"); // default.thm; empty: no file
    QTest::addColumn<QString>("expected"); // the script's report

    // Bundles in every theme folder: one.rcc, " two.rcc", two.rcc and default.rcc
    // give the files one, two (" two.rcc": "2", "two.rcc": "trimmed") and def.
    QTest::newRow("program folder, bundles listed with empty parts")
            << "prod/bin"
            << "prod/resource/theme"
            << QByteArray(R"({"MARK": "plain", "QSS_FILE": "form.qss", "RESOURCES": ",one.rcc,, two.rcc,"})")
            << R"({"mark":"plain","qss":"QLineEdit { color: red; }\n","res":["1","2",""]})";
    QTest::newRow("bundle folder: the product beside the bundle")
            << "prod/Vek.app/Contents/MacOS"
            << "resource/theme" << QByteArray(R"({"MARK": "bundle"})")
            << R"({"mark":"bundle","qss":"","res":["","","D"]})";
    QTest::newRow("lower-case macos is a plain folder")
            << "prod/Vek.app/Contents/macos"
            << "prod/Vek.app/Contents/resource/theme" << QByteArray(R"({"MARK": "macos", "RESOURCES": ""})")
            << R"({"mark":"macos","qss":"","res":["","",""]})";
    QTest::newRow("no theme file: default bundle, empty theme")
            << "prod/bin"
            << "prod/resource/theme" << QByteArray() << R"({"mark":"","qss":"","res":["","","D"]})";
    QTest::newRow("theme file not JSON") << "prod/bin"
                                         << "prod/resource/theme" << QByteArray("{\"MARK\": ")
                                         << R"({"mark":"","qss":"","res":["","","D"]})";
    QTest::newRow("template that no folder holds")
            << "prod/bin"
            << "prod/resource/theme" << QByteArray(R"({"MARK": "m", "QSS_FILE": "gone.qss"})")
            << R"({"mark":"m","qss":"","res":["","","D"]})";
}

void tst_VekJsTui::productFolders()
{
    QFETCH(QString, binDir);
    QFETCH(QString, themeDir);
    QFETCH(QByteArray, theme);
    QFETCH(QString, expected);

    TuiRunner runner;
    const QString program = runner.installRunner(binDir);
    QVERIFY(!program.isEmpty());
    const QString themes = runner.path(themeDir);
    QVERIFY(QDir().mkpath(themes));
    QVERIFY(!bundle(runner, themes + QStringLiteral("/one.rcc"), QStringLiteral("one.txt"), "1").isEmpty());
    QVERIFY(!bundle(runner, themes + QStringLiteral("/ two.rcc"), QStringLiteral("two.txt"), "2").isEmpty());
    QVERIFY(!bundle(runner, themes + QStringLiteral("/two.rcc"), QStringLiteral("two.txt"), "trimmed").isEmpty());
    QVERIFY(!bundle(runner, themes + QStringLiteral("/default.rcc"), QStringLiteral("def.txt"), "D").isEmpty());
    runner.write(themeDir + QStringLiteral("/form.qss"), "QLineEdit { color: red; }\n");
    if (!theme.isEmpty())
        runner.write(themeDir + QStringLiteral("/default.thm"), theme);

    const TuiRun r = runner.run(TuiRunner::prelude()
                                        + "var th = __package__.import('tui').theme();"
                                          "out({mark: String(th.value('MARK') || ''), qss: th.qssStr(),"
                                          " res: ['one', 'two', 'def'].map(function (n) {"
                                          "   return sys.readFileAll(':/t/' + n + '.txt'); })});",
                                TuiRunner::environment(QStringLiteral("offscreen")), program);
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {expected});
}

void tst_VekJsTui::iconBundleAtImport_data()
{
    QTest::addColumn<QByteArray>("bundle"); // resource/res/zul.rcc; null: none
    QTest::addColumn<QString>("fault");     // in the error line; empty: loaded

    QFile good(QStringLiteral(VEK_ZUL_RCC_DIR "/zul.rcc"));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    QByteArray rootIsAFile = bytes;
    // The low byte of the root entry's flags: the tree's offset is at 8.
    rootIsAFile[qFromBigEndian<quint32>(bytes.constData() + 8) + 5] = 0;

    QTest::newRow("good") << bytes << QString();
    QTest::newRow("missing") << QByteArray() << "does not exist";
    QTest::newRow("empty") << QByteArray("") << "is empty";
    QTest::newRow("foreign") << QByteArray("<svg/>") << "is not a resource bundle";
    QTest::newRow("cut short") << bytes.left(bytes.size() / 2) << "is damaged";
    QTest::newRow("damaged tree") << rootIsAFile << "is damaged";
}

void tst_VekJsTui::iconBundleAtImport()
{
    // A bad bundle is one error line naming it and one line telling what
    // the import goes on without; the script runs all the same.
    QFETCH(QByteArray, bundle);
    QFETCH(QString, fault);
    TuiRunner runner;
    const QString program = runner.installRunner(QStringLiteral("prod/bin"));
    QVERIFY(!program.isEmpty());
    QVERIFY(QDir().mkpath(runner.path(QStringLiteral("prod/resource/res"))));
    if (!bundle.isNull())
        runner.write(QStringLiteral("prod/resource/res/zul.rcc"), bundle);

    const TuiRun r = runner.run(TuiRunner::prelude()
                                        + "var tui = __package__.import('tui'); var b = tui.newPushButton();"
                                          "b.set('icon', 'check'); out(sys.readFileAll(':/system/icon/check.svg') ? "
                                          "'icons' : 'no icons');",
                                TuiRunner::environment(QStringLiteral("offscreen")), program);
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    const QStringList err = QString::fromUtf8(r.err).split(QLatin1Char('\n'));
    const QStringList errors = err.filter(QStringLiteral(" [error] "), Qt::CaseInsensitive);
    const QStringList goingOn = err.filter(QStringLiteral("going on without the icon bundle zul.rcc"));
    if (fault.isEmpty()) {
        QCOMPARE(r.outLines(), QStringList {QStringLiteral("icons")});
        QVERIFY2(errors.isEmpty() && goingOn.isEmpty(), r.err.constData());
        return;
    }
    QCOMPARE(r.outLines(), QStringList {QStringLiteral("no icons")});
    QVERIFY2(errors.size() == 1, r.err.constData());
    QVERIFY2(errors.first().contains(QStringLiteral("prod/resource/res/zul.rcc] ") + fault), r.err.constData());
    QVERIFY2(goingOn.size() == 1 && goingOn.first().contains(QStringLiteral(" [warn] "), Qt::CaseInsensitive),
             r.err.constData());
}

void tst_VekJsTui::themeBundlesChecked()
{
    // The theme's bundles pass the icon bundle's check: a damaged one is
    // refused with one error line naming it, a missing one stays silent as
    // the theme's default "default.rcc" always has, and the sound one serves.
    TuiRunner runner;
    const QString program = runner.installRunner(QStringLiteral("prod/bin"));
    QVERIFY(!program.isEmpty());
    const QString themes = runner.path(QStringLiteral("prod/resource/theme"));
    QVERIFY(QDir().mkpath(themes) && QDir().mkpath(runner.path(QStringLiteral("prod/resource/res"))));
    QVERIFY(QFile::copy(QStringLiteral(VEK_ZUL_RCC_DIR "/zul.rcc"),
                        runner.path(QStringLiteral("prod/resource/res/zul.rcc"))));
    QByteArray damaged = bundle(runner, themes + QStringLiteral("/bad.rcc"), QStringLiteral("bad.txt"), "B");
    QVERIFY(!damaged.isEmpty());
    damaged[qFromBigEndian<quint32>(damaged.constData() + 8) + 5] = 0; // the root is no folder
    runner.write(QStringLiteral("prod/resource/theme/bad.rcc"), damaged);
    QVERIFY(!bundle(runner, themes + QStringLiteral("/good.rcc"), QStringLiteral("good.txt"), "G").isEmpty());
    runner.write(QStringLiteral("prod/resource/theme/default.thm"), R"({"RESOURCES": "bad.rcc,gone.rcc,good.rcc"})");

    const TuiRun r = runner.run(TuiRunner::prelude()
                                        + "__package__.import('tui');"
                                          "out(['bad', 'good'].map(function (n) {"
                                          "   return sys.readFileAll(':/t/' + n + '.txt'); }));",
                                TuiRunner::environment(QStringLiteral("offscreen")), program);
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {QStringLiteral(R"(["","G"])")});
    const QStringList errors = QString::fromUtf8(r.err)
                                       .split(QLatin1Char('\n'))
                                       .filter(QStringLiteral(" [error] "), Qt::CaseInsensitive);
    QVERIFY2(errors.size() == 1, r.err.constData());
    QVERIFY2(errors.first().contains(
                     QStringLiteral("prod/resource/theme/bad.rcc] is damaged: its root is not a folder")),
             r.err.constData());
}

void tst_VekJsTui::labelImagesWithinBudget()
{
    // A form label is a plain Qt label: rich text in it loads its images
    // itself. A JPEG of a few hundred bytes claims 65,000 x 65,000 pixels,
    // 16 GB once decoded.
    TuiRunner runner;
    runner.write(QStringLiteral("claims.jpg"), VekImageBombs::jpeg(QSize(65000, 65000)));
    const TuiRun r = runner.run(
            TuiRunner::prelude()
                    + "var tui = __package__.import('tui');"
                      "var pane = tui.newWidget();"
                      "var form = tui.newFormLayout(pane);"
                      "form.packWidget(tui.newLineEdit(pane), '<b>Panel</b> <img src=\"claims.jpg\">', '');"
                      "pane.show();"
                      "out([pane.width < 1000, pane.height < 1000]);",
            TuiRunner::environment(QStringLiteral("offscreen")));
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {QStringLiteral("[true,true]")});
    QCOMPARE(r.err.count("claims.jpg is 65000 x 65000 pixels, more than"), 1);
}

QTEST_GUILESS_MAIN(tst_VekJsTui)
#include "tst_vekjstui.moc"
