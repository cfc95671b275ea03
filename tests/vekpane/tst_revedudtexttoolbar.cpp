// The rich-text tool bar on a real text edit: formatting, colours,
// alignment, following the cursor, undo and redo, and inserted images.
#include "capturetest.h"
#include "revedudtexttoolbar.h"
#include "selectrect.h"
#include "tbasecolorwidget.h"
#include "tpushbutton.h"
#include "tpushbuttonscreenshots.h"
#include "tscreenshotwidget.h"
#include "ttextedit.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

struct Fixture
{
    Fixture()
    {
        edit.setPlainText(QStringLiteral("alpha beta gamma"));
        bar.setTextEdit(&edit);
        selectWord(0);
    }
    // Selects the first word when iWord is 0, else the second.
    void selectWord(int iWord)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(iWord == 0 ? 0 : 6);
        cursor.setPosition(iWord == 0 ? 5 : 10, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
    }
    QTextCharFormat formatAt(int iPosition) const
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(iPosition);
        return cursor.charFormat();
    }
    QAction *action(const char *iName) const { return bar.findChild<QAction *>(QLatin1String(iName)); }

    TTextEdit edit;
    REvedudTextToolBar bar;
};

template<typename T>
void whenModal(std::function<void(T *)> iAct)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, iAct] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        iAct(modal);
    });
    timer->start();
    QTimer::singleShot(10000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
    });
}

// Types a name into the file dialog and accepts it.
void chooseFile(QFileDialog *iDialog, const QString &iPath)
{
    iDialog->setDirectory(QFileInfo(iPath).absolutePath());
    iDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(iPath).fileName());
    static_cast<QDialog *>(iDialog)->accept();
}

// The images of the document, as the formats that carry them.
QList<QTextImageFormat> images(const QTextDocument *iDocument)
{
    QList<QTextImageFormat> found;
    for (QTextBlock block = iDocument->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                found << format.toImageFormat();
        }
    }
    return found;
}

TScreenShotWidget *openCapture()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *capture = qobject_cast<TScreenShotWidget *>(window))
            return capture;
    }
    return nullptr;
}

} // namespace

class tst_REvedudTextToolBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void content();
    void rightToLeftOrder();
    void characterFormats();
    void fontAndSize_data();
    void fontAndSize();
    void underlineStyleAndColour();
    void colours();
    void alignment_data();
    void alignment();
    void followsCursor();
    void undoRedo();
    void newEditorLetsOldGo();
    void withoutEditor();
    void colourMenus();
    void insertImages();
    void insertImageFromFile();
    void insertCapture();
};

void tst_REvedudTextToolBar::content()
{
    REvedudTextToolBar bar;
    QCOMPARE(bar.property("SS_SIZE").toString(), QStringLiteral("SMALL"));
    QVERIFY(bar.textEdit() == nullptr);
    QStringList order;
    for (QAction *action : bar.actions()) {
        if (action->isSeparator())
            order << QStringLiteral("|");
        else if (!action->objectName().isEmpty())
            order << action->objectName();
        else
            order << QStringLiteral("widget");
    }
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("REVEDUD_UNDO REVEDUD_REDO | widget widget REVEDUD_SCREENSHOT | REVEDUD_BOLD "
                            "REVEDUD_ITALIC widget | widget widget | REVEDUD_LEFT REVEDUD_CENTER REVEDUD_RIGHT "
                            "REVEDUD_JUSTIFY REVEDUD_INSERT_IMAGE"));
    QCOMPARE(bar.findChild<QAction *>("REVEDUD_BOLD")->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_B));
    QCOMPARE(bar.findChild<QAction *>("REVEDUD_SCREENSHOT")->shortcut(), QKeySequence(Qt::CTRL + Qt::ALT + Qt::Key_A));
    QCOMPARE(bar.findChild<QAction *>("REVEDUD_UNDERLINE")->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_U));
    auto *sizes = bar.findChild<QComboBox *>("REVEDUD_SIZE");
    QVERIFY(sizes->isEditable());
    QCOMPARE(sizes->currentText(), QString::number(QApplication::font().pointSize()));
    for (const char *name : {"REVEDUD_UNDERLINE_BTN", "REVEDUD_COLOR_BTN", "REVEDUD_BGCOLOR_BTN"}) {
        auto *button = bar.findChild<QToolButton *>(QLatin1String(name));
        QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
        QVERIFY(button->minimumWidth() >= 40);
    }
    // No icons until an editor is set.
    QVERIFY(bar.findChild<QAction *>("REVEDUD_COLOR")->icon().isNull());
}

