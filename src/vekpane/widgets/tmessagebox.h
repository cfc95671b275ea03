#ifndef TMESSAGEBOX_H
#define TMESSAGEBOX_H

#include "tdialog.h"
#include "tuiwrapper.h"

#include <QStringList>

class QAbstractButton;
class TMessageBoxPrivate;

/*!
 * The library's modal message dialog: a coloured title bar, a centred text,
 * an optional detail text, and a row of buttons from button specifications
 * (see TDialogButtonBox). run() and the static helpers answer the object name
 * of the clicked button, or the empty text when the box was closed without
 * one. Common keys only.
 *
 * Icon words: "Ask" (or "Question"), "Warn" (or "Warning"), "Error" (or
 * "Critical"); any other word is kept as given ("Info", "Ok").
 */
class VEKPANE_EXPORT TMessageBox : public TDialog, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QString detail READ detail WRITE setDetail)
    Q_PROPERTY(QString icon READ icon WRITE setIcon)
public:
    explicit TMessageBox(QWidget *parent = nullptr);

    QString text() const;
    QString detail() const;
    QString icon() const;

    static QString msgbox(QWidget *iParent, const QString &iText, const QString &iDetail, const QString &iIcon,
                          const QString &iTitle, const QStringList &iButtons, const QString &iDefaultButton);
    static QString info(QWidget *iParent, const QString &iText, const QString &iDetail = QString(),
                        const QString &iTitle = QString(), const QStringList &iButtons = {QStringLiteral("Ok")});
    static QString warning(QWidget *iParent, const QString &iText, const QString &iDetail = QString(),
                           const QString &iTitle = QString(), const QStringList &iButtons = {QStringLiteral("Ok")});
    static QString error(QWidget *iParent, const QString &iText, const QString &iDetail = QString(),
                         const QString &iTitle = QString(), const QStringList &iButtons = {QStringLiteral("Ok")});
    static QString ok(QWidget *iParent, const QString &iText, const QString &iDetail = QString(),
                      const QString &iTitle = QString(), const QStringList &iButtons = {QStringLiteral("Ok")});
    //! An empty button list, or exactly "Yes", "No", gives the translated Yes and No buttons.
    static QString question(QWidget *iParent, const QString &iText, const QString &iDetail = QString(),
                            const QString &iTitle = QString(), const QStringList &iButtons = QStringList(),
                            const QString &iDefaultButton = QString());

    TUI_WRAPPER(TMessageBox)

public Q_SLOTS:
    //! The message text.
    void setText(const QString &iText);
    //! The detail text, shown plain below the message; the empty text hides it.
    void setDetail(const QString &iDetail);
    //! The icon word; it colours the title bar and picks the window icon.
    void setIcon(const QString &iIcon);
    //! Replaces the buttons (see TDialogButtonBox::setButtons()) and forgets the clicked one.
    void setButtons(const QStringList &iButtons);
    //! Makes every button named \a iName the default button.
    void setDefaultButton(const QString &iName);
    //! Runs the box modally; the object name of the clicked button, or "" when none was.
    QString run();

private Q_SLOTS:
    void onButtonCliced(QAbstractButton *iButton);
};

#endif // TMESSAGEBOX_H
