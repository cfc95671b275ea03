#include "tchips.h"
#include "tchips_p.h"

#include "tflowlayout.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "ttheme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

ChipItem::ChipItem(const QString &iText, QWidget *iParent)
    : QFrame(iParent)
    , d(new ChipItemPrivate(this))
{
    TTheme *theme = TTheme::instance();
    d->closeButton = new QToolButton(this);
    d->closeButton->setIcon(TResource::instance()->colorIcon(QStringLiteral("window-close-t.#000000AF")));
    d->label = new QLabel(iText, this);
    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(theme->dp(2));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addSpacing(theme->dp(4));
    layout->addWidget(d->label);
    layout->addWidget(d->closeButton);
    connect(d->closeButton, &QAbstractButton::clicked, this, &ChipItem::onDeleteClicked);
}

ChipItem::~ChipItem() = default;

QString ChipItem::text() const { return d->label->text(); }

QAbstractButton *ChipItem::closeButton() const { return d->closeButton; }

void ChipItem::resizeEvent(QResizeEvent *iEvent)
{
    d->label->setMaximumHeight(height());
    d->closeButton->setMaximumHeight(height());
    QFrame::resizeEvent(iEvent);
}

void ChipItem::onDeleteClicked() { Q_EMIT deleteChip(); }

void TChipsPrivate::dropChip(int iIndex)
{
    ChipItem *chip = chips.takeAt(iIndex);
    const int at = flow->indexOf(chip);
    if (at >= 0)
        delete flow->takeAt(at);
    // The chip may be inside its own close button's signal, and a listener
    // may delete the whole box meanwhile: off the box, it goes later.
    chip->hide();
    chip->setParent(nullptr);
    chip->deleteLater();
}

TChips::TChips(QWidget *iParent)
    : QScrollArea(iParent)
    , TUiInterface()
    , d(new TChipsPrivate(this))
{
    TTheme *theme = TTheme::instance();
    d->chipHeight = theme->dp(30);
    d->mainWidget = new QWidget(this);
    d->mainWidget->setObjectName(QStringLiteral("MainWidget"));
    d->mainWidget->setStyleSheet(QStringLiteral(".QWidget#MainWidget{background-color:transparent;}"));
    d->flow = new TFlowLayout(d->mainWidget, 0, theme->dp(4), theme->dp(4));
    d->entry = new QLineEdit(d->mainWidget);
    d->entry->setFixedHeight(d->chipHeight);
    d->entry->installEventFilter(this);
    d->flow->addWidget(d->entry);
    setWidget(d->mainWidget);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The content is laid out at the box's own width: nothing to scroll sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(d->entry, &QLineEdit::editingFinished, this, &TChips::addChip);
}

TChips::~TChips()
{
    // The entry loses its focus while the base class deletes it, and its
    // editingFinished() must not reach a box that is half destroyed.
    disconnect(d->entry, nullptr, this, nullptr);
    d->entry->removeEventFilter(this);
}

void TChips::setChipHeight(int iHeight)
{
    d->chipHeight = iHeight;
    d->entry->setFixedHeight(iHeight);
    for (ChipItem *chip : qAsConst(d->chips))
        chip->setFixedHeight(iHeight);
}

void TChips::refreshLayout(int iWidth)
{
    // Measure after the chips are back in the flow and shown: chips made
    // since the last pass (a whole list set at once) are in no layout yet,
    // and a child the layout would only show later takes no room.
    const auto place = [this](QWidget *iWidget) {
        d->flow->addWidget(iWidget);
        if (!(iWidget->isHidden() && iWidget->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            iWidget->setVisible(true);
    };
    for (ChipItem *chip : qAsConst(d->chips))
        place(chip);
    place(d->entry);
    d->mainWidget->setFixedSize(iWidth, d->flow->heightForWidth(iWidth));
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
        setFixedHeight(d->mainWidget->height() + TTheme::instance()->dp(6));
}

QLineEdit *TChips::lineEdit() const { return d->entry; }

void TChips::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        setChips(value.toStringList());
}

QVariant TChips::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return chips();
    return _getData(this, iKey, iOptions);
}

void TChips::addChip()
{
    const QString text = d->entry->text();
    if (!text.isEmpty()) {
        d->chips.append(createChip(text));
        d->entry->clear();
        QPointer<TChips> guard(this);
        Q_EMIT valueChanged();
        if (guard.isNull())
            return;
        Q_EMIT editingFinished();
        if (guard.isNull())
            return;
        refreshLayout(width());
        QTimer::singleShot(1, this, &TChips::onRefresh);
    }
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

ChipItem *TChips::createChip(const QString &iText)
{
    auto *chip = new ChipItem(iText, d->mainWidget);
    chip->setFixedHeight(d->chipHeight);
    connect(chip, &ChipItem::deleteChip, this, &TChips::onDeleteChip);
    return chip;
}

void TChips::setChips(const QStringList &iChipsList)
{
    clearChips();
    for (const QString &text : iChipsList)
        d->chips.append(createChip(text));
    refreshLayout(d->mainWidget->width());
}

QStringList TChips::chips() const
{
    QStringList result;
    for (ChipItem *chip : qAsConst(d->chips))
        result.append(chip->text());
    return result;
}

void TChips::clearChips()
{
    for (int i = d->chips.size() - 1; i >= 0; --i)
        d->dropChip(i);
    d->entry->clear();
}

void TChips::removeChip(int iIndex)
{
    if (iIndex < 0 || iIndex >= d->chips.size())
        return;
    d->dropChip(iIndex);
    refreshLayout(d->mainWidget->width());
    QPointer<TChips> guard(this);
    Q_EMIT valueChanged();
    if (!guard.isNull())
        Q_EMIT editingFinished();
}

void TChips::onDeleteChip()
{
    const int index = d->chips.indexOf(static_cast<ChipItem *>(sender()));
    removeChip(index);
}

void TChips::onRefresh() { refreshLayout(d->mainWidget->width()); }

void TChips::mousePressEvent(QMouseEvent *iEvent)
{
    d->entry->setFocus();
    QScrollArea::mousePressEvent(iEvent);
}

void TChips::resizeEvent(QResizeEvent *iEvent)
{
    refreshLayout(iEvent->size().width());
    QScrollArea::resizeEvent(iEvent);
}

bool TChips::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    if (iWatched == d->entry) {
        if (iEvent->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(iEvent)->key() == Qt::Key_Backspace) {
            d->backspaceOnEmpty = d->entry->text().isEmpty();
        } else if (iEvent->type() == QEvent::KeyRelease
                   && static_cast<QKeyEvent *>(iEvent)->key() == Qt::Key_Backspace) {
            const bool remove = d->backspaceOnEmpty && d->entry->text().isEmpty();
            d->backspaceOnEmpty = false;
            if (remove)
                removeChip(d->flow->count() - 2);
        }
    }
    return QScrollArea::eventFilter(iWatched, iEvent);
}
