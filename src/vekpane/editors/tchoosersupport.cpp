#include "tchoosersupport_p.h"

#include "tcombobox.h"
#include "tlabel.h"
#include "tresource.h"
#include "ttheme.h"
#include "ttoolbutton.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>

namespace TChooserSupport {

namespace {

TToolButton *flatButton(QWidget *iOwner, const QString &iIcon)
{
    auto *button = new TToolButton(iOwner);
    button->setIcon(TResource::instance()->icon(iIcon, QStringLiteral("button"), QStringLiteral("body")));
    button->setAttr(QStringLiteral("style"), QStringLiteral("type=flat"));
    return button;
}

} // namespace

void ChooserCore::confirm()
{
    // Once hidden the choice is made: a double click that also activates the
    // day confirms once.
    if (!menu->isVisible())
        return;
    // The editor's listeners may destroy the editor, which then lets the
    // pop-up go later; it is still here to hide.
    QPointer<QMenu> guard(menu);
    report();
    if (guard)
        menu->hide();
}

void ChooserCore::confirmIn(int iMode)
{
    if (mode == iMode)
        confirm();
}

bool ChooserCore::keyPressed(QKeyEvent *iEvent)
{
    QPointer<QMenu> guard(menu);
    if (iEvent->key() == Qt::Key_Return) {
        iEvent->accept();
        confirm();
    }
    return !guard.isNull();
}

QCalendarWidget *CalendarPart::reading() const
{
    if (readCalendar)
        return readCalendar;
    return calendar;
}

void CalendarPart::preselect(const QDate &iDate)
{
    QCalendarWidget *shown = reading();
    if (iDate.isValid()) {
        shown->setSelectedDate(iDate);
    } else {
        const QDate today = QDate::currentDate();
        shown->setSelectedDate(today);
        shown->setCurrentPage(today.year(), today.month());
    }
}

void TimeRow::build(QWidget *iOwner, const char *iContext)
{
    hourLabel = new TLabel(iOwner);
    hourLabel->setText(QCoreApplication::translate(iContext, "hour:"));
    minuteLabel = new TLabel(iOwner);
    minuteLabel->setText(QCoreApplication::translate(iContext, "minute:"));
    secondLabel = new TLabel(iOwner);
    secondLabel->setText(QCoreApplication::translate(iContext, "second:"));
    hourBox = new TComboBox(iOwner);
    minuteBox = new TComboBox(iOwner);
    secondBox = new TComboBox(iOwner);
    confirmButton = flatButton(iOwner, QStringLiteral("check"));
    cancelButton = flatButton(iOwner, QStringLiteral("close"));

    timeLayout = new QHBoxLayout;
    const std::pair<TLabel *, TComboBox *> parts[]
            = {{hourLabel, hourBox}, {minuteLabel, minuteBox}, {secondLabel, secondBox}};
    for (const auto &part : parts) {
        part.second->setMinimumWidth(40);
        timeLayout->addWidget(part.first, 1, Qt::AlignRight);
        timeLayout->addWidget(part.second, 1, Qt::AlignLeft);
    }
    buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(TTheme::instance()->dp(4));
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(confirmButton);
    buttonLayout->addWidget(cancelButton);
}

QGridLayout *TimeRow::layOut(QWidget *iOwner, QWidget *iAbove)
{
    auto *grid = new QGridLayout(iOwner);
    if (iAbove)
        grid->addWidget(iAbove, 0, 0, 4, 3);
    grid->addLayout(timeLayout, 4, 0, 1, 3);
    grid->addLayout(buttonLayout, 5, 0, 1, 3);
    const int margin = TTheme::instance()->dp(2);
    grid->setContentsMargins(margin, margin, margin, margin);
    return grid;
}

void TimeRow::setButtonsVisible(bool iVisible)
{
    confirmButton->setVisible(iVisible);
    cancelButton->setVisible(iVisible);
}

void TimeRow::setPartsVisible(bool iHour, bool iMinute, bool iSecond)
{
    hourLabel->setVisible(iHour);
    hourBox->setVisible(iHour);
    minuteLabel->setVisible(iMinute);
    minuteBox->setVisible(iMinute);
    secondLabel->setVisible(iSecond);
    secondBox->setVisible(iSecond);
}

void TimeRow::showTime(const QTime &iTime)
{
    const std::pair<QComboBox *, int> fields[]
            = {{hourBox, iTime.hour()}, {minuteBox, iTime.minute()}, {secondBox, iTime.second()}};
    for (const auto &field : fields) {
        const QSignalBlocker blocker(field.first);
        field.first->setCurrentText(QString::number(field.second));
    }
}

QTime TimeRow::chosenTime() const
{
    return QTime(hourBox->currentText().toInt(nullptr, 10), minuteBox->currentText().toInt(nullptr, 10),
                 secondBox->currentText().toInt(nullptr, 10), 0);
}

void fillSteps(QComboBox *iBox, int iStep, int iLimit)
{
    QStringList items;
    for (int value = 0; value < iLimit; value += iStep)
        items.append(QString::number(value));
    // Refilling is no choice: in single-step mode a reported change would
    // confirm.
    const QSignalBlocker blocker(iBox);
    iBox->clear();
    iBox->insertItems(0, items);
}

bool hasDateLetter(const QString &iFormat)
{
    return iFormat.contains(QLatin1Char('y')) || iFormat.contains(QLatin1Char('M'))
           || iFormat.contains(QLatin1Char('d'));
}

int timeLetterCount(const QString &iFormat)
{
    return int(iFormat.contains(QLatin1Char('h'))) + int(iFormat.contains(QLatin1Char('m')))
           + int(iFormat.contains(QLatin1Char('s')));
}

void execBelow(QMenu *iChooser, QWidget *iEditor)
{
    // Shown once so that the layout gives the pop-up its real size.
    iChooser->show();
    iChooser->hide();
    const int x = iEditor->width() - iChooser->width();
    int y = iEditor->height();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen
        && screen->availableGeometry().height() - iEditor->mapToGlobal(QPoint(x, y)).y() - iChooser->height() < 1)
        y = -iChooser->height();
    iChooser->exec(iEditor->mapToGlobal(QPoint(x, y)));
}

} // namespace TChooserSupport
