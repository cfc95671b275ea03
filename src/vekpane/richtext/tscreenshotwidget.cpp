#include "tscreenshotwidget.h"
#include "tscreenshotwidget_p.h"

#include "pushpoint.h"
#include "returncommand.h"
#include "selectrect.h"
#include "tbasecolorwidget.h"
#include "timageeditwidget.h"
#include "tmessagebox.h"
#include "tresource.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QWidgetAction>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

QIcon toolIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

// A menu entry: centred text, or a sample line of the given width.
QLabel *createDefaultWgt(const QString &iType, const QString &iData, const QSize &iSize)
{
    auto *label = new QLabel;
    if (iType == QLatin1String("string")) {
        label->setText(iData);
        label->setAlignment(Qt::AlignCenter);
    } else if (iType == QLatin1String("line_width")) {
        QPixmap pixmap(iSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QPen pen;
        pen.setWidth(iData.toInt());
        painter.setPen(pen);
        painter.drawLine(0, iSize.height() / 2, iSize.width(), iSize.height() / 2);
        painter.end();
        label->setPixmap(pixmap);
    }
    label->setMinimumSize(iSize);
    label->setStyleSheet(QStringLiteral("QWidget:hover{background-color:blue;}QWidget{background-color:white;}"
                                        "QWidget:pressed{background-color:green;}"));
    return label;
}

// On this platform: the application's own visible top-level windows; the
// smallest one holding the point stands for the topmost, since the window
// system does not tell Qt the stacking order.
class TLocalWindowProvider : public TCaptureWindowProvider
{
public:
    bool windowAt(const QPoint &iScreenPos, QWidget *iExcluded, QRect *oFrame, QRect *oClient) const override
    {
#ifdef Q_OS_WIN
        // The capture covers the screen: make it see-through for the query.
        if (iExcluded)
            iExcluded->setWindowOpacity(0.0);
        POINT point = {iScreenPos.x(), iScreenPos.y()};
        HWND window = WindowFromPoint(point);
        if (iExcluded)
            iExcluded->setWindowOpacity(1.0);
        RECT outer;
        if (!window || !GetWindowRect(window, &outer))
            return false;
        RECT inner;
        POINT origin = {0, 0};
        if (!GetClientRect(window, &inner) || !ClientToScreen(window, &origin))
            return false;
        *oFrame = QRect(QPoint(outer.left, outer.top), QPoint(outer.right - 1, outer.bottom - 1));
        *oClient = QRect(origin.x, origin.y, inner.right - inner.left, inner.bottom - inner.top);
        return true;
#else
        QWidget *best = nullptr;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (window == iExcluded || !window->isVisible() || window->isMinimized())
                continue;
            const Qt::WindowType type = window->windowType();
            if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
                continue;
            if (!window->frameGeometry().contains(iScreenPos))
                continue;
            const qint64 area = qint64(window->frameGeometry().width()) * window->frameGeometry().height();
            if (!best || area < qint64(best->frameGeometry().width()) * best->frameGeometry().height())
                best = window;
        }
        if (!best)
            return false;
        *oFrame = best->frameGeometry();
        *oClient = QRect(best->mapToGlobal(QPoint(0, 0)), best->size());
        return true;
#endif
    }
};

QPixmap grabPrimaryScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0, 0, 0, -1, -1) : QPixmap();
}

} // namespace

TCaptureWindowProvider::~TCaptureWindowProvider() = default;

TScreenShotWidget::ScreenGrabber TScreenShotWidgetPrivate::grabber;
std::shared_ptr<TCaptureWindowProvider> TScreenShotWidgetPrivate::provider;

