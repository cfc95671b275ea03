#ifndef TDIALOGBUTTONBOX_P_H
#define TDIALOGBUTTONBOX_P_H

#include "tdialogbuttonbox.h"
#include "tuiwrapper_p.h"

class TDialogButtonBoxPrivate
{
    Q_DECLARE_PUBLIC(TDialogButtonBox)
public:
    explicit TDialogButtonBoxPrivate(TDialogButtonBox *iPublic)
        : q_ptr(iPublic)
    {}

    static QDialogButtonBox::StandardButton str2standardButton(const QString &iStr);
    static QDialogButtonBox::ButtonRole str2buttonRole(const QString &iStr);

    TDialogButtonBox *q_ptr;
};

#endif // TDIALOGBUTTONBOX_P_H