void tst_REvedudTextToolBar::rightToLeftOrder()
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    REvedudTextToolBar bar;
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QStringList order;
    for (QAction *action : bar.actions()) {
        if (action->objectName().startsWith(QLatin1String("REVEDUD_")) && action->isCheckable()
            && action->shortcut() != QKeySequence(Qt::CTRL + Qt::Key_B)
            && action->shortcut() != QKeySequence(Qt::CTRL + Qt::Key_I))
            order << action->objectName();
    }
    QCOMPARE(order, (QStringList {"REVEDUD_RIGHT", "REVEDUD_CENTER", "REVEDUD_LEFT", "REVEDUD_JUSTIFY"}));
    QCOMPARE(bar.findChild<QAction *>("REVEDUD_LEFT")->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_L));
}

void tst_REvedudTextToolBar::characterFormats()
{
    Fixture f;
    f.action("REVEDUD_BOLD")->trigger();
    QCOMPARE(f.formatAt(2).fontWeight(), int(QFont::Bold));
    QCOMPARE(f.formatAt(8).fontWeight(), int(QFont::Normal));
    f.action("REVEDUD_BOLD")->trigger();
    QCOMPARE(f.formatAt(2).fontWeight(), int(QFont::Normal));

    f.action("REVEDUD_ITALIC")->trigger();
    QVERIFY(f.formatAt(2).fontItalic());
    f.action("REVEDUD_UNDERLINE")->trigger();
    QCOMPARE(f.formatAt(2).underlineStyle(), QTextCharFormat::SingleUnderline);
    f.action("REVEDUD_UNDERLINE")->trigger();
    QCOMPARE(f.formatAt(2).underlineStyle(), QTextCharFormat::NoUnderline);
}

void tst_REvedudTextToolBar::fontAndSize_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole") << "18" << 18.0;
    QTest::newRow("fraction") << "10.5" << 10.5;
    QTest::newRow("zero changes nothing") << "0" << 0.0;
    QTest::newRow("text changes nothing") << "big" << 0.0;
    QTest::newRow("negative changes nothing") << "-4" << 0.0;
}

void tst_REvedudTextToolBar::fontAndSize()
{
    QFETCH(QString, size);
    QFETCH(double, expected);

    Fixture f;
    f.bar.textSize(size);
    QCOMPARE(f.formatAt(2).fontPointSize(), expected);
    f.bar.textFont(QStringLiteral("Serif"));
    QCOMPARE(f.formatAt(2).fontFamily(), QStringLiteral("Serif"));
    QVERIFY(f.formatAt(8).fontFamily() != QStringLiteral("Serif"));
}

void tst_REvedudTextToolBar::underlineStyleAndColour()
{
    Fixture f;
    QMenu *menu = f.bar.findChild<QMenu *>("REVEDUD_UNDERLINE_MENU");
    QVERIFY(menu->actions().isEmpty());
    f.bar.showUnderLineMenu();
    const QList<QAction *> entries = menu->actions();
    QCOMPARE(entries.size(), 9);
    QCOMPARE(entries.at(2)->data().toInt(), 3);
    entries.at(2)->trigger();
    QCOMPARE(f.formatAt(2).underlineStyle(), QTextCharFormat::DotLine);

    // A later plain underline uses the chosen style.
    f.selectWord(1);
    f.action("REVEDUD_UNDERLINE")->setChecked(true);
    f.bar.textUnderline();
    QCOMPARE(f.formatAt(8).underlineStyle(), QTextCharFormat::DotLine);

    f.selectWord(0);
    f.bar.textUnderlineColor(QColor(Qt::magenta));
    QCOMPARE(f.formatAt(2).underlineColor(), QColor(Qt::magenta));
    QVERIFY(f.action("REVEDUD_UNDERLINE")->isChecked());
    // An invalid colour still underlines but keeps the colour.
    f.bar.textUnderlineColor(QColor());
    QCOMPARE(f.formatAt(2).underlineColor(), QColor(Qt::magenta));

    // A swatch of the menu goes the same way.
    auto *swatches = menu->findChild<TBaseColorWidget *>();
    QVERIFY(swatches);
    Q_EMIT swatches->selectedColor(QColor(Qt::darkCyan));
    QCOMPARE(f.formatAt(2).underlineColor(), QColor(Qt::darkCyan));
}