void TScreenShotWidgetPrivate::buildToolWidget()
{
    Q_Q(TScreenShotWidget);
    toolWidget = new QWidget(q);
    toolWidget->setCursor(Qt::ArrowCursor);
    toolWidget->setAutoFillBackground(true);
    QPalette palette = toolWidget->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QColor(QStringLiteral("#E1E1E5")));
    toolWidget->setPalette(palette);
    auto *layout = new QHBoxLayout(toolWidget);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *toolBar = new QToolBar(toolWidget);
    toolBar->setProperty("SS", QString());
    toolBar->setStyleSheet(QStringLiteral(".Q{background-color:white}"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(toolBar);

    const QString noIndicator = QStringLiteral("QToolButton::menu-indicator {image: none}");
    colorButton = new QToolButton(toolBar);
    colorButton->setIcon(toolIcon(QStringLiteral("square-filled.black")));
    colorButton->setToolTip(TScreenShotWidget::tr("Color"));
    colorButton->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_CO_BTN"));
    colorButton->setStyleSheet(noIndicator);
    colorButton->setPopupMode(QToolButton::InstantPopup);
    colorMenu = buildColorMenu();
    colorButton->setMenu(colorMenu);
    toolBar->addWidget(colorButton);

    fontSizeButton = new QToolButton(toolBar);
    fontSizeButton->setIcon(toolIcon(QStringLiteral("text-height")));
    fontSizeButton->setToolTip(TScreenShotWidget::tr("Font Size"));
    fontSizeButton->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_FS_BTN"));
    fontSizeButton->setStyleSheet(noIndicator);
    fontSizeButton->setPopupMode(QToolButton::InstantPopup);
    fontSizeMenu = new QMenu(fontSizeButton);
    auto *sizeBox = new QComboBox;
    sizeBox->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_FS_BOX"));
    sizeBox->setEditable(true);
    sizeBox->setMinimumSize(112, 20);
    for (int size : QFontDatabase::standardSizes())
        sizeBox->addItem(QString::number(size));
    sizeBox->setCurrentIndex(sizeBox->findText(QStringLiteral("12")));
    // Connected after the first choice, so the canvas keeps its default font
    // until the user picks a size.
    QObject::connect(sizeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), q,
                     [q, sizeBox](int iIndex) { q->textSizeChanged(sizeBox->itemText(iIndex)); });
    auto *sizeAction = new QWidgetAction(fontSizeMenu);
    sizeAction->setDefaultWidget(sizeBox);
    fontSizeMenu->addAction(sizeAction);
    fontSizeButton->setMenu(fontSizeMenu);
    toolBar->addWidget(fontSizeButton);

    struct Tool
    {
        const char *icon;
        const char *tip;
        const char *name;
    };
    static const Tool tools[] = {
            {"rectangular", QT_TRANSLATE_NOOP("TScreenShotWidget", "Rect"), "TSCREENSHOTWIDGET_RE_BTN"},
            {"oval", QT_TRANSLATE_NOOP("TScreenShotWidget", "Ellipse"), "TSCREENSHOTWIDGET_EL_BTN"},
            {"triangle", QT_TRANSLATE_NOOP("TScreenShotWidget", "Triangle"), "TSCREENSHOTWIDGET_TR_BTN"},
            {"arrow-upright", QT_TRANSLATE_NOOP("TScreenShotWidget", "Arrows"), "TSCREENSHOTWIDGET_AR_BTN"},
            {"pencil", QT_TRANSLATE_NOOP("TScreenShotWidget", "Line"), "TSCREENSHOTWIDGET_LI_BTN"},
            {"highlighter", QT_TRANSLATE_NOOP("TScreenShotWidget", "Light Line"), "TSCREENSHOTWIDGET_LL_BTN"},
            {"font", QT_TRANSLATE_NOOP("TScreenShotWidget", "Text"), "TSCREENSHOTWIDGET_TE_BTN"},
    };
    for (const Tool &tool : tools) {
        auto *action = new QAction(toolIcon(QLatin1String(tool.icon)), TScreenShotWidget::tr(tool.tip), toolBar);
        action->setToolTip(TScreenShotWidget::tr(tool.tip));
        action->setObjectName(QLatin1String(tool.name));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, q, &TScreenShotWidget::addShape);
        toolBar->addAction(action);
        toolActions.append(action);
    }

    QAction *undo = canvas->undoStack()->createUndoAction(toolBar, QString());
    undo->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_UNDO"));
    undo->setIcon(toolIcon(QStringLiteral("reply")));
    undo->setPriority(QAction::LowPriority);
    toolBar->addAction(undo);
    QAction *redo = canvas->undoStack()->createRedoAction(toolBar, QString());
    redo->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_REDO"));
    redo->setIcon(toolIcon(QStringLiteral("share")));
    redo->setPriority(QAction::LowPriority);
    toolBar->addAction(redo);

    auto *save = toolBar->addAction(toolIcon(QStringLiteral("save")), TScreenShotWidget::tr("Save"), q,
                                    &TScreenShotWidget::slotSave);
    save->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_SAVE"));
    save->setToolTip(TScreenShotWidget::tr("Save"));
    auto *exit = toolBar->addAction(toolIcon(QStringLiteral("close")), TScreenShotWidget::tr("Exit"), q,
                                    &TScreenShotWidget::slotClose);
    exit->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_EXIT"));
    exit->setToolTip(TScreenShotWidget::tr("Exit"));
    auto *finish = toolBar->addAction(toolIcon(QStringLiteral("check")), TScreenShotWidget::tr("Finish"), q,
                                      &TScreenShotWidget::slotOk);
    finish->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_FINISH"));
    finish->setToolTip(TScreenShotWidget::tr("Finish"));

    toolWidget->resize(toolWidget->sizeHint());
    toolWidget->hide();
}

