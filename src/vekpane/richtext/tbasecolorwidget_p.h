#ifndef TBASECOLORWIDGET_P_H
#define TBASECOLORWIDGET_P_H

#include "tbasecolorwidget.h"

class TBaseColorWidgetPrivate
{
    Q_DECLARE_PUBLIC(TBaseColorWidget)
public:
    explicit TBaseColorWidgetPrivate(TBaseColorWidget *iPublic)
        : q_ptr(iPublic)
    {}

    TBaseColorWidget *q_ptr;
};

#endif // TBASECOLORWIDGET_P_H
