#ifndef TCALENDARWIDGET_H
#define TCALENDARWIDGET_H

#include "tuiwrapper.h"

#include <QCalendarWidget>

class TCalendarWidgetPrivate;

/*!
 * The calendar of the widget library. Own key: "value", the selected date as
 * "yyyy-MM-dd". On every focus loss it sends "editing_finished", then
 * "value_changed" telling whether the date differs from the default of "value".
 */
class VEKPANE_EXPORT TCalendarWidget : public QCalendarWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TCalendarWidget(QWidget *iParent = nullptr);

    TUI_WRAPPER(TCalendarWidget)

protected:
    void focusOutEvent(QFocusEvent *iEvent) override;
};

#endif // TCALENDARWIDGET_H
