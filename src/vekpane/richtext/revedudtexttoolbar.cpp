#include "revedudtexttoolbar.h"
#include "revedudtexttoolbar_p.h"

#include "tbasecolorwidget.h"
#include "timagebudget.h"
#include "tpushbuttonscreenshots.h"
#include "tresource.h"
#include "tscreenshotwidget.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QWidgetAction>

namespace {

QIcon namedIcon(const char *iName)
{
    return TResource::instance()->icon(QLatin1String(iName), QStringLiteral("button"), QStringLiteral("body"));
}

const char kEntryStyle[] = "QWidget:hover{background-color:blue;}QWidget{background-color:white;}"
                           "QWidget:pressed{background-color:green;}";

QColor colorOf(const QVariant &iValue)
{
    if (iValue.userType() == QMetaType::QColor)
        return iValue.value<QColor>();
    if (iValue.canConvert<QColor>())
        return iValue.value<QColor>();
    return QColor();
}

// Pen style of an underline style number: 1 to 5 map to the pen styles of
// the same number, 6 (wave) is drawn as a zigzag.
Qt::PenStyle penStyleOf(int iStyle) { return (iStyle >= 1 && iStyle <= 6) ? Qt::PenStyle(iStyle) : Qt::SolidLine; }

} // namespace

REvedudTextToolBarPrivate::~REvedudTextToolBarPrivate()
{
    if (floatingButton) {
        floatingButton->hide();
        delete floatingButton.data();
    }
}

void REvedudTextToolBarPrivate::setupEditActions()
{
    Q_Q(REvedudTextToolBar);
    undoAction = new QAction(namedIcon("undo"), REvedudTextToolBar::tr("&Undo"), q);
    undoAction->setObjectName(QStringLiteral("REVEDUD_UNDO"));
    undoAction->setShortcut(QKeySequence::Undo);
    undoAction->setPriority(QAction::LowPriority);
    q->addAction(undoAction);
    redoAction = new QAction(namedIcon("repeat"), REvedudTextToolBar::tr("&Redo"), q);
    redoAction->setObjectName(QStringLiteral("REVEDUD_REDO"));
    redoAction->setShortcut(QKeySequence::Redo);
    redoAction->setPriority(QAction::LowPriority);
    q->addAction(redoAction);
}

void REvedudTextToolBarPrivate::setupFontActions()
{
    Q_Q(REvedudTextToolBar);
    fontBox = new QFontComboBox(q);
    fontBox->setObjectName(QStringLiteral("REVEDUD_FONT"));
    q->addWidget(fontBox);
    QObject::connect(fontBox, &QComboBox::textActivated, q, &REvedudTextToolBar::textFont);

    sizeBox = new QComboBox(q);
    sizeBox->setObjectName(QStringLiteral("REVEDUD_SIZE"));
    sizeBox->setEditable(true);
    sizeBox->setMinimumSize(112, 20);
    for (int size : QFontDatabase::standardSizes())
        sizeBox->addItem(QString::number(size));
    sizeBox->setCurrentIndex(sizeBox->findText(QString::number(QApplication::font().pointSize())));
    q->addWidget(sizeBox);
    QObject::connect(sizeBox, &QComboBox::textActivated, q, &REvedudTextToolBar::textSize);

    screenshotAction = new QAction(namedIcon("camera"), REvedudTextToolBar::tr("&ScreenShots"), q);
    screenshotAction->setObjectName(QStringLiteral("REVEDUD_SCREENSHOT"));
    screenshotAction->setShortcut(Qt::CTRL + Qt::ALT + Qt::Key_A);
    screenshotAction->setPriority(QAction::LowPriority);
    QObject::connect(screenshotAction, &QAction::triggered, q, &REvedudTextToolBar::screenshot);
    q->addAction(screenshotAction);
}

