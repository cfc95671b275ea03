#include "tpanelitem.h"
#include "tpanelitem_p.h"

#include "tresource.h"
#include "ttheme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char InactiveSuffix[] = ".#777777";
const char ActiveSuffix[] = ".#3192E1";
} // namespace

QHash<QString, QString> TPanelMenuKeys::defaults()
{
    return {{QStringLiteral("child_list_key"), QStringLiteral("child_list")},
            {QStringLiteral("text_key"), QStringLiteral("text")},
            {QStringLiteral("user_data_key"), QStringLiteral("user_data")},
            {QStringLiteral("icon_key"), QStringLiteral("icon")},
            {QStringLiteral("tool_tip_key"), QStringLiteral("tool_tip")},
            {QStringLiteral("unfold_key"), QStringLiteral("unfold")},
            {QStringLiteral("active_key"), QStringLiteral("active")}};
}

QString TPanelItemPrivate::key(const char *iKeyName) const
{
    const QString keyName = QLatin1String(iKeyName);
    return keys.value(keyName, TPanelMenuKeys::defaults().value(keyName));
}

QString TPanelItemPrivate::colourSuffix() const { return QLatin1String(active ? ActiveSuffix : InactiveSuffix); }

void TPanelItemPrivate::refreshRightIcon()
{
    rightIcon->setIcon(TResource::instance()->colorIcon(rightIconName + colourSuffix()));
}

TPanelItem::TPanelItem(QWidget *iParent, int iLevel)
    : QWidget(iParent)
    , d(new TPanelItemPrivate(this))
{
    TTheme *theme = TTheme::instance();
    d->level = iLevel;
    d->keys = TPanelMenuKeys::defaults();
    setStyleSheet(QStringLiteral("padding:0px;margin:0px"));

    d->rowButton = new QPushButton(this);
    d->rowButton->setStyleSheet(QStringLiteral("QPushButton{border:none;background-color:#F1F1F1;padding:0px;"
                                               "border-radius:0px;}"
                                               "QPushButton:pressed{border:none;}"
                                               "QPushButton:hover{background-color:#E8E8E8;}"));
    const QString toolStyle
            = QStringLiteral("QToolButton{border:none;background:none;icon-size:%1px;}").arg(theme->dp(18));
    d->leftIcon = new QToolButton(d->rowButton);
    d->leftIcon->setStyleSheet(toolStyle);
    d->leftIcon->setIconSize(QSize(theme->dp(18), theme->dp(18)));
    d->rightIcon = new QToolButton(d->rowButton);
    d->rightIcon->setStyleSheet(toolStyle);
    d->rightIcon->setIconSize(QSize(theme->dp(18), theme->dp(18)));
    d->textLabel = new QLabel(d->rowButton);
    d->textLabel->setStyleSheet(QStringLiteral("background-color:none"));

    // A push button sizes itself by its own text, which the row has none of:
    // the row's layout must set the height, or the label is squeezed away.
    auto *row = new QHBoxLayout(d->rowButton);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSizeConstraint(QLayout::SetMinimumSize);
    row->addSpacing(theme->dp(20) * iLevel);
    row->addWidget(d->leftIcon);
    row->addWidget(d->textLabel);
    row->addStretch();
    row->addWidget(d->rightIcon);

    d->layout = new QVBoxLayout(this);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->layout->setSpacing(0);
    d->layout->addWidget(d->rowButton);

    connect(d->rowButton, &QAbstractButton::clicked, this, &TPanelItem::onClick);
    connect(d->leftIcon, &QAbstractButton::clicked, this, &TPanelItem::onClick);
    connect(d->rightIcon, &QAbstractButton::clicked, this, &TPanelItem::onClick);
}

TPanelItem::~TPanelItem() = default;