QMenu *TScreenShotWidgetPrivate::buildColorMenu()
{
    Q_Q(TScreenShotWidget);
    auto *menu = new QMenu(q);
    menu->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_CO_MENU"));
    for (int width : {1, 2, 4}) {
        auto *action = new QWidgetAction(menu);
        action->setCheckable(true);
        action->setData(width);
        action->setDefaultWidget(
                createDefaultWgt(QStringLiteral("line_width"), QString::number(width), QSize(112, 20)));
        QObject::connect(action, &QAction::triggered, q, &TScreenShotWidget::setLineStyle);
        menu->addAction(action);
    }
    auto *titleAction = new QWidgetAction(menu);
    auto *title = new QLabel(TScreenShotWidget::tr("Line Color"));
    title->setAlignment(Qt::AlignCenter);
    titleAction->setDefaultWidget(title);
    menu->addAction(titleAction);

    auto *swatchAction = new QWidgetAction(menu);
    auto *swatches = new TBaseColorWidget(menu);
    QObject::connect(swatches, &TBaseColorWidget::selectedColor, q,
                     QOverload<const QColor &>::of(&TScreenShotWidget::setLineColor));
    swatchAction->setDefaultWidget(swatches);
    menu->addAction(swatchAction);

    auto *otherAction = new QWidgetAction(menu);
    otherAction->setDefaultWidget(
            createDefaultWgt(QStringLiteral("string"), TScreenShotWidget::tr("Other Color"), QSize(112, 20)));
    QObject::connect(otherAction, &QAction::triggered, q, QOverload<>::of(&TScreenShotWidget::setLineColor));
    menu->addAction(otherAction);
    return menu;
}

void TScreenShotWidgetPrivate::startChoosing()
{
    Q_Q(TScreenShotWidget);
    suggestedRect = QRect(QPoint(-100, -100), QSize(0, 0));
    chosenRect = suggestedRect;
    // The layers are sized from this widget: make it cover the screen now,
    // not when the window system gets round to it.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        q->setGeometry(screen->geometry());
    q->setPixmap(screenPixmap);
    QPixmap dim(q->size());
    dim.fill(QColor(25, 25, 25, 127));
    overlayLabel->resize(q->size());
    overlayLabel->setPixmap(dim);
    overlayLabel->show();
    regionPixmap = QPixmap();
    regionExists = true;
    lastCursorPos = QPoint(-100, -100);
    selectRect->reset();
    state = TScreenShotWidget::ChoosingRegion;
    q->showFullScreen();
    q->setCursor(Qt::CrossCursor);
    q->slotUpdateCusorWindowInfo();
    cursorTimer->start();
}