void REvedudTextToolBarPrivate::setupTextActions()
{
    Q_Q(REvedudTextToolBar);
    boldAction = new QAction(namedIcon("bold"), REvedudTextToolBar::tr("&Bold"), q);
    boldAction->setObjectName(QStringLiteral("REVEDUD_BOLD"));
    boldAction->setShortcut(Qt::CTRL + Qt::Key_B);
    boldAction->setPriority(QAction::LowPriority);
    boldAction->setCheckable(true);
    QObject::connect(boldAction, &QAction::triggered, q, &REvedudTextToolBar::textBold);
    q->addAction(boldAction);

    italicAction = new QAction(namedIcon("italic"), REvedudTextToolBar::tr("&Italic"), q);
    italicAction->setObjectName(QStringLiteral("REVEDUD_ITALIC"));
    italicAction->setShortcut(Qt::CTRL + Qt::Key_I);
    italicAction->setPriority(QAction::LowPriority);
    italicAction->setCheckable(true);
    QObject::connect(italicAction, &QAction::triggered, q, &REvedudTextToolBar::textItalic);
    q->addAction(italicAction);

    underlineAction = new QAction(REvedudTextToolBar::tr("&Underline"), q);
    underlineAction->setObjectName(QStringLiteral("REVEDUD_UNDERLINE"));
    underlineAction->setShortcut(Qt::CTRL + Qt::Key_U);
    underlineAction->setPriority(QAction::LowPriority);
    underlineAction->setCheckable(true);
    QObject::connect(underlineAction, &QAction::triggered, q, &REvedudTextToolBar::textUnderline);
    underlineMenu = new QMenu(q);
    underlineMenu->setObjectName(QStringLiteral("REVEDUD_UNDERLINE_MENU"));
    QObject::connect(underlineMenu, &QMenu::aboutToShow, q, &REvedudTextToolBar::showUnderLineMenu);
    underlineButton = new QToolButton(q);
    underlineButton->setObjectName(QStringLiteral("REVEDUD_UNDERLINE_BTN"));
    underlineButton->setMinimumWidth(40);
    underlineButton->setPopupMode(QToolButton::MenuButtonPopup);
    underlineButton->setDefaultAction(underlineAction);
    underlineButton->setMenu(underlineMenu);
    q->addWidget(underlineButton);
}

void REvedudTextToolBarPrivate::setupColorActions()
{
    Q_Q(REvedudTextToolBar);
    colorAction = new QAction(q);
    colorAction->setObjectName(QStringLiteral("REVEDUD_COLOR"));
    colorAction->setToolTip(REvedudTextToolBar::tr("Text Color"));
    colorAction->setPriority(QAction::LowPriority);
    colorMenu = new QMenu(q);
    colorMenu->setObjectName(QStringLiteral("REVEDUD_COLOR_MENU"));
    QObject::connect(colorMenu, &QMenu::aboutToShow, q, &REvedudTextToolBar::showColorMenu);
    colorButton = new QToolButton(q);
    colorButton->setObjectName(QStringLiteral("REVEDUD_COLOR_BTN"));
    colorButton->setMinimumWidth(40);
    colorButton->setPopupMode(QToolButton::MenuButtonPopup);
    colorButton->setDefaultAction(colorAction);
    colorButton->setMenu(colorMenu);
    q->addWidget(colorButton);

    bgColorAction = new QAction(q);
    bgColorAction->setObjectName(QStringLiteral("REVEDUD_BGCOLOR"));
    bgColorAction->setToolTip(REvedudTextToolBar::tr("Text Background Color"));
    bgColorAction->setPriority(QAction::LowPriority);
    bgMenu = new QMenu(q);
    bgMenu->setObjectName(QStringLiteral("REVEDUD_BGCOLOR_MENU"));
    auto *clearAction = new QWidgetAction(bgMenu);
    clearAction->setObjectName(QStringLiteral("REVEDUD_BGCOLOR_NULL"));
    clearAction->setDefaultWidget(
            createDefaultWgt(QVariantMap {{QStringLiteral("type"), QStringLiteral("string")},
                                          {QStringLiteral("data"), REvedudTextToolBar::tr("NULL")}},
                             QSize(112, 20)));
    QObject::connect(clearAction, &QAction::triggered, q, &REvedudTextToolBar::clearBgColor);
    bgMenu->addAction(clearAction);
    QObject::connect(bgMenu, &QMenu::aboutToShow, q, &REvedudTextToolBar::showBgMenu);
    bgButton = new QToolButton(q);
    bgButton->setObjectName(QStringLiteral("REVEDUD_BGCOLOR_BTN"));
    bgButton->setMinimumWidth(40);
    bgButton->setPopupMode(QToolButton::MenuButtonPopup);
    bgButton->setDefaultAction(bgColorAction);
    bgButton->setMenu(bgMenu);
    q->addWidget(bgButton);
}

