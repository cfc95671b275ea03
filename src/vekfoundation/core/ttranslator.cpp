#include "ttranslator.h"
#include "ttranslator_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutexLocker>
#include <QTranslator>

TTranslatorPrivate::TTranslatorPrivate(TTranslator *qptr)
    : languageDefine({{QStringLiteral("en"), QStringLiteral("English")},
                      {QStringLiteral("zhcn"), QStringLiteral("简体中文")},
                      {QStringLiteral("zhtw"), QStringLiteral("繁体中文")}})
    , q_ptr(qptr)
{}

TTranslator::TTranslator()
    : QObject(nullptr)
    , d(new TTranslatorPrivate(this))
{}

TTranslator::~TTranslator()
{
    // A translator takes itself out of the application when deleted.
    qDeleteAll(d->translators);
}

TTranslator *TTranslator::instance()
{
    static TTranslator translator;
    return &translator;
}

QString TTranslator::currentLanguage() const { return d->currentLanguage; }

void TTranslator::setCurrentLanguage(const QString &iLang)
{
    d->currentLanguage = iLang;
    reloadQmFiles();
    d->languagePackages.clear();
}

QString TTranslator::qmPath() const { return d->qmPath; }

void TTranslator::setQmPath(const QString &iPath) { d->qmPath = iPath; }

QVariantMap TTranslator::languageDefine() const { return d->languageDefine; }

void TTranslator::setLanguageDefine(const QVariantMap &iDefine) { d->languageDefine = iDefine; }

bool TTranslator::isLangDefined(const QString &iLang) const { return d->languageDefine.contains(iLang); }

QString TTranslator::getLangDefTitle(const QString &iLang) const { return d->languageDefine.value(iLang).toString(); }

void TTranslator::installLanguagePackage(const QString &iName, const QHash<QString, QString> &iPackage)
{
    QMutexLocker locker(&d->mutex);
    d->languagePackages.insert(iName, iPackage);
}

bool TTranslator::isLanguagePackageInstalled(const QString &iName) const { return d->languagePackages.contains(iName); }

QString TTranslator::translate(const QString &iText, const QStringList &iPackages) const
{
    for (const QString &name : iPackages) {
        const auto package = d->languagePackages.constFind(name);
        if (package == d->languagePackages.cend())
            continue;
        const auto text = package->constFind(iText);
        if (text != package->cend())
            return text.value();
    }
    return iText;
}

void TTranslator::reloadQmFiles()
{
    const bool hasApp = QCoreApplication::instance() != nullptr;
    for (QTranslator *translator : qAsConst(d->translators)) {
        if (hasApp)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    d->translators.clear();

    if (d->qmPath.isEmpty())
        return;
    const QDir dir(d->qmPath);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*_%1.qm").arg(d->currentLanguage)},
                                                  QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &file : files) {
        auto *translator = new QTranslator;
        d->translators.append(translator);
        if (translator->load(file.absoluteFilePath()) && hasApp)
            QCoreApplication::installTranslator(translator);
    }
}
