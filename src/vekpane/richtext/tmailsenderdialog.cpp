#include "tmailsenderdialog.h"
#include "tmailsenderdialog_p.h"

#include "revedudtexttoolbar.h"
#include "tmailadressdialog.h"
#include "tmailattachmentlistwidget.h"
#include "tmessagebox.h"
#include "tresource.h"
#include "ttextedit.h"

#include <QAction>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>

namespace {

QIcon buttonIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

} // namespace

void TMailSenderDialogPrivate::appendParagraph(QTextEdit *iField, const QString &iText)
{
    // As plain text: QTextEdit::append() would read "<name>" as a tag and drop the name.
    QTextCursor cursor(iField->document());
    cursor.movePosition(QTextCursor::End);
    if (!iField->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(iText);
}

QStringList TMailSenderDialogPrivate::split(QTextEdit *iField)
{
    const QString text = iField->toPlainText().trimmed();
    if (text.isEmpty())
        return QStringList();
    return text.split(QLatin1Char(';'));
}

TMailSenderDialog::TMailSenderDialog(QWidget *iParent)
    : QDialog(iParent)
    , d(new TMailSenderDialogPrivate(this))
{
    resize(800, 600);
    setWindowIcon(buttonIcon(QStringLiteral("send-o")));
    setWindowTitle(tr("Send Mail"));
    setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    d->subjectLineEdit = new QLineEdit(this);
    d->toTextEdit = new TTextEdit(this);
    d->toTextEdit->setMaxRowCount(3);
    d->ccTextEdit = new TTextEdit(this);
    d->ccTextEdit->setMaxRowCount(3);
    d->bccTextEdit = new TTextEdit(this);
    d->bccTextEdit->setMaxRowCount(3);
    d->bccTextEdit->hide();
    // The recipient fields set their own height (up to three rows); the body takes the rest.
    for (TTextEdit *field : {d->toTextEdit, d->ccTextEdit, d->bccTextEdit})
        field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    d->attachmentListWidget = new TMailAttachmentListWidget(this);
    d->textToolBar = new REvedudTextToolBar(this);
    d->contentTextEdit = new TTextEdit(this);
    // A text edit otherwise keeps itself as high as its text; the body takes the room the window gives it.
    d->contentTextEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    d->subjectLineEdit->setObjectName(QStringLiteral("subjectLineEdit"));
    d->toTextEdit->setObjectName(QStringLiteral("toTextEdit"));
    d->ccTextEdit->setObjectName(QStringLiteral("ccTextEdit"));
    d->bccTextEdit->setObjectName(QStringLiteral("bccTextEdit"));
    d->contentTextEdit->setObjectName(QStringLiteral("contentTextEdit"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *actionBar = new QToolBar(this);
    actionBar->setProperty("SS", QStringLiteral("A"));
    actionBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *sendAction = actionBar->addAction(buttonIcon(QStringLiteral("send-o")), tr("Send Mail"));
    sendAction->setObjectName(QStringLiteral("sendAction"));
    QAction *attachAction = actionBar->addAction(buttonIcon(QStringLiteral("paperclip")), tr("Add Attachment"));
    attachAction->setObjectName(QStringLiteral("addAttachmentAction"));
    column->addWidget(actionBar);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(5, 5, 5, 5);
    grid->setSpacing(5);
    auto *toButton = new QPushButton(tr("To:"), this);
    toButton->setObjectName(QStringLiteral("toButton"));
    auto *ccButton = new QPushButton(tr("Cc:"), this);
    ccButton->setObjectName(QStringLiteral("ccButton"));
    auto *subjectLabel = new QLabel(tr("Subject:"), this);
    for (QPushButton *button : {toButton, ccButton}) {
        button->setFlat(true);
        button->setFixedWidth(50);
    }
    subjectLabel->setFixedWidth(50);
    subjectLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(toButton, 0, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(d->toTextEdit, 0, 1);
    grid->addWidget(ccButton, 1, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(d->ccTextEdit, 1, 1);
    grid->addWidget(subjectLabel, 2, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(d->subjectLineEdit, 2, 1);
    column->addLayout(grid);

    column->addWidget(d->textToolBar);
    column->addWidget(d->contentTextEdit, 1);
    d->attachmentListWidget->setFixedHeight(60);
    d->attachmentListWidget->hide();
    column->addWidget(d->attachmentListWidget);

    d->textToolBar->setTextEdit(d->contentTextEdit);

    QAbstractItemModel *attachments = d->attachmentListWidget->model();
    connect(attachments, &QAbstractItemModel::rowsInserted, this, &TMailSenderDialog::onAttachmentChanged);
    connect(attachments, &QAbstractItemModel::rowsRemoved, this, &TMailSenderDialog::onAttachmentChanged);
    // Emptying the list at once resets its model instead of removing rows.
    connect(attachments, &QAbstractItemModel::modelReset, this, &TMailSenderDialog::onAttachmentChanged);
    connect(toButton, &QPushButton::clicked, this, &TMailSenderDialog::showSelectRecipients);
    connect(ccButton, &QPushButton::clicked, this, &TMailSenderDialog::showSelectRecipients);
    connect(sendAction, &QAction::triggered, this, &TMailSenderDialog::onSendMaillClicked);
    connect(attachAction, &QAction::triggered, this, &TMailSenderDialog::onAddAttachment);
}

TMailSenderDialog::~TMailSenderDialog()
{
    // The attachment list is deleted with the children after this body; its
    // model's last reset must not call into a dialog that is half gone.
    d->attachmentListWidget->model()->disconnect(this);
}

QVariantMap TMailSenderDialog::run()
{
    QPointer<TMailSenderDialog> self(this);
    show();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    // Deleted by its owner while waiting: the loop must not wait for a finished() that never comes.
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
    if (!self)
        return QVariantMap();
    const int answer = result();
    close();
    QVariantMap mail;
    if (answer == QDialog::Accepted) {
        mail.insert(QStringLiteral("to"), getToList());
        mail.insert(QStringLiteral("cc"), getCcList());
        mail.insert(QStringLiteral("bcc"), getBccList());
        mail.insert(QStringLiteral("subject"), getSubject());
        mail.insert(QStringLiteral("content"), getContent());
        mail.insert(QStringLiteral("attachments"), getAttachments());
    }
    deleteLater();
    return mail;
}

void TMailSenderDialog::showSelectRecipients()
{
    // Owned here: deleted on every way out, also when this dialog goes while the book runs.
    QPointer<TMailSenderDialog> self(this);
    QPointer<TMailAdressDialog> book = new TMailAdressDialog(this);
    if (!d->categoryList.isEmpty())
        book->setCategoryList(d->categoryList);
    if (!d->mailList.isEmpty())
        book->setMailList(d->mailList);
    const QStringList to = getToList();
    if (!to.isEmpty())
        book->setToList(to);
    const QStringList cc = getCcList();
    if (!cc.isEmpty())
        book->setCcList(cc);
    const QStringList bcc = getBccList();
    if (!bcc.isEmpty())
        book->setBccList(bcc);

    QStringList newTo;
    QStringList newCc;
    QStringList newBcc;
    const bool accepted = book->run(&newTo, &newCc, &newBcc);
    if (!self)
        return;
    if (accepted) {
        d->toTextEdit->setPlainText(newTo.join(QLatin1Char(';')));
        d->ccTextEdit->setPlainText(newCc.join(QLatin1Char(';')));
        d->bccTextEdit->setPlainText(newBcc.join(QLatin1Char(';')));
    }
    delete book.data();
}

void TMailSenderDialog::setCategoryList(const QVariantList &iVarLst) { d->categoryList = iVarLst; }

void TMailSenderDialog::setMailList(const QVariantList &iMailVarLst) { d->mailList = iMailVarLst; }

QStringList TMailSenderDialog::getToList() { return TMailSenderDialogPrivate::split(d->toTextEdit); }

QStringList TMailSenderDialog::getCcList() { return TMailSenderDialogPrivate::split(d->ccTextEdit); }

QStringList TMailSenderDialog::getBccList() { return TMailSenderDialogPrivate::split(d->bccTextEdit); }

void TMailSenderDialog::setToList(const QString &iToStr) { d->appendParagraph(d->toTextEdit, iToStr); }

void TMailSenderDialog::setCcList(const QString &iCcListStr) { d->appendParagraph(d->ccTextEdit, iCcListStr); }

void TMailSenderDialog::setBccList(const QString &iCcListStr) { d->appendParagraph(d->bccTextEdit, iCcListStr); }

QStringList TMailSenderDialog::getAttachments() { return d->attachmentListWidget->getAttachments(); }

void TMailSenderDialog::setAttachments(const QStringList &iAttStrLst)
{
    d->attachmentListWidget->addAttachments(iAttStrLst);
}

QString TMailSenderDialog::getSubject() { return d->subjectLineEdit->text(); }

void TMailSenderDialog::setSubject(const QString &iSubjectStr) { d->subjectLineEdit->setText(iSubjectStr); }

QString TMailSenderDialog::getContent() { return d->contentTextEdit->toHtml(); }

void TMailSenderDialog::setContent(const QString &iContentStr) { d->contentTextEdit->setHtml(iContentStr); }

QString TMailSenderDialog::defaultAttachmentDir() { return d->defaultAttachmentDir; }

void TMailSenderDialog::setDefaultAttachmentDir(const QString &iAttachmentDir)
{
    d->defaultAttachmentDir = iAttachmentDir;
}

QString TMailSenderDialog::defaultImageDir() { return d->defaultImageDir; }

void TMailSenderDialog::setDefaultImageDir(const QString &iPhotoDir)
{
    d->defaultImageDir = iPhotoDir;
    d->textToolBar->setDefaultImageDir(iPhotoDir);
}

void TMailSenderDialog::onAttachmentChanged()
{
    d->attachmentListWidget->setVisible(d->attachmentListWidget->count() > 0);
}

void TMailSenderDialog::onAddAttachment()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Add Attachment"), d->defaultAttachmentDir);
    if (!files.isEmpty())
        d->attachmentListWidget->addAttachments(files);
}

void TMailSenderDialog::onSendMaillClicked()
{
    if (getToList().isEmpty()) {
        TMessageBox::msgbox(this, tr("Recipients can not be empty!"), QString(), QStringLiteral("Critical"), QString(),
                            {QStringLiteral("Ok")}, QString());
        return;
    }
    close();
    accept();
}
