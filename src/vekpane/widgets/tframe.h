#ifndef TFRAME_H
#define TFRAME_H

#include "tuiwrapper.h"

#include <QFrame>

class TFramePrivate;

/*!
 * The frame of the widget library. Own keys (written only): "frame_shape",
 * "frame_shadow" (names as QFrame spells them, any letter case),
 * "line_width" and "mid_line_width". Announces every new size through
 * sizeChanged().
 */
class VEKPANE_EXPORT TFrame : public QFrame, public TUiInterface
{
    Q_OBJECT
public:
    explicit TFrame(QWidget *iParent = nullptr);

    TUI_WRAPPER(TFrame)

Q_SIGNALS:
    //! The frame's new size, after the frame itself has handled the resize.
    void sizeChanged(QSize iSize);

protected:
    void resizeEvent(QResizeEvent *iEvent) override;
};

#endif // TFRAME_H
