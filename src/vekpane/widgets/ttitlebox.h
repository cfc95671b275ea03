#ifndef TTITLEBOX_H
#define TTITLEBOX_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class TSearchEntry;
class TTitleBoxPrivate;

/*!
 * A title bar with an icon and a text, and on demand a search entry at its
 * right end. It paints its style-sheet background, so a theme can colour it.
 *
 * Own keys: "value" (the text), "icon_width", "icon_height" (the size of the
 * next icon) and "icon_str" (the icon name), read and written; a write takes
 * only its own value type (text, or an integer for the sizes).
 */
class VEKPANE_EXPORT TTitleBox : public QWidget, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int iconWidth READ iconWidth WRITE setIconWidth)
    Q_PROPERTY(int iconHeight READ iconHeight WRITE setIconHeight)
    Q_PROPERTY(QString text READ text WRITE setText USER true)
public:
    explicit TTitleBox(QWidget *iParent = nullptr);
    ~TTitleBox() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value: getAttr() of the empty key.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The width the next icon is drawn at, 24 at first.
    int iconWidth() const;
    //! Sets the width the next icon is drawn at.
    void setIconWidth(int iWidthInt);
    //! The height the next icon is drawn at, 24 at first.
    int iconHeight() const;
    //! Sets the height the next icon is drawn at.
    void setIconHeight(int iHeightInt);
    //! The title text.
    QString text() const;
    //! Sets the title text.
    void setText(const QString &iTextStr);
    //! Shows the named icon at the current icon size.
    void setIconFile(const QString &iFileStr);
    //! The search entry at the right end, made on the first call.
    TSearchEntry *searchEntry();

    TUI_INTERFACE_SLOTS

protected:
    void paintEvent(QPaintEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TTitleBox)
    Q_DECLARE_PRIVATE_D(d, TTitleBox)
    const std::unique_ptr<TTitleBoxPrivate> d;
};

#endif // TTITLEBOX_H
