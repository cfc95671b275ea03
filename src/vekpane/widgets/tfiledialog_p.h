#ifndef TFILEDIALOG_P_H
#define TFILEDIALOG_P_H

#include "tfiledialog.h"

class TFileDialogPrivate
{
    Q_DECLARE_PUBLIC(TFileDialog)
public:
    explicit TFileDialogPrivate(TFileDialog *iPublic)
        : q_ptr(iPublic)
    {}

    TFileDialog *q_ptr;
};

#endif // TFILEDIALOG_P_H
