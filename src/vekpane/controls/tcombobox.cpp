#include "tcombobox.h"
#include "tcombobox_p.h"

#include "tcontrolsupport_p.h"
#include "tresource.h"
#include "tscriptvalue.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWheelEvent>

namespace {

QIcon resourceIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

bool isMapLike(const QVariant &iItem)
{
    return iItem.userType() == QMetaType::QVariantMap || iItem.userType() == QMetaType::QVariantHash;
}

} // namespace

TComboBoxPrivate::TComboBoxPrivate(TComboBox *iPublic)
    : listWidget(new QListWidget)
    , searchEntry(nullptr)
    , searchFrame(nullptr)
    , q_ptr(iPublic)
{
    searchFrame = new QFrame(listWidget);
    searchFrame->setObjectName(QStringLiteral("CB_SEARCH_FRAME"));
    searchEntry = new QLineEdit(searchFrame);
    searchEntry->setObjectName(QStringLiteral("CB_SEARCH_ENTRY"));
    searchEntry->setPlaceholderText(TComboBox::tr("Search"));

    auto *layout = new QHBoxLayout(searchFrame);
    layout->setContentsMargins(3, 3, 3, 3);
    auto *icon = new QLabel(searchFrame);
    icon->setPixmap(resourceIcon(QStringLiteral("search")).pixmap(16, 16));
    layout->addWidget(icon, 0, Qt::AlignCenter);
    layout->addWidget(searchEntry, 1);

    iPublic->setModel(listWidget->model());
    iPublic->setView(listWidget);
    QRect frameRect = searchFrame->geometry();
    frameRect.moveTopLeft(QPoint(0, 0));
    searchFrame->setGeometry(frameRect);
    QObject::connect(searchEntry, &QLineEdit::textChanged, iPublic,
                     [this](const QString &iText) { onDoSearch(iText); });
    applySearchable(false);
}

void TComboBoxPrivate::applySearchable(bool iYBol)
{
    searchable = iYBol;
    if (!listWidget)
        return;
    // The frame lies over the top of the list; the padding keeps the first row below it.
    if (iYBol) {
        listWidget->setStyleSheet(QStringLiteral(".QListWidget{padding-top:%1px;}").arg(searchFrame->height()));
        listWidget->adjustSize();
        searchFrame->show();
    } else {
        listWidget->setStyleSheet(QStringLiteral(".QListWidget{padding-top:0}"));
        listWidget->adjustSize();
        searchFrame->hide();
    }
}

QString TComboBoxPrivate::effectiveName(int iRow) const
{
    Q_Q(const TComboBox);
    const QString name = rowNames.value(iRow);
    return name.isEmpty() ? q->itemText(iRow) : name;
}

void TComboBoxPrivate::onDoSearch(const QString &text)
{
    for (int row = 0; row < listWidget->count(); ++row) {
        QListWidgetItem *item = listWidget->item(row);
        const QVariant visible = item->data(VisibleRole);
        if (visible.userType() == QMetaType::Bool && !visible.toBool())
            continue;
        const bool match = item->text().contains(text, Qt::CaseInsensitive)
                           || rowNames.value(row).contains(text, Qt::CaseInsensitive);
        listWidget->setRowHidden(row, !match);
    }
}

TComboBox::TComboBox(QWidget *iParent)
    : QComboBox(iParent)
    , d(new TComboBoxPrivate(this))
{
    VEK_LOG(QStringLiteral("new combobox 0x%1").arg(TControlSupport::address(this)), "debug", 5);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &TComboBox::onEditFinished);
}

