#ifndef TPUSHBUTTON_H
#define TPUSHBUTTON_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <QPushButton>

#include <memory>

class TPushButtonPrivate;

/*!
 * The push button of the widget library. Own keys: "text", "checkable",
 * "shortcut" (read and written, key-sequence text in the native format) and
 * "icon_size" (written only: "w,h", [w, h] or {width, height}). A button
 * styled "type=raised" gets a fresh drop shadow after every set().
 *
 * Events: "clicked" with the checked state, "hoverEnter" and "hoverLeave".
 */
class VEKPANE_EXPORT TPushButton : public QPushButton, public TuiAbstract
{
    Q_OBJECT
public:
    explicit TPushButton(QWidget *iParent = nullptr);
    ~TPushButton() override;

public Q_SLOTS:
    //! Sets an own key; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads an own key; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;

    TUI_ABSTRACT_SLOTS

protected:
    bool event(QEvent *iEvent) override;

protected Q_SLOTS:
    //! Sends "clicked" with \a iChecked.
    void onClicked(bool iChecked);

private:
    Q_DISABLE_COPY(TPushButton)
    Q_DECLARE_PRIVATE_D(d, TPushButton)
    const std::unique_ptr<TPushButtonPrivate> d;
};

#endif // TPUSHBUTTON_H
