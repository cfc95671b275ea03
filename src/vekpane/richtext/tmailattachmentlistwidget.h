#ifndef TMAILATTACHMENTLISTWIDGET_H
#define TMAILATTACHMENTLISTWIDGET_H

#include "vekpane_export.h"

#include <QListWidget>
#include <QStringList>

#include <memory>

class TMailAttachmentListWidgetPrivate;

/*!
 * The attachments of a mail being composed: one entry per file, with the
 * file's system icon and name, laid out in rows like icons. Its context menu
 * opens the first selected file with the desktop's program, or removes the
 * selected entries after a question. Each entry keeps the path exactly as it
 * was given; getAttachments() hands the paths back in list order.
 */
class VEKPANE_EXPORT TMailAttachmentListWidget : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QStringList attachments READ getAttachments WRITE setAttachments NOTIFY attachmentsChanged USER true)
public:
    explicit TMailAttachmentListWidget(QWidget *iParent = nullptr);
    ~TMailAttachmentListWidget() override;

public Q_SLOTS:
    //! Appends an entry for the file when it exists; a missing file is skipped.
    void addAttachment(const QString &iFileStr);
    //! addAttachment() for each path, in order.
    void addAttachments(const QStringList &iFileStrLst);
    //! Replaces the entries by those of the existing files among \a iFileStrLst.
    void setAttachments(const QStringList &iFileStrLst);
    //! The stored paths of all entries, in list order.
    QStringList getAttachments() const;

Q_SIGNALS:
    //! The list of paths changed, by a slot or by the delete action.
    void attachmentsChanged(const QStringList &iFileStrLst);

protected:
    void contextMenuEvent(QContextMenuEvent *iEvent) override;

private Q_SLOTS:
    void onOpenTrigged();
    void onDeleteTrigged();

private:
    Q_DISABLE_COPY(TMailAttachmentListWidget)
    Q_DECLARE_PRIVATE_D(d, TMailAttachmentListWidget)
    const std::unique_ptr<TMailAttachmentListWidgetPrivate> d;
};

#endif // TMAILATTACHMENTLISTWIDGET_H
