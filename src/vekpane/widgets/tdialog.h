#ifndef TDIALOG_H
#define TDIALOG_H

#include "vekpane_export.h"

#include <QDialog>

#include <memory>

class TFramelessWindowBar;
class TDialogPrivate;

/*!
 * The base of the library's dialogs: a QDialog with the library's title bar
 * laid over its top margin. The bar is made by windowTitleBar() or by this
 * class's show(); a dialog run through the base class only (exec()) gets one
 * only if either was called before.
 */
class VEKPANE_EXPORT TDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TDialog(QWidget *parent = nullptr);
    ~TDialog() override;

    //! The title bar, made on first call.
    TFramelessWindowBar *windowTitleBar();
    //! Installs another title bar; the dialog's own one is deleted. The bar already set changes nothing.
    void setWindowTitleBar(TFramelessWindowBar *iBar);

public Q_SLOTS:
    //! Shows the dialog, with the default title bar when it is top-level and has none yet.
    void show();
    //! Sends windowModifyChanged() on every call, then sets the modified mark.
    void setWindowModified(bool iBol = true);

Q_SIGNALS:
    void windowModifyChanged(bool iModified);

protected:
    bool event(QEvent *iEvent) override;
    bool nativeEvent(const QByteArray &iEventType, void *iMessage, long *iResult) override;

private:
    Q_DISABLE_COPY(TDialog)
    Q_DECLARE_PRIVATE_D(d, TDialog)
    const std::unique_ptr<TDialogPrivate> d;
};

#endif // TDIALOG_H
