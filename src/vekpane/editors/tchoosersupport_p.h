#ifndef TCHOOSERSUPPORT_P_H
#define TCHOOSERSUPPORT_P_H

#include <QString>
#include <QTime>

class QComboBox;
class QHBoxLayout;
class QMenu;
class QWidget;
class TComboBox;
class TLabel;
class TToolButton;

/*
 * What the date and time pop-ups and their editors share: the row of hour,
 * minute and second boxes with its confirm and cancel buttons, the filling
 * of a box by a step, the reading of a display format, and the placing of a
 * pop-up under its editor.
 */
namespace TChooserSupport {

// Confirmation modes: a click or a pick confirms at once, or only a double
// click, Return or the confirm button do.
enum ConfirmMode { SingleStep = 0, DoubleClick = 1 };

struct TimeRow
{
    // Creates the parts as children of iOwner; the captions are translated
    // in iContext.
    void build(QWidget *iOwner, const char *iContext);
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