void tst_REvedudTextToolBar::colours()
{
    Fixture f;
    f.bar.textColor(QColor(Qt::red));
    QCOMPARE(f.formatAt(2).foreground().color(), QColor(Qt::red));
    QCOMPARE(f.formatAt(2).foreground().style(), Qt::SolidPattern);
    f.bar.textColor(QColor());
    QCOMPARE(f.formatAt(2).foreground().color(), QColor(Qt::red));

    f.bar.textBgColor(QColor(Qt::yellow));
    QCOMPARE(f.formatAt(2).background().color(), QColor(Qt::yellow));
    f.bar.textBgColor(QColor());
    QCOMPARE(f.formatAt(2).background().color(), QColor(Qt::yellow));
    // "NULL" gives a white background brush, not none.
    f.bar.findChild<QAction *>("REVEDUD_BGCOLOR_NULL")->trigger();
    QCOMPARE(f.formatAt(2).background().style(), Qt::SolidPattern);
    QCOMPARE(f.formatAt(2).background().color(), QColor(Qt::white));
    QVERIFY(f.formatAt(8).background().style() == Qt::NoBrush);
}

void tst_REvedudTextToolBar::alignment_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("alignment");

    QTest::newRow("left") << "REVEDUD_LEFT" << int(Qt::AlignLeft | Qt::AlignAbsolute);
    QTest::newRow("centre") << "REVEDUD_CENTER" << int(Qt::AlignHCenter);
    QTest::newRow("right") << "REVEDUD_RIGHT" << int(Qt::AlignRight | Qt::AlignAbsolute);
    QTest::newRow("justify") << "REVEDUD_JUSTIFY" << int(Qt::AlignJustify);
}

void tst_REvedudTextToolBar::alignment()
{
    QFETCH(QString, action);
    QFETCH(int, alignment);

    Fixture f;
    f.bar.findChild<QAction *>(action)->trigger();
    QCOMPARE(int(f.edit.alignment()), alignment);
    QVERIFY(f.bar.findChild<QAction *>(action)->isChecked());

    // Set in the editor, the alignment shows in the tool bar.
    f.bar.findChild<QAction *>("REVEDUD_CENTER")->setChecked(true);
    f.edit.setAlignment(Qt::Alignment(alignment));
    f.bar.cursorPositionChanged();
    QVERIFY(f.bar.findChild<QAction *>(action)->isChecked());
}

void tst_REvedudTextToolBar::followsCursor()
{
    Fixture f;
    // Weight 63 is above the threshold of 57: shown as bold.
    QTextCharFormat semi;
    semi.setFontWeight(63);
    semi.setFontItalic(true);
    semi.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    semi.setForeground(QColor(Qt::blue));
    f.edit.mergeCurrentCharFormat(semi);
    QTextCursor cursor(f.edit.document());
    cursor.setPosition(8);
    f.edit.setTextCursor(cursor);
    QVERIFY(!f.action("REVEDUD_BOLD")->isChecked());
    cursor.setPosition(3);
    f.edit.setTextCursor(cursor);
    QVERIFY(f.action("REVEDUD_BOLD")->isChecked());
    QVERIFY(f.action("REVEDUD_ITALIC")->isChecked());
    QVERIFY(f.action("REVEDUD_UNDERLINE")->isChecked());
    const QImage colourIcon = f.action("REVEDUD_COLOR")->icon().pixmap(50, 50).toImage();
    bool blue = false;
    for (int y = 0; y < colourIcon.height() && !blue; ++y)
        for (int x = 0; x < colourIcon.width() && !blue; ++x)
            blue = colourIcon.pixelColor(x, y) == QColor(Qt::blue);
    QVERIFY(blue);

    QTextCharFormat weight57;
    weight57.setFontWeight(57);
    f.bar.currentCharFormatChanged(weight57);
    QVERIFY(!f.action("REVEDUD_BOLD")->isChecked());

    QFont font = f.edit.font();
    font.setPointSize(14);
    QTextCharFormat sized;
    sized.setFont(font);
    f.bar.currentCharFormatChanged(sized);
    QCOMPARE(f.bar.findChild<QComboBox *>("REVEDUD_SIZE")->currentText(), QStringLiteral("14"));
}

