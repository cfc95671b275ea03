#include "tspinbox.h"
#include "tspinbox_p.h"

#include <QWheelEvent>

TSpinBox::TSpinBox(QWidget *iParent)
    : QSpinBox(iParent)
    , TUiInterface()
    , d(new TSpinBoxPrivate(this))
{
    connect(this, &QAbstractSpinBox::editingFinished, this, &TSpinBox::onEditFinished);
}

TSpinBox::~TSpinBox() = default;

void TSpinBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        setValue(value.toInt());
    else if (iKey == QLatin1String("minimum"))
        setMinimum(value.toInt());
    else if (iKey == QLatin1String("maximum"))
        setMaximum(value.toInt());
}

QVariant TSpinBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return value();
    return _getData(this, iKey, iOptions);
}

bool TSpinBox::isWheelEnabled() const
{
    Q_D(const TSpinBox);
    return d->wheelEnabled;
}

void TSpinBox::setWheelEnabled(bool iYBol)
{
    Q_D(TSpinBox);
    d->wheelEnabled = iYBol;
}

void TSpinBox::wheelEvent(QWheelEvent *iEvent)
{
    Q_D(TSpinBox);
    if (d->wheelEnabled) {
        QSpinBox::wheelEvent(iEvent);
        return;
    }
    // Consumed, not ignored: an ignored wheel event would travel on to an
    // enclosing scroll area and scroll the form under the pointer.
    iEvent->accept();
}

void TSpinBox::onEditFinished()
{
    if (!TUiWrapperSupport::sendEvent(this, this, QStringLiteral("editing_finished")))
        return;
    setAttr(QStringLiteral("value"), value());
    const QVariant baseline = getDefaultData(QStringLiteral("value"), QVariant());
    const bool changed = !(baseline.isValid() && baseline.toInt() == value());
    TUiWrapperSupport::sendEvent(this, this, QStringLiteral("value_changed"), changed);
}
