#include "tloadingindicator.h"
#include "tloadingindicator_p.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {
const int TickMs = 150;
const int Step = 36;
} // namespace

void TLoadingIndicatorPrivate::paintBusy(QPainter &iPainter, const QColor &iColor, int iSide)
{
    Q_Q(TLoadingIndicator);
    if (percent >= 0) {
        QFont font = q->font();
        font.setPointSize(qMax(1, int(iSide * 0.22)));
        iPainter.setFont(font);
        iPainter.setPen(iColor);
        iPainter.drawText(q->rect(), Qt::AlignCenter | Qt::TextDontClip, QString::number(percent));
    }
    iPainter.translate(q->width() / 2, q->height() / 2);
    iPainter.rotate(-angle);
    const int radius = int(iSide * 0.78 * 0.5);
    const int dot = int(iSide * 0.22);
    for (int alpha = 360; alpha > 72; alpha -= Step) {
        QColor color = iColor;
        color.setAlphaF(alpha / 360.0);
        QPen pen(color);
        pen.setCapStyle(Qt::RoundCap);
        pen.setWidth(dot * alpha / 360);
        iPainter.setPen(pen);
        iPainter.drawPoint(radius, 0);
        iPainter.rotate(Step);
    }
}

void TLoadingIndicatorPrivate::paintProgress(QPainter &iPainter, const QColor &iColor)
{
    Q_Q(TLoadingIndicator);
    iPainter.setPen(Qt::NoPen);
    QColor track = iColor;
    track.setAlphaF(0.5);
    iPainter.fillRect(q->rect(), track);
    // A percentage outside 0..100 must not paint beside the bar.
    iPainter.fillRect(QRect(0, 0, q->width() * qBound(0, percent, 100) / 100, q->height()), iColor);
}

void TLoadingIndicatorPrivate::paintSymbol(QPainter &iPainter, const QColor &iColor, int iSide)
{
    Q_Q(TLoadingIndicator);
    iPainter.translate(q->width() / 2, q->height() / 2);
    QPen pen(iColor);
    pen.setCapStyle(Qt::FlatCap);
    switch (displayType) {
    case TLoadingIndicator::Information:
    case TLoadingIndicator::Warning: {
        // The warning sign is the information sign upside down.
        const qreal flip = displayType == TLoadingIndicator::Warning ? -1.0 : 1.0;
        pen.setWidth(int(iSide * 0.12));
        pen.setJoinStyle(Qt::MiterJoin);
        iPainter.setPen(pen);
        const int r = int(iSide * 0.44);
        iPainter.drawPoint(QPointF(0, flip * -0.7 * r));
        iPainter.drawLine(QPointF(0, flip * -0.3 * r), QPointF(0, flip * 0.8 * r));
        iPainter.drawRect(QRect(-r, -r, 2 * r, 2 * r));
        break;
    }
    case TLoadingIndicator::Success: {
        pen.setWidth(int(iSide * 0.16));
        pen.setJoinStyle(Qt::RoundJoin);
        iPainter.setPen(pen);
        const int r = int(iSide * 0.4);
        const QPointF points[] = {QPointF(-r, 0), QPointF(-0.2 * r, 0.8 * r), QPointF(r, -r)};
        iPainter.drawPolyline(points, 3);
        break;
    }
    case TLoadingIndicator::Failure: {
        pen.setWidth(int(iSide * 0.16));
        iPainter.setPen(pen);
        const int a = int(iSide * 0.35);
        iPainter.drawLine(-a, -a, a, a);
        iPainter.drawLine(-a, a, a, -a);
        break;
    }
    default:
        break;
    }
}

TLoadingIndicator::TLoadingIndicator(QWidget *iParent)
    : QWidget(iParent)
    , d(new TLoadingIndicatorPrivate(this))
{
    setAttribute(Qt::WA_TranslucentBackground, true);
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &TLoadingIndicator::onTimeout);
    d->timer->start(TickMs);
}

TLoadingIndicator::~TLoadingIndicator() = default;

int TLoadingIndicator::percent() const { return d->percent; }

TLoadingIndicator::DisplayType TLoadingIndicator::displayType() const { return d->displayType; }

void TLoadingIndicator::setPercent(int iValue)
{
    d->percent = iValue;
    update();
}

void TLoadingIndicator::setDisplayType(TLoadingIndicator::DisplayType iType)
{
    d->displayType = iType;
    if (iType == Busy)
        d->timer->start(TickMs);
    else
        d->timer->stop();
    update();
}

void TLoadingIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int side = qMin(width(), height());
    const QColor color = palette().color(QPalette::WindowText);
    switch (d->displayType) {
    case Busy:
        d->paintBusy(painter, color, side);
        break;
    case Progress:
        d->paintProgress(painter, color);
        break;
    case Information:
    case Success:
    case Failure:
    case Warning:
        d->paintSymbol(painter, color, side);
        break;
    }
}

void TLoadingIndicator::onTimeout()
{
    d->angle = (d->angle + Step) % 360;
    update();
}
