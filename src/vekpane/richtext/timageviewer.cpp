#include "timageviewer.h"
#include "timageviewer_p.h"

#include "timagebudget.h"
#include "tresource.h"
#include "tscreenshotwidget.h"
#include "tuiwrapper_p.h"

#include <QAction>
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QTransform>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace {
// The label keeps a scaled copy of the whole image, so its size is bounded:
// the pixels a decoded image may have, and no side beyond what painting
// handles.
const double kPixelBudget = double(TImageBudget::MaxPixels);
const double kMaxSide = 32767.0;
} // namespace

void TImageViewerPrivate::adjustImageSize()
{
    if (viewType == QLatin1String("normal")) {
        scrollArea->setWidgetResizable(false);
        imageLabel->setPixmap(image);
        imageLabel->adjustSize();
    } else if (viewType == QLatin1String("fixed")) {
        scrollArea->setWidgetResizable(false);
        imageLabel->resize(fixedSize);
    } else if (viewType == QLatin1String("fit")) {
        scrollArea->setWidgetResizable(false);
        imageLabel->resize(image.size().scaled(scrollArea->size(), Qt::KeepAspectRatio));
    }
}

void TImageViewerPrivate::rotate(double iDegrees)
{
    Q_Q(TImageViewer);
    if (image.isNull())
        return;
    const QImage source = image.toImage();
    QTransform turn;
    turn.translate(source.width() / 2.0, source.height() / 2.0);
    turn.rotate(iDegrees);
    // transformed() moves the result to the origin, so the centre drops out.
    q->replaceImg(QPixmap::fromImage(source.transformed(turn, Qt::FastTransformation)));
}

double TImageViewerPrivate::maxScale() const
{
    const QPixmap shown = imageLabel->pixmap(Qt::ReturnByValue);
    if (shown.isNull())
        return 1e9;
    const double w = shown.width();
    const double h = shown.height();
    return qMin(std::sqrt(kPixelBudget / (w * h)), qMin(kMaxSide / w, kMaxSide / h));
}

