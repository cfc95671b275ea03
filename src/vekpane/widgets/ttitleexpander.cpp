#include "ttitleexpander.h"
#include "ttitleexpander_p.h"

#include "tresource.h"
#include "tscriptvalue.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
// Releases within this many pixels of the upper edge hit the title band.
const int TitleBand = 25;

QPixmap iconPixmap(const QString &iName, const QSize &iSize)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body")).pixmap(iSize);
}
} // namespace

void TTitleExpanderPrivate::showIndicator() { indicatorLabel->setPixmap(expanded ? expandedPixmap : collapsedPixmap); }

TTitleExpander::TTitleExpander(QWidget *iParent)
    : QFrame(iParent)
    , TUiInterface()
    , d(new TTitleExpanderPrivate(this))
{
    TTheme *theme = TTheme::instance();
    d->mainLayout = new QVBoxLayout(this);
    d->mainLayout->setContentsMargins(0, 0, 0, 0);
    d->mainLayout->setSpacing(2);

    d->titleFrame = new QFrame(this);
    d->titleFrame->setObjectName(QStringLiteral("TITLE_FRAME"));
    d->titleFrame->setFixedHeight(theme->dp(20));
    auto *frameLayout = new QHBoxLayout(d->titleFrame);
    frameLayout->setContentsMargins(0, 0, theme->dp(4), 0);

    d->titleRow = new QHBoxLayout;
    d->titleRow->setContentsMargins(theme->dp(4), 0, 0, 0);
    d->titleRow->setSpacing(theme->dp(4));
    d->iconLabel = new QLabel(d->titleFrame);
    d->iconLabel->hide();
    d->titleLabel = new QLabel(d->titleFrame);
    d->titleLabel->setObjectName(QStringLiteral("TITLE_LABEL"));
    d->titleRow->addWidget(d->iconLabel);
    d->titleRow->addWidget(d->titleLabel, 1, Qt::AlignLeft | Qt::AlignVCenter);
    frameLayout->addLayout(d->titleRow, 1);

    d->indicatorLabel = new QLabel(d->titleFrame);
    frameLayout->addWidget(d->indicatorLabel, 0, Qt::AlignRight);
    d->mainLayout->addWidget(d->titleFrame);

    setExpandedIcon(QStringLiteral("angle-down"));
    setCollapsedIcon(QStringLiteral("angle-left"));
}

TTitleExpander::~TTitleExpander() = default;

void TTitleExpander::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("icon"))
        setIcon(value.toString());
    else if (iKey == QLatin1String("text"))
        setText(value.toString());
    else if (iKey == QLatin1String("expanded"))
        setExpanded(value.toBool());
    else if (iKey == QLatin1String("expanded_icon"))
        setExpandedIcon(value.toString());
    else if (iKey == QLatin1String("collapsed_icon"))
        setCollapsedIcon(value.toString());

    // setGraphicsEffect() deletes the shadow it replaces.
    if (property("SS_TYPE").toString() == QLatin1String("RAISED"))
        setGraphicsEffect(TTheme::instance()->getShadowEffect(1, QStringLiteral("center")));
}

QVariant TTitleExpander::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("icon"))
        return d->iconName;
    if (iKey == QLatin1String("text"))
        return text();
    return _getData(this, iKey, iOptions);
}

QString TTitleExpander::icon() const { return d->iconName; }

void TTitleExpander::setIcon(const QString &iName)
{
    d->iconName = iName;
    d->iconLabel->setPixmap(iName.isEmpty() ? QPixmap() : iconPixmap(iName, d->iconSize));
    d->iconLabel->setVisible(!iName.isEmpty());
}

QSize TTitleExpander::iconSize() const { return d->iconSize; }

void TTitleExpander::setIconSize(const QSize &iSize) { d->iconSize = iSize; }

QString TTitleExpander::text() const { return d->titleLabel->text(); }

void TTitleExpander::setText(const QString &iText) { d->titleLabel->setText(iText); }

Qt::Alignment TTitleExpander::textAlignment() const { return d->titleLabel->alignment(); }

void TTitleExpander::setTextAlignment(Qt::Alignment iAlignment) { d->titleLabel->setAlignment(iAlignment); }

QString TTitleExpander::expandedIcon() const { return d->expandedIconName; }

void TTitleExpander::setExpandedIcon(const QString &iName)
{
    const int side = TTheme::instance()->dp(16);
    d->expandedIconName = iName;
    d->expandedPixmap = iconPixmap(iName, QSize(side, side));
    if (d->expanded)
        d->showIndicator();
}

QString TTitleExpander::collapsedIcon() const { return d->collapsedIconName; }

void TTitleExpander::setCollapsedIcon(const QString &iName)
{
    const int side = TTheme::instance()->dp(16);
    d->collapsedIconName = iName;
    d->collapsedPixmap = iconPixmap(iName, QSize(side, side));
    if (!d->expanded)
        d->showIndicator();
}

bool TTitleExpander::isExpanded() const { return d->expanded; }

void TTitleExpander::setExpanded(bool iExpanedBol)
{
    if (d->expanded == iExpanedBol)
        return;
    d->expanded = iExpanedBol;
    d->titleFrame->setProperty("SS_EXPANDED", iExpanedBol);
    // Re-applying the style sheet makes the theme's selectors see the new state.
    d->titleFrame->setStyleSheet(d->titleFrame->styleSheet());
    d->showIndicator();
    if (d->body)
        d->body->setVisible(iExpanedBol);
    Q_EMIT toggled(iExpanedBol);
}

QAbstractButton *TTitleExpander::toggleButton() const { return d->toggleButton.data(); }

void TTitleExpander::setToggleButton(QAbstractButton *iButtonPtr, int iPositionInt)
{
    if (d->toggleButton)
        disconnect(d->toggleButton.data(), &QAbstractButton::toggled, this, &TTitleExpander::setExpanded);
    d->toggleButton = iButtonPtr;
    if (iButtonPtr) {
        d->titleRow->insertWidget(iPositionInt, iButtonPtr, 0, Qt::AlignVCenter);
        connect(iButtonPtr, &QAbstractButton::toggled, this, &TTitleExpander::setExpanded);
        d->indicatorLabel->hide();
    } else {
        d->indicatorLabel->show();
    }
}

QWidget *TTitleExpander::bodyWidget() const { return d->body.data(); }

void TTitleExpander::setBodyWidget(QWidget *iWidget)
{
    d->body = iWidget;
    if (!iWidget)
        return;
    d->mainLayout->addWidget(iWidget, 1);
    iWidget->setVisible(d->expanded);
}

QLabel *TTitleExpander::titleLabel() const { return d->titleLabel; }

void TTitleExpander::addTitleWidget(QWidget *iWidgetPtr, int iPositionInt, int iStretchInt, Qt::Alignment iAlign)
{
    if (iWidgetPtr)
        d->titleRow->insertWidget(iPositionInt, iWidgetPtr, iStretchInt, iAlign);
}

bool TTitleExpander::isCollapsible() const { return d->collapsible; }

void TTitleExpander::setCollapsible(bool iCollapsible)
{
    d->collapsible = iCollapsible;
    d->indicatorLabel->setVisible(iCollapsible);
}

void TTitleExpander::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (d->collapsible && iEvent->button() == Qt::LeftButton && iEvent->pos().y() < TitleBand) {
        if (d->toggleButton)
            d->toggleButton->setChecked(!d->toggleButton->isChecked());
        else
            setExpanded(!d->expanded);
        iEvent->accept();
        return;
    }
    QFrame::mouseReleaseEvent(iEvent);
}
