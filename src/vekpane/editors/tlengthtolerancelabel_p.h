#ifndef TLENGTHTOLERANCELABEL_P_H
#define TLENGTHTOLERANCELABEL_P_H

#include "tlengthtolerancelabel.h"

#include "tlengthvalueentry.h"

#include <QMap>
#include <QPointer>

class TLengthToleranceLabelPrivate
{
    Q_DECLARE_PUBLIC(TLengthToleranceLabel)
public:
    // One followed entry. Each role keeps its own connection, so one entry
    // may serve two roles and leave one of them without leaving the other.
    struct Followed
    {
        QPointer<TLengthValueEntry> entry;
        QMetaObject::Connection connection;
    };

    explicit TLengthToleranceLabelPrivate(TLengthToleranceLabel *iPublic)
        : q_ptr(iPublic)
    {}

    void follow(Followed &iRole, TLengthValueEntry *iEntry);
    // The placeholder's replacement; the placeholder itself for an unknown type.
    QString replacement(const QString &iInner, const QVariantMap &iFields) const;

    QString formatString;
    Followed base;
    Followed minTol;
    Followed maxTol;
    // Inner text of each placeholder -> {"type", "units", "precision", "formatChar"}.
    QMap<QString, QVariant> placeholders;
    TLengthToleranceLabel *q_ptr;
};

#endif // TLENGTHTOLERANCELABEL_P_H
