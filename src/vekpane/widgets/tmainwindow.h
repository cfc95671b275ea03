#ifndef TMAINWINDOW_H
#define TMAINWINDOW_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <QMainWindow>

#include <memory>

class TFramelessWindowBar;
class TMainWindowPrivate;

/*!
 * The main window of the widget library: a QMainWindow with the library's
 * title bar laid over its top margin, the attribute interface for scripts,
 * and deletion on close.
 *
 * Since the window deletes itself when closed, make it with new: one on the
 * stack (TMainWindow w;) is deleted twice once the user closes it.
 *
 * Own key: "window_modify_changed" (the modified mark; setting a new state
 * sends the event of that name with the state and the window's address).
 */
class VEKPANE_EXPORT TMainWindow : public QMainWindow, public TuiAbstract
{
    Q_OBJECT
public:
    explicit TMainWindow(QWidget *parent = nullptr);
    ~TMainWindow() override;

    //! Whether the window makes a title bar at all (only the flag; default true).
    void setHasWindowTitleBar(bool iHas);
    //! The title bar, made on first call; null when the window has none.
    TFramelessWindowBar *windowTitleBar();
    //! Installs another title bar; the window's own one is deleted. The bar already set changes nothing.
    void setWindowTitleBar(TFramelessWindowBar *iBar);

public Q_SLOTS:
    //! Sets an own key; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads an own key; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! Makes a widget the central widget; anything else is ignored.
    void setBodyWidget(QObject *iBodyWgt);
    //! Shows the window, with the default title bar when it is top-level and has none yet.
    void show();
    //! Sets the modified mark; a change sends "window_modify_changed".
    void setWindowModified(bool iBol = true);

    TUI_ABSTRACT_SLOTS

protected:
    bool event(QEvent *iEvent) override;
    bool nativeEvent(const QByteArray &iEventType, void *iMessage, long *iResult) override;

private:
    Q_DISABLE_COPY(TMainWindow)
    Q_DECLARE_PRIVATE_D(d, TMainWindow)
    const std::unique_ptr<TMainWindowPrivate> d;
};

#endif // TMAINWINDOW_H
