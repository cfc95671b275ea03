#include "ttranslator.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

class tst_TTranslator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void freshInstance();
    void qmPathAloneChangesNothing();
    void languageSwitchReplacesTranslators_data();
    void languageSwitchReplacesTranslators();
    void translate_data();
    void translate();
    void languageSwitchDropsPackages();
    void packagesInstallFromManyThreads();
    void languageDefine();

private:
    QTemporaryDir m_dir;
};

namespace {
QString login(const char *iText) { return QCoreApplication::translate("Login", iText); }
} // namespace

void tst_TTranslator::initTestCase()
{
    // The compiled files plus one that is no translation file at all.
    QVERIFY(m_dir.isValid());
    const QDir built(QStringLiteral(VEK_QM_DIR));
    const QStringList qms = built.entryList({QStringLiteral("*.qm")}, QDir::Files);
    QCOMPARE(qms.size(), 4);
    for (const QString &qm : qms)
        QVERIFY(QFile::copy(built.filePath(qm), m_dir.filePath(qm)));
    QFile broken(m_dir.filePath(QStringLiteral("aaa_broken_zhcn.qm")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a translation file");
}

void tst_TTranslator::freshInstance()
{
    TTranslator *tr = TTranslator::instance();
    QCOMPARE(tr->currentLanguage(), QStringLiteral("zhcn"));
    QCOMPARE(tr->qmPath(), QString());
    QCOMPARE(tr->languageDefine(), QVariantMap({{"en", "English"}, {"zhcn", "简体中文"}, {"zhtw", "繁体中文"}}));
    QVERIFY(tr->isLangDefined(QStringLiteral("en")));
    QVERIFY(!tr->isLangDefined(QStringLiteral("EN")));
    QCOMPARE(tr->getLangDefTitle(QStringLiteral("zhtw")), QStringLiteral("繁体中文"));
    QCOMPARE(tr->getLangDefTitle(QStringLiteral("fr")), QString());
}

void tst_TTranslator::qmPathAloneChangesNothing()
{
    TTranslator::instance()->setQmPath(m_dir.path());
    QCOMPARE(TTranslator::instance()->qmPath(), m_dir.path());
    QCOMPARE(login("Hello"), QStringLiteral("Hello"));
}

void tst_TTranslator::languageSwitchReplacesTranslators_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("hello");
    QTest::addColumn<QString>("shared");
    QTest::addColumn<QString>("onlyBase");
    // Files install in name order, and Qt asks the last installed first.
    QTest::newRow("zhcn") << "zhcn"
                          << "你好"
                          << "共享-base"
                          << "仅基础";
    QTest::newRow("en removes zhcn") << "en"
                                     << "Hello there"
                                     << "Shared"
                                     << "Only in base";
    QTest::newRow("back to zhcn") << "zhcn"
                                  << "你好"
                                  << "共享-base"
                                  << "仅基础";
    QTest::newRow("zhtw has no files") << "zhtw"
                                       << "Hello"
                                       << "Shared"
                                       << "Only in base";
    QTest::newRow("unknown code is kept") << "xx"
                                          << "Hello"
                                          << "Shared"
                                          << "Only in base";
}

void tst_TTranslator::languageSwitchReplacesTranslators()
{
    QFETCH(QString, lang);
    QFETCH(QString, hello);
    QFETCH(QString, shared);
    QFETCH(QString, onlyBase);
    TTranslator::instance()->setQmPath(m_dir.path());
    TTranslator::instance()->setCurrentLanguage(lang);
    QCOMPARE(TTranslator::instance()->currentLanguage(), lang);
    QCOMPARE(login("Hello"), hello);
    QCOMPARE(login("Shared"), shared);
    QCOMPARE(login("Only in base"), onlyBase);
}

void tst_TTranslator::translate_data()
{
    QTest::addColumn<QStringList>("packages");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("only b holds it") << QStringList {"a", "b"} << "save"
                                     << "b-save";
    QTest::newRow("both hold it, a first") << QStringList {"a", "b"} << "open"
                                           << "a-open";
    QTest::newRow("both hold it, b first") << QStringList {"b", "a"} << "open"
                                           << "b-open";
    QTest::newRow("missing package skipped") << QStringList {"nope", "b"} << "open"
                                             << "b-open";
    QTest::newRow("no package") << QStringList {} << "open"
                                << "open";
    QTest::newRow("nobody holds it") << QStringList {"a", "b"} << "close"
                                     << "close";
    QTest::newRow("exact case") << QStringList {"a", "b"} << "Open"
                                << "Open";
}

void tst_TTranslator::translate()
{
    QFETCH(QStringList, packages);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TTranslator *tr = TTranslator::instance();
    tr->installLanguagePackage(QStringLiteral("a"), {{"open", "a-open"}});
    tr->installLanguagePackage(QStringLiteral("b"), {{"open", "b-open"}, {"save", "b-save"}});
    QCOMPARE(tr->translate(text, packages), expected);
}

void tst_TTranslator::languageSwitchDropsPackages()
{
    TTranslator *tr = TTranslator::instance();
    tr->installLanguagePackage(QStringLiteral("a"), {{"open", "a-open"}});
    tr->installLanguagePackage(QStringLiteral("a"), {{"open", "a-open-2"}});
    QCOMPARE(tr->translate(QStringLiteral("open"), {QStringLiteral("a")}), QStringLiteral("a-open-2"));
    QVERIFY(tr->isLanguagePackageInstalled(QStringLiteral("a")));
    tr->setCurrentLanguage(QStringLiteral("en"));
    QVERIFY(!tr->isLanguagePackageInstalled(QStringLiteral("a")));
    QVERIFY(!tr->isLanguagePackageInstalled(QStringLiteral("b")));
    QCOMPARE(tr->translate(QStringLiteral("open"), {QStringLiteral("a")}), QStringLiteral("open"));
}

void tst_TTranslator::packagesInstallFromManyThreads()
{
    TTranslator *tr = TTranslator::instance();
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(QThread::create([tr, t] {
            for (int i = 0; i < 200; ++i)
                tr->installLanguagePackage(QStringLiteral("p%1_%2").arg(t).arg(i), {{"k", QString::number(i)}});
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        QVERIFY(thread->wait(10000));
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 200; i += 37)
            QCOMPARE(tr->translate(QStringLiteral("k"), {QStringLiteral("p%1_%2").arg(t).arg(i)}), QString::number(i));
}

void tst_TTranslator::languageDefine()
{
    TTranslator *tr = TTranslator::instance();
    const QVariantMap saved = tr->languageDefine();
    tr->setLanguageDefine({{"de", "Deutsch"}});
    QVERIFY(tr->isLangDefined(QStringLiteral("de")));
    QVERIFY(!tr->isLangDefined(QStringLiteral("en")));
    QCOMPARE(tr->getLangDefTitle(QStringLiteral("de")), QStringLiteral("Deutsch"));
    tr->setLanguageDefine(saved);
}

QTEST_GUILESS_MAIN(tst_TTranslator)
#include "tst_ttranslator.moc"
