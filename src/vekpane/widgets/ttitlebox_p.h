#ifndef TTITLEBOX_P_H
#define TTITLEBOX_P_H

#include "ttitlebox.h"

class QHBoxLayout;
class QLabel;

class TTitleBoxPrivate
{
    Q_DECLARE_PUBLIC(TTitleBox)
public:
    explicit TTitleBoxPrivate(TTitleBox *iPublic)
        : q_ptr(iPublic)
    {}

    int iconWidth = 24;
    int iconHeight = 24;
    QLabel *iconLabel = nullptr;
    QLabel *textLabel = nullptr;
    QHBoxLayout *layout = nullptr;
    TSearchEntry *searchEntry = nullptr;
    TTitleBox *const q_ptr;
};

#endif // TTITLEBOX_P_H
