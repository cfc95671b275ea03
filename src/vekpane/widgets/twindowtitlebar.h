#ifndef TWINDOWTITLEBAR_H
#define TWINDOWTITLEBAR_H

#include "vekpane_export.h"

#include <QFrame>

#include <memory>

class TWindowTitleBarPrivate;

//! A minimal title-bar frame that reports double clicks.
class VEKPANE_EXPORT TWindowTitleBar : public QFrame
{
    Q_OBJECT
public:
    explicit TWindowTitleBar(QWidget *parent);
    ~TWindowTitleBar() override;

Q_SIGNALS:
    //! A double click on the frame, before the frame handles it.
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Q_DISABLE_COPY(TWindowTitleBar)
    Q_DECLARE_PRIVATE_D(d, TWindowTitleBar)
    const std::unique_ptr<TWindowTitleBarPrivate> d;
};

#endif // TWINDOWTITLEBAR_H
