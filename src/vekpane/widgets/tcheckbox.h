#ifndef TCHECKBOX_H
#define TCHECKBOX_H

#include "tuiwrapper.h"

#include <QCheckBox>

class QLabel;
class TCheckBoxPrivate;

/*!
 * The check box of the widget library. At its right edge it can show a small
 * rounded "tip" badge with its own colours and font size; the box keeps its
 * text clear of it.
 *
 * Own keys: "value" (2 checked, 1 partly checked, anything else unchecked),
 * "tristate" (a bool; any other value turns it off), "text". The box sends no
 * widget events: listen to toggled().
 */
class VEKPANE_EXPORT TCheckBox : public QCheckBox, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int intValue READ intValue WRITE setIntValue)
public:
    explicit TCheckBox(QWidget *iParent = nullptr);
    explicit TCheckBox(const QString &iText, QWidget *iParent = nullptr);

public Q_SLOTS:
    //! The state as 1 checked, -1 partly checked, 0 unchecked.
    int intValue() const;
    //! 1 checks, -1 checks partly, anything else unchecks.
    void setIntValue(int iValueInt);
    //! Shows the tip badge with \a iText; the empty text hides it.
    void setTipText(const QString &iText);
    //! The badge text; empty when there is no badge.
    QString tipText() const;
    //! The badge font size in pixels, 12 at first.
    void setTipFontSize(int iFontSize);
    int tipFontSize() const;
    //! The badge background colour ("#RRGGBB" or "#RRGGBBAA"), "#EAEDF1" at first.
    void setTipBgColor(const QString &iColor);
    QString tipBgColor() const;
    //! The badge text colour, "#54698D" at first.
    void setTipFgColor(const QString &iColor);
    QString tipFgColor() const;
    //! The badge label, made on first use.
    QLabel *tipLabel();

    TUI_WRAPPER(TCheckBox)
};

#endif // TCHECKBOX_H