void TScreenShotWidgetPrivate::showSuggestion(const QRect &iRect)
{
    if (iRect.width() <= 0 || iRect.height() <= 0 || screenPixmap.isNull()) {
        regionLabel->hide();
        return;
    }
    QPixmap copy = screenPixmap.copy(iRect);
    QPainter painter(&copy);
    painter.setPen(QPen(QBrush(Qt::yellow), 1, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    painter.drawRect(0, 0, iRect.width() - 1, iRect.height() - 1);
    painter.end();
    regionLabel->setPixmap(copy);
    regionLabel->resize(iRect.size());
    regionLabel->move(iRect.topLeft());
    regionLabel->show();
    regionLabel->raise();
    selectRect->raise();
}

void TScreenShotWidgetPrivate::showChosenRect()
{
    if (chosenRect.width() <= 0 || chosenRect.height() <= 0 || screenPixmap.isNull())
        return;
    regionPixmap = screenPixmap.copy(chosenRect);
    regionLabel->setPixmap(regionPixmap);
    regionLabel->resize(chosenRect.size());
    regionLabel->move(chosenRect.topLeft());
    regionLabel->show();
    placeToolWidget(chosenRect);
}

void TScreenShotWidgetPrivate::placeToolWidget(const QRect &iRect)
{
    Q_Q(TScreenShotWidget);
    const int toolWidth = toolWidget->width();
    const int toolHeight = toolWidget->height();
    const int bottom = iRect.y() + iRect.height();
    int y;
    bool above = false;
    if (bottom + toolHeight <= q->height()) {
        y = bottom;
    } else if (iRect.y() - toolHeight >= 0) {
        y = iRect.y() - toolHeight;
        above = true;
    } else {
        y = iRect.y();
    }
    int x = iRect.width() > toolWidth ? iRect.x() + iRect.width() - toolWidth : iRect.x();
    if (x + toolWidth > screenPixmap.width())
        x = screenPixmap.width() - toolWidth;
    y += above ? -3 : 3;
    toolWidget->move(x, y);
    toolWidget->show();
    toolWidget->raise();
}

QPixmap TScreenShotWidgetPrivate::annotatedRegion() const
{
    QPixmap copy = regionPixmap.copy();
    if (!copy.isNull())
        canvas->renderShapes(&copy);
    return copy;
}

void TScreenShotWidgetPrivate::setEditingAllowed(bool iAllowed)
{
    PushPoint::setEditingAllowed(iAllowed);
    editingLocked = !iAllowed;
}

TScreenShotWidget::TScreenShotWidget(QWidget *iParent)
    : QLabel(iParent)
    , d(new TScreenShotWidgetPrivate(this))
{
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    showFullScreen();
    setAttribute(Qt::WA_DeleteOnClose);

    d->overlayLabel = new QLabel(this);
    d->overlayLabel->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_OVERLAY"));
    d->overlayLabel->resize(size());
    d->overlayLabel->show();
    d->regionLabel = new QLabel(this);
    d->regionLabel->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_REGION"));
    d->regionLabel->hide();

    d->cursorTimer = new QTimer(this);
    d->cursorTimer->setInterval(300);
    connect(d->cursorTimer, &QTimer::timeout, this, &TScreenShotWidget::slotUpdateCusorWindowInfo);

    d->selectRect = new SelectRect(this);
    d->selectRect->installEventFilter(this);
    connect(d->selectRect, &SelectRect::rectChanged, this, &TScreenShotWidget::slotRectChanged);
    connect(d->selectRect, &SelectRect::releaseWithoutMove, this, &TScreenShotWidget::slotAutoPixSelect);

    d->canvas = new TImageEditWidget(this);
    d->canvas->hide();
    d->canvas->undoStack()->push(new ReturnCommand(this));

    d->buildToolWidget();
    hide();
    d->state = NotStarted;
}

TScreenShotWidget::~TScreenShotWidget()
{
    d->cursorTimer->stop();
    // A capture closed with a drawing tool on must not leave every later
    // capture's handles frozen.
    if (d->editingLocked)
        PushPoint::setEditingAllowed(true);
    // The commands refer to this widget and its shapes: drop them first.
    d->canvas->undoStack()->clear();
}

void TScreenShotWidget::getReadyToShot()
{
    d->screenPixmap = TScreenShotWidgetPrivate::grabber ? TScreenShotWidgetPrivate::grabber() : grabPrimaryScreen();
    d->startChoosing();
}

TScreenShotWidget::ShotState TScreenShotWidget::state() const { return d->state; }

QRect TScreenShotWidget::clipWindowRect(const QPoint &iCursor, const QRect &iFrame, const QRect &iClient,
                                        const QSize &iScreenSize)
{
    const bool inClient = iCursor.x() >= iClient.left() && iCursor.x() <= iClient.left() + iClient.width()
                          && iCursor.y() >= iClient.top() && iCursor.y() <= iClient.top() + iClient.height();
    QRect rect = (iClient.isValid() && inClient) ? iClient : iFrame;
    int x = rect.x();
    int y = rect.y();
    int w = rect.width();
    int h = rect.height();
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    if (x + w > iScreenSize.width())
        w = iScreenSize.width() - x;
    if (y + h > iScreenSize.height())
        h = iScreenSize.height() - y;
    return QRect(x, y, w, h);
}

void TScreenShotWidget::setWindowProvider(const std::shared_ptr<TCaptureWindowProvider> &iProvider)
{
    TScreenShotWidgetPrivate::provider = iProvider;
}

std::shared_ptr<TCaptureWindowProvider> TScreenShotWidget::windowProvider()
{
    if (!TScreenShotWidgetPrivate::provider)
        TScreenShotWidgetPrivate::provider = std::make_shared<TLocalWindowProvider>();
    return TScreenShotWidgetPrivate::provider;
}

void TScreenShotWidget::setScreenGrabber(const ScreenGrabber &iGrabber)
{
    TScreenShotWidgetPrivate::grabber = iGrabber;
}

void TScreenShotWidget::slotRectChanged(const QRect &iRect)
{
    d->state = RegionSelected;
    d->cursorTimer->stop();
    d->chosenRect = iRect.normalized();
    d->showChosenRect();
}

void TScreenShotWidget::slotAutoPixSelect()
{
    d->state = RegionSelected;
    d->cursorTimer->stop();
    d->chosenRect = d->suggestedRect.normalized();
    d->showChosenRect();
    d->selectRect->setRect(d->chosenRect);
}

void TScreenShotWidget::slotUpdateCusorWindowInfo()
{
    if (d->state != ChoosingRegion)
        return;
    const QPoint cursor = QCursor::pos();
    if (cursor == d->lastCursorPos)
        return;
    d->lastCursorPos = cursor;
    QRect frame;
    QRect client;
    QRect found = QRect(QPoint(-100, -100), QSize(0, 0));
    if (windowProvider()->windowAt(cursor, this, &frame, &client)) {
        // The provider speaks screen coordinates; the frozen screen starts at
        // this widget's origin.
        const QPoint origin = mapToGlobal(QPoint(0, 0));
        found = clipWindowRect(cursor - origin, frame.translated(-origin), client.translated(-origin),
                               d->screenPixmap.size());
    }
    if (found == d->suggestedRect)
        return;
    d->suggestedRect = found.normalized();
    d->showSuggestion(d->suggestedRect);
}

void TScreenShotWidget::addShape()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action || !d->canvas)
        return;
    if (action->isChecked()) {
        d->canvas->setMode(TImageEditWidget::CreateMode);
        d->canvas->resize(d->regionLabel->size());
        d->canvas->move(d->regionLabel->pos());
        if (d->canvas->isHidden()) {
            d->canvas->show();
            d->canvas->raise();
            d->toolWidget->raise();
            d->setEditingAllowed(false);
        }
        for (QAction *tool : qAsConst(d->toolActions))
            tool->setChecked(false);
        action->setChecked(true);
        static const char *const names[]
                = {"TSCREENSHOTWIDGET_RE_BTN", "TSCREENSHOTWIDGET_EL_BTN", "TSCREENSHOTWIDGET_TR_BTN",
                   "TSCREENSHOTWIDGET_AR_BTN", "TSCREENSHOTWIDGET_LI_BTN", "TSCREENSHOTWIDGET_LL_BTN",
                   "TSCREENSHOTWIDGET_TE_BTN"};
        for (int type = 0; type < 7; ++type) {
            if (action->objectName() == QLatin1String(names[type]))
                d->canvas->setShapeType(type);
        }
    } else {
        d->canvas->reset();
        d->setEditingAllowed(true);
    }
}

