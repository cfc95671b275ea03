#ifndef TLENGTHTOLERANCELABEL_P_H
#define TLENGTHTOLERANCELABEL_P_H

#include "tlengthtolerancelabel.h"

#include "tlengthformat_p.h"

class TLengthToleranceLabelPrivate
{
    Q_DECLARE_PUBLIC(TLengthToleranceLabel)
public:
    explicit TLengthToleranceLabelPrivate(TLengthToleranceLabel *iPublic)
        : q_ptr(iPublic)
    {}

    // The placeholder's replacement; the placeholder itself for an unknown type.
    QString replacement(const QString &iInner, const QVariantMap &iFields) const;

    QString formatString;
    TLengthFormat::Followed base;
    TLengthFormat::Followed minTol;
    TLengthFormat::Followed maxTol;
    // Inner text of each placeholder -> {"type", "units", "precision", "formatChar"}.
    QMap<QString, QVariant> placeholders;
    TLengthToleranceLabel *q_ptr;
};

#endif // TLENGTHTOLERANCELABEL_P_H
