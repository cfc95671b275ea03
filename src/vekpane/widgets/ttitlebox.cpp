#include "ttitlebox.h"
#include "ttitlebox_p.h"

#include "tresource.h"
#include "tscriptvalue.h"
#include "tsearchentry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>

namespace {
bool isInteger(const QVariant &iValue)
{
    return iValue.userType() == QMetaType::Int || iValue.userType() == QMetaType::UInt;
}
} // namespace

TTitleBox::TTitleBox(QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TTitleBoxPrivate(this))
{
    d->iconLabel = new QLabel(this);
    d->textLabel = new QLabel(this);
    d->layout = new QHBoxLayout(this);
    d->layout->setContentsMargins(5, 5, 5, 5);
    d->layout->addWidget(d->iconLabel, 0, Qt::AlignCenter);
    d->layout->addWidget(d->textLabel, 1, Qt::AlignLeft | Qt::AlignVCenter);
}

TTitleBox::~TTitleBox() = default;

void TTitleBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        if (value.userType() == QMetaType::QString)
            setText(value.toString());
    } else if (iKey == QLatin1String("icon_height")) {
        if (isInteger(value))
            setIconHeight(value.toInt());
    } else if (iKey == QLatin1String("icon_width")) {
        if (isInteger(value))
            setIconWidth(value.toInt());
    } else if (iKey == QLatin1String("icon_str")) {
        if (value.userType() == QMetaType::QString) {
            setIconFile(value.toString());
            setProperty("icon_str", value);
        }
    }
}

QVariant TTitleBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    if (iKey == QLatin1String("icon_height"))
        return d->iconHeight;
    if (iKey == QLatin1String("icon_width"))
        return d->iconWidth;
    if (iKey == QLatin1String("icon_str"))
        return property("icon_str");
    return _getData(this, iKey, iOptions);
}

int TTitleBox::iconWidth() const { return d->iconWidth; }

void TTitleBox::setIconWidth(int iWidthInt) { d->iconWidth = iWidthInt; }

int TTitleBox::iconHeight() const { return d->iconHeight; }

void TTitleBox::setIconHeight(int iHeightInt) { d->iconHeight = iHeightInt; }

QString TTitleBox::text() const { return d->textLabel->text(); }

void TTitleBox::setText(const QString &iTextStr) { d->textLabel->setText(iTextStr); }

void TTitleBox::setIconFile(const QString &iFileStr)
{
    const QIcon icon = TResource::instance()->icon(iFileStr, QStringLiteral("button"), QStringLiteral("body"));
    d->iconLabel->setPixmap(icon.pixmap(d->iconWidth, d->iconHeight));
}

TSearchEntry *TTitleBox::searchEntry()
{
    if (!d->searchEntry) {
        d->searchEntry = new TSearchEntry(this);
        d->layout->addWidget(d->searchEntry);
        setFocusProxy(d->searchEntry);
    }
    return d->searchEntry;
}

void TTitleBox::paintEvent(QPaintEvent *iEvent)
{
    Q_UNUSED(iEvent)
    // A plain QWidget subclass ignores its style-sheet background unless it draws it.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
