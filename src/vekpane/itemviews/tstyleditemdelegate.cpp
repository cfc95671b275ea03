#include "tstyleditemdelegate.h"
#include "tstyleditemdelegate_p.h"

#include "titemdatarole.h"
#include "ttableview.h"
#include "ttextimages_p.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMetaMethod>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>

namespace {

// The property of a cell button that holds its cell.
const char modelIndexProperty[] = "MODELINDEX";
const int progressBarHeight = 20;

QVariant roleValue(const QModelIndex &iIndex, const char *iRoleName)
{
    return iIndex.data(TItemDataRole::value(QLatin1String(iRoleName)));
}

// The HTML of a cell: its images are decoded within the image budget, and
// once for all the layout and drawing of the document.
// A cell's text is laid out anew for every size hint and every paint. An
// image the budget refused stays refused for the delegate: its header is not
// read, and no error line written, again at each paint.
class CellDocument : public QTextDocument
{
public:
    explicit CellDocument(QHash<QUrl, QVariant> &ioRefused)
        : mRefused(ioRefused)
    {}

protected:
    QVariant loadResource(int iType, const QUrl &iName) override
    {
        if (iType != ImageResource)
            return QTextDocument::loadResource(iType, iName);
        QVariant image = mRefused.value(iName);
        if (!image.isValid()) {
            bool refused = false;
            image = TTextImages::image(iName, QVariant(), &refused);
            if (refused)
                mRefused.insert(iName, image);
        }
        addResource(iType, iName, image);
        return image;
    }

private:
    QHash<QUrl, QVariant> &mRefused;
};

} // namespace

void TStyledItemDelegatePrivate::paintGridLines(QPainter *iPainter, const QStyleOptionViewItem &iOption) const
{
    Q_Q(const TStyledItemDelegate);
    iPainter->save();
    if (auto *view = qobject_cast<TTableView *>(q->parent())) {
        QStyleOptionViewItem viewOption;
        const int gridHint = view->style()->styleHint(QStyle::SH_Table_GridLineColor, &viewOption, view);
        const QColor colour(static_cast<QRgb>(gridHint));
        iPainter->setPen(QPen(QBrush(colour), 0, view->gridStyle(), Qt::SquareCap, Qt::BevelJoin));
    }
    const QRect &rect = iOption.rect;
    if (gridLineMode == 1 || gridLineMode == 3)
        iPainter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (gridLineMode == 2 || gridLineMode == 3)
        iPainter->drawLine(rect.topRight(), rect.bottomRight());
    iPainter->restore();
}

void TStyledItemDelegatePrivate::placeButton(const QModelIndex &iIndex) const
{
    Q_Q(const TStyledItemDelegate);
    auto *view = qobject_cast<QAbstractItemView *>(q->parent());
    if (!view || view->indexWidget(iIndex))
        return;
    auto *button = new QToolButton(view);
    const QVariantMap properties = roleValue(iIndex, "property").toMap();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        button->setProperty(it.key().toUtf8().constData(), it.value());
    // Persistent: after rows move, a click still names the button's own row.
    button->setProperty(modelIndexProperty, QVariant::fromValue(QPersistentModelIndex(iIndex)));
    auto *self = const_cast<TStyledItemDelegate *>(q);
    QObject::connect(button, &QToolButton::clicked, self, &TStyledItemDelegate::onIndexWidgetCommit);
    view->setIndexWidget(iIndex, button);
}

TStyledItemDelegate::TStyledItemDelegate(QObject *iParent)
    : QStyledItemDelegate(iParent)
    , d(new TStyledItemDelegatePrivate(this))
{}

TStyledItemDelegate::~TStyledItemDelegate() = default;

