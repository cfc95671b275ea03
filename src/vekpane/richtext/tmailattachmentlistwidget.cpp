#include "tmailattachmentlistwidget.h"
#include "tmailattachmentlistwidget_p.h"

#include "tmessagebox.h"
#include "tresource.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QUrl>

bool TMailAttachmentListWidgetPrivate::append(const QString &iFileStr)
{
    Q_Q(TMailAttachmentListWidget);
    const QFileInfo info(iFileStr);
    if (iFileStr.isEmpty() || !info.exists())
        return false;
    auto *item = new QListWidgetItem(QFileIconProvider().icon(info), info.fileName());
    item->setData(Qt::UserRole, iFileStr);
    q->addItem(item);
    return true;
}

void TMailAttachmentListWidgetPrivate::notifyIfChanged(const QStringList &iBefore)
{
    Q_Q(TMailAttachmentListWidget);
    const QStringList now = q->getAttachments();
    if (now != iBefore)
        Q_EMIT q->attachmentsChanged(now);
}

TMailAttachmentListWidget::TMailAttachmentListWidget(QWidget *iParent)
    : QListWidget(iParent)
    , d(new TMailAttachmentListWidgetPrivate(this))
{
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWrapping(true);
    setFlow(QListView::LeftToRight);

    TResource *resource = TResource::instance();
    d->menu = new QMenu(this);
    d->openAction = d->menu->addAction(
            resource->icon(QStringLiteral("desktop"), QStringLiteral("button"), QStringLiteral("body")), tr("Open"));
    d->deleteAction = d->menu->addAction(
            resource->icon(QStringLiteral("remove"), QStringLiteral("button"), QStringLiteral("body")), tr("Delete"));
    connect(d->openAction, &QAction::triggered, this, &TMailAttachmentListWidget::onOpenTrigged);
    connect(d->deleteAction, &QAction::triggered, this, &TMailAttachmentListWidget::onDeleteTrigged);
}

TMailAttachmentListWidget::~TMailAttachmentListWidget() = default;

void TMailAttachmentListWidget::addAttachment(const QString &iFileStr)
{
    if (d->append(iFileStr))
        Q_EMIT attachmentsChanged(getAttachments());
}

void TMailAttachmentListWidget::addAttachments(const QStringList &iFileStrLst)
{
    const QStringList before = getAttachments();
    for (const QString &file : iFileStrLst)
        d->append(file);
    d->notifyIfChanged(before);
}

void TMailAttachmentListWidget::setAttachments(const QStringList &iFileStrLst)
{
    const QStringList before = getAttachments();
    clear();
    for (const QString &file : iFileStrLst)
        d->append(file);
    d->notifyIfChanged(before);
}

QStringList TMailAttachmentListWidget::getAttachments() const
{
    QStringList files;
    files.reserve(count());
    for (int row = 0; row < count(); ++row)
        files.append(item(row)->data(Qt::UserRole).toString());
    return files;
}

void TMailAttachmentListWidget::contextMenuEvent(QContextMenuEvent *iEvent)
{
    const bool anySelected = !selectedItems().isEmpty();
    d->openAction->setEnabled(anySelected);
    d->deleteAction->setEnabled(anySelected);
    iEvent->accept();
    d->menu->exec(QCursor::pos());
}

void TMailAttachmentListWidget::onOpenTrigged()
{
    const QList<QListWidgetItem *> items = selectedItems();
    if (items.isEmpty())
        return;
    // Built from the local path, so "#", "%" and blanks in file names survive.
    QDesktopServices::openUrl(QUrl::fromLocalFile(items.first()->data(Qt::UserRole).toString()));
}

void TMailAttachmentListWidget::onDeleteTrigged()
{
    if (selectedItems().isEmpty())
        return;
    // The question runs its own event loop: the list may be gone when it returns.
    QPointer<TMailAttachmentListWidget> self(this);
    const QString answer = TMessageBox::msgbox(this, tr("Are you sure to delete the attachments?"), QString(),
                                               QStringLiteral("Question"), tr("Question"),
                                               {QStringLiteral("Yes"), QStringLiteral("No")}, QString());
    if (!self || answer != QLatin1String("Yes"))
        return;
    const QStringList before = getAttachments();
    // Read again: the selection may have changed while the question was open.
    qDeleteAll(selectedItems());
    d->notifyIfChanged(before);
}