void tst_REvedudTextToolBar::undoRedo()
{
    Fixture f;
    QAction *undo = f.action("REVEDUD_UNDO");
    QAction *redo = f.action("REVEDUD_REDO");
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    f.action("REVEDUD_BOLD")->trigger();
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QCOMPARE(f.formatAt(2).fontWeight(), int(QFont::Normal));
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(f.formatAt(2).fontWeight(), int(QFont::Bold));
    QVERIFY(f.bar.isWindowModified());
}

void tst_REvedudTextToolBar::newEditorLetsOldGo()
{
    Fixture f;
    TTextEdit second;
    second.setPlainText(QStringLiteral("delta"));
    f.edit.textCursor().insertText(QStringLiteral("first "));
    f.bar.setTextEdit(&second);
    QCOMPARE(f.bar.textEdit(), &second);
    const QString firstText = f.edit.toPlainText();
    // Undo works on the new editor only.
    f.action("REVEDUD_UNDO")->trigger();
    QCOMPARE(f.edit.toPlainText(), firstText);
    // The old editor's cursor no longer drives the tool bar.
    f.action("REVEDUD_BOLD")->setChecked(false);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    f.edit.mergeCurrentCharFormat(bold);
    QTextCursor cursor(f.edit.document());
    cursor.setPosition(2);
    f.edit.setTextCursor(cursor);
    QVERIFY(!f.action("REVEDUD_BOLD")->isChecked());
    // Null changes nothing.
    f.bar.setTextEdit(nullptr);
    QCOMPARE(f.bar.textEdit(), &second);
    // A deleted editor is forgotten.
    auto *third = new TTextEdit;
    f.bar.setTextEdit(third);
    delete third;
    QVERIFY(f.bar.textEdit() == nullptr);
    f.bar.textColor(QColor(Qt::red));
}

void tst_REvedudTextToolBar::withoutEditor()
{
    REvedudTextToolBar bar;
    bar.textBold();
    bar.textSize(QStringLiteral("12"));
    bar.textColor(QColor(Qt::red));
    bar.textBgColor(QColor(Qt::red));
    bar.clearBgColor();
    bar.textAlign(bar.findChild<QAction *>("REVEDUD_LEFT"));
    bar.textInsertPixmap(QPixmap(10, 10));
    bar.textUnderlineColor(QColor(Qt::red));
    QVERIFY(bar.textEdit() == nullptr);
}

void tst_REvedudTextToolBar::colourMenus()
{
    Fixture f;
    QMenu *colours = f.bar.findChild<QMenu *>("REVEDUD_COLOR_MENU");
    QVERIFY(colours->actions().isEmpty());
    f.bar.showColorMenu();
    f.bar.showColorMenu();
    QCOMPARE(colours->actions().size(), 2);
    // "other color" carries Ctrl+U, like the underline action.
    QCOMPARE(colours->findChild<QAction *>("REVEDUD_OTHER_COLOR")->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_U));
    auto *swatches = colours->findChild<TBaseColorWidget *>();
    QVERIFY(swatches);
    swatches->findChildren<TPushButton *>().at(5)->click();
    QCOMPARE(f.formatAt(2).foreground().color(), QColor(85, 0, 254));

    QMenu *backgrounds = f.bar.findChild<QMenu *>("REVEDUD_BGCOLOR_MENU");
    f.bar.showBgMenu();
    QCOMPARE(backgrounds->actions().size(), 3);
    QCOMPARE(backgrounds->findChild<QAction *>("REVEDUD_OTHER_COLOR")->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_M));
    Q_EMIT backgrounds->findChild<TBaseColorWidget *>()->selectedColor(QColor(Qt::green));
    QCOMPARE(f.formatAt(2).background().color(), QColor(Qt::green));
}

