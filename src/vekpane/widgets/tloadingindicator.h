#ifndef TLOADINGINDICATOR_H
#define TLOADINGINDICATOR_H

#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class TLoadingIndicatorPrivate;

/*!
 * A small self-painted busy spinner (with an optional percentage in its
 * middle), a thin progress bar, or one of four status symbols. It draws in
 * the palette's window-text colour, so the theme decides its colour. The
 * spinner turns every 150 ms while the type is Busy.
 */
class VEKPANE_EXPORT TLoadingIndicator : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int percent READ percent WRITE setPercent)
    Q_PROPERTY(DisplayType displayType READ displayType WRITE setDisplayType)
public:
    // Fixed underlying type: a script may hand in any number, which paints nothing.
    enum DisplayType : int { Busy = 0, Progress = 1, Information = 2, Success = 3, Failure = 4, Warning = 5 };
    Q_ENUM(DisplayType)

    explicit TLoadingIndicator(QWidget *iParent = nullptr);
    ~TLoadingIndicator() override;

    //! The percentage shown; -1 (at first): none.
    int percent() const;
    //! What is drawn; Busy at first.
    DisplayType displayType() const;

public Q_SLOTS:
    //! Sets the percentage (below 0: none) and repaints.
    void setPercent(int iValue);
    //! Sets what is drawn; the spinner turns only while the type is Busy.
    void setDisplayType(TLoadingIndicator::DisplayType iType);

protected:
    void paintEvent(QPaintEvent *iEvent) override;

private Q_SLOTS:
    void onTimeout();

private:
    Q_DISABLE_COPY(TLoadingIndicator)
    Q_DECLARE_PRIVATE_D(d, TLoadingIndicator)
    const std::unique_ptr<TLoadingIndicatorPrivate> d;
};

#endif // TLOADINGINDICATOR_H
