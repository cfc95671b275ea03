#ifndef VEKPANE_H
#define VEKPANE_H

#include "tuiabstractslots.h"
#include "vekpane_export.h"

#include <memory>

#include <QWidget>

class VekPanePrivate;

/*!
 * The plain container that scripts build forms in: a widget with the
 * attribute interface and no keys of its own, holding other widgets through
 * its layout. When it has the keyboard focus itself (a focus policy other
 * than Qt::NoFocus) and loses it, it sends "editing_finished".
 */
class VEKPANE_EXPORT VekPane : public QWidget, public TuiAbstract
{
    Q_OBJECT
public:
    explicit VekPane(QWidget *iParent = nullptr);
    ~VekPane() override;

public Q_SLOTS:
    //! Applies a common attribute key to the pane.
    void set(const QString &iKey, const QVariant &iValue) override;
    //! Reads a common attribute key of the pane.
    QVariant get(const QString &iKey, const QVariant &iOptions = QVariant()) override;
    //! Installs \a iLayout as the pane's layout when it is a layout; anything else is ignored.
    void setLayout(QObject *iLayout);

    TUI_ABSTRACT_SLOTS

protected:
    void focusOutEvent(QFocusEvent *iEvent) override;

private:
    Q_DISABLE_COPY(VekPane)
    Q_DECLARE_PRIVATE_D(d, VekPane)
    const std::unique_ptr<VekPanePrivate> d;
};

#endif // VEKPANE_H
