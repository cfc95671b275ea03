#ifndef TDATETIMEEDIT_H
#define TDATETIMEEDIT_H

#include "tlineedit.h"

#include <QDateTime>
#include <QValidator>

#include <memory>

class QCalendarWidget;
class TDateTimeEditPrivate;

/*!
 * A line edit holding a date and a time inside a range, shown in a display
 * format ("yyyy-MM-dd hh:mm:ss" at first).
 *
 * Typed text is read back on Enter and on focus loss: a valid date-time is
 * stored clamped into the range, anything else gives way to the stored
 * value's text. The calendar button inside the field opens a pop-up with a
 * calendar and hour, minute and second boxes; with wheel stepping on, the
 * wheel steps the field under the cursor. Every store rewrites the text in
 * the display format.
 *
 * Through set()/get() the editor is a TLineEdit ("value" is the text); the
 * slots setAttr()/getAttr() take the editor's own keys: "value", "min",
 * "max", "displayFormat", "hour_step", "min_step", "sec_step" and
 * "placeholder_text".
 */
class VEKPANE_EXPORT TDateTimeEdit : public TLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QDateTime dateTime READ dateTime WRITE setDateTime NOTIFY dateTimeChanged USER true)
    Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(QTime time READ time WRITE setTime NOTIFY timeChanged)
    Q_PROPERTY(QDateTime maximumDateTime READ maximumDateTime WRITE setMaximumDateTime RESET clearMaximumDateTime)
    Q_PROPERTY(QDateTime minimumDateTime READ minimumDateTime WRITE setMinimumDateTime RESET clearMinimumDateTime)
    Q_PROPERTY(QDate maximumDate READ maximumDate WRITE setMaximumDate RESET clearMaximumDate)
    Q_PROPERTY(QDate minimumDate READ minimumDate WRITE setMinimumDate RESET clearMinimumDate)
    Q_PROPERTY(QTime maximumTime READ maximumTime WRITE setMaximumTime RESET clearMaximumTime)
    Q_PROPERTY(QTime minimumTime READ minimumTime WRITE setMinimumTime RESET clearMinimumTime)
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(bool calendarPopup READ calendarPopup WRITE setCalendarPopup)
    Q_PROPERTY(Qt::TimeSpec timeSpec READ timeSpec WRITE setTimeSpec)
    Q_PROPERTY(QString dateTimeString READ dateTimeString WRITE setDateTimeString)
    Q_PROPERTY(QString minimumDateTimeString READ minimumDateTimeString WRITE setMinimumDateTimeString)
    Q_PROPERTY(QString maximumDateTimeString READ maximumDateTimeString WRITE setMaximumDateTimeString)
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TDateTimeEdit(QWidget *iParent = nullptr);
    TDateTimeEdit(const QDate &iDate, QWidget *iParent = nullptr);
    TDateTimeEdit(const QDateTime &iDateTime, QWidget *iParent = nullptr);
    TDateTimeEdit(const QTime &iTime, QWidget *iParent = nullptr);
    ~TDateTimeEdit() override;

    //! The stored value; null while the text is empty.
    QDateTime dateTime() const;
    //! The stored value's date; null while the text is empty.
    QDate date() const;
    //! The stored value's time; invalid while the text is empty.
    QTime time() const;

    QDateTime minimumDateTime() const;
    void setMinimumDateTime(const QDateTime &iDateTime);
    void clearMinimumDateTime();
    QDateTime maximumDateTime() const;
    void setMaximumDateTime(const QDateTime &iDateTime);
    void clearMaximumDateTime();
    QDate minimumDate() const;
    void setMinimumDate(const QDate &iDate);
    void clearMinimumDate();
    QDate maximumDate() const;
    void setMaximumDate(const QDate &iDate);
    void clearMaximumDate();
    QTime minimumTime() const;
    void setMinimumTime(const QTime &iTime);
    void clearMinimumTime();
    QTime maximumTime() const;
    void setMaximumTime(const QTime &iTime);
    void clearMaximumTime();
    //! Sets the date parts of both bounds.
    void setDateRange(const QDate &iMin, const QDate &iMax);
    //! Sets both bounds.
    void setDateTimeRange(const QDateTime &iMin, const QDateTime &iMax);
    //! Sets the time parts of both bounds.
    void setTimeRange(const QTime &iMin, const QTime &iMax);

    QString displayFormat() const;
    //! Sets the format and rewrites the text of a stored value in it.
    void setDisplayFormat(const QString &iFormat);
    //! Whether the calendar button is enabled.
    bool calendarPopup() const;
    void setCalendarPopup(bool iEnable);
    //! The calendar the pop-up reads a confirmed day from.
    QCalendarWidget *calendarWidget() const;
    //! Makes the pop-up read \a iCalendar (not owned, not placed in the pop-up).
    void setCalendarWidget(QCalendarWidget *iCalendar);
    Qt::TimeSpec timeSpec() const;
    void setTimeSpec(Qt::TimeSpec iSpec);
    //! Refills the pop-up's hour box with 0, step, 2 * step ...; a step above 23 hides the hour.
    void setHourComboList(int iStep);
    //! Refills the pop-up's minute box; a step above 59 hides the minute.
    void setMinuteComboList(int iStep);
    //! Refills the pop-up's second box; a step above 59 hides the second.
    void setSecondComboList(int iStep);

    //! Does nothing: the editor is emptied through its text.
    virtual void clear();
    //! Does nothing: the editor steps with the wheel.
    virtual void stepBy(int iSteps);

public Q_SLOTS:
    //! Sets an own key ("value", "min", "max", "displayFormat", the steps, "placeholder_text"); others do nothing.
    virtual void setAttr(const QString &iKey, const QVariant &iData);
    //! Reads "value", "min", "max" (as text), "displayFormat" or a step; invalid for other keys.
    virtual QVariant getAttr(const QString &iKey, const QVariant &iOptions);
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey);
    //! The value as text, as getAttr("value").
    QVariant getAttr();
    //! Stores \a iDateTime clamped into the range and shows it.
    void setDateTime(const QDateTime &iDateTime);
    //! Replaces the date part, clamped into the bounds' dates.
    void setDate(const QDate &iDate);
    //! Replaces the time part, clamped into the bounds' times.
    void setTime(const QTime &iTime);
    //! The value in the display format.
    QString dateTimeString() const;
    //! setDateTime() of \a iDateTime read with the display format.
    void setDateTimeString(const QString &iDateTime);
    //! The lower bound in the display format.
    QString minimumDateTimeString() const;
    //! Reads the lower bound with the display format; text that does not parse leaves it unchanged.
    void setMinimumDateTimeString(const QString &iDateTime);
    //! The upper bound in the display format.
    QString maximumDateTimeString() const;
    //! Reads the upper bound with the display format; text that does not parse leaves it unchanged.
    void setMaximumDateTimeString(const QString &iDateTime);
    //! Whether the wheel steps the field under the cursor.
    bool isWheelEnabled() const;
    //! Switches wheel stepping on or off.
    void setWheelEnabled(bool iEnable);

Q_SIGNALS:
    void dateTimeChanged(QDateTime iDteTime);
    void timeChanged(QTime iTime);
    void dateChanged(QDate iDate);

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
    void onChooseDateTimeConfrim(QDateTime iDateTime);

private:
    Q_DISABLE_COPY(TDateTimeEdit)
    Q_DECLARE_PRIVATE_D(d, TDateTimeEdit)
    const std::unique_ptr<TDateTimeEditPrivate> d;
};

#endif // TDATETIMEEDIT_H
