#ifndef TTITLEEXPANDER_H
#define TTITLEEXPANDER_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QFrame>
#include <QSize>

#include <memory>

class QAbstractButton;
class QLabel;
class TTitleExpanderPrivate;

/*!
 * A collapsible group: a title row (optional icon, title text, extra title
 * widgets, an expand indicator or a caller's toggle button) over a body
 * widget shown only while expanded. A left click in the title band (the top
 * 25 pixels) folds or unfolds it.
 *
 * Own keys: "icon", "text" (read and written), "expanded", "expanded_icon",
 * "collapsed_icon" (written only). A group styled "type=raised" gets the
 * theme's shadow after every attribute write.
 */
class VEKPANE_EXPORT TTitleExpander : public QFrame, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString icon READ icon WRITE setIcon)
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(Qt::Alignment textAlignment READ textAlignment WRITE setTextAlignment)
    Q_PROPERTY(QSize iconSize READ iconSize WRITE setIconSize)
    Q_PROPERTY(QString expandedIcon READ expandedIcon WRITE setExpandedIcon)
    Q_PROPERTY(QString collapsedIcon READ collapsedIcon WRITE setCollapsedIcon)
    Q_PROPERTY(bool expanded READ isExpanded WRITE setExpanded NOTIFY toggled)
    Q_PROPERTY(bool collapsible READ isCollapsible WRITE setCollapsible)
public:
    explicit TTitleExpander(QWidget *iParent = nullptr);
    ~TTitleExpander() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value: getAttr() of the empty key.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The icon name of the title.
    QString icon() const;
    //! Shows the named icon before the title; the empty name hides it.
    void setIcon(const QString &iName);
    //! The size of the title icon, 16 x 16 at first.
    QSize iconSize() const;
    //! Sets the size the next setIcon() draws at.
    void setIconSize(const QSize &iSize);
    //! The title text.
    QString text() const;
    //! Sets the title text.
    void setText(const QString &iText);
    //! The alignment of the title text.
    Qt::Alignment textAlignment() const;
    //! Aligns the title text.
    void setTextAlignment(Qt::Alignment iAlignment);
    //! The icon name of the indicator while expanded ("angle-down" at first).
    QString expandedIcon() const;
    //! Sets the indicator icon shown while expanded.
    void setExpandedIcon(const QString &iName);
    //! The icon name of the indicator while collapsed ("angle-left" at first).
    QString collapsedIcon() const;
    //! Sets the indicator icon shown while collapsed.
    void setCollapsedIcon(const QString &iName);
    //! Whether the body is shown; false at first.
    bool isExpanded() const;
    //! Shows or hides the body and emits toggled(); nothing when unchanged.
    void setExpanded(bool iExpanedBol = true);
    //! The caller's toggle button; null when none.
    QAbstractButton *toggleButton() const;
    //! Puts \a iButtonPtr into the title row at \a iPositionInt in place of the indicator; its toggled() expands and collapses. Null brings the indicator back.
    void setToggleButton(QAbstractButton *iButtonPtr, int iPositionInt = -1);
    //! The body widget; null when none.
    QWidget *bodyWidget() const;
    //! Adds \a iWidget below the title as the body, shown while expanded.
    void setBodyWidget(QWidget *iWidget);
    //! The title label (object name "TITLE_LABEL").
    QLabel *titleLabel() const;
    //! Inserts \a iWidgetPtr into the title row at \a iPositionInt (-1: the end).
    void addTitleWidget(QWidget *iWidgetPtr, int iPositionInt = -1, int iStretchInt = 0,
                        Qt::Alignment iAlign = Qt::Alignment());
    //! Whether a click in the title band folds and unfolds; true at first.
    bool isCollapsible() const;
    //! Lets clicks in the title band fold and unfold, and shows the indicator, or not.
    void setCollapsible(bool iCollapsible);

    TUI_INTERFACE_SLOTS
    //! The body was shown (true) or hidden.
    void toggled(bool iExpandedBol);

protected:
    void mouseReleaseEvent(QMouseEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TTitleExpander)
    Q_DECLARE_PRIVATE_D(d, TTitleExpander)
    const std::unique_ptr<TTitleExpanderPrivate> d;
};

#endif // TTITLEEXPANDER_H
