#ifndef TUIINTERFACE_P_H
#define TUIINTERFACE_P_H

#include "tuiinterface.h"

class TUiInterfacePrivate
{
    Q_DECLARE_PUBLIC(TUiInterface)
public:
    explicit TUiInterfacePrivate(TUiInterface *iPublic)
        : q_ptr(iPublic)
    {}

    // A store only: the interface never applies a default by itself.
    QVariantMap defaults;
    TUiInterface *q_ptr;
};

#endif // TUIINTERFACE_P_H
