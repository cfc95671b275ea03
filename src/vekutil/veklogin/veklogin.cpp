#include "veklogin.h"
#include "veklogin_p.h"

#include "tlogger.h"
#include "tresource.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void VekLoginPrivate::buildUi()
{
    Q_Q(VekLogin);
    userNameEdit = new QLineEdit(q);
    userNameEdit->setObjectName(QStringLiteral("userName"));
    passwordEdit = new QLineEdit(q);
    passwordEdit->setObjectName(QStringLiteral("password"));
    passwordEdit->setEchoMode(QLineEdit::Password);
    auto *remBox = new QCheckBox(VekLogin::tr("Remember password"), q);
    remBox->setObjectName(QStringLiteral("remPassword"));
    remPasswordBox = remBox;
    languageBox = new QComboBox(q);
    languageBox->setObjectName(QStringLiteral("language"));
    productList = new QListWidget(q);
    productList->setObjectName(QStringLiteral("productList"));
    auto *themeButton = new QPushButton(VekLogin::tr("Theme"), q);
    themeButton->setObjectName(QStringLiteral("themeButton"));
    auto *settingButton = new QPushButton(VekLogin::tr("Settings"), q);
    settingButton->setObjectName(QStringLiteral("settingButton"));

    auto *form = new QFormLayout;
    form->addRow(VekLogin::tr("User name"), userNameEdit);
    form->addRow(VekLogin::tr("Password"), passwordEdit);
    form->addRow(QString(), remPasswordBox);
    form->addRow(VekLogin::tr("Language"), languageBox);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(themeButton);
    buttons->addWidget(settingButton);
    buttons->addStretch(1);
    auto *box = new QVBoxLayout(q);
    box->addWidget(productList, 1);
    box->addLayout(form);
    box->addLayout(buttons);

    QObject::connect(languageBox, QOverload<int>::of(&QComboBox::currentIndexChanged), q, &VekLogin::onLanguageChanged);
    QObject::connect(productList, &QListWidget::currentItemChanged, q,
                     [q](QListWidgetItem *iCurrent) { q->onProductChanged(iCurrent); });
    QObject::connect(userNameEdit, &QLineEdit::textEdited, q, &VekLogin::onUsernameChanged);
    QObject::connect(settingButton, &QPushButton::clicked, q, &VekLogin::onSettingClicked);
    QObject::connect(themeButton, &QPushButton::clicked, q, &VekLogin::onThemeBtnClicked);
}

VekLogin::VekLogin(QWidget *iParent)
    : TDialog(iParent)
    , d(new VekLoginPrivate(this))
{
    d->buildUi();
}

VekLogin::~VekLogin()
{
    TLogger::instance()->writeLog(QStringLiteral("VekLogin destroyed"), QStringLiteral("debug"), QString(), TLOG_POS,
                                  5);
}

void VekLogin::setLanguage(const QString &iLangStr) { Q_UNUSED(iLangStr) }

QString VekLogin::langeuage()
{
    Q_D(VekLogin);
    return d->languageBox->currentData(Qt::UserRole).toString();
}

void VekLogin::setCurrentProduct(const QString &iCurrentProduct)
{
    Q_D(VekLogin);
    for (int row = 0; row < d->productList->count(); ++row) {
        if (d->productList->item(row)->data(Qt::UserRole).toString() == iCurrentProduct) {
            d->productList->setCurrentRow(row);
            return;
        }
    }
}

QString VekLogin::currentProduct()
{
    Q_D(VekLogin);
    const QListWidgetItem *item = d->productList->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void VekLogin::setProductList(const QStringList &iProductStrLst) { Q_UNUSED(iProductStrLst) }

void VekLogin::setUserName(const QString &iUserName)
{
    Q_D(VekLogin);
    d->userNameEdit->setText(iUserName);
}

void VekLogin::setPassword(const QString &iPassword)
{
    Q_D(VekLogin);
    d->passwordEdit->setText(iPassword);
}

void VekLogin::setRemPassword(bool iRemPwdBol)
{
    Q_D(VekLogin);
    d->remPasswordBox->setChecked(iRemPwdBol);
}

void VekLogin::saveSettings() {}

bool VekLogin::loginVerify() { return true; }

bool VekLogin::closable()
{
    Q_D(VekLogin);
    return d->closable;
}

void VekLogin::setClosable(bool iBol)
{
    Q_D(VekLogin);
    d->closable = iBol;
}

void VekLogin::setTheme(const QString &iTheme) { Q_UNUSED(iTheme) }

QString VekLogin::theme() { return QStringLiteral("default"); }

void VekLogin::reject()
{
    Q_D(VekLogin);
    if (d->closable)
        QDialog::reject();
}

void VekLogin::closeEvent(QCloseEvent *iEvent)
{
    Q_D(VekLogin);
    if (d->closable)
        iEvent->accept();
    else
        iEvent->ignore();
}

void VekLogin::onLanguageChanged(int iCurIndexInt)
{
    Q_D(VekLogin);
    if (d->languageBox->itemData(iCurIndexInt, Qt::UserRole).isValid())
        setCurrentProduct(currentProduct());
}

void VekLogin::onProductChanged(QListWidgetItem *iCurrentItem)
{
    const QString suffix = QStringLiteral(".#FFFFFFAF");
    if (iCurrentItem) {
        setWindowIcon(TResource::instance()->colorIcon(iCurrentItem->data(Qt::UserRole + 1).toString() + suffix));
        setWindowTitle(iCurrentItem->text());
    } else {
        setWindowIcon(TResource::instance()->colorIcon(suffix));
        setWindowTitle(QString());
    }
}

void VekLogin::onUsernameChanged(const QString &iUserStr) { Q_UNUSED(iUserStr) }

void VekLogin::onSettingClicked() {}

void VekLogin::onThemeBtnClicked() {}

void VekLogin::loadThemeList() {}
