#ifndef TMESSAGEBAR_H
#define TMESSAGEBAR_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class TMessageBarPrivate;

/*!
 * An in-window notification strip: a type icon, a one-line text, an optional
 * detail and a close button. showMessage() fades it in; a time-out (3000 ms
 * unless changed) or the close button fades it out, and then it sends
 * "should_be_close": the owner hides or deletes it, the bar never does.
 *
 * The message type comes from the common "style" key: "type=info", "warn",
 * "ok" or "error" pick the icons after every attribute write.
 *
 * Own keys: "text", "detail" (read and written), "close_time" and
 * "timer_reset" (written only).
 */
class VEKPANE_EXPORT TMessageBar : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    //! Where the detail and the close button go: beside the text, or below it in one row.
    enum MessageBarAngle { RightAngle = 0, BottomAngle = 1 };
    Q_ENUM(MessageBarAngle)

    explicit TMessageBar(QWidget *iParent = nullptr);
    explicit TMessageBar(MessageBarAngle iAngle, QWidget *iParent = nullptr);
    ~TMessageBar() override;

public Q_SLOTS:
    //! Common keys first, then the own keys; the type icons follow the style afterwards.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value: getAttr() of the empty key.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! Sets the one-line text.
    void setText(const QString &iText);
    //! Shows \a iText as detail; the empty text hides the detail (its last text stays readable).
    void setDetail(const QString &iText);
    //! The time in ms the bar stays after its fade-in; the count-down is not started.
    void setCloseTime(int iTime);
    //! Starts the count-down to the fade-out again from zero.
    void timerReset();
    //! Fades the bar in when hidden; the count-down starts when the fade-in ends.
    void showMessage();

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onCloseButtonClick();
    void onCloseTimerOut();
    void emitCloseSignal();
    void onStart();

private:
    Q_DISABLE_COPY(TMessageBar)
    Q_DECLARE_PRIVATE_D(d, TMessageBar)
    const std::unique_ptr<TMessageBarPrivate> d;
};

#endif // TMESSAGEBAR_H
