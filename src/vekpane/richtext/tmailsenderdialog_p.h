#ifndef TMAILSENDERDIALOG_P_H
#define TMAILSENDERDIALOG_P_H

#include "tmailsenderdialog.h"

class QLineEdit;
class QTextEdit;
class REvedudTextToolBar;
class TMailAttachmentListWidget;
class TTextEdit;

class TMailSenderDialogPrivate
{
    Q_DECLARE_PUBLIC(TMailSenderDialog)
public:
    explicit TMailSenderDialogPrivate(TMailSenderDialog *iPublic)
        : q_ptr(iPublic)
    {}

    static void appendParagraph(QTextEdit *iField, const QString &iText);
    static QStringList split(QTextEdit *iField);

    QLineEdit *subjectLineEdit = nullptr;
    TTextEdit *toTextEdit = nullptr;
    TTextEdit *ccTextEdit = nullptr;
    TTextEdit *bccTextEdit = nullptr;
    TMailAttachmentListWidget *attachmentListWidget = nullptr;
    REvedudTextToolBar *textToolBar = nullptr;
    TTextEdit *contentTextEdit = nullptr;
    QVariantList categoryList;
    QVariantList mailList;
    QString defaultAttachmentDir;
    QString defaultImageDir;
    TMailSenderDialog *const q_ptr;
};

#endif // TMAILSENDERDIALOG_P_H
