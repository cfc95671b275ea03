#ifndef TTOOLTIP_H
#define TTOOLTIP_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class TToolTipPrivate;

/*!
 * A small frameless tool-tip window: one line of text or a rich-text snippet
 * in a bordered, bold label with a soft drop shadow. Composite editors show it
 * beside themselves in place of the platform tool tip.
 *
 * Own key: "value", the label text. Setting a new text sends "value_changed"
 * (true when the text differs from the "value" default) and shrinks the window
 * to the new text.
 */
class VEKPANE_EXPORT TToolTip : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TToolTip(QWidget *iParent = nullptr);
    ~TToolTip() override;

    //! Shows \a iText and shrinks the window to it; sends no event.
    void setText(const QString &iText);
    QString text() const;
    //! The font size of the label in pixels, 15 at first.
    int fontSize() const;
    //! Sets the label's font size in pixels.
    void setFontSize(const int &iSize);
    //! The label's text indent.
    void setIndent(int iIndent);

public Q_SLOTS:
    //! Common keys first, then "value".
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! "value" is the label text; other keys go to the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }

    TUI_INTERFACE_SLOTS

private:
    Q_DISABLE_COPY(TToolTip)
    Q_DECLARE_PRIVATE_D(d, TToolTip)
    const std::unique_ptr<TToolTipPrivate> d;
};

#endif // TTOOLTIP_H
