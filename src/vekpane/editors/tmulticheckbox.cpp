#include "tmulticheckbox.h"
#include "tmulticheckbox_p.h"

#include "tcheckbox.h"
#include "tdataparse.h"
#include "tflowlayout.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "ttheme.h"
#include "tuievent_p.h"

#include <QGridLayout>

#include <algorithm>

QList<TCheckBox *> TMultiCheckBoxPrivate::liveButtons() const
{
    QList<TCheckBox *> result;
    for (const QPointer<TCheckBox> &box : buttons) {
        if (box)
            result.append(box);
    }
    return result;
}

QList<TCheckBox *> TMultiCheckBoxPrivate::placedButtons() const
{
    QList<TCheckBox *> result = liveButtons();
    result.erase(std::remove_if(result.begin(), result.end(),
                                [this](TCheckBox *iBox) { return mergedButtons.contains(iBox); }),
                 result.end());
    return result;
}

void TMultiCheckBoxPrivate::spacing(int *oMargin, int *oHSpacing, int *oVSpacing) const
{
    *oMargin = *oHSpacing = *oVSpacing = 0;
    if (auto *flow = qobject_cast<TFlowLayout *>(layout)) {
        *oMargin = flow->contentsMargins().left();
        *oHSpacing = flow->horizontalSpacing();
        *oVSpacing = flow->verticalSpacing();
    } else if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        *oMargin = grid->contentsMargins().left();
        *oHSpacing = grid->horizontalSpacing();
        *oVSpacing = grid->verticalSpacing();
    }
}

void TMultiCheckBoxPrivate::place(TCheckBox *iBox, int iIndex, Qt::Alignment iAlignment)
{
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        const int columns = qMax(1, columnCount);
        grid->addWidget(iBox, iIndex / columns, iIndex % columns, 1, 1, iAlignment);
    } else {
        layout->addWidget(iBox);
    }
}

TMultiCheckBox::TMultiCheckBox(QWidget *iParent)
    : QWidget(iParent)
    , d(new TMultiCheckBoxPrivate(this))
{
    d->layout = new TFlowLayout(this, 1, TTheme::instance()->dp(16), TTheme::instance()->dp(8));
}

TMultiCheckBox::~TMultiCheckBox()
{
    setParentButton(nullptr);
    clear();
}

void TMultiCheckBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        const QString text = value.toString();
        if (text != currentName(QStringLiteral(",")))
            setCurrentName(text, QStringLiteral(","));
    } else if (iKey == QLatin1String("current_names")) {
        setCurrentNames(value.toStringList());
    } else if (iKey == QLatin1String("item_list")) {
        setItemList(value.toList());
    } else if (iKey == QLatin1String("column_count")) {
        setColumnCount(value.toInt());
    } else if (iKey == QLatin1String("style")) {
        const QList<TCheckBox *> boxes = d->liveButtons();
        for (TCheckBox *box : boxes)
            box->setAttr(QStringLiteral("style"), value);
    } else if (iKey == QLatin1String("parent_button")) {
        // Only a real object pointer: a number or text is never taken for an address.
        if (value.userType() == QMetaType::QObjectStar
            || QMetaType::typeFlags(value.userType()).testFlag(QMetaType::PointerToQObject)) {
            if (auto *button = qobject_cast<QAbstractButton *>(value.value<QObject *>()))
                setParentButton(button);
        }
    }
}

QVariant TMultiCheckBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return currentName(QStringLiteral(","));
    if (iKey == QLatin1String("current_names"))
        return currentNames();
    if (iKey == QLatin1String("item_list"))
        return d->itemList;
    if (iKey == QLatin1String("column_count"))
        return d->columnCount;
    return _getData(this, iKey, iOptions);
}

QStringList TMultiCheckBox::currentNames() const
{
    QStringList names;
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes) {
        if (box->isChecked())
            names.append(box->objectName());
    }
    return names;
}

void TMultiCheckBox::setCurrentNames(const QStringList &iCurNameStrLst)
{
    selectAll(false);
    for (const QString &name : iCurNameStrLst) {
        if (TCheckBox *box = checkButton(name))
            box->setChecked(true);
    }
}

QString TMultiCheckBox::currentName(const QString &iSepStr) const { return currentNames().join(iSepStr); }

void TMultiCheckBox::setCurrentName(const QString &iCurNameStr, const QString &iSepStr)
{
    setCurrentNames(iCurNameStr.split(iSepStr, Qt::KeepEmptyParts, Qt::CaseSensitive));
}

QList<QIcon> TMultiCheckBox::currentIcons() const
{
    QList<QIcon> icons;
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes) {
        if (box->isChecked())
            icons.append(box->icon());
    }
    return icons;
}

