#ifndef TCHECKBOX_P_H
#define TCHECKBOX_P_H

#include "tcheckbox.h"
#include "tuiwrapper_p.h"

class QHBoxLayout;

class TCheckBoxPrivate
{
    Q_DECLARE_PUBLIC(TCheckBox)
public:
    explicit TCheckBoxPrivate(TCheckBox *iPublic)
        : q_ptr(iPublic)
    {}

    // Applies colours and font size to the badge and keeps the box's text clear of it.
    void restyle();

    QHBoxLayout *tipLayout = nullptr;
    QLabel *tipLabel = nullptr;
    int tipFontSize = 12;
    QString tipBgColor = QStringLiteral("#EAEDF1");
    QString tipFgColor = QStringLiteral("#54698D");
    TCheckBox *q_ptr;
};

#endif // TCHECKBOX_P_H
