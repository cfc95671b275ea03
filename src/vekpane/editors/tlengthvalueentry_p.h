#ifndef TLENGTHVALUEENTRY_P_H
#define TLENGTHVALUEENTRY_P_H

#include "tlengthvalueentry.h"

#include <QPointer>

class TLengthValueEntryPrivate
{
    Q_DECLARE_PUBLIC(TLengthValueEntry)
public:
    explicit TLengthValueEntryPrivate(TLengthValueEntry *iPublic)
        : q_ptr(iPublic)
    {}

    // The typed text converted into the entry's own unit.
    double convertedValue(const QString &iText) const;

    QString units;
    int precision = 6;
    // Guarded: forms delete entries in any order.
    QPointer<TLengthValueEntry> baseEntry;
    TLengthValueEntry *q_ptr;
};

#endif // TLENGTHVALUEENTRY_P_H
