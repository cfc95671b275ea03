#ifndef TPOPUPWINDOW_H
#define TPOPUPWINDOW_H

#include "tuiwrapper.h"

#include <QRect>
#include <QWidget>

class TPopupWindowPrivate;

/*!
 * A frameless pop-up that unfolds towards a rectangle in a short animation.
 * The user moves it by dragging and resizes it from its edges and corners.
 * Installed as event filter on other objects (its children, say), it handles
 * their hover and mouse events as its own. It sends no events of its own and
 * has only the common keys.
 */
class VEKPANE_EXPORT TPopupWindow : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    //! The side from which the window unfolds.
    enum PopupPosition {
        PopupFromLeft = 0,
        PopupFromRight = 1,
        PopupFromTop = 2,
        PopupFromBottom = 3,
        PopupFromCenter = 4
    };

    explicit TPopupWindow(QWidget *iParent = nullptr);

    TUI_WRAPPER(TPopupWindow)

public Q_SLOTS:
    //! Shows the window at zero size and animates it over 300 ms from a thin strip on the side \a iDirection to \a iPopupRect.
    void popup(const QRect &iPopupRect, TPopupWindow::PopupPosition iDirection);
    //! As above with the side as an alignment: left, right, top, bottom or centre; anything else unfolds from the left.
    void popup(const QRect &iPopupRect, Qt::Alignment iDirection);
    //! Whether dragging moves the window; true at first.
    bool isMoveable() const;
    //! Lets dragging move the window, or not.
    void setMoveable(bool iMoveable);
    //! Whether the edges and corners resize the window; true at first.
    bool isResizable() const;
    //! Lets the edges and corners resize the window, or not.
    void setResizable(bool iResizable);

public:
    bool event(QEvent *iEvent) override;

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;
};

#endif // TPOPUPWINDOW_H
