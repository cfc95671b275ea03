#include "tpanelmenu.h"
#include "tpanelmenu_p.h"

#include "tpanelitem.h"
#include "tpanelitem_p.h"
#include "tscriptvalue.h"

#include <QVBoxLayout>

TPanelMenu::TPanelMenu(QWidget *iParent)
    : QScrollArea(iParent)
    , TUiInterface()
    , d(new TPanelMenuPrivate(this))
{
    d->content = new QWidget(this);
    d->content->setStyleSheet(QStringLiteral("background-color:#F1F1F1;"));
    auto *outer = new QVBoxLayout(d->content);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto *inner = new QWidget(d->content);
    d->column = new QVBoxLayout(inner);
    d->column->setContentsMargins(0, 0, 0, 0);
    d->column->setSpacing(0);
    outer->addWidget(inner);
    outer->addStretch();
    setWidget(d->content);
    setWidgetResizable(true);
}

TPanelMenu::~TPanelMenu() = default;

void TPanelMenu::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("item_list"))
        setItemList(value);
}

QVariant TPanelMenu::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("item_list"))
        return itemList();
    return _getData(this, iKey, iOptions);
}

void TPanelMenu::setItemList(const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    // A listener of clicked() may load a new list while the clicked row is
    // still inside its button's signal: the old rows go later.
    while (QLayoutItem *item = d->column->takeAt(0)) {
        if (QWidget *row = item->widget()) {
            row->disconnect(this);
            row->hide();
            row->deleteLater();
        }
        delete item;
    }
    d->items.clear();
    d->lastData = plain;

    QHash<QString, QString> keys = TPanelMenuKeys::defaults();
    QVariantList items;
    if (plain.type() == QVariant::Map) {
        const QVariantMap map = plain.toMap();
        for (auto it = keys.begin(); it != keys.end(); ++it) {
            if (map.contains(it.key()))
                it.value() = map.value(it.key()).toString();
        }
        items = map.value(QStringLiteral("item_list")).toList();
    } else {
        items = plain.toList();
    }

    for (const QVariant &itemData : qAsConst(items)) {
        auto *item = new TPanelItem(this, 0);
        item->setKeys(keys);
        item->setData(itemData.toMap());
        d->items.append(item);
        d->column->addWidget(item);
        connect(item, &TPanelItem::activeChange, this, &TPanelMenu::onActiveChange);
        connect(item, &TPanelItem::selectChange, this, &TPanelMenu::onSelectedChange);
        connect(item, &TPanelItem::clicked, this, &TPanelMenu::onClicked);
    }
}

QVariantList TPanelMenu::itemList() const
{
    QVariantList result;
    for (TPanelItem *item : qAsConst(d->items))
        result.append(item->getData());
    return result;
}

QList<TPanelItem *> TPanelMenu::panelItemList() const { return d->items; }

void TPanelMenu::onActiveChange(bool iActive)
{
    if (!iActive)
        return;
    QObject *source = sender();
    for (TPanelItem *item : qAsConst(d->items)) {
        if (item != source)
            item->setActive(false);
    }
}

void TPanelMenu::onSelectedChange(const QVariant &iData) { Q_EMIT selectChange(iData); }

void TPanelMenu::onClicked(const QVariant &iData) { Q_EMIT clicked(iData); }
