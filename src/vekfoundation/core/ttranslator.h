#ifndef TTRANSLATOR_H
#define TTRANSLATOR_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class TTranslatorPrivate;

/*!
 * The process-wide user-interface language: installs the translation files
 * ("*_<language>.qm") of the current language from one folder, and keeps
 * named dictionaries (language packages) that callers install and look texts
 * up in. Only installLanguagePackage() is safe to call from several threads.
 */
class VEKFOUNDATIONCORE_EXPORT TTranslator : public QObject
{
    Q_OBJECT
public:
    static TTranslator *instance();
    ~TTranslator() override;

    QString currentLanguage() const;
    //! Stores the code, installs its translation files and drops every language package.
    void setCurrentLanguage(const QString &iLang);
    QString qmPath() const;
    //! Takes effect at the next setCurrentLanguage().
    void setQmPath(const QString &iPath);

    QVariantMap languageDefine() const;
    void setLanguageDefine(const QVariantMap &iDefine);
    bool isLangDefined(const QString &iLang) const;
    QString getLangDefTitle(const QString &iLang) const;

    void installLanguagePackage(const QString &iName, const QHash<QString, QString> &iPackage);
    bool isLanguagePackageInstalled(const QString &iName) const;
    //! The text from the first listed package that holds it, else the text itself.
    QString translate(const QString &iText, const QStringList &iPackages) const;

private:
    TTranslator();
    Q_DISABLE_COPY(TTranslator)
    void reloadQmFiles();

    Q_DECLARE_PRIVATE_D(d, TTranslator)
    const std::unique_ptr<TTranslatorPrivate> d;
};

#endif // TTRANSLATOR_H
