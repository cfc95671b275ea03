#include "tpagetool.h"
#include "tpagetool_p.h"

#include "tresource.h"
#include "tspinbox.h"
#include "ttheme.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace {
const int DefaultPageSize = 100;
} // namespace

int TPageToolPrivate::effectivePageSize() const
{
    const int size = pageSizeEntry->text().toInt(nullptr, 10);
    return size < 1 ? DefaultPageSize : size;
}

// The commit handlers compare against what the controls show now, so a
// commit after a button or a setter reports only a real change.
void TPageToolPrivate::remember()
{
    rememberedPage = pageSpinBox->value();
    rememberedPageSize = effectivePageSize();
}

TPageTool::TPageTool(QWidget *iParent)
    : QWidget(iParent)
    , d(new TPageToolPrivate(this))
{
    TTheme *theme = TTheme::instance();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    const auto makeButton = [this] {
        auto *button = new QToolButton(this);
        button->setAutoRaise(true);
        return button;
    };
    d->firstButton = makeButton();
    d->previousButton = makeButton();
    d->nextButton = makeButton();
    d->lastButton = makeButton();

    d->pageSpinBox = new TSpinBox(this);
    d->pageSpinBox->setMinimum(1);
    d->pageSpinBox->setFixedHeight(theme->dp(25));

    d->pageSizeLabel = new QLabel(tr("Page Rows"), this);
    d->pageSizeEntry = new QLineEdit(this);
    d->pageSizeEntry->setValidator(new QIntValidator(1, 999999, d->pageSizeEntry));
    d->pageSizeEntry->setText(QString::number(DefaultPageSize));
    d->pageSizeEntry->setFixedSize(theme->dp(40), theme->dp(25));

    layout->addWidget(new QWidget(this), 1);
    layout->addWidget(d->firstButton);
    layout->addWidget(d->previousButton);
    layout->addWidget(d->pageSpinBox);
    layout->addWidget(d->nextButton);
    layout->addWidget(d->lastButton);
    layout->addWidget(d->pageSizeLabel);
    layout->addWidget(d->pageSizeEntry, 0, Qt::AlignLeft | Qt::AlignVCenter);
    d->pageSizeLabel->hide();
    d->pageSizeEntry->hide();

    setIcon();
    refreshPageCount(true);

    connect(d->pageSpinBox, &QSpinBox::editingFinished, this, &TPageTool::onCurPageSpinBoxChanged);
    connect(d->pageSizeEntry, &QLineEdit::editingFinished, this, &TPageTool::onPageSizeEntryChanged);
    connect(d->firstButton, &QToolButton::clicked, this, &TPageTool::firstPage);
    connect(d->previousButton, &QToolButton::clicked, this, &TPageTool::previousPage);
    connect(d->nextButton, &QToolButton::clicked, this, &TPageTool::nextPage);
    connect(d->lastButton, &QToolButton::clicked, this, &TPageTool::lastPage);
}

TPageTool::~TPageTool() = default;

int TPageTool::currentPage() const { return d->pageSpinBox->value(); }

void TPageTool::setCurrentPage(int iPageInt, bool iBlockPageChangedBol)
{
    d->pageSpinBox->setValue(iPageInt);
    d->remember();
    const QPointer<TPageTool> alive(this);
    refreshButtonState(iBlockPageChangedBol);
    if (alive && !iBlockPageChangedBol)
        Q_EMIT currentPageChanged(d->pageSpinBox->value());
}

int TPageTool::rowCount() const { return d->rowCount; }

void TPageTool::setRowCount(int iRowCountInt, bool iBlockPageChangedBol)
{
    const QPointer<TPageTool> alive(this);
    if (iRowCountInt != d->rowCount) {
        d->rowCount = iRowCountInt;
        if (!iBlockPageChangedBol)
            Q_EMIT rowCountChanged(iRowCountInt);
    }
    if (alive)
        refreshPageCount(iBlockPageChangedBol);
}

int TPageTool::pageSize() const { return d->effectivePageSize(); }

void TPageTool::setPageSize(int iPageSizeInt, bool iBlockPageChangedBol)
{
    d->pageSizeEntry->setText(QString::number(iPageSizeInt));
    const QPointer<TPageTool> alive(this);
    refreshPageCount(iBlockPageChangedBol);
    if (alive && !iBlockPageChangedBol)
        Q_EMIT pageSizeChanged(iPageSizeInt);
}

bool TPageTool::isPageSizeVisible() const { return d->pageSizeEntry->isVisibleTo(this); }

void TPageTool::setPageSizeVisible(bool iVisibleBol)
{
    d->pageSizeLabel->setVisible(iVisibleBol);
    d->pageSizeEntry->setVisible(iVisibleBol);
}

void TPageTool::goToPage(int iPageInt)
{
    d->pageSpinBox->setValue(iPageInt);
    d->remember();
    const QPointer<TPageTool> alive(this);
    refreshButtonState(false);
    if (alive)
        Q_EMIT currentPageChanged(d->pageSpinBox->value());
}

void TPageTool::firstPage() { goToPage(1); }

void TPageTool::previousPage() { goToPage(d->pageSpinBox->value() - 1); }

void TPageTool::nextPage() { goToPage(d->pageSpinBox->value() + 1); }

void TPageTool::lastPage() { goToPage(d->pageSpinBox->maximum()); }

void TPageTool::setIcon()
{
    const auto icon = [](const char *iName) {
        return TResource::instance()->icon(QLatin1String(iName), QStringLiteral("button"), QStringLiteral("body"));
    };
    d->firstButton->setIcon(icon("angle-double-left"));
    d->previousButton->setIcon(icon("angle-left"));
    d->nextButton->setIcon(icon("angle-right"));
    d->lastButton->setIcon(icon("angle-double-right"));
}

void TPageTool::refreshButtonState(bool iBlockPageChangeBol)
{
    const int page = d->pageSpinBox->value();
    d->firstButton->setEnabled(page > 1);
    d->previousButton->setEnabled(page > 1);
    d->nextButton->setEnabled(d->pageSpinBox->maximum() > page);
    d->lastButton->setEnabled(d->pageSpinBox->maximum() > page);
    if (!iBlockPageChangeBol)
        Q_EMIT pageChanged(page, d->effectivePageSize());
}

void TPageTool::refreshPageCount(bool iBlockPageChangeBol)
{
    const int size = d->effectivePageSize();
    int pages = d->rowCount / size;
    if (d->rowCount % size != 0)
        ++pages;
    if (pages < 1)
        pages = 1;
    d->pageSpinBox->setSuffix(QLatin1Char('/') + QString::number(pages));
    if (d->pageSpinBox->maximum() != pages) {
        d->pageSpinBox->setMaximum(pages);
        d->remember();
        refreshButtonState(iBlockPageChangeBol);
    } else {
        d->remember();
        if (!iBlockPageChangeBol)
            Q_EMIT pageChanged(d->pageSpinBox->value(), size);
    }
}

void TPageTool::onCurPageSpinBoxChanged()
{
    const int page = d->pageSpinBox->value();
    if (page == d->rememberedPage)
        return;
    d->rememberedPage = page;
    const QPointer<TPageTool> alive(this);
    refreshButtonState(false);
    if (alive)
        Q_EMIT currentPageChanged(page);
}

void TPageTool::onPageSizeEntryChanged()
{
    const int size = d->pageSizeEntry->text().toInt(nullptr, 10);
    if (size == d->rememberedPageSize)
        return;
    d->rememberedPageSize = size;
    const QPointer<TPageTool> alive(this);
    refreshPageCount(false);
    if (alive)
        Q_EMIT pageSizeChanged(size);
}