void TPanelItem::setData(const QVariantMap &iData)
{
    TResource *resource = TResource::instance();
    d->iconName = iData.value(d->key("icon_key")).toString();
    d->leftIcon->setIcon(resource->colorIcon(d->iconName + QLatin1String(InactiveSuffix)));
    d->textLabel->setText(iData.value(d->key("text_key")).toString());
    d->userData = iData.value(d->key("user_data_key"));

    const QVariantList childMaps = iData.value(d->key("child_list_key")).toList();
    if (!childMaps.isEmpty()) {
        d->rightIconName = QStringLiteral("angle-down");
        d->refreshRightIcon();
        for (const QVariant &childMap : childMaps) {
            auto *child = new TPanelItem(this, d->level + 1);
            d->children.append(child);
            d->layout->addWidget(child);
            child->hide();
            connect(child, &TPanelItem::activeChange, this, &TPanelItem::onActiveChange);
            connect(child, &TPanelItem::selectChange, this, &TPanelItem::selected);
            connect(child, &TPanelItem::clicked, this, &TPanelItem::click);
            child->setKeys(d->keys);
            child->setData(childMap.toMap());
        }
    }

    d->data = iData;
    // A child marked active unfolded this row while it was being built: the
    // map must report that, as it reports every later unfolding.
    if (d->childrenVisible)
        d->data.insert(d->key("unfold_key"), true);
    const QString toolTipKey = d->key("tool_tip_key");
    if (!d->data.contains(toolTipKey))
        d->data.insert(toolTipKey, d->data.value(d->key("text_key")).toString());
    d->rowButton->setToolTip(d->data.value(toolTipKey).toString());

    if (d->data.value(d->key("unfold_key")).toBool())
        setChildrenVisible(true);
    if (d->data.value(d->key("active_key")).toBool())
        setActive(true);
}

QVariantMap TPanelItem::getData() const { return d->data; }

void TPanelItem::setKeys(const QHash<QString, QString> &iKeys) { d->keys = iKeys; }

void TPanelItem::setUserData(const QVariant &iData) { d->userData = iData; }

QVariant TPanelItem::getUserData() const { return d->userData; }

void TPanelItem::setActive(bool iActive)
{
    if (d->active == iActive)
        return;
    d->active = iActive;
    d->textLabel->setStyleSheet(iActive ? QStringLiteral("color:#3192E1;background-color:none;")
                                        : QStringLiteral("color:#777777;background-color:none;"));
    d->leftIcon->setIcon(TResource::instance()->colorIcon(d->iconName + d->colourSuffix()));
    d->refreshRightIcon();
    if (!iActive) {
        for (TPanelItem *child : qAsConst(d->children))
            child->setActive(false);
    }
    Q_EMIT activeChange(iActive);
}

bool TPanelItem::isActive() const { return d->active; }

void TPanelItem::setChildrenVisible(bool iVisible)
{
    d->childrenVisible = iVisible;
    for (TPanelItem *child : qAsConst(d->children))
        child->setVisible(iVisible);
    d->rightIconName = iVisible ? QStringLiteral("angle-up") : QStringLiteral("angle-down");
    d->data.insert(d->key("unfold_key"), iVisible);
    d->refreshRightIcon();
}

bool TPanelItem::childrenVisible() const { return d->childrenVisible; }

QList<TPanelItem *> TPanelItem::childList() const { return d->children; }

int TPanelItem::level() const { return d->level; }

QString TPanelItem::text() const { return d->textLabel->text(); }

void TPanelItem::onClick()
{
    if (!d->children.isEmpty()) {
        setActive(true);
        setChildrenVisible(!d->childrenVisible);
        Q_EMIT selectChange(d->data);
    } else if (!d->active) {
        setActive(true);
        Q_EMIT selectChange(d->data);
    }
    Q_EMIT clicked(d->data);
}

void TPanelItem::onActiveChange(bool iActive)
{
    if (!iActive)
        return;
    auto *source = qobject_cast<TPanelItem *>(sender());
    setActive(true);
    setChildrenVisible(true);
    for (TPanelItem *child : qAsConst(d->children)) {
        if (child != source)
            child->setActive(false);
    }
}

void TPanelItem::selected(const QVariant &iData) { Q_EMIT selectChange(iData); }

void TPanelItem::click(const QVariant &iData) { Q_EMIT clicked(iData); }