QVariantList TMultiCheckBox::currentUserDatas() const
{
    QVariantList datas;
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes) {
        if (box->isChecked())
            datas.append(box->property("USER_DATA"));
    }
    return datas;
}

void TMultiCheckBox::select(const QString &iNameStr, bool iFlagStr)
{
    if (TCheckBox *box = checkButton(iNameStr))
        box->setChecked(iFlagStr);
}

void TMultiCheckBox::selectAll(bool iFlagBol)
{
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes)
        box->setChecked(iFlagBol);
}

int TMultiCheckBox::columnCount() const { return d->columnCount; }

void TMultiCheckBox::setColumnCount(int iCountInt)
{
    d->columnCount = iCountInt;
    int margin, hSpacing, vSpacing;
    d->spacing(&margin, &hSpacing, &vSpacing);
    const QList<TCheckBox *> placed = d->placedButtons();
    for (TCheckBox *box : placed)
        d->layout->removeWidget(box);
    delete d->layout;
    if (iCountInt < 1) {
        auto *flow = new TFlowLayout(this, margin, hSpacing, vSpacing);
        d->layout = flow;
    } else {
        auto *grid = new QGridLayout(this);
        grid->setContentsMargins(margin, margin, margin, margin);
        grid->setVerticalSpacing(vSpacing);
        grid->setHorizontalSpacing(hSpacing);
        d->layout = grid;
    }
    for (int i = 0; i < placed.size(); ++i)
        d->place(placed.at(i), i, Qt::Alignment());
}

void TMultiCheckBox::clear()
{
    const QList<QPointer<TCheckBox>> listed = d->buttons;
    d->buttons.clear();
    for (const QPointer<TCheckBox> &box : listed) {
        if (!box)
            continue;
        disconnect(box, nullptr, this, nullptr);
        if (d->mergedButtons.contains(box))
            continue;
        d->layout->removeWidget(box);
        if (!d->ownButtons.contains(box))
            continue;
        if (d->reporting > 0) {
            box->hide();
            box->deleteLater();
        } else {
            delete box;
        }
    }
    d->ownButtons.clear();
    d->mergedButtons.clear();
}

void TMultiCheckBox::addButton(TCheckBox *iButtonPtr)
{
    if (!iButtonPtr)
        return;
    d->place(iButtonPtr, d->placedButtons().size(), Qt::AlignLeft);
    iButtonPtr->setAttr(QStringLiteral("style"), getAttr(QStringLiteral("style")));
    d->buttons.append(iButtonPtr);
    connect(iButtonPtr, &QAbstractButton::toggled, this, &TMultiCheckBox::onButtonToggled);
    connect(iButtonPtr, &TCheckBox::signal, this, &TMultiCheckBox::onNotification);
}

QList<TCheckBox *> TMultiCheckBox::buttons() const { return d->liveButtons(); }

void TMultiCheckBox::merge(TCheckBox *iButtonPtr)
{
    if (!iButtonPtr)
        return;
    d->buttons.append(iButtonPtr);
    d->mergedButtons.insert(iButtonPtr);
    connect(iButtonPtr, &QAbstractButton::toggled, this, &TMultiCheckBox::onButtonToggled);
}

void TMultiCheckBox::merge(TMultiCheckBox *iCheckBoxPtr)
{
    if (!iCheckBoxPtr || iCheckBoxPtr == this)
        return;
    const QList<TCheckBox *> boxes = iCheckBoxPtr->buttons();
    for (TCheckBox *box : boxes)
        merge(box);
}

QAbstractButton *TMultiCheckBox::parentButton() const { return d->parentButton; }

void TMultiCheckBox::setParentButton(QAbstractButton *iButtonPtr)
{
    if (d->parentButton)
        disconnect(d->parentButton, &QAbstractButton::clicked, this, &TMultiCheckBox::selectAll);
    d->parentButton = iButtonPtr;
    if (iButtonPtr)
        connect(iButtonPtr, &QAbstractButton::clicked, this, &TMultiCheckBox::selectAll);
}

QVariantList TMultiCheckBox::itemList() const { return d->itemList; }