void TScreenShotWidget::setLineStyle()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    QPen pen = d->canvas->pen();
    pen.setWidth(action->data().toInt());
    d->canvas->setPen(pen);
}

void TScreenShotWidget::setLineColor(const QColor &iColor)
{
    if (d->colorMenu)
        d->colorMenu->hide();
    d->lineColor = iColor;
    QPen pen = d->canvas->pen();
    pen.setColor(iColor);
    d->canvas->setPen(pen);
    d->colorButton->setIcon(toolIcon(QStringLiteral("square-filled.%1").arg(iColor.name())));
}

void TScreenShotWidget::setLineColor()
{
    const QColor color = QColorDialog::getColor(d->lineColor, this, tr("Select underline color"));
    d->lineColor = color;
    if (!color.isValid())
        return;
    QPen pen = d->canvas->pen();
    pen.setColor(color);
    d->canvas->setPen(pen);
    d->colorButton->setIcon(toolIcon(QStringLiteral("square-filled.%1").arg(color.name())));
    QMenu *old = d->colorMenu;
    d->colorMenu = d->buildColorMenu();
    d->colorButton->setMenu(d->colorMenu);
    if (old)
        old->deleteLater();
}

void TScreenShotWidget::addCommand() { d->canvas->undoStack()->push(new ReturnCommand(this)); }

