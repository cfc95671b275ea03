#ifndef TMAILATTACHMENTLISTWIDGET_P_H
#define TMAILATTACHMENTLISTWIDGET_P_H

#include "tmailattachmentlistwidget.h"

class QAction;
class QMenu;

class TMailAttachmentListWidgetPrivate
{
    Q_DECLARE_PUBLIC(TMailAttachmentListWidget)
public:
    explicit TMailAttachmentListWidgetPrivate(TMailAttachmentListWidget *iPublic)
        : q_ptr(iPublic)
    {}

    // Appends one entry without announcing it; false when the file is missing.
    bool append(const QString &iFileStr);
    // Announces the paths when they differ from \a iBefore.
    void notifyIfChanged(const QStringList &iBefore);

    QMenu *menu = nullptr;
    QAction *openAction = nullptr;
    QAction *deleteAction = nullptr;
    TMailAttachmentListWidget *const q_ptr;
};

#endif // TMAILATTACHMENTLISTWIDGET_P_H
