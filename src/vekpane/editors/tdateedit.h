#ifndef TDATEEDIT_H
#define TDATEEDIT_H

#include "tlineedit.h"

#include <QDate>
#include <QTime>
#include <QValidator>

#include <memory>

class QCalendarWidget;
class TDateEditPrivate;

/*!
 * A line edit holding a date inside a range, shown in a display format
 * ("yyyy-MM-dd" at first).
 *
 * Typed text is read back on Enter and on focus loss: a valid date is stored
 * clamped into the range and shown in the display format; other text stays
 * as typed and the value is kept. The calendar button inside the field opens
 * a pop-up calendar whose click confirms a day; with wheel stepping on, the
 * wheel steps the year, month or day under the cursor. Through set()/get()
 * the editor is a TLineEdit ("value" is the text).
 */
class VEKPANE_EXPORT TDateEdit : public TLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY dateChanged USER true)
    Q_PROPERTY(QDate maximumDate READ maximumDate WRITE setMaximumDate RESET clearMaximumDate)
    Q_PROPERTY(QDate minimumDate READ minimumDate WRITE setMinimumDate RESET clearMinimumDate)
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
    Q_PROPERTY(bool calendarPopup READ calendarPopup WRITE setCalendarPopup)
    Q_PROPERTY(QString dateString READ dateString WRITE setDateString)
    Q_PROPERTY(QString minimumDateString READ minimumDateString WRITE setMinimumDateString)
    Q_PROPERTY(QString maximumDateString READ maximumDateString WRITE setMaximumDateString)
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TDateEdit(QWidget *iParent = nullptr);
    TDateEdit(const QDate &iDate, QWidget *iParent = nullptr);
    ~TDateEdit() override;

    //! The stored date; null while the text is empty.
    QDate date() const;
    QDate minimumDate() const;
    //! Sets the lower bound, passes it to the calendar and moves a stored date below it up to it.
    void setMinimumDate(const QDate &iDate);
    void clearMinimumDate();
    QDate maximumDate() const;
    //! Sets the upper bound, passes it to the calendar and moves a stored date above it down to it.
    void setMaximumDate(const QDate &iDate);
    void clearMaximumDate();
    void setDateRange(const QDate &iMin, const QDate &iMax);
    QString displayFormat() const;
    //! Sets the format and rewrites the text of a stored date in it.
    void setDisplayFormat(const QString &iFormat);
    //! Whether the calendar button is enabled.
    bool calendarPopup() const;
    void setCalendarPopup(bool iEnable);
    //! The calendar the pop-up reads a confirmed day from.
    QCalendarWidget *calendarWidget() const;
    //! Makes the pop-up read \a iCalendar (not owned, not placed in the pop-up).
    void setCalendarWidget(QCalendarWidget *iCalendar);

public Q_SLOTS:
    //! Stores \a iDate clamped into the range and shows it.
    void setDate(const QDate &iDate);
    //! The date in the display format.
    QString dateString() const;
    //! setDate() of \a iDate read with the display format.
    void setDateString(const QString &iDate);
    //! The lower bound in the display format.
    QString minimumDateString() const;
    //! Reads the lower bound with the display format; text that does not parse leaves it unchanged.
    void setMinimumDateString(const QString &iDate);
    //! The upper bound in the display format.
    QString maximumDateString() const;
    //! Reads the upper bound with the display format; text that does not parse leaves it unchanged.
    void setMaximumDateString(const QString &iDate);
    //! Whether the wheel steps the field under the cursor.
    bool isWheelEnabled() const;
    //! Switches wheel stepping on or off.
    void setWheelEnabled(bool iEnable);

Q_SIGNALS:
    void DateChanged(QDate iDteTime);
    //! Declared for symmetry with the date-time editor; a date has no time, so never emitted.
    void timeChanged(QTime iTime);
    void dateChanged(QDate iDate);

protected:
    //! Hook for subclasses: this editor accepts any text, so Invalid.
    virtual QValidator::State validate(QString &iInput, int &iPos) const;
    //! Hook for subclasses: does nothing.
    virtual void fixup(QString &iInput) const;
    //! \a iText read with the display format.
    virtual QDate DateFromText(const QString &iText) const;
    //! \a iDate written in the display format.
    virtual QString textFromDate(const QDate &iDate) const;

    void wheelEvent(QWheelEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;
    bool focusNextPrevChild(bool iNext) override;

private Q_SLOTS:
    void onShowCalendarBtnClicked();
    void onEnterPressed();
    void onChooseDateConfrim(QDate iDate);

private:
    Q_DISABLE_COPY(TDateEdit)
    Q_DECLARE_PRIVATE_D(d, TDateEdit)
    const std::unique_ptr<TDateEditPrivate> d;
};

#endif // TDATEEDIT_H
