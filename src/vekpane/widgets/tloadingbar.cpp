#include "tloadingbar.h"
#include "tloadingbar_p.h"

#include "tdialog.h"
#include "tloadingindicator.h"
#include "tmainwindow.h"
#include "ttheme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The shadow border of a frameless window in normal state.
const int ShadowBorder = 5;
} // namespace

void TLoadingBarPrivate::build()
{
    Q_Q(TLoadingBar);
    TTheme *theme = TTheme::instance();
    busyIndicator = new TLoadingIndicator(q);
    busyIndicator->setFixedSize(theme->dp(60), theme->dp(40));
    iconBox = new QWidget(q);
    iconBox->setFixedSize(theme->dp(100), theme->dp(55));
    auto *iconLayout = new QVBoxLayout(iconBox);
    iconLayout->setContentsMargins(theme->dp(6), theme->dp(6), theme->dp(6), theme->dp(6));
    iconLayout->addWidget(busyIndicator, 0, Qt::AlignCenter);

    progressLine = new TLoadingIndicator(q);
    progressLine->setDisplayType(TLoadingIndicator::Progress);
    progressLine->setFixedHeight(theme->dp(4));
    textLabel = new QLabel(q);
    textLabel->setStyleSheet(QStringLiteral(".QLabel{color:#FFFFFFDF}"));
    remarkLabel = new QLabel(q);
    remarkLabel->setWordWrap(false);
    remarkLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    remarkLabel->hide();

    strip = new QFrame(q);
    strip->setProperty("SS_TYPE", QStringLiteral("MSGBAR_LOADING"));
    strip->setFixedHeight(theme->dp(55));
    mask = new QFrame(q);
    mask->setProperty("SS_TYPE", QStringLiteral("MSGBAR_MASK"));

    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    auto *inner = new QHBoxLayout;
    inner->setContentsMargins(theme->dp(0), theme->dp(0), theme->dp(0), theme->dp(0));
    inner->addWidget(iconBox, 0, Qt::AlignCenter);
    auto *column = new QVBoxLayout;
    column->setSpacing(theme->dp(3));
    column->addStretch(1);
    column->addWidget(textLabel, 0, Qt::AlignLeft | Qt::AlignVCenter);
    column->addWidget(remarkLabel, 0, Qt::AlignLeft | Qt::AlignVCenter);
    column->addWidget(progressLine);
    column->addStretch(1);
    inner->addLayout(column, 1);
    stripLayout->addLayout(inner, 1);
    auto *trailing = new QVBoxLayout;
    trailing->setContentsMargins(0, 0, 0, 0);
    trailing->setSpacing(0);
    stripLayout->addLayout(trailing);

    q->setMouseTracking(true);
    mask->setMouseTracking(true);
    strip->setMouseTracking(false);
}

void TLoadingBarPrivate::placeOverParent()
{
    Q_Q(TLoadingBar);
    QWidget *parent = q->parentWidget();
    if (!parent)
        return;
    QRect area = parent->rect();
    const bool frameless = qobject_cast<TMainWindow *>(parent) || qobject_cast<TDialog *>(parent);
    if (frameless && parent->isWindow() && !(parent->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        area.adjust(ShadowBorder, ShadowBorder, -ShadowBorder, -ShadowBorder);
    q->setGeometry(area);
    const int h = strip->maximumHeight();
    mask->setGeometry(0, 0, area.width(), area.height() - h);
    strip->setGeometry(0, area.height() - h, area.width(), h);
}

void TLoadingBarPrivate::apply(const QString &iKey, const QVariant &iValue)
{
    if (iKey == QLatin1String("text")) {
        textLabel->setText(iValue.toString());
    } else if (iKey == QLatin1String("detail")) {
        const QString remark = iValue.toString();
        remarkLabel->setText(remark);
        remarkLabel->setVisible(!remark.isEmpty());
    } else if (iKey == QLatin1String("percent")) {
        const int percent = iValue.toInt();
        progressLine->setPercent(percent);
        busyIndicator->setPercent(percent);
        progressLine->setVisible(percent >= 0);
    }
}

TLoadingBar::TLoadingBar(QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TLoadingBarPrivate(this))
{
    d->build();
    d->placeOverParent();
}

TLoadingBar::~TLoadingBar() = default;

void TLoadingBar::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("data")) {
        const QVariantMap dataMap = value.toMap();
        for (const char *key : {"text", "detail", "percent"}) {
            const QString name = QLatin1String(key);
            if (dataMap.contains(name))
                d->apply(name, dataMap.value(name));
        }
    } else {
        d->apply(iKey, value);
    }
}

QVariant TLoadingBar::getAttr(const QString &iKey, const QVariant &iOptions) { return _getData(this, iKey, iOptions); }
