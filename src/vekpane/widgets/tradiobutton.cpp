#include "tradiobutton.h"
#include "tradiobutton_p.h"

TRadioButton::TRadioButton(QWidget *iParent)
    : QRadioButton(iParent)
    , TUiInterface()
    , d(new TRadioButtonPrivate(this))
{
    connect(this, &QAbstractButton::clicked, this, &TRadioButton::onClicked);
}

TRadioButton::~TRadioButton() = default;

TUI_WRAPPER_COMMON_KEYS_ONLY(TRadioButton)

void TRadioButton::onClicked(bool checked)
{
    TUiWrapperSupport::sendEvent(this, this, QStringLiteral("clicked"), checked);
}
