#ifndef TLCHOOSETIMEWIDGET_H
#define TLCHOOSETIMEWIDGET_H

#include "vekpane_export.h"

#include <QMenu>
#include <QTime>

#include <memory>

class TLChooseTimeWidgetPrivate;

/*!
 * The pop-up of the time editor: hour, minute and second boxes. It is shown
 * with exec(), reports the choice through confrim() and then hides itself.
 *
 * In single-step mode (0) a pick in a box confirms and the confirm and cancel
 * buttons are hidden; in mode 1 only Return or the confirm button confirm.
 */
class VEKPANE_EXPORT TLChooseTimeWidget : public QMenu
{
    Q_OBJECT
public:
    explicit TLChooseTimeWidget(QWidget *iParent = nullptr);
    ~TLChooseTimeWidget() override;

    //! Refills the hour box with the step clamped into 1 to 23.
    void setHourComboList(int iStep);
    //! Refills the minute box with the step clamped into 1 to 59; a step of 59 hides the minute.
    void setMinuteComboList(int iStep);
    //! Refills the second box with the step clamped into 1 to 59; a step of 59 hides the second.
    void setSecondComboList(int iStep);
    //! The steps in use.
    int hourStep() const;
    int minuteStep() const;
    int secondStep() const;
    //! Shows or hides each field.
    void setPartsVisible(bool iHour, bool iMinute, bool iSecond);
    //! 0: a pick confirms, no buttons; 1: only Return or the confirm button confirm, buttons shown.
    void setConfirmMode(int iMode);
    int confirmMode() const;
    //! Shows a valid time in the boxes; nothing is confirmed.
    void preselect(const QTime &iTime);
    //! The time last confirmed.
    QTime chosenTime() const;

Q_SIGNALS:
    //! The user confirmed \a iDateTime.
    void confrim(QTime iDateTime);

protected:
    void keyPressEvent(QKeyEvent *iEvent) override;

private Q_SLOTS:
    void onConfirmBtnClicked();
    void onCancelBtnClicked();
    void onHourComboBoxSelected();
    void onMinuteComboBoxSelected();
    void onSecondComboBoxSelected();

private:
    Q_DISABLE_COPY(TLChooseTimeWidget)
    Q_DECLARE_PRIVATE_D(d, TLChooseTimeWidget)
    const std::unique_ptr<TLChooseTimeWidgetPrivate> d;
};

#endif // TLCHOOSETIMEWIDGET_H