TImageViewer::TImageViewer(QWidget *iParent)
    : QWidget(iParent)
    , TUiInterface()
    , d(new TImageViewerPrivate(this))
{
    setAttribute(Qt::WA_MouseTracking);

    d->imageLabel = new QLabel;
    d->imageLabel->setBackgroundRole(QPalette::Base);
    d->imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    d->imageLabel->setScaledContents(true);

    d->scrollArea = new QScrollArea;
    d->scrollArea->setBackgroundRole(QPalette::Dark);
    d->scrollArea->setWidgetResizable(true);
    d->scrollArea->setWidget(d->imageLabel);
    d->scrollArea->setAlignment(Qt::AlignCenter);

    auto icon = [](const char *iName) {
        return TResource::instance()->icon(QLatin1String(iName), QStringLiteral("button"), QStringLiteral("body"));
    };
    d->screenshotAction = new QAction(icon("camera"), tr("Screenshot"), this);
    d->screenshotAction->setToolTip(tr("Screenshot"));
    connect(d->screenshotAction, &QAction::triggered, this, &TImageViewer::screenshot);
    d->rRotateAction = new QAction(icon("rotate-right"), tr("RotateRight"), this);
    d->rRotateAction->setToolTip(tr("RotateRight"));
    connect(d->rRotateAction, &QAction::triggered, this, &TImageViewer::rRotate);
    d->lRotateAction = new QAction(icon("rotate-left"), tr("RotateLeft"), this);
    d->lRotateAction->setToolTip(tr("RotateLeft"));
    connect(d->lRotateAction, &QAction::triggered, this, &TImageViewer::lRotate);

    auto *toolBar = new QToolBar;
    toolBar->setProperty("SS_BG", QStringLiteral("PANEL"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->addAction(d->lRotateAction);
    toolBar->addAction(d->rRotateAction);
    toolBar->addAction(d->screenshotAction);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    layout->addWidget(d->scrollArea);

    d->scrollArea->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(d->scrollArea, &QWidget::customContextMenuRequested, this, &TImageViewer::showContextMenu);
    setContextMenu();

    d->fixedSize = QSize(width(), height());
}

TImageViewer::~TImageViewer() = default;

TUI_WRAPPER_COMMON_KEYS_ONLY(TImageViewer)

double TImageViewer::scale() const { return d->scale; }

bool TImageViewer::loadFile(const QString &iFileName)
{
    if (iFileName.isEmpty())
        return true;
    // A small file can claim a huge image: the budget reads the header
    // before anything is decoded.
    const QImage loaded = TImageBudget::readFile(iFileName);
    if (loaded.isNull()) {
        setWindowFilePath(QString());
        d->imageLabel->setPixmap(QPixmap());
        d->imageLabel->adjustSize();
        return false;
    }
    d->image = QPixmap::fromImage(loaded);
    d->pixelSize = d->image.size();
    d->imageLabel->setPixmap(d->image);
    d->scale = 1.0;
    d->adjustImageSize();
    d->imageName = iFileName;
    setWindowFilePath(iFileName);
    return true;
}

bool TImageViewer::replaceImg(const QPixmap &iImage)
{
    if (iImage.isNull() || d->imageName.isEmpty() || !iImage.save(d->imageName))
        return false;
    d->image = iImage;
    d->pixelSize = iImage.size();
    d->imageLabel->setPixmap(d->image);
    d->adjustImageSize();
    return true;
}

QString TImageViewer::viewType() const { return d->viewType; }

void TImageViewer::setViewType(const QString &iViewType) { d->viewType = iViewType; }

QSize TImageViewer::fixedSize() const { return d->fixedSize; }

void TImageViewer::setFixedSize(const QSize &iFixedSize) { d->fixedSize = iFixedSize; }

void TImageViewer::fitWindow()
{
    d->viewType = QStringLiteral("fit");
    d->adjustImageSize();
    d->scale = d->fitScale;
}

void TImageViewer::normalSize()
{
    d->viewType = QStringLiteral("normal");
    d->scale = 1.0;
    d->adjustImageSize();
}

void TImageViewer::zoomIn() { scaleImage(1.25); }

void TImageViewer::zoomOut() { scaleImage(0.8); }

QString TImageViewer::getImageName() const { return d->imageName; }

void TImageViewer::screenshot()
{
    auto *capture = new TScreenShotWidget(nullptr);
    connect(capture, &TScreenShotWidget::finished, this, &TImageViewer::replaceImg);
    if (capture->state() == TScreenShotWidget::NotStarted)
        capture->getReadyToShot();
}

void TImageViewer::rRotate() { d->rotate(90.0); }

void TImageViewer::lRotate() { d->rotate(-90.0); }

QMenu *TImageViewer::contextMenu() const { return d->contextMenu; }

void TImageViewer::mousePressEvent(QMouseEvent *iEvent)
{
    if (!d->image.isNull()) {
        d->lastX = iEvent->pos().x();
        d->lastY = iEvent->pos().y();
    }
    iEvent->accept();
}

void TImageViewer::mouseMoveEvent(QMouseEvent *iEvent)
{
    if (!d->image.isNull()) {
        const int x = iEvent->pos().x();
        const int y = iEvent->pos().y();
        QScrollBar *vertical = d->scrollArea->verticalScrollBar();
        QScrollBar *horizontal = d->scrollArea->horizontalScrollBar();
        vertical->setValue(vertical->value() + (d->lastY - y));
        horizontal->setValue(horizontal->value() + (d->lastX - x));
        d->lastX = x;
        d->lastY = y;
    }
    iEvent->accept();
}

void TImageViewer::wheelEvent(QWheelEvent *iEvent)
{
    if (!d->image.isNull()) {
        const int delta = iEvent->angleDelta().y();
        if (delta > 0)
            scaleImage(1.25);
        else if (delta < 0)
            scaleImage(0.8);
    }
    iEvent->accept();
}

void TImageViewer::resizeEvent(QResizeEvent *iEvent)
{
    QWidget::resizeEvent(iEvent);
    if (!d->image.isNull() && d->pixelSize.width() > 0 && d->pixelSize.height() > 0) {
        d->adjustImageSize();
        const double ratio = qMin(double(iEvent->size().width()) / d->pixelSize.width(),
                                  double(iEvent->size().height()) / d->pixelSize.height());
        d->scale = ratio;
        d->fitScale = ratio;
    }
    iEvent->accept();
}

void TImageViewer::setContextMenu()
{
    d->contextMenu = new QMenu(d->scrollArea);
    d->contextMenu->addAction(tr("Fit Window"), this, &TImageViewer::fitWindow);
    d->contextMenu->addAction(tr("NormalSize"), this, &TImageViewer::normalSize);
}

void TImageViewer::showContextMenu(const QPoint &iPos)
{
    Q_UNUSED(iPos)
    if (d->image.isNull()) {
        d->contextMenu->hide();
        return;
    }
    d->contextMenu->popup(QCursor::pos());
}

void TImageViewer::scaleImage(double iFactor)
{
    const QPixmap shown = d->imageLabel->pixmap(Qt::ReturnByValue);
    if (shown.isNull())
        return;
    const double wanted = d->scale * iFactor;
    const double bounded = qMin(wanted, d->maxScale());
    if (bounded <= d->scale && iFactor > 1.0)
        return;
    const double factor = bounded / d->scale;
    d->scale = bounded;
    d->imageLabel->resize(QSize(qRound(shown.width() * d->scale), qRound(shown.height() * d->scale)));
    adjustZoomScrollBar(d->scrollArea->horizontalScrollBar(), factor);
    adjustZoomScrollBar(d->scrollArea->verticalScrollBar(), factor);
}

void TImageViewer::adjustZoomScrollBar(QScrollBar *iScrollBar, double iFactor)
{
    iScrollBar->setValue(int(iFactor * iScrollBar->value() + ((iFactor - 1) * iScrollBar->pageStep() / 2)));
}

void TImageViewer::adjustScrollBar(QScrollBar *iScrollBar, double iFactor)
{
    iScrollBar->setValue(int(iScrollBar->value() + iFactor));
}