void REvedudTextToolBarPrivate::setupAlignActions()
{
    Q_Q(REvedudTextToolBar);
    auto *group = new QActionGroup(q);
    QObject::connect(group, &QActionGroup::triggered, q, &REvedudTextToolBar::textAlign);
    auto make = [group](const char *iIcon, const QString &iText, const QKeySequence &iKey, const char *iName) {
        auto *action = new QAction(namedIcon(iIcon), iText, group);
        action->setObjectName(QLatin1String(iName));
        action->setShortcut(iKey);
        action->setCheckable(true);
        action->setPriority(QAction::LowPriority);
        return action;
    };
    // Right to left, the right action comes first.
    if (QApplication::isLeftToRight()) {
        leftAction = make("align-left", REvedudTextToolBar::tr("&Left"), Qt::CTRL + Qt::Key_L, "REVEDUD_LEFT");
        centerAction = make("align-center", REvedudTextToolBar::tr("C&enter"), Qt::CTRL + Qt::Key_E, "REVEDUD_CENTER");
        rightAction = make("align-right", REvedudTextToolBar::tr("&Right"), Qt::CTRL + Qt::Key_R, "REVEDUD_RIGHT");
    } else {
        rightAction = make("align-right", REvedudTextToolBar::tr("&Right"), Qt::CTRL + Qt::Key_R, "REVEDUD_RIGHT");
        centerAction = make("align-center", REvedudTextToolBar::tr("C&enter"), Qt::CTRL + Qt::Key_E, "REVEDUD_CENTER");
        leftAction = make("align-left", REvedudTextToolBar::tr("&Left"), Qt::CTRL + Qt::Key_L, "REVEDUD_LEFT");
    }
    justifyAction = make("align-justify", REvedudTextToolBar::tr("&Justify"), Qt::CTRL + Qt::Key_J, "REVEDUD_JUSTIFY");
    q->addActions(group->actions());

    insertImageAction = new QAction(namedIcon("picture-o"), REvedudTextToolBar::tr("&Insert Image"), q);
    insertImageAction->setObjectName(QStringLiteral("REVEDUD_INSERT_IMAGE"));
    insertImageAction->setPriority(QAction::LowPriority);
    QObject::connect(insertImageAction, &QAction::triggered, q, &REvedudTextToolBar::textInsertPhoto);
    q->addAction(insertImageAction);
}

void REvedudTextToolBarPrivate::fillColorMenu(QMenu *iMenu, void (REvedudTextToolBar::*iSwatch)(const QColor &),
                                              void (REvedudTextToolBar::*iDialog)(), const QKeySequence &iKey)
{
    Q_Q(REvedudTextToolBar);
    auto *swatchAction = new QWidgetAction(iMenu);
    auto *swatches = new TBaseColorWidget(iMenu);
    QObject::connect(swatches, &TBaseColorWidget::selectedColor, q, iSwatch);
    swatchAction->setDefaultWidget(swatches);
    auto *otherAction = new QWidgetAction(iMenu);
    otherAction->setObjectName(QStringLiteral("REVEDUD_OTHER_COLOR"));
    otherAction->setDefaultWidget(
            createDefaultWgt(QVariantMap {{QStringLiteral("type"), QStringLiteral("string")},
                                          {QStringLiteral("data"), QStringLiteral("other color")}},
                             QSize(112, 20)));
    otherAction->setShortcut(iKey);
    QObject::connect(otherAction, &QAction::triggered, q, iDialog);
    const QList<QAction *> existing = iMenu->actions();
    iMenu->insertAction(existing.value(0), swatchAction);
    iMenu->insertAction(existing.value(0), otherAction);
}