void TScreenShotWidget::textSizeChanged(const QString &iSizeStr)
{
    bool ok = false;
    const int size = iSizeStr.toInt(&ok, 10);
    if (!ok || size <= 0)
        return;
    QFont font = d->canvas->font();
    font.setPixelSize(size);
    d->canvas->setFont(font);
}

void TScreenShotWidget::slotOk()
{
    hide();
    // Nothing chosen yet: there is no image to hand out, and the clipboard
    // keeps what it held.
    if (!d->regionExists || d->regionPixmap.isNull()) {
        close();
        return;
    }
    const QPixmap result = d->annotatedRegion();
    auto *mime = new QMimeData;
    mime->setImageData(result.toImage());
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    Q_EMIT finished(result);
    close();
}

void TScreenShotWidget::slotSave()
{
    if (!d->regionExists || d->regionPixmap.isNull())
        return;
    const QPixmap result = d->annotatedRegion();
    QString filter;
    QString name = QFileDialog::getSaveFileName(this, tr("Save Image"),
                                                QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")),
                                                QStringLiteral("(*.jpg);;(*.png);;(*.bmp)"), &filter);
    if (name.isEmpty())
        return;
    // The proposed name has no suffix: take the one of the chosen filter, so
    // the format is known.
    if (QFileInfo(name).suffix().isEmpty()) {
        const int star = filter.indexOf(QLatin1String("*."));
        const QString suffix = star >= 0 ? filter.mid(star + 2).remove(QLatin1Char(')')) : QStringLiteral("jpg");
        name += QLatin1Char('.') + suffix;
    }
    if (!result.save(name)) {
        TMessageBox::msgbox(this, tr("The image could not be saved to %1.").arg(name), QString(),
                            QStringLiteral("Critical"), tr("Save Image"), {QStringLiteral("Ok")}, QString());
        return;
    }
    close();
}

void TScreenShotWidget::slotClose() { close(); }

void TScreenShotWidget::slotReturn()
{
    d->state = NotStarted;
    d->regionLabel->clear();
    d->regionLabel->hide();
    d->canvas->hide();
    d->canvas->undoStack()->clear();
    // The annotations belong to the region that is being dropped.
    d->canvas->clearShapes();
    d->canvas->reset();
    QTimer::singleShot(1, this, &TScreenShotWidget::addCommand);
    clear();
    d->overlayLabel->clear();
    d->overlayLabel->hide();
    d->toolWidget->hide();
    d->colorButton->setChecked(false);
    for (QAction *tool : qAsConst(d->toolActions))
        tool->setChecked(false);
    if (d->editingLocked)
        d->setEditingAllowed(true);
    d->regionPixmap = QPixmap();
    d->selectRect->clear();
    d->startChoosing();
}

bool TScreenShotWidget::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    if (iWatched != d->selectRect)
        return QLabel::eventFilter(iWatched, iEvent);
    if (iEvent->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(iEvent);
        if (mouse->button() == Qt::RightButton) {
            if (d->state == RegionSelected && d->chosenRect.contains(mouse->pos())) {
                auto *menu = new QMenu(this);
                menu->setObjectName(QStringLiteral("TSCREENSHOTWIDGET_CONTEXT"));
                menu->addAction(toolIcon(QStringLiteral("return")), tr("Return"), this, &TScreenShotWidget::slotReturn);
                menu->addAction(toolIcon(QStringLiteral("save")), tr("Save"), this, &TScreenShotWidget::slotSave);
                menu->addAction(toolIcon(QStringLiteral("exit")), tr("Close"), this, &TScreenShotWidget::slotClose);
                menu->addAction(toolIcon(QStringLiteral("check_mark1")), tr("Ok"), this, &TScreenShotWidget::slotOk);
                QPointer<QMenu> guard(menu);
                menu->exec(QCursor::pos());
                if (guard)
                    guard->deleteLater();
            } else if (d->state != ChoosingRegion) {
                // Deferred: the layer that reports this event is reset by the return.
                QMetaObject::invokeMethod(this, "slotReturn", Qt::QueuedConnection);
            } else {
                QMetaObject::invokeMethod(this, "slotClose", Qt::QueuedConnection);
            }
        }
    } else if (iEvent->type() == QEvent::MouseButtonDblClick) {
        auto *mouse = static_cast<QMouseEvent *>(iEvent);
        if (mouse->button() == Qt::LeftButton && d->state == RegionSelected)
            QMetaObject::invokeMethod(this, "slotOk", Qt::QueuedConnection);
    }
    return QLabel::eventFilter(iWatched, iEvent);
}
