#ifndef TPANELMENU_P_H
#define TPANELMENU_P_H

#include "tpanelmenu.h"

class QVBoxLayout;

class TPanelMenuPrivate
{
    Q_DECLARE_PUBLIC(TPanelMenu)
public:
    explicit TPanelMenuPrivate(TPanelMenu *iPublic)
        : q_ptr(iPublic)
    {}

    QList<TPanelItem *> items;
    QVariant lastData;
    QVBoxLayout *column = nullptr;
    QWidget *content = nullptr;
    TPanelMenu *q_ptr;
};

#endif // TPANELMENU_P_H
