#ifndef TICONSELECTOR_H
#define TICONSELECTOR_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QLineEdit>

#include <memory>

class TIconSelectorPrivate;

/*!
 * A one-line editor for an icon name: the base name of an icon file,
 * optionally followed by "." and a colour ("folder.#3f82b0"). A preview of
 * the icon sits at the left; at the right one button picks the base name from
 * every SVG icon of the icon folders, another picks the colour. The name is
 * the line's text. Common keys only.
 */
class VEKPANE_EXPORT TIconSelector : public QLineEdit, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString iconBgColor READ iconBgColor WRITE setIconBgColor)
public:
    explicit TIconSelector(QWidget *iParent = nullptr);
    ~TIconSelector() override;

public Q_SLOTS:
    //! Applies the common keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Reads a common key.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions = QVariant()) override;

    //! The colour behind the preview.
    QString iconBgColor() const;
    //! Sets the colour behind the preview (any style-sheet colour).
    void setIconBgColor(const QString &iColor);

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onTextChanged(const QString &iText);
    void onIconButtonClicked();
    void onColorButtonCicked();

private:
    Q_DISABLE_COPY(TIconSelector)
    Q_DECLARE_PRIVATE_D(d, TIconSelector)
    const std::unique_ptr<TIconSelectorPrivate> d;
};

#endif // TICONSELECTOR_H
