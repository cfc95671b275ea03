#ifndef TTIMEEDIT_H
#define TTIMEEDIT_H

#include "tlineedit.h"

#include <QDateTime>
#include <QTime>
#include <QValidator>

#include <memory>

class TTimeEditPrivate;

/*!
 * A line edit holding a time inside a range, shown in a display format
 * ("hh:mm:ss" at first).
 *
 * Typed text is read back on Enter and on focus loss: a valid time is stored
 * clamped into the range and shown in the display format; other text stays
 * as typed and the value is kept. The calendar button inside the field opens
 * a pop-up with hour, minute and second boxes; with wheel stepping on, the
 * wheel steps the field under the cursor (wrapping past midnight before the
 * clamp). Through set()/get() the editor is a TLineEdit ("value" is the
 * text).
 */
class VEKPANE_EXPORT TTimeEdit : public TLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QTime time READ time WRITE setTime NOTIFY timeChanged USER true)
    Q_PROPERTY(QTime maximumTime READ maximumTime WRITE setMaximumTime RESET clearMaximumTime)
    Q_PROPERTY(QTime minimumTime READ minimumTime WRITE setMinimumTime RESET clearMinimumTime)
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(bool calendarPopup READ calendarPopup WRITE setCalendarPopup)
    Q_PROPERTY(QString timeString READ timeString WRITE setTimeString)
    Q_PROPERTY(QString minimumTimeString READ minimumTimeString WRITE setMinimumTimeString)
    Q_PROPERTY(QString maximumTimeString READ maximumTimeString WRITE setMaximumTimeString)
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TTimeEdit(QWidget *iParent = nullptr);
    TTimeEdit(const QTime &iTime, QWidget *iParent = nullptr);
    ~TTimeEdit() override;

    //! The stored time; invalid while the text is empty.
    QTime time() const;
    QTime minimumTime() const;
    //! Sets the lower bound and moves a stored time below it up to it.
    void setMinimumTime(const QTime &iTime);
    void clearMinimumTime();
    QTime maximumTime() const;
    //! Sets the upper bound and moves a stored time above it down to it.
    void setMaximumTime(const QTime &iTime);
    void clearMaximumTime();
    void setTimeRange(const QTime &iMin, const QTime &iMax);
    QString displayFormat() const;
    //! Sets the format and rewrites the text of a stored time in it.
    void setDisplayFormat(const QString &iFormat);
    //! Whether the pop-up button is enabled.
    bool calendarPopup() const;
    void setCalendarPopup(bool iEnable);
    //! Refills the pop-up's hour box with the step clamped into 1 to 23.
    void setHourComboList(int iStep);
    //! Refills the pop-up's minute box with the step clamped into 1 to 59; 59 hides the minute.
    void setMinuteComboList(int iStep);
    //! Refills the pop-up's second box with the step clamped into 1 to 59; 59 hides the second.
    void setSecondComboList(int iStep);

public Q_SLOTS:
    //! Stores \a iTime clamped into the range and shows it.
    void setTime(const QTime &iTime);
    //! The time in the display format.
    QString timeString() const;
    //! setTime() of \a iTime read with the display format.
    void setTimeString(const QString &iTime);
    //! The lower bound in the display format.
    QString minimumTimeString() const;
    //! Reads the lower bound with the display format; text that does not parse leaves it unchanged.
    void setMinimumTimeString(const QString &iTime);
    //! The upper bound in the display format.
    QString maximumTimeString() const;
    //! Reads the upper bound with the display format; text that does not parse leaves it unchanged.
    void setMaximumTimeString(const QString &iTime);
    //! Whether the wheel steps the field under the cursor.
    bool isWheelEnabled() const;
    //! Switches wheel stepping on or off.
    void setWheelEnabled(bool iEnable);

Q_SIGNALS:
    //! The stored time changed.
    void timeChanged(QTime iTime);

protected:
    //! Hook for subclasses: this editor accepts any text, so Invalid.
    virtual QValidator::State validate(QString &iInput, int &iPos) const;
    //! Hook for subclasses: does nothing.
    virtual void fixup(QString &iInput) const;
    //! \a iText read with the display format.
    virtual QDateTime dateTimeFromText(const QString &iText) const;
    //! \a iDateTime written in the display format.
    virtual QString textFromDateTime(const QDateTime &iDateTime) const;

    void wheelEvent(QWheelEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;
    bool focusNextPrevChild(bool iNext) override;

private Q_SLOTS:
    void onShowCalendarBtnClicked();
    void onEnterPressed();
    void onChooseTimeConfrim(QTime iTime);

private:
    Q_DISABLE_COPY(TTimeEdit)
    Q_DECLARE_PRIVATE_D(d, TTimeEdit)
    const std::unique_ptr<TTimeEditPrivate> d;
};

#endif // TTIMEEDIT_H