void TStyledItemDelegate::paint(QPainter *iPainter, const QStyleOptionViewItem &iOption,
                                const QModelIndex &iIndex) const
{
    if (!iIndex.isValid())
        return;
    QStyleOptionViewItem opt = iOption;
    initStyleOption(&opt, iIndex);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    opt.state &= ~QStyle::State_HasFocus;

    const QString type = roleValue(iIndex, "type").toString();
    if (type == QLatin1String("html")) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, iPainter, widget);
        CellDocument document(d->refusedImages);
        document.setHtml(text);
        iPainter->save();
        iPainter->translate(textRect.topLeft());
        document.drawContents(iPainter);
        iPainter->restore();
    } else if (type == QLatin1String("progress")) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, iPainter, widget);
        QStyleOptionProgressBar bar;
        bar.minimum = roleValue(iIndex, "min").toInt();
        bar.maximum = roleValue(iIndex, "max").toInt();
        if (bar.maximum == 0)
            bar.maximum = 100;
        bar.progress = roleValue(iIndex, "display").toInt();
        bar.rect = QRect(textRect.left(), textRect.top() + (textRect.height() - progressBarHeight) / 2,
                         textRect.width(), progressBarHeight);
        QStyle *barStyle = iOption.widget ? iOption.widget->style() : QApplication::style();
        barStyle->drawControl(QStyle::CE_ProgressBar, &bar, iPainter);
    } else if (type == QLatin1String("button")) {
        style->drawControl(QStyle::CE_ItemViewItem, &opt, iPainter, widget);
        d->placeButton(iIndex);
    } else {
        QStyleOptionViewItem plain = iOption;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(iPainter, plain, iIndex);
    }

    if (d->gridLineMode > 0)
        d->paintGridLines(iPainter, iOption);
}

QSize TStyledItemDelegate::sizeHint(const QStyleOptionViewItem &iOption, const QModelIndex &iIndex) const
{
    if (roleValue(iIndex, "type").toString() != QLatin1String("html"))
        return QStyledItemDelegate::sizeHint(iOption, iIndex);
    const QVariant height = roleValue(iIndex, "sizeHint");
    if (height.isValid()) {
        QSize size = QStyledItemDelegate::sizeHint(iOption, iIndex);
        size.setHeight(height.toInt());
        return size;
    }
    QStyleOptionViewItem opt = iOption;
    initStyleOption(&opt, iIndex);
    CellDocument document(d->refusedImages);
    document.setHtml(opt.text);
    document.setTextWidth(opt.rect.width());
    return QSize(int(document.idealWidth()), int(document.size().height()));
}

QWidget *TStyledItemDelegate::createEditor(QWidget *iParent, const QStyleOptionViewItem &iOption,
                                           const QModelIndex &iIndex) const
{
    return QStyledItemDelegate::createEditor(iParent, iOption, iIndex);
}

void TStyledItemDelegate::setEditorData(QWidget *iEditor, const QModelIndex &iIndex) const
{
    QStyledItemDelegate::setEditorData(iEditor, iIndex);
}

void TStyledItemDelegate::setModelData(QWidget *iEditor, QAbstractItemModel *iModel, const QModelIndex &iIndex) const
{
    QStyledItemDelegate::setModelData(iEditor, iModel, iIndex);
}

void TStyledItemDelegate::updateEditorGeometry(QWidget *iEditor, const QStyleOptionViewItem &iOption,
                                               const QModelIndex &iIndex) const
{
    Q_UNUSED(iIndex)
    iEditor->setGeometry(iOption.rect);
}

int TStyledItemDelegate::gridLineMode() { return d->gridLineMode; }

void TStyledItemDelegate::setGridLineMode(int iModeInt) { d->gridLineMode = iModeInt; }

void TStyledItemDelegate::onIndexWidgetCommit()
{
    auto *button = qobject_cast<QWidget *>(sender());
    QObject *view = parent();
    if (!button || !view)
        return;
    static const QByteArray signature = QMetaObject::normalizedSignature("indexWidgetCommit(QWidget*,QModelIndex)");
    const int signalIndex = view->metaObject()->indexOfSignal(signature.constData());
    if (signalIndex < 0)
        return;
    const QVariant stored = button->property(modelIndexProperty);
    QModelIndex cell;
    if (stored.userType() == qMetaTypeId<QPersistentModelIndex>())
        cell = stored.value<QPersistentModelIndex>();
    else
        cell = stored.toModelIndex();
    view->metaObject()
            ->method(signalIndex)
            .invoke(view, Qt::DirectConnection, Q_ARG(QWidget *, button), Q_ARG(QModelIndex, cell));
}
