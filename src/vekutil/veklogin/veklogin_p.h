#ifndef VEKLOGIN_P_H
#define VEKLOGIN_P_H

#include "veklogin.h"

#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;

class VekLoginPrivate
{
    Q_DECLARE_PUBLIC(VekLogin)
public:
    explicit VekLoginPrivate(VekLogin *iQ)
        : q_ptr(iQ)
    {}

    // The input widgets exist from construction on: every slot may reach them.
    void buildUi();

    bool closable = true;
    QStringList themeList;
    QLineEdit *userNameEdit = nullptr;
    QLineEdit *passwordEdit = nullptr;
    QComboBox *languageBox = nullptr;
    QAbstractButton *remPasswordBox = nullptr;
    QListWidget *productList = nullptr;
    VekLogin *const q_ptr;
};

#endif // VEKLOGIN_P_H
