#include "tpushbuttonscreenshots.h"
#include "tpushbuttonscreenshots_p.h"

#include "tresource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TPushButtonScreenShots::TPushButtonScreenShots(QWidget *iParent)
    : QWidget(iParent)
    , d(new TPushButtonScreenShotsPrivate(this))
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    d->iconLabel = new QLabel;
    d->iconLabel->setProperty("SS", QStringLiteral("A"));
    d->iconLabel->setPixmap(TResource::instance()
                                    ->icon(QStringLiteral("camera"), QStringLiteral("button"), QStringLiteral("body"))
                                    .pixmap(20, 20, QIcon::Normal, QIcon::Off));
    d->button = new QPushButton(tr("Click To Start Snap"));
    d->button->setProperty("SS", QStringLiteral("A"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(d->iconLabel);
    layout->addWidget(d->button);
    connect(d->button, &QPushButton::clicked, this, &TPushButtonScreenShots::clicked);
}

TPushButtonScreenShots::~TPushButtonScreenShots() = default;

void TPushButtonScreenShots::mousePressEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() == Qt::LeftButton) {
        d->dragging = true;
        d->dragOffset = iEvent->pos() - rect().topLeft();
    }
    QWidget::mousePressEvent(iEvent);
}

void TPushButtonScreenShots::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() == Qt::LeftButton) {
        d->dragging = false;
        d->dragOffset = QPoint();
    }
    QWidget::mouseReleaseEvent(iEvent);
}

void TPushButtonScreenShots::mouseMoveEvent(QMouseEvent *iEvent)
{
    if (d->dragging)
        move(iEvent->globalPos() - d->dragOffset);
    QWidget::mouseMoveEvent(iEvent);
}
