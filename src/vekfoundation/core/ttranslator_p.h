#ifndef TTRANSLATOR_P_H
#define TTRANSLATOR_P_H

#include "ttranslator.h"

#include <QList>
#include <QMutex>

class QTranslator;

class TTranslatorPrivate
{
    Q_DECLARE_PUBLIC(TTranslator)
public:
    explicit TTranslatorPrivate(TTranslator *qptr);

    QString qmPath;
    QString currentLanguage {QStringLiteral("zhcn")};
    QHash<QString, QHash<QString, QString>> languagePackages;
    QList<QTranslator *> translators;
    QVariantMap languageDefine;
    QMutex mutex;
    TTranslator *q_ptr;
};

#endif // TTRANSLATOR_P_H
