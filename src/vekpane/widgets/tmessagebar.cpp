#include "tmessagebar.h"
#include "tmessagebar_p.h"

#include "tlabel.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "ttextedit.h"
#include "ttheme.h"
#include "ttoolbutton.h"
#include "tuievent_p.h"

#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>

void TMessageBarPrivate::build(int iAngle)
{
    Q_Q(TMessageBar);
    TTheme *theme = TTheme::instance();
    angle = iAngle;
    textLabel = new TLabel(q);
    detailLabel = new TLabel(q);
    detailLabel->hide();
    detailText = new TTextEdit(q);
    detailText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    detailText->hide();
    iconButton = new TToolButton(q);
    closeButton = new TToolButton(q);

    closeTimer = new QTimer(q);
    closeTimer->setSingleShot(true);
    closeTimer->setInterval(3000);
    QObject::connect(closeTimer, &QTimer::timeout, q, &TMessageBar::onCloseTimerOut);

    auto *outer = new QHBoxLayout(q);
    outer->setSpacing(0);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(q);
    frame->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto *side = new QVBoxLayout;
    side->setSpacing(0);
    side->setContentsMargins(0, 0, 0, 0);

    const QString flat = QStringLiteral("background-color:transparent; border-style:none;");
    iconButton->setStyleSheet(flat);
    closeButton->setStyleSheet(flat);
    QObject::connect(closeButton, &QAbstractButton::clicked, q, &TMessageBar::onCloseButtonClick);

    row->addWidget(iconButton);
    if (angle == TMessageBar::BottomAngle) {
        row->addWidget(textLabel);
        row->addWidget(detailLabel);
        q->setTuiStyle(QStringLiteral("angle=bottom"));
        side->addWidget(closeButton);
        side->addSpacing(theme->dp(10));
        row->addStretch();
        iconButton->setIconSize(QSize(theme->dp(28), theme->dp(28)));
    } else {
        textLabel->setMaximumWidth(theme->dp(175));
        detailText->setMaximumWidth(theme->dp(175));
        auto *column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(theme->dp(0));
        column->addStretch();
        column->addWidget(textLabel);
        column->addWidget(detailText);
        column->addStretch();
        row->addLayout(column);
        side->addWidget(closeButton);
        side->addStretch();
        q->setTuiStyle(QStringLiteral("angle=right"));
        iconButton->setIconSize(QSize(theme->dp(34), theme->dp(34)));
    }
    row->addLayout(side);
    iconButton->setIcon(TResource::instance()->colorIcon(QStringLiteral("info-circle.#3F82B0")));
    detailLabel->setTuiStyle(QStringLiteral("name=detail"));
    textLabel->setTuiStyle(QStringLiteral("name=text"));
    iconButton->setTuiStyle(QStringLiteral("name=icon"));
    closeButton->setTuiStyle(QStringLiteral("name=close"));
}

void TMessageBarPrivate::pickIcons()
{
    Q_Q(TMessageBar);
    const QString type = q->property("SS_TYPE").toString();
    QString icon;
    QString close = QStringLiteral("close.#393B3E");
    if (type == QLatin1String("WARN")) {
        icon = QStringLiteral("exclamation-triangle.#EAC02E");
    } else if (type == QLatin1String("INFO")) {
        icon = QStringLiteral("info-circle.#3F82B0");
    } else if (type == QLatin1String("OK")) {
        icon = QStringLiteral("check.#286825");
        close = QStringLiteral("close.#FFFFFF");
    } else if (type == QLatin1String("ERROR")) {
        icon = QStringLiteral("close.#ED3B3E");
    } else {
        return;
    }
    TResource *resource = TResource::instance();
    iconButton->setIcon(resource->colorIcon(icon));
    closeButton->setIcon(resource->colorIcon(close));
}

