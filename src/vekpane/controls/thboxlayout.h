#ifndef THBOXLAYOUT_H
#define THBOXLAYOUT_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QHBoxLayout>

class THBoxLayoutPrivate;

/*!
 * A row layout for scripts: widgets and nested layouts are appended, taken
 * as any QObject and placed only when they are of the right kind, with the
 * alignment given as text. Own keys: "spacing" and "margin".
 *
 * Pixel numbers and stretch factors run from 0 to the pixel bound that
 * docs/scripts.md gives (a spacing also -1, the style's); anything else is
 * refused with one error line.
 */
class VEKPANE_EXPORT THBoxLayout : public QHBoxLayout, public TuiAbstract
{
    Q_OBJECT
    // Scripts reach Qt's "spacing" and "margin" properties too: these take
    // them through the checked keys.
    Q_PROPERTY(int spacing READ spacing WRITE setSpacingProperty)
    Q_PROPERTY(int margin READ marginProperty WRITE setMarginProperty)
public:
    explicit THBoxLayout(QWidget *iParent = nullptr);
    ~THBoxLayout() override;

    // What the layout asks for stays within the pixel bound.
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    int heightForWidth(int iWidth) const override;
    int minimumHeightForWidth(int iWidth) const override;

public Q_SLOTS:
    //! Sets "spacing" or "margin"; other keys go to the common handling.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads "spacing" or "margin"; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! Appends \a iWgt, when it is a widget, with a stretch factor and an alignment text.
    void packWidget(QObject *iWgt, int iStretch = 0, const QString &iAlignment = QString());
    //! Appends \a iLayout, when it is a layout, with a stretch factor.
    void packLayout(QObject *iLayout, int iStretch = 0);
    //! Appends a stretchable empty space.
    void packStretch(int iStretch = 1);
    //! Appends a fixed empty space of \a iSpacing pixels.
    void packSpacing(int iSpacing = 0);

    TUI_ABSTRACT_SLOTS

    void setSpacingProperty(int iSpacing);
    int marginProperty() const;
    void setMarginProperty(int iMargin);
    Q_DISABLE_COPY(THBoxLayout)
    Q_DECLARE_PRIVATE_D(d, THBoxLayout)
    const std::unique_ptr<THBoxLayoutPrivate> d;
};

#endif // THBOXLAYOUT_H