TComboBox::~TComboBox()
{
    VEK_LOG(QStringLiteral("destroy combobox 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TComboBox::set(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    if (iKey == QLatin1String("value")) {
        if (currentName() != value.toString())
            setCurrentName(value.toString());
    } else if (iKey == QLatin1String("item_list")) {
        setItemList(value.toList());
    } else if (iKey == QLatin1String("searchable")) {
        setSearchable(value.toBool());
    } else if (iKey == QLatin1String("wheel_enabled")) {
        d->wheelEnabled = value.toBool();
    } else if (iKey == QLatin1String("validation_state")) {
        // A new state may restyle the list; the search frame must stay in place.
        setSearchable(isSearchable());
        TuiAbstract::set(iKey, value);
    } else {
        TuiAbstract::set(iKey, value);
    }
}

QVariant TComboBox::get(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return currentName();
    if (iKey == QLatin1String("item_list"))
        return itemList();
    if (iKey == QLatin1String("searchable"))
        return d->searchable;
    if (iKey == QLatin1String("wheel_enabled"))
        return d->wheelEnabled;
    return TuiAbstract::get(iKey, iOptions);
}

QVariantList TComboBox::itemList() const { return d->itemList; }

void TComboBox::setItemList(const QVariantList &iItemLst)
{
    const QVariantList items = TScriptValue::toPlain(iItemLst).toList();
    const bool wasBlocked = blockSignals(true);
    clear();
    d->rowNames.clear();
    // One map per row, in row order: plain values become {name, text}, so
    // that the stored list always describes every row.
    QVariantList stored;
    for (const QVariant &item : items) {
        const int row = count();
        if (isMapLike(item)) {
            const QVariantMap map = item.toMap();
            const QString iconName = map.value(QStringLiteral("icon")).toString();
            addItem(resourceIcon(iconName), map.value(QStringLiteral("text")).toString(),
                    map.value(QStringLiteral("user_data")));
            d->rowNames.insert(row, map.value(QStringLiteral("name")).toString());
            stored.append(item);
        } else {
            const QString text = item.toString();
            addItem(text);
            d->rowNames.insert(row, text);
            stored.append(QVariantMap {{QStringLiteral("name"), text}, {QStringLiteral("text"), text}});
        }
    }
    d->itemList = stored;
    blockSignals(wasBlocked);
    Q_EMIT itemListChanged();
    setCurrentIndex(-1);
}

QString TComboBox::currentName() const
{
    const int row = currentIndex();
    return row < 0 ? QString() : d->effectiveName(row);
}

void TComboBox::setCurrentName(const QString &iCurNameStr)
{
    int found = -1;
    for (int row = 0; row < count() && found < 0; ++row) {
        if (d->effectiveName(row) == iCurNameStr)
            found = row;
    }
    setCurrentIndex(found);
}

QIcon TComboBox::currentIcon() const
{
    const int row = currentIndex();
    return row < 0 ? QIcon() : itemIcon(row);
}

QVariant TComboBox::currentUserData() const
{
    const int row = currentIndex();
    return row < 0 ? QVariant() : itemData(row, Qt::UserRole);
}

bool TComboBox::isWheelEnabled() const { return d->wheelEnabled; }

void TComboBox::setWheelEnabled(bool iYBol) { d->wheelEnabled = iYBol; }

bool TComboBox::isSearchable() const { return d->searchable; }

void TComboBox::setSearchable(bool iYBol) { d->applySearchable(iYBol); }

void TComboBox::setItemVisible(const QString &iName, bool iBol)
{
    for (int row = 0; row < d->listWidget->count(); ++row) {
        if (d->rowNames.value(row) != iName)
            continue;
        d->listWidget->setRowHidden(row, !iBol);
        d->listWidget->item(row)->setData(TComboBoxPrivate::VisibleRole, iBol);
    }
}

void TComboBox::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (TControlSupport::sendEvent(this, this, QStringLiteral("clicked")))
        QComboBox::mouseReleaseEvent(iEvent);
}

void TComboBox::wheelEvent(QWheelEvent *iEvent)
{
    // Disabled, the wheel is swallowed here: it neither changes the row nor,
    // accepted, travels on to scroll the form around the box.
    if (d->wheelEnabled)
        QComboBox::wheelEvent(iEvent);
    else
        iEvent->accept();
}

void TComboBox::focusInEvent(QFocusEvent *iEvent)
{
    if (TControlSupport::sendEvent(this, this, QStringLiteral("focus_in")))
        QComboBox::focusInEvent(iEvent);
}

void TComboBox::showPopup()
{
    QComboBox::showPopup();
    d->searchFrame->activateWindow();
    d->searchFrame->setFixedWidth(d->listWidget->rect().width());
    d->searchEntry->setFocus(Qt::OtherFocusReason);
}

void TComboBox::hidePopup()
{
    // Clearing runs the filter once more and brings back every row not hidden by name.
    d->searchEntry->clear();
    QComboBox::hidePopup();
}

void TComboBox::onEditFinished()
{
    if (TControlSupport::sendEvent(this, this, QStringLiteral("value_changed")))
        TControlSupport::sendEvent(this, this, QStringLiteral("editing_finished"));
}
