#ifndef IMAGEEDITERPRIVATETEXTEDITWIDGET_P_H
#define IMAGEEDITERPRIVATETEXTEDITWIDGET_P_H

#include "imageediterprivatetexteditwidget.h"

class ImageEditerPrivateTextEditWidgetPrivate
{
    Q_DECLARE_PUBLIC(ImageEditerPrivateTextEditWidget)
public:
    explicit ImageEditerPrivateTextEditWidgetPrivate(ImageEditerPrivateTextEditWidget *iPublic)
        : q_ptr(iPublic)
    {}

    TTextEdit *textEdit = nullptr;
    const int margin = 6;
    QPoint position;
    QPoint farCorner;
    ImageEditerPrivateTextEditWidget *q_ptr;
};

#endif // IMAGEEDITERPRIVATETEXTEDITWIDGET_P_H
