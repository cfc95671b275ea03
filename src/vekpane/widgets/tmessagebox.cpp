#include "tmessagebox.h"
#include "tmessagebox_p.h"

#include "tcontrolsupport_p.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tresource.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

void TMessageBoxPrivate::layOut()
{
    Q_Q(TMessageBox);
    TTheme *theme = TTheme::instance();

    TFramelessWindowBar *bar = q->windowTitleBar();
    bar->setAutoHideFlags(TFramelessWindowBar::AutoHideHint_All);
    bar->setFixedHeight(theme->dp(28));
    auto *barRow = new QHBoxLayout(bar);
    barRow->setSpacing(0);
    barRow->setContentsMargins(0, 0, 0, 0);
    barRow->addSpacing(theme->dp(8));
    barRow->addWidget(bar->windowTitleLabel());
    barRow->addStretch(1);
    barRow->addWidget(bar->windowCloseButton());

    auto *column = new QVBoxLayout(q);
    column->setSpacing(theme->dp(12));
    const int margin = theme->dp(12);
    column->setContentsMargins(margin, margin, margin, margin);

    textLabel = new QLabel(q);
    textLabel->setProperty("SS_FONT", QStringLiteral("16"));
    textLabel->setAlignment(Qt::AlignCenter);
    textLabel->setWordWrap(true);
    column->addWidget(textLabel, 0);

    detailView = new QTextBrowser(q);
    detailView->hide();
    detailView->setAlignment(Qt::AlignHCenter | Qt::AlignBottom | Qt::AlignVCenter);
    QFont italic = detailView->font();
    italic.setItalic(true);
    detailView->setFont(italic);
    column->addWidget(detailView, 1);

    auto *separator = new QWidget(q);
    separator->setFixedHeight(1);
    separator->setStyleSheet(
            QStringLiteral("background-color:%1;").arg(theme->value(QStringLiteral("COLOR_LIGHT_BORDER")).toString()));
    column->addWidget(separator, 0);

    buttonBox = new TDialogButtonBox(q);
    buttonBox->setContentsMargins(1, 1, 1, 1);
    if (buttonBox->layout())
        buttonBox->layout()->setSpacing(16);
    buttonBox->setCenterButtons(true);
    buttonBox->setButtons({TMessageBox::tr("Ok") + QStringLiteral(":Ok:Accept")});
    clickedButton = nullptr;
    column->addWidget(buttonBox, 0);

    q->setMinimumHeight(theme->dp(200));

    QObject::connect(buttonBox, &QDialogButtonBox::rejected, q, &QDialog::reject);
    QObject::connect(buttonBox, &QDialogButtonBox::clicked, q, &TMessageBox::onButtonCliced);
}

TMessageBox::TMessageBox(QWidget *parent)
    : TDialog(parent)
    , TUiInterface()
    , d(new TMessageBoxPrivate(this))
{
    VEK_LOG(QStringLiteral("New TMessageBox 0x%1").arg(TControlSupport::address(this)), "debug", 5);
    setMinimumWidth(TTheme::instance()->dp(400));
    d->layOut();
}