QPropertyAnimation *TMessageBarPrivate::fade(qreal iFrom, qreal iTo, int iMs)
{
    Q_Q(TMessageBar);
    // setGraphicsEffect() deletes the previous effect, and with it a fade
    // still running on it (the animation is the effect's child).
    auto *effect = new QGraphicsOpacityEffect(q);
    effect->setOpacity(iFrom);
    q->setGraphicsEffect(effect);
    auto *animation = new QPropertyAnimation(effect, "opacity", effect);
    animation->setDuration(iMs);
    animation->setStartValue(iFrom);
    animation->setEndValue(iTo);
    return animation;
}

void TMessageBarPrivate::closeMessageBar(int iFadeMs)
{
    Q_Q(TMessageBar);
    if (state == Closing)
        return;
    state = Closing;
    fadeOut = fade(1.0, 0.0, iFadeMs);
    // Queued: a listener may delete the bar on "should_be_close", and with it
    // the animation, which must not happen inside the animation's own signal.
    QObject::connect(fadeOut.data(), &QAbstractAnimation::finished, q, &TMessageBar::emitCloseSignal,
                     Qt::QueuedConnection);
    fadeOut->start(QAbstractAnimation::DeleteWhenStopped);
}

TMessageBar::TMessageBar(QWidget *iParent)
    : TMessageBar(RightAngle, iParent)
{}

TMessageBar::TMessageBar(MessageBarAngle iAngle, QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TMessageBarPrivate(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    d->build(iAngle);
}

TMessageBar::~TMessageBar() = default;

void TMessageBar::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("text"))
        setText(value.toString());
    else if (iKey == QLatin1String("detail"))
        setDetail(value.toString());
    else if (iKey == QLatin1String("close_time"))
        setCloseTime(value.toInt());
    else if (iKey == QLatin1String("timer_reset"))
        timerReset();
    d->pickIcons();
}

QVariant TMessageBar::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("text"))
        return d->textLabel->text();
    if (iKey == QLatin1String("detail")) {
        if (d->angle == BottomAngle)
            return d->detailLabel->text();
        return d->detailText->toPlainText();
    }
    return _getData(this, iKey, iOptions);
}

void TMessageBar::setText(const QString &iText) { d->textLabel->setText(iText); }

void TMessageBar::setDetail(const QString &iText)
{
    QWidget *shown = d->detailText;
    if (d->angle == BottomAngle) {
        shown = d->detailLabel;
        if (!iText.isEmpty())
            d->detailLabel->setText(iText);
    } else if (!iText.isEmpty()) {
        d->detailText->setPlainText(iText);
    }
    shown->setVisible(!iText.isEmpty());
}

void TMessageBar::setCloseTime(int iTime) { d->closeTimer->setInterval(iTime); }

void TMessageBar::timerReset() { d->closeTimer->start(); }

void TMessageBar::showMessage()
{
    if (!isVisible()) {
        show();
        QPropertyAnimation *fadeIn = d->fade(0.0, 1.0, 500);
        connect(fadeIn, &QAbstractAnimation::finished, this, &TMessageBar::onStart);
        fadeIn->start(QAbstractAnimation::DeleteWhenStopped);
        d->state = TMessageBarPrivate::Shown;
    } else if (d->angle == BottomAngle && d->state == TMessageBarPrivate::Closing) {
        if (d->fadeOut)
            d->fadeOut->stop();
        if (auto *effect = qobject_cast<QGraphicsOpacityEffect *>(graphicsEffect()))
            effect->setOpacity(1.0);
        d->state = TMessageBarPrivate::Shown;
    }
}

void TMessageBar::onCloseButtonClick() { d->closeMessageBar(200); }

void TMessageBar::onCloseTimerOut() { d->closeMessageBar(1000); }

void TMessageBar::emitCloseSignal()
{
    if (d->state == TMessageBarPrivate::Closing)
        TUiEvent::send(this, this, QStringLiteral("should_be_close"));
}

void TMessageBar::onStart() { d->closeTimer->start(); }
