#ifndef TTABLECHOOSERVIEW_P_H
#define TTABLECHOOSERVIEW_P_H

#include "ttablechooserview.h"

class TTableChooserDialog;

class TTableChooserViewPrivate
{
    Q_DECLARE_PUBLIC(TTableChooserView)
public:
    explicit TTableChooserViewPrivate(TTableChooserView *iPublic)
        : q_ptr(iPublic)
    {}

    QVariantList itemList;
    bool repetitionEnabled = false;
    TTableChooserDialog *dialog = nullptr;
    TTableChooserView *const q_ptr;
};

#endif // TTABLECHOOSERVIEW_P_H
