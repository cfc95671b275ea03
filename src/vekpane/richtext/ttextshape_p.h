#ifndef TTEXTSHAPE_P_H
#define TTEXTSHAPE_P_H

#include "imageediterprivatetexteditwidget.h"
#include "ttextshape.h"

#include <QPointer>

class TTextShapePrivate
{
    Q_DECLARE_PUBLIC(TTextShape)
public:
    explicit TTextShapePrivate(TTextShape *iPublic)
        : q_ptr(iPublic)
    {}

    // Guarded: the editor lives beside the canvas and may go first when the
    // capture widget tears its children down.
    QPointer<ImageEditerPrivateTextEditWidget> editor;
    QPointer<TImageEditWidget> canvas;
    bool editingFinished = false;
    bool framed = true;
    TTextShape *q_ptr;
};

#endif // TTEXTSHAPE_P_H