void tst_REvedudTextToolBar::insertImages()
{
    Fixture f;
    QTextCursor end(f.edit.document());
    end.movePosition(QTextCursor::End);
    f.edit.setTextCursor(end);

    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    f.bar.textInsertPixmap(QPixmap::fromImage(picture));
    const QList<QTextImageFormat> found = images(f.edit.document());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().width(), 640.0);
    QCOMPARE(found.first().height(), 480.0);
    const QString source = found.first().name();
    QVERIFY(source.startsWith(QLatin1String("data:image/jpg;base64,")));
    const QImage decoded = QImage::fromData(QByteArray::fromBase64(source.mid(22).toLatin1()), "JPG");
    QCOMPARE(decoded.size(), QSize(640, 480));
    QVERIFY(qAbs(decoded.pixelColor(320, 240).red() - 200) < 10);
    QVERIFY(f.edit.toHtml().contains(QLatin1String("width=\"640\"")));

    // A null image inserts nothing, not the previous one.
    f.bar.textInsertPixmap(QPixmap());
    QCOMPARE(images(f.edit.document()).size(), 1);
    // Nothing was left in the shared temporary folder.
    QVERIFY(!QFileInfo::exists(QDir::temp().filePath(QStringLiteral("RevedudTextToolBar.jpg"))));
}

void tst_REvedudTextToolBar::insertImageFromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(path));
    const QString broken = dir.filePath(QStringLiteral("broken.png"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("no picture");
    file.close();

    Fixture f;
    f.bar.setDefaultImageDir(dir.path());
    QCOMPARE(f.bar.defaultImageDir(), dir.path());
    QString startFolder;
    whenModal<QFileDialog>([&startFolder, path](QFileDialog *dialog) {
        startFolder = dialog->directory().absolutePath();
        chooseFile(dialog, path);
    });
    f.bar.textInsertPhoto();
    QCOMPARE(startFolder, QDir(dir.path()).absolutePath());
    QCOMPARE(images(f.edit.document()).size(), 1);
    QCOMPARE(images(f.edit.document()).first().width(), 32.0);

    whenModal<QFileDialog>([broken](QFileDialog *dialog) { chooseFile(dialog, broken); });
    f.bar.textInsertPhoto();
    QCOMPARE(images(f.edit.document()).size(), 1);

    whenModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    f.bar.textInsertPhoto();
    QCOMPARE(images(f.edit.document()).size(), 1);
}

void tst_REvedudTextToolBar::insertCapture()
{
    QImage screen(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
    screen.fill(QColor(20, 60, 220));
    TScreenShotWidget::setScreenGrabber([screen] { return QPixmap::fromImage(screen); });

    Fixture f;
    f.action("REVEDUD_SCREENSHOT")->trigger();
    QPointer<TPushButtonScreenShots> floating;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<TPushButtonScreenShots *>(window))
            floating = found;
    }
    QVERIFY(floating);
    QVERIFY(floating->isVisible());
    QCOMPARE(floating->pos(), QPoint(5, 5));
    // Asking again shows the same button.
    f.bar.screenshot();
    int buttons = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        buttons += qobject_cast<TPushButtonScreenShots *>(window) != nullptr;
    QCOMPARE(buttons, 1);

    floating->findChild<QPushButton *>()->click();
    QTRY_VERIFY(floating.isNull());
    QPointer<TScreenShotWidget> capture = openCapture();
    QVERIFY(capture);
    QCOMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    capturetest::drag(capture->findChild<SelectRect *>(), QPoint(10, 10), QPoint(109, 59));
    capture->slotOk();
    QTRY_VERIFY(capture.isNull());
    const QList<QTextImageFormat> found = images(f.edit.document());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().width(), 100.0);
    QCOMPARE(found.first().height(), 50.0);
    TScreenShotWidget::setScreenGrabber(nullptr);
}

QTEST_MAIN(tst_REvedudTextToolBar)
#include "tst_revedudtexttoolbar.moc"
