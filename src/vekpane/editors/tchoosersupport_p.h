#ifndef TCHOOSERSUPPORT_P_H
#define TCHOOSERSUPPORT_P_H

#include "tcombobox.h"
#include "tdoubleclickcalendarwiget.h"
#include "ttoolbutton.h"

#include <QPointer>
#include <QString>
#include <QTime>

class QGridLayout;
class QHBoxLayout;
class QKeyEvent;
class QMenu;
class QWidget;
class TLabel;

/*
 * What the date and time pop-ups and their editors share: the confirmation,
 * the calendar, the row of hour, minute and second boxes with its confirm
 * and cancel buttons, the filling of a box by a step, the reading of a
 * display format, and the placing of a pop-up under its editor.
 */
namespace TChooserSupport {

// Confirmation modes: a click or a pick confirms at once, or only a double
// click, Return or the confirm button do.
enum ConfirmMode { SingleStep = 0, DoubleClick = 1 };

// The private part every pop-up shares: a confirmation reports the choice
// once while the pop-up is shown, then hides it.
class ChooserCore
{
public:
    explicit ChooserCore(QMenu *iMenu)
        : menu(iMenu)
    {}
    virtual ~ChooserCore() = default;

    void confirm();
    // confirm() when the pop-up is in iMode.
    void confirmIn(int iMode);
    // Return confirms in any mode. True when the pop-up is still there to
    // hand the key on.
    bool keyPressed(QKeyEvent *iEvent);

    int mode = DoubleClick;

protected:
    // Takes the choice from the pop-up's parts and reports it; a listener may
    // destroy the pop-up.
    virtual void report() = 0;

private:
    QMenu *const menu;
};

// The calendar of the date and date-time pop-ups. A calendar given by the
// caller replaces the own one for reading.
struct CalendarPart
{
    // Creates the calendar, still without a parent, and wires a click, a
    // double click and an activation to the pop-up.
    template<typename Menu>
    void build(Menu *iMenu, void (Menu::*iClicked)(), void (Menu::*iDoubleClicked)(), void (Menu::*iActivated)())
    {
        calendar = new TDoubleClickCalendarWiget;
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        QObject::connect(calendar, &TDoubleClickCalendarWiget::doubleClick, iMenu, iDoubleClicked);
        QObject::connect(calendar, &QCalendarWidget::clicked, iMenu, iClicked);
        QObject::connect(calendar, &QCalendarWidget::activated, iMenu, iActivated);
    }
    // The calendar a confirmation reads.
    QCalendarWidget *reading() const;
    // Selects iDate, or today (and shows its month) when it is invalid.
    void preselect(const QDate &iDate);

    TDoubleClickCalendarWiget *calendar = nullptr;
    QPointer<QCalendarWidget> readCalendar;
};

struct TimeRow
{
    // Creates the parts as children of iOwner; the captions are translated
    // in iContext.
    void build(QWidget *iOwner, const char *iContext);
    // Each box reports a pick to its own slot, the buttons to theirs.
    template<typename Menu>
    void connectTo(Menu *iMenu, void (Menu::*iHour)(), void (Menu::*iMinute)(), void (Menu::*iSecond)(),
                   void (Menu::*iConfirm)(), void (Menu::*iCancel)())
    {
        QObject::connect(hourBox, QOverload<int>::of(&QComboBox::currentIndexChanged), iMenu, iHour);
        QObject::connect(minuteBox, QOverload<int>::of(&QComboBox::currentIndexChanged), iMenu, iMinute);
        QObject::connect(secondBox, QOverload<int>::of(&QComboBox::currentIndexChanged), iMenu, iSecond);
        QObject::connect(confirmButton, &QToolButton::clicked, iMenu, iConfirm);
        QObject::connect(cancelButton, &QToolButton::clicked, iMenu, iCancel);
    }
    // The pop-up's layout: iAbove (when given) over the boxes over the
    // buttons.
    QGridLayout *layOut(QWidget *iOwner, QWidget *iAbove);
    void setButtonsVisible(bool iVisible);
    void setPartsVisible(bool iHour, bool iMinute, bool iSecond);
    // Each box shows the plain number of its field; no box reports it.
    void showTime(const QTime &iTime);
    // Hour, minute and second as the boxes show them, 0 milliseconds.
    QTime chosenTime() const;

    TLabel *hourLabel = nullptr;
    TLabel *minuteLabel = nullptr;
    TLabel *secondLabel = nullptr;
    TComboBox *hourBox = nullptr;
    TComboBox *minuteBox = nullptr;
    TComboBox *secondBox = nullptr;
    TToolButton *confirmButton = nullptr;
    TToolButton *cancelButton = nullptr;
    QHBoxLayout *timeLayout = nullptr;
    QHBoxLayout *buttonLayout = nullptr;
};

// Refills iBox with 0, iStep, 2 * iStep ... below iLimit, without reporting
// the changes of its current item. iStep must be at least 1.
void fillSteps(QComboBox *iBox, int iStep, int iLimit);

// The letters of a display format: any of y, M, d; how many of h, m, s.
bool hasDateLetter(const QString &iFormat);
int timeLetterCount(const QString &iFormat);

// Shows iChooser modally at the right edge below iEditor, or above it when
// the screen has no room below. Returns when the pop-up has closed; iEditor
// may be gone by then.
void execBelow(QMenu *iChooser, QWidget *iEditor);

} // namespace TChooserSupport

#endif // TCHOOSERSUPPORT_P_H