void REvedudTextToolBarPrivate::fillUnderLineMenu(QMenu *iMenu)
{
    Q_Q(REvedudTextToolBar);
    for (int style = 1; style <= 6; ++style) {
        auto *action = new QWidgetAction(iMenu);
        action->setCheckable(true);
        action->setData(style);
        action->setDefaultWidget(createDefaultWgt(QVariantMap {{QStringLiteral("type"), QStringLiteral("underline")},
                                                               {QStringLiteral("data"), QString::number(style)}},
                                                  QSize(112, 20)));
        QObject::connect(action, &QAction::triggered, q, &REvedudTextToolBar::textUnderlineStyle);
        iMenu->addAction(action);
    }
    auto *titleAction = new QWidgetAction(iMenu);
    auto *title = new QLabel(REvedudTextToolBar::tr("Underline Color"), iMenu);
    title->setAlignment(Qt::AlignCenter);
    titleAction->setDefaultWidget(title);
    iMenu->addAction(titleAction);
    auto *swatchAction = new QWidgetAction(iMenu);
    auto *swatches = new TBaseColorWidget(iMenu);
    QObject::connect(swatches, &TBaseColorWidget::selectedColor, q,
                     QOverload<const QColor &>::of(&REvedudTextToolBar::textUnderlineColor));
    swatchAction->setDefaultWidget(swatches);
    iMenu->addAction(swatchAction);
    auto *otherAction = new QWidgetAction(iMenu);
    otherAction->setDefaultWidget(
            createDefaultWgt(QVariantMap {{QStringLiteral("type"), QStringLiteral("string")},
                                          {QStringLiteral("data"), REvedudTextToolBar::tr("Other Color")}},
                             QSize(112, 20)));
    QObject::connect(otherAction, &QAction::triggered, q, QOverload<>::of(&REvedudTextToolBar::textUnderlineColor));
    iMenu->addAction(otherAction);
}

QWidget *REvedudTextToolBarPrivate::createDefaultWgt(const QVariant &iData, const QSize &iSize) const
{
    auto *label = new QLabel;
    const QVariantHash data = iData.toHash();
    const QString type = data.value(QStringLiteral("type")).toString();
    if (type == QLatin1String("string")) {
        label->setText(data.value(QStringLiteral("data")).toString());
        label->setAlignment(Qt::AlignCenter);
    } else if (type == QLatin1String("underline")) {
        QPixmap pixmap(iSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QPen pen;
        const int h = iSize.height() / 2;
        const int w = iSize.width();
        const int style = data.value(QStringLiteral("data")).toInt();
        if (style == 6) {
            pen.setStyle(Qt::CustomDashLine);
            painter.setPen(pen);
            painter.setRenderHint(QPainter::Antialiasing, true);
            bool down = true;
            for (int x = 0; x < w; x += 4) {
                painter.drawLine(QPoint(x, down ? h + 2 : h - 2), QPoint(x + 4, down ? h - 2 : h + 2));
                down = !down;
            }
        } else {
            if (style >= 1 && style <= 5)
                pen.setStyle(Qt::PenStyle(style));
            painter.setPen(pen);
            painter.drawLine(QPoint(0, h), QPoint(w, h));
        }
        painter.end();
        label->setPixmap(pixmap);
    }
    label->setStyleSheet(QLatin1String(kEntryStyle));
    return label;
}

QIcon REvedudTextToolBarPrivate::createIcon(const QString &iKind, const QVariant &iValue) const
{
    QPixmap pixmap(50, 50);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (iKind == QLatin1String("UNDERLINE")) {
        const QPixmap letter = namedIcon("underline").pixmap(50, 50, QIcon::Normal, QIcon::Off);
        painter.drawPixmap(QRect(0, 0, 50, 38), letter, QRect(0, 0, 50, 40));
        QPen pen(underlineColor);
        pen.setWidth(5);
        pen.setStyle(penStyleOf(underlineStyle));
        painter.setPen(pen);
        QFont font = painter.font();
        font.setWeight(75);
        font.setPointSize(45);
        painter.setFont(font);
        if (underlineStyle == 6) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            bool down = true;
            for (int x = 0; x + 6 <= 48; x += 6) {
                painter.drawLine(QPoint(x, down ? 48 : 42), QPoint(x + 6, down ? 42 : 48));
                down = !down;
            }
        } else {
            painter.drawLine(QPoint(0, 45), QPoint(50, 45));
        }
    } else if (iKind == QLatin1String("TEXT_COLOR")) {
        QFont font = painter.font();
        font.setWeight(75);
        font.setPointSize(50);
        painter.setFont(font);
        painter.setPen(colorOf(iValue));
        painter.drawText(QRect(0, 0, 50, 50), Qt::AlignCenter, QStringLiteral("A"));
    } else if (iKind == QLatin1String("BACKGROUND_COLOR")) {
        painter.setBrush(QBrush(colorOf(iValue), Qt::SolidPattern));
        painter.drawRect(QRect(0, 0, 50, 50));
    }
    painter.end();
    return QIcon(pixmap);
}