void TMultiCheckBox::setItemList(const QVariantList &iItemLst)
{
    if (TDataParse::variant2JsonStr(iItemLst) == TDataParse::variant2JsonStr(d->itemList))
        return;
    const bool wasBlocked = blockSignals(true);
    clear();
    const QVariantList oldList = d->itemList;
    d->itemList = iItemLst;
    for (const QVariant &item : iItemLst) {
        const QVariantMap map = item.toMap();
        auto *box = new TCheckBox(this);
        if (map.contains(QStringLiteral("name")))
            box->setObjectName(map.value(QStringLiteral("name")).toString());
        if (map.contains(QStringLiteral("value")))
            box->setAttr(QStringLiteral("value"), map.value(QStringLiteral("value")));
        if (map.contains(QStringLiteral("icon")))
            box->setIcon(TResource::instance()->icon(map.value(QStringLiteral("icon")).toString(),
                                                     QStringLiteral("button"), QStringLiteral("body")));
        if (map.contains(QStringLiteral("text")))
            box->setText(map.value(QStringLiteral("text")).toString());
        if (map.contains(QStringLiteral("data")))
            box->setProperty("USER_DATA", map.value(QStringLiteral("data")));
        d->ownButtons.insert(box);
        addButton(box);
    }
    blockSignals(wasBlocked);
    TUiEvent::send(this, this, QStringLiteral("item_list_changed"),
                   QVariantMap {{QStringLiteral("old"), oldList}, {QStringLiteral("new"), iItemLst}});
}

QVariantMap TMultiCheckBox::getTipTexts() const
{
    QVariantMap tips;
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes)
        tips.insert(box->objectName(), box->tipText());
    return tips;
}

void TMultiCheckBox::setTipTexts(const QVariantMap &iData)
{
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes) {
        if (iData.contains(box->objectName()))
            box->setTipText(iData.value(box->objectName()).toString());
    }
}

TCheckBox *TMultiCheckBox::checkButton(const QString &iName) const
{
    const QList<TCheckBox *> boxes = d->liveButtons();
    for (TCheckBox *box : boxes) {
        if (box->objectName() == iName)
            return box;
    }
    return nullptr;
}

int TMultiCheckBox::horizontalSpacing() const
{
    int margin, hSpacing, vSpacing;
    d->spacing(&margin, &hSpacing, &vSpacing);
    return hSpacing;
}

int TMultiCheckBox::verticalSpacing() const
{
    int margin, hSpacing, vSpacing;
    d->spacing(&margin, &hSpacing, &vSpacing);
    return vSpacing;
}

int TMultiCheckBox::margin() const
{
    int margin, hSpacing, vSpacing;
    d->spacing(&margin, &hSpacing, &vSpacing);
    return margin;
}

void TMultiCheckBox::setHorizontalSpacing(int iSpace)
{
    if (auto *flow = qobject_cast<TFlowLayout *>(d->layout))
        flow->setHorizontalSpacing(iSpace);
    else if (auto *grid = qobject_cast<QGridLayout *>(d->layout))
        grid->setHorizontalSpacing(iSpace);
}

void TMultiCheckBox::setVerticalSpacing(int iSpace)
{
    if (auto *flow = qobject_cast<TFlowLayout *>(d->layout))
        flow->setVerticalSpacing(iSpace);
    else if (auto *grid = qobject_cast<QGridLayout *>(d->layout))
        grid->setVerticalSpacing(iSpace);
}

void TMultiCheckBox::setMargin(int iMargin)
{
    if (qobject_cast<TFlowLayout *>(d->layout) || qobject_cast<QGridLayout *>(d->layout))
        d->layout->setContentsMargins(iMargin, iMargin, iMargin, iMargin);
}

void TMultiCheckBox::onButtonToggled()
{
    const QStringList names = currentNames();
    if (QAbstractButton *parent = d->parentButton) {
        auto *parentBox = qobject_cast<QCheckBox *>(parent);
        const int total = d->liveButtons().size();
        if (names.isEmpty()) {
            parent->setChecked(false);
        } else if (names.size() == total) {
            parent->setChecked(true);
            if (parentBox)
                parentBox->setCheckState(Qt::Checked);
        } else if (parentBox) {
            parentBox->setCheckState(Qt::PartiallyChecked);
        }
    }
    ++d->reporting;
    const QPointer<TMultiCheckBox> guard(this);
    Q_EMIT currentNamesChanged(names);
    if (guard)
        --d->reporting;
}

void TMultiCheckBox::onNotification(const QString &iType, const QVariant &iData, const QString &iUuid)
{
    if (iType != QLatin1String("editing_finished"))
        return;
    ++d->reporting;
    const QPointer<TMultiCheckBox> guard(this);
    Q_EMIT signal(iType, iData, iUuid);
    if (!guard)
        return;
    const QString value = currentName(QStringLiteral(","));
    if (value != d->lastValue) {
        d->lastValue = value;
        if (!TUiEvent::send(this, this, QStringLiteral("value_changed"), TUiEvent::differsFromDefaultText(this, value)))
            return;
    }
    --d->reporting;
}
