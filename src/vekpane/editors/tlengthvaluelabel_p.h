#ifndef TLENGTHVALUELABEL_P_H
#define TLENGTHVALUELABEL_P_H

#include "tlengthvaluelabel.h"

#include "tlengthformat_p.h"

class TLengthValueLabelPrivate
{
    Q_DECLARE_PUBLIC(TLengthValueLabel)
public:
    explicit TLengthValueLabelPrivate(TLengthValueLabel *iPublic)
        : q_ptr(iPublic)
    {}

    QString formatString;
    TLengthFormat::Followed value;
    // Inner text of each placeholder -> {"units", "precision", "formatChar"}.
    QMap<QString, QVariant> placeholders;
    TLengthValueLabel *q_ptr;
};

#endif // TLENGTHVALUELABEL_P_H
