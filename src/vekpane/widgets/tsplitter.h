#ifndef TSPLITTER_H
#define TSPLITTER_H

#include "tuiwrapper.h"

#include <QList>
#include <QSplitter>

class TSplitterPrivate;

/*!
 * The splitter of the widget library. It sets one pane to a size, at once or
 * animated over 100 ms, taking the difference from the next pane (from the
 * previous one for the last pane), and it remembers a set of pane sizes, for
 * example before a pane is collapsed, to report them later.
 *
 * Own key, written only: "orientation" ("Horizontal" or "Vertical").
 */
class VEKPANE_EXPORT TSplitter : public QSplitter, public TUiInterface
{
    Q_OBJECT
public:
    explicit TSplitter(QWidget *iParent = nullptr);

    TUI_WRAPPER(TSplitter)

public Q_SLOTS:
    //! Gives pane \a iIndex the size \a iSize; nothing for fewer than two panes, an index outside them or an unchanged size.
    void setWidgetSize(int iIndex, int iSize, bool iAnimated = false);
    //! As above for the pane holding \a iWidget; nothing when it is not a pane.
    void setWidgetSize(QWidget *iWidget, int iSize, bool iAnimated = false);
    //! Remembers the current pane sizes.
    void cacheSizes();
    //! The remembered sizes, or the current ones while none are remembered.
    QList<int> getCacheSizes() const;
    //! The remembered (or current) size of pane \a iIndex; 0 outside the panes.
    int getCacheSize(int iIndex) const;
    //! As above for the pane holding \a iWidget.
    int getCacheSize(QWidget *iWidget) const;

private Q_SLOTS:
    void onSizeAnimation(const QVariant &iSize);
};

#endif // TSPLITTER_H
