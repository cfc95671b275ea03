#ifndef TLINEEDIT_H
#define TLINEEDIT_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QLineEdit>

class TLineEditPrivate;

/*!
 * The single-line text field of the widget library.
 *
 * Beyond QLineEdit it takes an input mask as short text ("INT(0,100)",
 * "DOUBLE(0,1,3)", "REX([A-Z]{3})") that selects a validator, holds widgets
 * inside the field at its left and right edges with the text kept clear of
 * them, and reports the end of editing as "value_changed" (when the text
 * differs from the "value" default) followed by "editing_finished".
 *
 * Own keys: "value", "valid_mask", "echo_mode", "readonly", "placeholder_text".
 */
class VEKPANE_EXPORT TLineEdit : public QLineEdit, public TuiAbstract
{
    Q_OBJECT
    Q_PROPERTY(QString validMask READ validMask WRITE setValidMask)
public:
    explicit TLineEdit(QWidget *iParent = nullptr);
    ~TLineEdit() override;

public Q_SLOTS:
    //! Sets an own key; other keys go to the common handling. Setting "value" sends no widget event.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads an own key; other keys go to the common handling.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! The mask text last given to setValidMask(), unchanged.
    QString validMask() const;
    //! Replaces the validator by the one \a iMaskStr names; an unknown or malformed mask leaves none.
    void setValidMask(const QString &iMaskStr);
    //! Places \a iWgt inside the field at the left edge, left of those placed before.
    void prependWidget(QWidget *iWgt);
    //! Places \a iWgt inside the field at the right edge, right of those placed before.
    void appendWidget(QWidget *iWgt);

    TUI_ABSTRACT_SLOTS

protected:
    void mouseReleaseEvent(QMouseEvent *iEvent) override;
    void focusInEvent(QFocusEvent *iEvent) override;

protected Q_SLOTS:
    //! Reports the end of editing: "value_changed" when the text changed, then "editing_finished".
    void onEditFinished();

private:
    Q_DISABLE_COPY(TLineEdit)
    Q_DECLARE_PRIVATE_D(d, TLineEdit)
    const std::unique_ptr<TLineEditPrivate> d;
};

#endif // TLINEEDIT_H