TMessageBox::~TMessageBox()
{
    VEK_LOG(QStringLiteral("Destroy TMessageBox 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

TUI_WRAPPER_COMMON_KEYS_ONLY(TMessageBox)

QString TMessageBox::text() const { return d->textLabel->text(); }

QString TMessageBox::detail() const { return d->detailView->toPlainText(); }

QString TMessageBox::icon() const { return d->icon; }

void TMessageBox::setText(const QString &iText) { d->textLabel->setText(iText); }

void TMessageBox::setDetail(const QString &iDetail)
{
    // Plain text: details are often error reports, whose "<" must not turn into markup.
    d->detailView->setPlainText(iDetail);
    if (iDetail.isEmpty()) {
        d->detailView->hide();
        return;
    }
    QTextDocument *doc = d->detailView->document();
    const int w = QFontMetrics(doc->defaultFont()).horizontalAdvance(iDetail);
    const int lineSpacing = d->detailView->fontMetrics().lineSpacing();
    const int h = 2 * lineSpacing * doc->blockCount();
    const int boxHeight = h < height() ? h - d->detailView->height() + height() : h + 76;
    TTheme *theme = TTheme::instance();
    setMinimumSize(theme->dp(qMin(w + 30, 800) + 76), theme->dp(qMin(boxHeight, 700)));
    d->detailView->show();
}

void TMessageBox::setIcon(const QString &iIcon)
{
    const QString word = iIcon.toUpper();
    if (word == QLatin1String("QUESTION") || word == QLatin1String("ASK"))
        d->icon = QStringLiteral("ASK");
    else if (word == QLatin1String("WARNING") || word == QLatin1String("WARN"))
        d->icon = QStringLiteral("WARN");
    else if (word == QLatin1String("CRITICAL") || word == QLatin1String("ERROR"))
        d->icon = QStringLiteral("ERROR");
    else
        d->icon = iIcon;

    const QString type = d->icon.toUpper();
    TFramelessWindowBar *bar = windowTitleBar();
    bar->setProperty("SS_TYPE", type);
    bar->setProperty("SS_COLOR", type == QLatin1String("ASK") ? QStringLiteral("WARN") : type);
    // The theme's selectors read these properties: apply them anew.
    bar->style()->unpolish(bar);
    bar->style()->polish(bar);
    setWindowIcon(TResource::instance()->icon(d->icon.toLower() + QStringLiteral(".#FFFFFF4C"),
                                              QStringLiteral("button"), QStringLiteral("body")));
}

void TMessageBox::setButtons(const QStringList &iButtons)
{
    d->buttonBox->setButtons(iButtons);
    d->clickedButton = nullptr;
}

void TMessageBox::setDefaultButton(const QString &iName)
{
    const QList<QAbstractButton *> buttons = d->buttonBox->buttons();
    for (QAbstractButton *button : buttons) {
        auto *push = qobject_cast<QPushButton *>(button);
        if (push && push->objectName() == iName)
            push->setDefault(true);
    }
}

QString TMessageBox::run()
{
    TTheme *theme = TTheme::instance();
    resize(theme->dp(300), d->detailView->isVisibleTo(this) ? theme->dp(200) : theme->dp(140));
    // The modal loop runs every event: the parent may delete the box meanwhile.
    QPointer<TMessageBox> self(this);
    exec();
    if (!self)
        return QString();
    close();
    return d->clickedButton ? d->clickedButton->objectName() : QString();
}

void TMessageBox::onButtonCliced(QAbstractButton *iButton)
{
    d->clickedButton = iButton;
    accept();
}

QString TMessageBox::msgbox(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iIcon,
                            const QString &iTitle, const QStringList &iButtons, const QString &iDefaultButton)
{
    // On the heap: a parent deleted while the box runs takes the box with it,
    // which a box on the stack would not survive.
    QPointer<TMessageBox> box = new TMessageBox(iParent);
    box->setText(iText);
    box->setIcon(iIcon);
    box->setWindowTitle(iTitle);
    if (iButtons != QStringList {QStringLiteral("Ok")})
        box->setButtons(iButtons);
    if (!iDefaultButton.isEmpty())
        box->setDefaultButton(iDefaultButton);
    box->setDetail(iDetail);
    const QString answer = box->run();
    delete box.data();
    return answer;
}

QString TMessageBox::info(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iTitle,
                          const QStringList &iButtons)
{
    return msgbox(iParent, iText, iDetail, QStringLiteral("Info"), iTitle.isEmpty() ? tr("Information") : iTitle,
                  iButtons, QString());
}

QString TMessageBox::warning(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iTitle,
                             const QStringList &iButtons)
{
    return msgbox(iParent, iText, iDetail, QStringLiteral("Warn"), iTitle.isEmpty() ? tr("Warning") : iTitle, iButtons,
                  QString());
}

QString TMessageBox::error(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iTitle,
                           const QStringList &iButtons)
{
    return msgbox(iParent, iText, iDetail, QStringLiteral("Error"), iTitle.isEmpty() ? tr("Error") : iTitle, iButtons,
                  QString());
}

QString TMessageBox::ok(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iTitle,
                        const QStringList &iButtons)
{
    return msgbox(iParent, iText, iDetail, QStringLiteral("Ok"), iTitle.isEmpty() ? tr("Ok") : iTitle, iButtons,
                  QString());
}

QString TMessageBox::question(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iTitle,
                              const QStringList &iButtons, const QString &iDefaultButton)
{
    QStringList buttons = iButtons;
    if (buttons.isEmpty() || buttons == QStringList {QStringLiteral("Yes"), QStringLiteral("No")})
        buttons = QStringList {tr("Yes") + QStringLiteral(":Yes:Yes"), tr("No") + QStringLiteral(":No:No")};
    return msgbox(iParent, iText, iDetail, QStringLiteral("Ask"), iTitle.isEmpty() ? tr("Ask") : iTitle, buttons,
                  iDefaultButton);
}
