#include "vekpane.h"
#include "vekpane_p.h"

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"

#include <QLayout>

VekPane::VekPane(QWidget *iParent)
    : QWidget(iParent)
    , d(new VekPanePrivate(this))
{
    VEK_LOG(QStringLiteral("new widget 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

VekPane::~VekPane() { VEK_LOG(QStringLiteral("destroy widget 0x%1").arg(TControlSupport::address(this)), "debug", 5); }

void VekPane::set(const QString &iKey, const QVariant &iValue) { TuiAbstract::set(iKey, iValue); }

QVariant VekPane::get(const QString &iKey, const QVariant &iOptions) { return TuiAbstract::get(iKey, iOptions); }

void VekPane::setLayout(QObject *iLayout)
{
    if (QLayout *layout = TLayoutAttrs::asLayout(iLayout))
        QWidget::setLayout(layout);
}

void VekPane::focusOutEvent(QFocusEvent *iEvent)
{
    // The pane as a whole is one field of a form: leaving it ends its editing.
    Q_UNUSED(iEvent)
    TControlSupport::sendEvent(this, this, QStringLiteral("editing_finished"));
}
