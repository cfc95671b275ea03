#ifndef TDATEEDITSUPPORT_P_H
#define TDATEEDITSUPPORT_P_H

#include "tlineedit.h"
#include "ttoolbutton.h"

#include <QDateTime>
#include <QMenu>
#include <QString>
#include <QWheelEvent>

/*
 * What the date, date-time and time editors share: the clamp into their
 * range, the field the wheel steps, the end of their pop-up, and the part of
 * their private that only differs in the type of the value.
 */
namespace TDateEditSupport {

// iValue inside [iMin, iMax]; a bound that is not valid does not bound, and
// a value that is not valid stays so.
template<typename T>
T clamp(const T &iValue, const T &iMin, const T &iMax)
{
    if (!iValue.isValid())
        return iValue;
    if (iMin.isValid() && iValue < iMin)
        return iMin;
    if (iMax.isValid() && iValue > iMax)
        return iMax;
    return iValue;
}

// The index into iFormat of the field the wheel steps: the letter before the
// cursor, or the one after it when that is no field letter and the text goes
// on; -1 when the index falls outside the format.
inline int wheelFieldIndex(const QString &iFormat, int iCursor, int iTextLength)
{
    static const QString fieldLetters = QStringLiteral("yMdhms");
    int index = iCursor - 1;
    const bool inside = index >= 0 && index < iFormat.size();
    if ((!inside || !fieldLetters.contains(iFormat.at(index))) && iTextLength > iCursor + 1)
        index = iCursor;
    return index >= 0 && index < iFormat.size() ? index : -1;
}

// +1, -1 or 0 for the turn of the wheel.
inline int wheelDirection(const QWheelEvent *iEvent)
{
    const QPoint delta = iEvent->angleDelta();
    const int value = delta.y() != 0 ? delta.y() : delta.x();
    return (value > 0) - (value < 0);
}

// iValue moved by iSteps in the field of the format letter iField; a letter
// the type has no field for leaves it. A time wraps past midnight, a
// date-time rolls its date over.
QDate stepped(const QDate &iValue, QChar iField, int iSteps);
QTime stepped(const QTime &iValue, QChar iField, int iSteps);
QDateTime stepped(const QDateTime &iValue, QChar iField, int iSteps);

// The pop-up has no parent; its editor ends it. An open one is closed first
// and goes once its own modal loop has returned.
inline void releaseChooser(QMenu *iChooser)
{
    if (!iChooser)
        return;
    if (iChooser->isVisible()) {
        iChooser->hide();
        iChooser->deleteLater();
    } else {
        delete iChooser;
    }
}

// The calendar button, appended inside iEditor.
TToolButton *appendCalendarButton(TLineEdit *iEditor);

/*
 * The private of an editor of a T (QDate, QTime or QDateTime) with its pop-up
 * Chooser. The editor's own private adds what it reports on a store.
 */
template<typename T, typename Chooser>
class EditorCore
{
public:
    EditorCore(TLineEdit *iEditor, const T &iMinimum, const T &iMaximum, const QString &iFormat)
        : minimum(iMinimum)
        , maximum(iMaximum)
        , displayFormat(iFormat)
        , editor(iEditor)
    {}
    virtual ~EditorCore() = default;

    // The calendar button opens the pop-up through iShow, a confirmation of
    // the pop-up arrives at iConfirmed and Enter at iEnter.
    template<typename Editor, typename Value>
    void build(Editor *iEditor, void (Editor::*iShow)(), void (Editor::*iConfirmed)(Value), void (Editor::*iEnter)())
    {
        calendarButton = appendCalendarButton(iEditor);
        QObject::connect(calendarButton, &QToolButton::clicked, iEditor, iShow);
        chooser = new Chooser;
        QObject::connect(chooser, &Chooser::confrim, iEditor, iConfirmed);
        QObject::connect(iEditor, &QLineEdit::returnPressed, iEditor, iEnter);
    }

    T parse(const QString &iText) const { return T::fromString(iText, displayFormat); }
    QString format(const T &iValue) const { return iValue.toString(displayFormat); }
    void writeText() { editor->setText(format(value)); }

    // Stores iValue clamped, shows it and reports a change. False when a
    // listener destroyed the editor.
    virtual bool store(const T &iValue) = 0;

    // Keeps iValue clamped and shows it; true when the stored value changed.
    bool assign(const T &iValue)
    {
        const T old = value;
        value = clamp(iValue, minimum, maximum);
        settle(value);
        writeText();
        return !(value == old && value.isValid() == old.isValid());
    }

    // Reads the typed text back: a valid value is stored; other text stays,
    // or gives way to the stored value's text when restoresRejectedText.
    // False when a listener destroyed the editor.
    bool commitText()
    {
        const QString text = editor->text();
        if (text.isEmpty())
            return true;
        const T typed = parse(text);
        if (typed.isValid())
            return store(typed);
        if (restoresRejectedText)
            writeText();
        return true;
    }

    // Reads iText into ioBound; text that does not parse leaves it and
    // gives false.
    bool readBound(T &ioBound, const QString &iText) const
    {
        const T bound = parse(iText);
        if (!bound.isValid())
            return false;
        ioBound = bound;
        return true;
    }

    // After a bound moved: a stored value outside the range is clamped.
    void reclamp()
    {
        if (value.isValid() && clamp(value, minimum, maximum) != value)
            store(value);
    }

    // Steps the field under the cursor; the editor ignores the wheel while
    // stepping is off or the text is empty.
    void wheel(QWheelEvent *iEvent)
    {
        if (!wheelEnabled || editor->text().isEmpty()) {
            iEvent->ignore();
            return;
        }
        iEvent->accept();
        const int field = wheelFieldIndex(displayFormat, editor->cursorPosition(), editor->text().size());
        // Text put in through the attribute interface, or typed, counts first.
        if (!commitText() || !value.isValid())
            return;
        const int steps = wheelDirection(iEvent) * wheelStep;
        // A listener of that commit may have given a shorter format.
        const QChar letter = field >= 0 && field < displayFormat.size() ? displayFormat.at(field) : QChar();
        if (store(stepped(value, letter, steps)))
            editor->setCursorPosition(field + 1);
    }

    TToolButton *calendarButton = nullptr;
    Chooser *chooser = nullptr;
    T value;
    T minimum;
    T maximum;
    QString displayFormat;
    bool wheelEnabled = false;
    const int wheelStep = 1;
    // The date-time editor shows its value again after text it cannot read.
    bool restoresRejectedText = false;

protected:
    // What a clamped value takes on before it is kept.
    virtual void settle(T &ioValue) { Q_UNUSED(ioValue) }

private:
    TLineEdit *const editor;
};

} // namespace TDateEditSupport

#endif // TDATEEDITSUPPORT_P_H
