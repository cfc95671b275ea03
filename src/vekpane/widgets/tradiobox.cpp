#include "tradiobox.h"
#include "tradiobox_p.h"

#include "tdataparse.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "tuievent_p.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

void TRadioBoxPrivate::place(QAbstractButton *iButton, int iIndex)
{
    layout->addWidget(iButton, iIndex / columnCount, iIndex % columnCount, 1, 1);
}

QAbstractButton *TRadioBoxPrivate::checkedButton() const
{
    const QList<QAbstractButton *> all = buttonGroup->buttons();
    for (QAbstractButton *button : all) {
        if (button->isChecked())
            return button;
    }
    return nullptr;
}

TRadioBox::TRadioBox(QWidget *iParent)
    : QWidget(iParent)
    , d(new TRadioBoxPrivate(this))
{
    d->layout = new QGridLayout(this);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->buttonGroup = new QButtonGroup(this);
    d->buttonGroup->setExclusive(true);
    d->emptyButton = new QRadioButton(this);
    d->emptyButton->hide();
    d->buttonGroup->addButton(d->emptyButton, -1);
    connect(d->emptyButton, &QAbstractButton::toggled, this, &TRadioBox::onButtonToggled);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setColumnCount(4);
}

TRadioBox::~TRadioBox()
{
    // Merged buttons live on in their own boxes: they must not call back here.
    const QList<QAbstractButton *> all = d->buttonGroup->buttons();
    for (QAbstractButton *button : all)
        disconnect(button, nullptr, this, nullptr);
    clear();
}

void TRadioBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        if (value.toString() != currentName())
            setCurrentName(value.toString());
    } else if (iKey == QLatin1String("item_list")) {
        setItemList(value.toList());
        TUiEvent::send(this, this, QStringLiteral("item_list_changed"));
    } else if (iKey == QLatin1String("column_count")) {
        setColumnCount(value.toInt());
    }
}

QVariant TRadioBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return currentName();
    if (iKey == QLatin1String("item_list"))
        return TDataParse::variant2JsonStr(d->itemList, false);
    if (iKey == QLatin1String("column_count"))
        return d->columnCount;
    return _getData(this, iKey, iOptions);
}

void TRadioBox::addButtons(const QList<QAbstractButton *> &iLst)
{
    for (QAbstractButton *button : iLst)
        addButton(button);
}

QVariantList TRadioBox::itemList() const { return d->itemList; }

void TRadioBox::setItemList(const QVariantList &iItemLst)
{
    const bool wasBlocked = blockSignals(true);
    clear();
    d->itemList = iItemLst;
    for (const QVariant &item : iItemLst) {
        auto *button = new QRadioButton(this);
        const int type = item.userType();
        if (type == QMetaType::QVariantMap || type == QMetaType::QVariantHash) {
            const QVariantMap map = type == QMetaType::QVariantMap ? item.toMap() : QVariantMap();
            const QVariantHash hash = type == QMetaType::QVariantHash ? item.toHash() : QVariantHash();
            auto field = [&](const char *iKey) {
                const QString key = QLatin1String(iKey);
                return type == QMetaType::QVariantMap ? map.value(key) : hash.value(key);
            };
            button->setIcon(TResource::instance()->icon(field("icon").toString(), QStringLiteral("button"),
                                                        QStringLiteral("body")));
            button->setText(field("text").toString());
            button->setObjectName(field("name").toString());
            button->setProperty("USER_DATA", field("data"));
        } else {
            button->setObjectName(item.toString());
            button->setText(item.toString());
        }
        addButton(button);
    }
    blockSignals(wasBlocked);
    Q_EMIT itemListChanged();
}

QString TRadioBox::currentName() const
{
    const QAbstractButton *button = d->checkedButton();
    return button ? button->objectName() : QString();
}

void TRadioBox::setCurrentName(const QString &iCurNameStr)
{
    const QList<QAbstractButton *> all = d->buttonGroup->buttons();
    for (QAbstractButton *button : all) {
        if (button->objectName() == iCurNameStr) {
            button->setChecked(true);
            return;
        }
    }
}