void REvedudTextToolBarPrivate::fontChanged(const QFont &iFont)
{
    fontBox->setCurrentIndex(fontBox->findText(QFontInfo(iFont).family(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    sizeBox->setCurrentIndex(
            sizeBox->findText(QString::number(iFont.pointSizeF()), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void REvedudTextToolBarPrivate::textChanged(const QTextCharFormat &iFormat)
{
    boldAction->setChecked(iFormat.fontWeight() > 57);
    italicAction->setChecked(iFormat.fontItalic());
    underlineAction->setChecked(iFormat.underlineStyle() != QTextCharFormat::NoUnderline);
}

void REvedudTextToolBarPrivate::colorChanged(const QColor &iColor)
{
    colorAction->setIcon(createIcon(QStringLiteral("TEXT_COLOR"), iColor));
}

void REvedudTextToolBarPrivate::bgColorChanged(const QColor &iColor)
{
    bgColorAction->setIcon(createIcon(QStringLiteral("BACKGROUND_COLOR"), iColor));
}

void REvedudTextToolBarPrivate::underLineChanged()
{
    underlineAction->setIcon(createIcon(QStringLiteral("UNDERLINE"), QVariant()));
}

void REvedudTextToolBarPrivate::alignmentChanged(Qt::Alignment iAlignment)
{
    if (iAlignment & Qt::AlignLeft)
        leftAction->setChecked(true);
    else if (iAlignment & Qt::AlignHCenter)
        centerAction->setChecked(true);
    else if (iAlignment & Qt::AlignRight)
        rightAction->setChecked(true);
    else if (iAlignment & Qt::AlignJustify)
        justifyAction->setChecked(true);
}

void REvedudTextToolBarPrivate::focusEditor()
{
    if (textEdit)
        textEdit->setFocus(Qt::OtherFocusReason);
}

void REvedudTextToolBarPrivate::mergeFormatOnWordOrSelection(const QTextCharFormat &iFormat)
{
    if (!textEdit)
        return;
    focusEditor();
    textEdit->mergeCurrentCharFormat(iFormat);
}

void REvedudTextToolBarPrivate::textInsertImage(const QImage &iImage)
{
    if (!textEdit || iImage.isNull())
        return;
    // Encoded in memory: no file that another insertion or another user
    // could overwrite or read.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!iImage.save(&buffer, "JPG") || jpeg.isEmpty())
        return;
    const QString html = QStringLiteral("<img src=\"data:image/jpg;base64,%1\" width=\"%2\" height=\"%3\" />")
                                 .arg(QString::fromLatin1(jpeg.toBase64()))
                                 .arg(iImage.width())
                                 .arg(iImage.height());
    textEdit->textCursor().insertHtml(html);
}

REvedudTextToolBar::REvedudTextToolBar(QWidget *iParent)
    : QToolBar(iParent)
    , d(new REvedudTextToolBarPrivate(this))
{
    setProperty("SS_SIZE", QStringLiteral("SMALL"));
    d->setupEditActions();
    addSeparator();
    d->setupFontActions();
    addSeparator();
    d->setupTextActions();
    addSeparator();
    d->setupColorActions();
    addSeparator();
    d->setupAlignActions();
}

REvedudTextToolBar::~REvedudTextToolBar() = default;

QTextEdit *REvedudTextToolBar::textEdit() const { return d->textEdit; }

void REvedudTextToolBar::setTextEdit(QTextEdit *iTextEditPtr)
{
    if (!iTextEditPtr)
        return;
    for (const QMetaObject::Connection &connection : qAsConst(d->editorConnections))
        disconnect(connection);
    d->editorConnections.clear();
    d->textEdit = iTextEditPtr;
    QTextEdit *e = iTextEditPtr;
    QTextDocument *document = e->document();
    d->editorConnections << connect(e, &QTextEdit::currentCharFormatChanged, this,
                                    &REvedudTextToolBar::currentCharFormatChanged)
                         << connect(e, &QTextEdit::cursorPositionChanged, this,
                                    &REvedudTextToolBar::cursorPositionChanged);
    d->fontChanged(e->font());
    d->underLineChanged();
    d->colorChanged(e->textColor());
    d->bgColorChanged(e->textBackgroundColor());
    d->alignmentChanged(e->alignment());
    d->editorConnections << connect(document, &QTextDocument::modificationChanged, this, &QWidget::setWindowModified)
                         << connect(document, &QTextDocument::undoAvailable, d->undoAction, &QAction::setEnabled)
                         << connect(document, &QTextDocument::redoAvailable, d->redoAction, &QAction::setEnabled);
    d->undoAction->setEnabled(document->isUndoAvailable());
    d->redoAction->setEnabled(document->isRedoAvailable());
    d->editorConnections << connect(d->undoAction, &QAction::triggered, e, &QTextEdit::undo)
                         << connect(d->redoAction, &QAction::triggered, e, &QTextEdit::redo);
    e->setFocus();
}

void REvedudTextToolBar::textFont(const QString &iFontStr)
{
    if (!d->textEdit)
        return;
    QTextCharFormat format;
    format.setFontFamily(iFontStr);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textSize(const QString &iPStr)
{
    if (!d->textEdit)
        return;
    d->focusEditor();
    bool ok = false;
    const double size = iPStr.toDouble(&ok);
    if (!ok || size <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(size);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::screenshot()
{
    if (!d->floatingButton) {
        d->floatingButton = new TPushButtonScreenShots(nullptr);
        connect(d->floatingButton, &TPushButtonScreenShots::clicked, this, &REvedudTextToolBar::screenBtnshot);
    }
    d->floatingButton->move(5, 5);
    d->floatingButton->show();
}

void REvedudTextToolBar::screenBtnshot()
{
    if (d->floatingButton) {
        d->floatingButton->hide();
        // Later, not at once: this runs inside the button's own click.
        d->floatingButton->deleteLater();
        d->floatingButton = nullptr;
    }
    auto *capture = new TScreenShotWidget(nullptr);
    d->capture = capture;
    connect(capture, &TScreenShotWidget::finished, this, &REvedudTextToolBar::textInsertPixmap);
    if (capture->state() == TScreenShotWidget::NotStarted)
        capture->getReadyToShot();
}

void REvedudTextToolBar::textBold()
{
    QTextCharFormat format;
    format.setFontWeight(d->boldAction->isChecked() ? QFont::Bold : QFont::Normal);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textItalic()
{
    QTextCharFormat format;
    format.setFontItalic(d->italicAction->isChecked());
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textUnderline()
{
    QTextCharFormat format;
    format.setUnderlineStyle(d->underlineAction->isChecked() ? QTextCharFormat::UnderlineStyle(d->underlineStyle)
                                                             : QTextCharFormat::NoUnderline);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::showUnderLineMenu()
{
    if (d->underlineMenuFilled)
        return;
    d->underlineMenuFilled = true;
    d->fillUnderLineMenu(d->underlineMenu);
}

void REvedudTextToolBar::textUnderlineStyle()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    d->underlineStyle = action->data().toInt();
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::UnderlineStyle(d->underlineStyle));
    d->mergeFormatOnWordOrSelection(format);
    d->underLineChanged();
}

void REvedudTextToolBar::textUnderlineColor()
{
    d->underlineAction->setChecked(true);
    textUnderline();
    QColor start = Qt::white;
    if (d->textEdit) {
        d->focusEditor();
        start = d->textEdit->textColor();
    }
    const QColor color = QColorDialog::getColor(start, this, tr("Select underline color"));
    if (!color.isValid())
        return;
    d->underlineColor = color;
    d->underLineChanged();
    QTextCharFormat format;
    format.setUnderlineColor(color);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textUnderlineColor(const QColor &iColor)
{
    d->underlineAction->setChecked(true);
    textUnderline();
    d->underlineMenu->hide();
    if (!iColor.isValid())
        return;
    d->underlineColor = iColor;
    d->underLineChanged();
    QTextCharFormat format;
    format.setUnderlineColor(iColor);
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textColor()
{
    if (!d->textEdit)
        return;
    d->focusEditor();
    const QColor color = QColorDialog::getColor(d->textEdit->textColor(), this, QString());
    if (!color.isValid())
        return;
    QTextCharFormat format;
    format.setForeground(QBrush(color, Qt::SolidPattern));
    d->mergeFormatOnWordOrSelection(format);
    d->colorChanged(color);
}

void REvedudTextToolBar::textColor(const QColor &iColor)
{
    d->colorMenu->hide();
    if (!d->textEdit)
        return;
    d->focusEditor();
    if (!iColor.isValid())
        return;
    QTextCharFormat format;
    format.setForeground(QBrush(iColor, Qt::SolidPattern));
    d->mergeFormatOnWordOrSelection(format);
    d->colorChanged(iColor);
}

void REvedudTextToolBar::showColorMenu()
{
    if (d->colorMenuFilled)
        return;
    d->colorMenuFilled = true;
    d->fillColorMenu(d->colorMenu, QOverload<const QColor &>::of(&REvedudTextToolBar::textColor),
                     QOverload<>::of(&REvedudTextToolBar::textColor), QKeySequence(Qt::CTRL + Qt::Key_U));
}

void REvedudTextToolBar::textBgColor()
{
    QColor start = Qt::white;
    if (d->textEdit) {
        d->focusEditor();
        start = d->textEdit->textColor();
    }
    const QColor color = QColorDialog::getColor(start, this, tr("Select text background color"));
    if (!color.isValid())
        return;
    QTextCharFormat format;
    format.setBackground(QBrush(color, Qt::SolidPattern));
    d->mergeFormatOnWordOrSelection(format);
    d->bgColorChanged(color);
}

void REvedudTextToolBar::textBgColor(const QColor &iColor)
{
    d->bgMenu->hide();
    d->focusEditor();
    if (!iColor.isValid())
        return;
    QTextCharFormat format;
    format.setBackground(QBrush(iColor, Qt::SolidPattern));
    d->mergeFormatOnWordOrSelection(format);
    d->bgColorChanged(iColor);
}

void REvedudTextToolBar::showBgMenu()
{
    if (d->bgMenuFilled)
        return;
    d->bgMenuFilled = true;
    d->fillColorMenu(d->bgMenu, QOverload<const QColor &>::of(&REvedudTextToolBar::textBgColor),
                     QOverload<>::of(&REvedudTextToolBar::textBgColor), QKeySequence(Qt::CTRL + Qt::Key_M));
}

void REvedudTextToolBar::clearBgColor()
{
    d->bgMenu->hide();
    if (!d->textEdit)
        return;
    d->focusEditor();
    QTextCharFormat format;
    format.setBackground(QBrush(Qt::white, Qt::SolidPattern));
    d->mergeFormatOnWordOrSelection(format);
}

void REvedudTextToolBar::textAlign(QAction *iActionPtr)
{
    if (!d->textEdit || !iActionPtr)
        return;
    if (iActionPtr == d->leftAction)
        d->textEdit->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (iActionPtr == d->centerAction)
        d->textEdit->setAlignment(Qt::AlignHCenter);
    else if (iActionPtr == d->rightAction)
        d->textEdit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    else if (iActionPtr == d->justifyAction)
        d->textEdit->setAlignment(Qt::AlignJustify);
}

void REvedudTextToolBar::textInsertPhoto()
{
    const QString file
            = QFileDialog::getOpenFileName(this, tr("Open File"), d->defaultImageDir, tr("Images (*.png *.jpg)"));
    if (file.isEmpty())
        return;
    d->textInsertImage(TImageBudget::readFile(file));
}

void REvedudTextToolBar::textInsertPixmap(const QPixmap &iPixmap) { d->textInsertImage(iPixmap.toImage()); }

void REvedudTextToolBar::currentCharFormatChanged(const QTextCharFormat &iFormat)
{
    d->fontChanged(iFormat.font());
    d->textChanged(iFormat);
    // Plain text carries no underline style or colour: keep the last ones
    // chosen, or the underline button would underline with "none".
    if (iFormat.underlineColor().isValid())
        d->underlineColor = iFormat.underlineColor();
    if (iFormat.underlineStyle() != QTextCharFormat::NoUnderline)
        d->underlineStyle = iFormat.underlineStyle();
    d->underLineChanged();
    d->colorChanged(iFormat.foreground().color());
    d->bgColorChanged(iFormat.background().color());
}

void REvedudTextToolBar::cursorPositionChanged()
{
    if (d->textEdit)
        d->alignmentChanged(d->textEdit->alignment());
}

QString REvedudTextToolBar::defaultImageDir() const { return d->defaultImageDir; }

void REvedudTextToolBar::setDefaultImageDir(const QString &iPhotoDir) { d->defaultImageDir = iPhotoDir; }
