#include "imageediterprivatetexteditwidget.h"
#include "imageediterprivatetexteditwidget_p.h"

#include "ttextedit.h"

#include <QHBoxLayout>
#include <QTextCharFormat>

const QSize ImageEditerPrivateTextEditWidget::kTextMinimumSize(60, 10);
const QSize ImageEditerPrivateTextEditWidget::kTextDefaultSize(80, 40);

ImageEditerPrivateTextEditWidget::ImageEditerPrivateTextEditWidget(QWidget *iParent)
    : QWidget(iParent)
    , d(new ImageEditerPrivateTextEditWidgetPrivate(this))
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("ImageEditerPrivateTextEditWidget"));
    setStyleSheet(QStringLiteral("QWidget#ImageEditerPrivateTextEditWidget QTextEdit{background:transparent;}"));
    setAttribute(Qt::WA_MouseTracking);
    setMinimumSize(kTextMinimumSize + QSize(5, 0));
    d->textEdit = new TTextEdit(nullptr);
    connect(d->textEdit, &QTextEdit::textChanged, this, &ImageEditerPrivateTextEditWidget::doResize);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d->textEdit);
    resize(kTextDefaultSize);
}

ImageEditerPrivateTextEditWidget::~ImageEditerPrivateTextEditWidget() = default;

TTextEdit *ImageEditerPrivateTextEditWidget::textEdit() const { return d->textEdit; }

void ImageEditerPrivateTextEditWidget::setTextPen(const QPen &iPen)
{
    QTextCharFormat format;
    format.setForeground(QBrush(iPen.color(), Qt::SolidPattern));
    d->textEdit->mergeCurrentCharFormat(format);
}

void ImageEditerPrivateTextEditWidget::setTextFont(const QFont &iFont) { d->textEdit->setCurrentFont(iFont); }

void ImageEditerPrivateTextEditWidget::moveTo(const QPoint &iPoint, bool iStore)
{
    move(iPoint);
    if (iStore)
        d->position = iPoint;
}

void ImageEditerPrivateTextEditWidget::doResize()
{
    const int newHeight = 2 * d->margin + static_cast<int>(d->textEdit->document()->size().height());
    resize(width(), newHeight);
    d->farCorner = d->position + QPoint(width(), newHeight);
    Q_EMIT locationOrSizeChanged(size());
}