QString TRadioBox::currentText() const
{
    const QAbstractButton *button = d->checkedButton();
    return button ? button->text() : QString();
}

QIcon TRadioBox::currentIcon() const
{
    const QAbstractButton *button = d->checkedButton();
    return button ? button->icon() : QIcon();
}

QVariant TRadioBox::currentUserData() const
{
    const QAbstractButton *button = d->checkedButton();
    return button ? button->property("USER_DATA") : QVariant();
}

int TRadioBox::columnCount() const { return d->columnCount; }

void TRadioBox::setColumnCount(int iCountInt)
{
    // Every placement divides by the count.
    const int count = qMax(1, iCountInt);
    const int oldColumns = d->layout->columnCount();
    d->columnCount = count;
    for (QAbstractButton *button : qAsConst(d->buttons))
        d->layout->removeWidget(button);
    for (int i = 0; i < d->buttons.size(); ++i)
        d->place(d->buttons.at(i), i);
    for (int c = 0; c < qMax(oldColumns, count); ++c)
        d->layout->setColumnStretch(c, 0);
    d->layout->setColumnStretch(count, 1);
}

void TRadioBox::clear()
{
    const QList<QAbstractButton *> listed = d->buttons;
    d->buttons.clear();
    for (QAbstractButton *button : listed) {
        d->buttonGroup->removeButton(button);
        d->layout->removeWidget(button);
        disconnect(button, nullptr, this, nullptr);
        if (d->reporting > 0) {
            button->hide();
            button->deleteLater();
        } else {
            delete button;
        }
    }
}

void TRadioBox::clearValue()
{
    d->buttonGroup->setExclusive(false);
    const QList<QAbstractButton *> all = d->buttonGroup->buttons();
    for (QAbstractButton *button : all)
        button->setChecked(false);
    d->buttonGroup->setExclusive(true);
}

QButtonGroup *TRadioBox::buttonGroup() const { return d->buttonGroup; }

void TRadioBox::addButton(QAbstractButton *iButtonPtr)
{
    if (!iButtonPtr)
        return;
    d->place(iButtonPtr, d->buttons.size());
    d->buttonGroup->addButton(iButtonPtr, -1);
    d->buttons.append(iButtonPtr);
    connect(iButtonPtr, &QAbstractButton::toggled, this, &TRadioBox::onButtonToggled);
    connect(iButtonPtr, &QAbstractButton::clicked, this, &TRadioBox::onClicked);
}

QList<QAbstractButton *> TRadioBox::buttons() const { return d->buttons; }

void TRadioBox::merge(QAbstractButton *iButtonPtr)
{
    if (!iButtonPtr)
        return;
    d->buttonGroup->addButton(iButtonPtr, -1);
    connect(iButtonPtr, &QAbstractButton::toggled, this, &TRadioBox::onButtonToggled, Qt::UniqueConnection);
}

void TRadioBox::merge(TRadioBox *iRadioBoxPtr)
{
    if (iRadioBoxPtr && iRadioBoxPtr != this)
        merge(iRadioBoxPtr->buttonGroup());
}

void TRadioBox::merge(QButtonGroup *iButtonGroupPtr)
{
    if (!iButtonGroupPtr || iButtonGroupPtr == d->buttonGroup)
        return;
    const QList<QAbstractButton *> all = iButtonGroupPtr->buttons();
    for (QAbstractButton *button : all)
        merge(button);
}

void TRadioBox::onButtonToggled()
{
    auto *button = qobject_cast<QAbstractButton *>(sender());
    if (button && button->isChecked())
        Q_EMIT currentNameChanged(button->objectName());
}

void TRadioBox::onClicked()
{
    ++d->reporting;
    bool alive = TUiEvent::send(this, this, QStringLiteral("editing_finished"));
    if (alive) {
        const QString name = currentName();
        if (name != d->lastValue) {
            d->lastValue = name;
            alive = TUiEvent::send(this, this, QStringLiteral("value_changed"),
                                   TUiEvent::differsFromDefaultText(this, name));
        }
    }
    if (alive)
        --d->reporting;
}
