#include "teditablecombobox.h"
#include "teditablecombobox_p.h"

#include "tscriptvalue.h"
#include "tuievent_p.h"

#include <QCompleter>
#include <QWheelEvent>

TEditableComboBox::TEditableComboBox(QWidget *iParent)
    : QComboBox(iParent)
    , d(new TEditableComboBoxPrivate(this))
{
    setEditable(true);
}

TEditableComboBox::~TEditableComboBox() = default;

void TEditableComboBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("item_list")) {
        if (!value.isValid())
            return;
        const QStringList items = value.toStringList();
        auto *completer = new QCompleter(items, this);
        setCompleter(completer);
        delete d->completer;
        d->completer = completer;
        setItemList(items);
    } else if (iKey == QLatin1String("value")) {
        if (value.userType() == QMetaType::QString)
            setCurrentText(value.toString());
    } else if (iKey == QLatin1String("index")) {
        if (value.userType() == QMetaType::Int || value.userType() == QMetaType::UInt)
            setCurrentIndex(value.toInt());
    }
}

QVariant TEditableComboBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("itemList"))
        return itemList();
    if (iKey == QLatin1String("value"))
        return currentText();
    if (iKey == QLatin1String("index"))
        return currentIndex();
    return _getData(this, iKey, iOptions);
}

QStringList TEditableComboBox::itemList() const { return d->itemList; }

void TEditableComboBox::setItemList(const QStringList &iItemStrLst)
{
    d->itemList = iItemStrLst;
    const bool wasBlocked = blockSignals(true);
    clear();
    insertItems(0, iItemStrLst);
    blockSignals(wasBlocked);
    Q_EMIT itemListChanged();
}

bool TEditableComboBox::isWheelEnabled() const { return d->wheelEnabled; }

void TEditableComboBox::setWheelEnabled(bool iYBol) { d->wheelEnabled = iYBol; }

void TEditableComboBox::indexChanged(int newIndx)
{
    TUiEvent::send(this, this, QStringLiteral("index_changed"), newIndx);
}

void TEditableComboBox::wheelEvent(QWheelEvent *iEvent)
{
    // Disabled, the wheel is swallowed, as by the other combo box of the
    // library: it neither changes the item nor travels on to the form.
    if (d->wheelEnabled)
        QComboBox::wheelEvent(iEvent);
    else
        iEvent->accept();
}

void TEditableComboBox::focusOutEvent(QFocusEvent *iEvent)
{
    if (!TUiEvent::send(this, this, QStringLiteral("editing_finished")))
        return;
    if (!TUiEvent::send(this, this, QStringLiteral("value_changed"),
                        TUiEvent::differsFromStoredDefault(this, currentText())))
        return;
    QComboBox::focusOutEvent(iEvent);
}
