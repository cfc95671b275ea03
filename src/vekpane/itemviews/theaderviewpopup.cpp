#include "theaderviewpopup.h"
#include "theaderviewpopup_p.h"

#include "ttableview.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QVBoxLayout>

void THeaderViewPopupPrivate::toggleColumn(QHeaderView *iHeader, int iColumn, bool iChecked)
{
    if (iChecked) {
        iHeader->showSection(iColumn);
        return;
    }
    // The last visible column stays: a table without columns cannot be got back from its header.
    if (iHeader->count() - iHeader->hiddenSectionCount() < 2)
        return;
    iHeader->hideSection(iColumn);
}

void THeaderViewPopupPrivate::buildBoxes()
{
    Q_Q(THeaderViewPopup);
    auto *table = qobject_cast<TTableView *>(view.data());
    if (!table)
        return;
    const QVariantList columns = table->headerItem();
    QHeaderView *header = table->horizontalHeader();
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        const QVariantMap description = columns.value(column + 1).toMap();
        const QString name = description.value(QStringLiteral("name")).toString();
        if (name.isEmpty())
            continue;
        auto *box = new QCheckBox(description.value(QStringLiteral("display")).toString(), q);
        box->setObjectName(name);
        box->setChecked(!header->isSectionHidden(column));
        layout->addWidget(box);
        QPointer<QHeaderView> guardedHeader(header);
        QObject::connect(box, &QCheckBox::toggled, q, [guardedHeader, column](bool iChecked) {
            if (guardedHeader)
                toggleColumn(guardedHeader, column, iChecked);
        });
    }
    q->adjustSize();
}

THeaderViewPopup::THeaderViewPopup(QWidget *iParent)
    : QWidget(iParent, Qt::Popup)
    , d(new THeaderViewPopupPrivate(this))
{
    d->layout = new QVBoxLayout(this);
}

THeaderViewPopup::~THeaderViewPopup() = default;

void THeaderViewPopup::setItemView(QAbstractItemView *iView) { d->view = iView; }

void THeaderViewPopup::showEvent(QShowEvent *iEvent)
{
    QWidget::showEvent(iEvent);
    d->buildBoxes();
}

void THeaderViewPopup::hideEvent(QHideEvent *iEvent)
{
    QWidget::hideEvent(iEvent);
    // Built afresh at the next showing, from the header as it is then.
    const QList<QWidget *> boxes = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(boxes);
}
