#ifndef TMAILSENDERDIALOG_H
#define TMAILSENDERDIALOG_H

#include "vekpane_export.h"

#include <QDialog>
#include <QStringList>
#include <QVariant>

#include <memory>

class TMailSenderDialogPrivate;

/*!
 * The compose-mail window: To and Cc fields (a Bcc list is kept off
 * screen), a subject, a rich-text body with its formatting tool bar, and
 * attachments. run() shows the window, waits until the user sends or closes
 * it, and answers what was entered as one map with the keys "to", "cc",
 * "bcc", "subject", "content" (HTML) and "attachments"; empty when the mail
 * was not sent. It sends nothing itself: the caller hands the map to TMail.
 *
 * A recipient field holds entries "<display name>address" separated by ";".
 * After run() the dialog deletes itself at the next event-loop pass.
 */
class VEKPANE_EXPORT TMailSenderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TMailSenderDialog(QWidget *iParent = nullptr);
    ~TMailSenderDialog() override;

public Q_SLOTS:
    //! Shows the window and waits until it is sent or closed; then schedules its own deletion.
    QVariantMap run();
    //! Opens the address book on the current recipients and takes its result.
    void showSelectRecipients();
    //! The category tree handed to the address book.
    void setCategoryList(const QVariantList &iVarLst);
    //! The contacts handed to the address book.
    void setMailList(const QVariantList &iMailVarLst);
    //! The To field split at ";" (empty parts kept); empty when the field is blank.
    QStringList getToList();
    //! The Cc field split at ";".
    QStringList getCcList();
    //! The Bcc list split at ";".
    QStringList getBccList();
    //! Appends the text to the To field as a new paragraph.
    void setToList(const QString &iToStr);
    //! Appends the text to the Cc field as a new paragraph.
    void setCcList(const QString &iCcListStr);
    //! Appends the text to the Bcc list as a new paragraph.
    void setBccList(const QString &iCcListStr);
    //! The attached files' paths in list order.
    QStringList getAttachments();
    //! Adds the existing files among \a iAttStrLst to the attachments; earlier ones stay.
    void setAttachments(const QStringList &iAttStrLst);
    //! The subject.
    QString getSubject();
    //! Sets the subject.
    void setSubject(const QString &iSubjectStr);
    //! The body as HTML.
    QString getContent();
    //! Sets the body from HTML.
    void setContent(const QString &iContentStr);
    //! The folder where "Add Attachment" starts.
    QString defaultAttachmentDir();
    //! Sets the folder where "Add Attachment" starts.
    void setDefaultAttachmentDir(const QString &iAttachmentDir);
    //! The folder where the tool bar's image choice starts.
    QString defaultImageDir();
    //! Sets the folder where the tool bar's image choice starts.
    void setDefaultImageDir(const QString &iPhotoDir);

private Q_SLOTS:
    void onAttachmentChanged();
    void onAddAttachment();
    void onSendMaillClicked();

private:
    Q_DISABLE_COPY(TMailSenderDialog)
    Q_DECLARE_PRIVATE_D(d, TMailSenderDialog)
    const std::unique_ptr<TMailSenderDialogPrivate> d;
};

#endif // TMAILSENDERDIALOG_H
