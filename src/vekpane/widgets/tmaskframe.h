#ifndef TMASKFRAME_H
#define TMASKFRAME_H

#include "vekpane_export.h"

#include <QFrame>

#include <memory>

class TMaskFramePrivate;

/*!
 * A frame laid over a target widget, for example to grey it out while
 * something runs. It keeps the target's size while shown over it. Its look
 * comes entirely from the theme's style sheet (selected by class name).
 */
class VEKPANE_EXPORT TMaskFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TMaskFrame(QWidget *iParent = nullptr);
    ~TMaskFrame() override;

    //! The widget the mask covers; null when none.
    QWidget *targetWidget() const;
    //! Follows \a iTargetWidget from now on (null: none); the geometry is recomputed on its next resize.
    void setTargetWidget(QWidget *iTargetWidget);

public Q_SLOTS:
    //! Covers \a iTargetWidget: takes its rectangle in the mask's parent, shows the mask and raises it.
    void showMask(QWidget *iTargetWidget);

protected:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TMaskFrame)
    Q_DECLARE_PRIVATE_D(d, TMaskFrame)
    const std::unique_ptr<TMaskFramePrivate> d;
};

#endif // TMASKFRAME_H
