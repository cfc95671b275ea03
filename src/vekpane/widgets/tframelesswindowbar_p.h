#ifndef TFRAMELESSWINDOWBAR_P_H
#define TFRAMELESSWINDOWBAR_P_H

#include "tframelesswindowbar.h"

#include <QPointer>

class TFramelessWindowBarPrivate
{
    Q_DECLARE_PUBLIC(TFramelessWindowBar)
public:
    explicit TFramelessWindowBarPrivate(TFramelessWindowBar *iPublic);

    // Connects or disconnects one system button to its host slot.
    void wire(QAbstractButton *iButton, const char *iHostSlot) const;
    void unwire(QAbstractButton *iButton) const;
    void refreshTitle();
    void refreshIcon();
    void refreshMaxRestore();
    bool helperWorking() const { return frameless && helper; }

    static TFramelessWindowBar::HelperFactory factory;

    // Guarded: the host may be deleted while the bar lives on elsewhere.
    QPointer<QWidget> host;
    TFramelessHelper *helper = nullptr;
    QPointer<QAbstractButton> closeButton;
    QPointer<QAbstractButton> maxButton;
    QPointer<QAbstractButton> normalButton;
    QPointer<QAbstractButton> minButton;
    QPointer<QAbstractButton> iconButton;
    QPointer<QLabel> titleLabel;
    bool frameless = true;
    TFramelessWindowBar::AutoHideHints autoHideFlags = TFramelessWindowBar::AutoHideHint_All;
    QList<QPointer<QWidget>> editableWidgets;
    TFramelessWindowBar *q_ptr;
};

#endif // TFRAMELESSWINDOWBAR_P_H
