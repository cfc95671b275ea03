#ifndef TMESSAGEBOX_P_H
#define TMESSAGEBOX_P_H

#include "tmessagebox.h"
#include "tuiwrapper_p.h"

#include <QPointer>

class QLabel;
class QTextBrowser;
class TDialogButtonBox;

class TMessageBoxPrivate
{
    Q_DECLARE_PUBLIC(TMessageBox)
public:
    explicit TMessageBoxPrivate(TMessageBox *iPublic)
        : q_ptr(iPublic)
    {}

    void layOut();

    QString icon;
    QLabel *textLabel = nullptr;
    QTextBrowser *detailView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    QPointer<QAbstractButton> clickedButton;
    TMessageBox *q_ptr;
};

#endif // TMESSAGEBOX_P_H
