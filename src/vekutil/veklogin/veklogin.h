#ifndef VEKLOGIN_H
#define VEKLOGIN_H

#include "vekutil_export.h"

#include "tdialog.h"

#include <memory>

class QListWidgetItem;
class VekLoginPrivate;

/*!
 * The login dialog of the desktop application: user name, password, a
 * remember-password choice, the products to log in to and the language.
 *
 * The dialog checks no credentials (loginVerify() accepts every login); the
 * host checks what it needs after the dialog returns. A dialog made
 * non-closable can be left only by accepting it.
 */
class VEKUTIL_EXPORT VekLogin : public TDialog
{
    Q_OBJECT
public:
    explicit VekLogin(QWidget *iParent = nullptr);
    ~VekLogin() override;

public Q_SLOTS:
    //! Does nothing: the languages are not loaded from anywhere.
    void setLanguage(const QString &iLangStr);
    //! The language code of the language box's current entry.
    QString langeuage();
    //! Selects the first product whose name is \a iCurrentProduct; an unknown name keeps the selection.
    void setCurrentProduct(const QString &iCurrentProduct);
    //! The name of the current product; empty when none is current.
    QString currentProduct();
    //! Does nothing: the product list is not loaded from anywhere.
    void setProductList(const QStringList &iProductStrLst);
    //! Sets the user name field.
    void setUserName(const QString &iUserName);
    //! Sets the password field.
    void setPassword(const QString &iPassword);
    //! Checks or clears the remember-password choice.
    void setRemPassword(bool iRemPwdBol);
    //! Does nothing; nothing is stored.
    void saveSettings();
    //! Always true: the dialog checks no credentials.
    bool loginVerify();
    //! Whether Escape, the reject buttons and the window's close button may close the dialog.
    bool closable();
    //! Sets whether the dialog may be closed other than by accepting it.
    void setClosable(bool iBol);
    //! Does nothing.
    void setTheme(const QString &iTheme);
    //! Always "default".
    QString theme();
    //! Closes the dialog as rejected when it is closable; otherwise nothing.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *iEvent) override;

private Q_SLOTS:
    void onLanguageChanged(int iCurIndexInt);
    void onProductChanged(QListWidgetItem *iCurrentItem);
    void onUsernameChanged(const QString &iUserStr);
    void onSettingClicked();
    void onThemeBtnClicked();
    void loadThemeList();

private:
    Q_DISABLE_COPY(VekLogin)
    Q_DECLARE_PRIVATE_D(d, VekLogin)
    const std::unique_ptr<VekLoginPrivate> d;
};

#endif // VEKLOGIN_H
