// The auto-height text edits: TTextEdit, TPlainTextEdit and TTextBrowser.
#include "controlstest.h"
#include "tcodeedit.h"
#include "tplaintextedit.h"
#include "ttextbrowser.h"
#include "ttextedit.h"

#include <QFocusEvent>
#include <QTextCodec>

using controlstest::expose;
using controlstest::types;

namespace {

const int QWIDGETSIZE = 16777215;

void loseFocus(QWidget *iTarget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(iTarget, &event);
}

// Paints until the height rule has settled (a new height repaints).
void settle(QWidget *iWidget)
{
    for (int i = 0; i < 4; ++i) {
        iWidget->grab();
        QCoreApplication::processEvents();
    }
}

// The height of iRows text rows in iEdit, from the font metrics.
int rowsHeight(const QAbstractScrollArea &iEdit, int iRows)
{
    return iRows * QFontMetrics(iEdit.font()).height() + 8 + 2 * iEdit.frameWidth();
}

QString lines(int iCount)
{
    QStringList result;
    for (int i = 0; i < iCount; ++i)
        result.append(QStringLiteral("line %1").arg(i));
    return result.join(QLatin1Char('\n'));
}

// Types iText key by key, as the keyboard would.
void type(QWidget *iTarget, const QString &iText)
{
    for (const QChar c : iText) {
        const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(iTarget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(iTarget, &release);
    }
}

// Loses focus with a listener that deletes iView at its first event; the
// events it saw.
template<class View>
QStringList deletedAtFirstEvent(View *iView, bool *oDeleted)
{
    QPointer<View> guard(iView);
    QStringList seen;
    QObject::connect(iView, &View::signal, iView, [&seen, iView](const QString &iType) {
        seen << iType;
        delete iView;
    });
    loseFocus(iView);
    *oDeleted = guard.isNull();
    return seen;
}

// Pastes iText at iPos through the widget's own cursor, as the user would.
template<typename Edit>
void pasteAt(Edit &iEdit, int iPos, const QString &iText)
{
    QTextCursor cursor = iEdit.textCursor();
    cursor.setPosition(iPos);
    iEdit.setTextCursor(cursor);
    iEdit.insertPlainText(iText);
}

} // namespace

class tst_TTextEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void autoHeight_data();
    void autoHeight();
    void browserAutoHeight_data();
    void browserAutoHeight();
    void byteLimit_data();
    void byteLimit();
    void byteLimitTyped();
    void byteLimitNothingBeforeTheCursor();
    void keyTypes_data();
    void keyTypes();
    void scrollBarPolicies();
    void textEditValue();
    void textEditValueAfterEdit();
    void focusOutEvents();
    void listenerMayDeleteTheEdit();
    void listenerMayDeleteTheView_data();
    void listenerMayDeleteTheView();
    void plainStyleSheetOnResize();
    void fromScript();
};

void tst_TTextEdit::init() { QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8")); }

void tst_TTextEdit::autoHeight_data()
{
    QTest::addColumn<bool>("plain");
    QTest::addColumn<int>("minRows");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<QString>("policy");
    QTest::addColumn<int>("lineCount");
    // Rows the height should show; 0: the height is left alone.
    QTest::addColumn<int>("expectedRows");

    for (bool plain : {false, true}) {
        const QByteArray kind = plain ? "plain/" : "text/";
        auto row = [&](const char *name) -> QTestData & {
            return QTest::newRow(QByteArray(kind + name).constData()) << plain;
        };
        row("empty is one row") << 1 << -1 << "" << 0 << 1;
        row("no maximum: stays one row") << 1 << -1 << "" << 4 << 1;
        row("no maximum, scroll bar off: grows") << 1 << -1 << "ScrollBarAlwaysOff" << 4 << 4;
        row("grows up to the maximum") << 1 << 5 << "" << 3 << 3;
        row("stops at the maximum") << 1 << 5 << "" << 12 << 5;
        row("minimum of three") << 3 << 5 << "" << 1 << 3;
        row("scroll bar always on: untouched") << 1 << 5 << "ScrollBarAlwaysOn" << 3 << 0;
    }
}

void tst_TTextEdit::autoHeight()
{
    QFETCH(bool, plain);
    QFETCH(int, minRows);
    QFETCH(int, maxRows);
    QFETCH(QString, policy);
    QFETCH(int, lineCount);
    QFETCH(int, expectedRows);

    QWidget window;
    window.resize(400, 600);
    QScopedPointer<QAbstractScrollArea> edit;
    if (plain)
        edit.reset(new TPlainTextEdit(&window));
    else
        edit.reset(new TTextEdit(&window));
    auto *ui = dynamic_cast<TUiInterface *>(edit.data());
    edit->resize(300, 100);
    ui->setAttr("min_row_count", minRows);
    ui->setAttr("max_row_count", maxRows);
    if (!policy.isEmpty())
        ui->setAttr("vertical_scroll_bar_policy", policy);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle(edit.data());
    if (lineCount > 0) {
        ui->setAttr("value", lines(lineCount));
        settle(edit.data());
    }

    if (expectedRows == 0) {
        QCOMPARE(edit->minimumHeight(), 0);
        QCOMPARE(edit->maximumHeight(), QWIDGETSIZE);
        return;
    }
    const int expected = rowsHeight(*edit, expectedRows);
    QCOMPARE(edit->minimumHeight(), edit->maximumHeight());
    if (plain || expectedRows == minRows || expectedRows == maxRows) {
        QCOMPARE(edit->height(), expected);
    } else {
        // A rich-text document lays lines out in fractions of a pixel.
        QVERIFY2(qAbs(edit->height() - expected) <= expectedRows,
                 qPrintable(QStringLiteral("%1 vs %2").arg(edit->height()).arg(expected)));
    }
}

void tst_TTextEdit::browserAutoHeight_data()
{
    QTest::addColumn<int>("minRows");
    QTest::addColumn<int>("maxRows");
    QTest::addColumn<QString>("policy");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("minimumRows");
    QTest::addColumn<bool>("fixed");

    QTest::newRow("empty: minimum of one row") << 1 << -1 << "" << 0 << 1 << false;
    QTest::newRow("within the bounds: fixed") << 1 << 5 << "" << 3 << 3 << true;
    QTest::newRow("above the maximum: minimum of the maximum") << 1 << 5 << "" << 12 << 5 << false;
    QTest::newRow("no maximum, scroll bar off: minimum grows") << 1 << -1 << "ScrollBarAlwaysOff" << 4 << 4 << false;
    QTest::newRow("no maximum, as needed: untouched") << 1 << -1 << "" << 4 << 0 << false;
}

void tst_TTextEdit::browserAutoHeight()
{
    QFETCH(int, minRows);
    QFETCH(int, maxRows);
    QFETCH(QString, policy);
    QFETCH(int, lineCount);
    QFETCH(int, minimumRows);
    QFETCH(bool, fixed);

    QWidget window;
    window.resize(400, 600);
    auto *browser = new TTextBrowser(&window);
    browser->resize(300, 50);
    browser->setAttr("min", minRows);
    browser->setAttr("max", maxRows);
    if (!policy.isEmpty())
        browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    browser->setAttr("value", lines(lineCount));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle(browser);

    if (minimumRows == 0) {
        QCOMPARE(browser->minimumHeight(), 0);
        return;
    }
    const int expected = rowsHeight(*browser, minimumRows);
    if (lineCount == 0 || (maxRows > 0 && lineCount > maxRows)) {
        QCOMPARE(browser->minimumHeight(), expected);
    } else {
        // A rich-text document lays lines out in fractions of a pixel.
        QVERIFY2(qAbs(browser->minimumHeight() - expected) <= minimumRows,
                 qPrintable(QStringLiteral("%1 vs %2").arg(browser->minimumHeight()).arg(expected)));
    }
    QCOMPARE(browser->maximumHeight() == browser->minimumHeight(), fixed);
}

void tst_TTextEdit::byteLimit_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("cursor");

    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // four bytes, two UTF-16 units
    const QString e = QString::fromUtf8("\xC3\xA9");             // two bytes in UTF-8, one in Latin-1
    const QString euro = QString::fromUtf8("\xE2\x82\xAC");      // three bytes

    QTest::newRow("fits") << QByteArray("UTF-8") << 6 << "ab" << 2 << "cdef"
                          << "abcdef" << 6;
    QTest::newRow("paste cut back from its end") << QByteArray("UTF-8") << 6 << "ab" << 2 << "123456"
                                                 << "ab1234" << 6;
    QTest::newRow("paste in the middle") << QByteArray("UTF-8") << 6 << "abcd" << 2 << "XYZ"
                                         << "abXYcd" << 4;
    QTest::newRow("two-byte characters count twice") << QByteArray("UTF-8") << 5 << "" << 0 << e + e + e << e + e << 2;
    QTest::newRow("three-byte character removed whole")
            << QByteArray("UTF-8") << 5 << "ab" << 2 << euro + euro << "ab" + euro << 3;
    QTest::newRow("surrogate pair never split")
            << QByteArray("UTF-8") << 5 << "a" << 1 << smile + smile << "a" + smile << 3;
    QTest::newRow("line breaks count") << QByteArray("UTF-8") << 4 << "a" << 1 << "\nb\nc"
                                       << "a\nb\n"
                                       << 4;
    QTest::newRow("no limit") << QByteArray("UTF-8") << -1 << "" << 0 << QString(5000, 'x') << QString(5000, 'x')
                              << 5000;
    QTest::newRow("latin-1 counts one byte each")
            << QByteArray("ISO-8859-1") << 3 << "" << 0 << e + e + e + e << e + e + e << 3;
}

void tst_TTextEdit::byteLimit()
{
    QFETCH(QByteArray, codec);
    QFETCH(int, limit);
    QFETCH(QString, initial);
    QFETCH(int, pos);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(int, cursor);

    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    {
        TPlainTextEdit edit;
        edit.setPlainText(initial);
        edit.setAttr("max_byte_count", limit);
        QSignalSpy events(&edit, &TPlainTextEdit::signal);
        pasteAt(edit, pos, pasted);
        QCOMPARE(edit.toPlainText(), expected);
        QCOMPARE(edit.textCursor().position(), cursor);
        QCOMPARE(events.count(), 0);
    }
    {
        TTextEdit edit;
        edit.setPlainText(initial);
        edit.setAttr("max_byte_count", limit);
        QSignalSpy events(&edit, &TTextEdit::signal);
        pasteAt(edit, pos, pasted);
        QCOMPARE(edit.toPlainText(), expected);
        QCOMPARE(edit.textCursor().position(), cursor);
        QCOMPARE(events.count(), 0);
    }
}

void tst_TTextEdit::byteLimitTyped()
{
    TTextEdit edit;
    edit.setMaxByteCount(4);
    type(&edit, QString::fromUtf8("ab\xC3\xA9x"));
    // The last character would have made five bytes: it is taken out again.
    QCOMPARE(edit.toPlainText(), QString::fromUtf8("ab\xC3\xA9"));
    QTest::keyClick(&edit, Qt::Key_Home);
    type(&edit, "z");
    QCOMPARE(edit.toPlainText(), QString::fromUtf8("ab\xC3\xA9"));
    QCOMPARE(edit.textCursor().position(), 0);
}

void tst_TTextEdit::byteLimitNothingBeforeTheCursor()
{
    // A text set from outside leaves the cursor at the start: no cut ending
    // there can make it fit, and nothing is removed.
    TPlainTextEdit edit;
    edit.setMaxByteCount(3);
    edit.setAttr("value", "abcdef");
    QCOMPARE(edit.toPlainText(), QStringLiteral("abcdef"));
    // The next edit at the end is cut back by as much as needed.
    pasteAt(edit, 6, "g");
    QCOMPARE(edit.toPlainText(), QStringLiteral("abc"));
}

void tst_TTextEdit::keyTypes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("plainResult");
    QTest::addColumn<QVariant>("textResult");

    QTest::newRow("min int") << "min_row_count" << QVariant(3) << QVariant(3) << QVariant(3);
    QTest::newRow("min unsigned") << "min_row_count" << QVariant(3u) << QVariant(3) << QVariant(3);
    QTest::newRow("min double: text edit only") << "min_row_count" << QVariant(3.0) << QVariant(1) << QVariant(3);
    QTest::newRow("max text: text edit only") << "max_row_count" << QVariant("4") << QVariant(-1) << QVariant(4);
    QTest::newRow("bytes double: text edit only") << "max_byte_count" << QVariant(10.0) << QVariant(-1) << QVariant(10);
    QTest::newRow("value number: text edit only") << "value" << QVariant(42) << QVariant("") << QVariant("42");
}

void tst_TTextEdit::keyTypes()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, plainResult);
    QFETCH(QVariant, textResult);

    TPlainTextEdit plain;
    TTextEdit text;
    plain.setAttr(key, value);
    text.setAttr(key, value);
    QCOMPARE(plain.getAttr(key), plainResult);
    QCOMPARE(text.getAttr(key), textResult);
}

void tst_TTextEdit::scrollBarPolicies()
{
    TPlainTextEdit plain;
    plain.setAttr("vertical_scroll_bar_policy", "scrollbaralwaysoff");
    plain.setAttr("horizontal_scroll_bar_policy", "ScrollBarAlwaysOn");
    const QVariant read = plain.getAttr("vertical_scroll_bar_policy");
    QCOMPARE(read.userType(), qMetaTypeId<Qt::ScrollBarPolicy>());
    QCOMPARE(read.value<Qt::ScrollBarPolicy>(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(plain.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Text only for the plain edit; anything unknown is as needed.
    plain.setAttr("vertical_scroll_bar_policy", 1);
    QCOMPARE(plain.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    plain.setAttr("vertical_scroll_bar_policy", "sometimes");
    QCOMPARE(plain.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    TTextEdit text;
    text.setAttr("vertical_scroll_bar_policy", "ScrollBarAlwaysOn");
    QCOMPARE(text.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    text.setAttr("accept_rich_text", false);
    text.setAttr("read_only", true);
    QVERIFY(!text.acceptRichText());
    QVERIFY(text.isReadOnly());

    // The browser's row counts are "min" and "max"; the long keys are common ones.
    TTextBrowser browser;
    browser.setAttr("min", 2);
    browser.setAttr("max", 6);
    browser.setAttr("min_row_count", 9);
    browser.setAttr("max", 7.0);
    QCOMPARE(browser.getAttr("min"), QVariant(2));
    QCOMPARE(browser.getAttr("max"), QVariant(6));
    QVERIFY(!browser.getAttr("min_row_count").isValid());
}

void tst_TTextEdit::textEditValue()
{
    TTextEdit edit;
    edit.setDefaultData("value", "start");
    QSignalSpy events(&edit, &TTextEdit::signal);

    edit.setAttr("value", "<b>bold</b> text");
    QCOMPARE(edit.getAttr("value"), QVariant("bold text"));
    QCOMPARE(types(events), (QStringList {"value_changed", "editing_finished"}));
    QCOMPARE(events.at(0).at(1), QVariant(true));
    QVERIFY(!events.at(1).at(1).isValid());

    // The same value again is skipped.
    events.clear();
    edit.setAttr("value", "<b>bold</b> text");
    QCOMPARE(events.count(), 0);

    // Back to the default text.
    edit.setAttr("value", "start");
    QCOMPARE(types(events), (QStringList {"value_changed", "editing_finished"}));
    QCOMPARE(events.at(0).at(1), QVariant(false));
}

void tst_TTextEdit::textEditValueAfterEdit()
{
    TTextEdit edit;
    edit.setAttr("value", "saved");
    QSignalSpy events(&edit, &TTextEdit::signal);
    pasteAt(edit, 5, " and edited");
    QCOMPARE(edit.toPlainText(), QStringLiteral("saved and edited"));

    // The user changed the text: setting the last value brings it back.
    edit.setAttr("value", "saved");
    QCOMPARE(edit.toPlainText(), QStringLiteral("saved"));
    QCOMPARE(types(events), (QStringList {"value_changed", "editing_finished"}));
}

void tst_TTextEdit::focusOutEvents()
{
    // Text edit: value_changed first, a missing default reads as the empty text.
    {
        TTextEdit edit;
        QSignalSpy events(&edit, &TTextEdit::signal);
        loseFocus(&edit);
        QCOMPARE(types(events), (QStringList {"value_changed", "editing_finished"}));
        QCOMPARE(events.at(0).at(1), QVariant(false));
        edit.setPlainText("x");
        events.clear();
        loseFocus(&edit);
        QCOMPARE(events.at(0).at(1), QVariant(true));
    }
    // Browser: editing_finished first, only an equal stored default gives false.
    {
        TTextBrowser browser;
        QSignalSpy events(&browser, &TTextBrowser::signal);
        loseFocus(&browser);
        QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
        QCOMPARE(events.at(1).at(1), QVariant(true));
        browser.setDefaultData("value", "");
        events.clear();
        loseFocus(&browser);
        QCOMPARE(events.at(1).at(1), QVariant(false));
    }
    // Plain edit: the plain signal only.
    {
        TPlainTextEdit plain;
        QSignalSpy events(&plain, &TPlainTextEdit::signal);
        QSignalSpy finished(&plain, &TPlainTextEdit::editingFinished);
        loseFocus(&plain);
        QCOMPARE(events.count(), 0);
        QCOMPARE(finished.count(), 1);
    }
}

void tst_TTextEdit::listenerMayDeleteTheEdit()
{
    QPointer<TTextEdit> edit = new TTextEdit;
    QStringList seen;
    connect(edit.data(), &TTextEdit::signal, edit.data(), [&](const QString &type) {
        seen << type;
        delete edit.data();
    });
    edit->setAttr("value", "x");
    QVERIFY(edit.isNull());
    QCOMPARE(seen, QStringList {"value_changed"});
}

void tst_TTextEdit::listenerMayDeleteTheView_data()
{
    QTest::addColumn<bool>("codeEdit");
    QTest::newRow("text browser") << false;
    QTest::newRow("code edit") << true;
}

// A script may close the form at "editing_finished": nothing is sent after it.
void tst_TTextEdit::listenerMayDeleteTheView()
{
    QFETCH(bool, codeEdit);
    bool deleted = false;
    const QStringList seen
            = codeEdit ? deletedAtFirstEvent(new TCodeEdit, &deleted) : deletedAtFirstEvent(new TTextBrowser, &deleted);
    QVERIFY(deleted);
    QCOMPARE(seen, QStringList {"editing_finished"});
}

void tst_TTextEdit::plainStyleSheetOnResize()
{
    TPlainTextEdit plain;
    plain.setAttr("stylesheet", "color: red;");
    QCOMPARE(plain.styleSheet(), QStringLiteral("color: red;"));
    plain.resize(200, 80);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QCOMPARE(plain.styleSheet(), QStringLiteral(".TPlainTextEdit{padding-top:0px;}"));
}

void tst_TTextEdit::fromScript()
{
    TTextEdit text;
    TPlainTextEdit plain;
    QJSEngine engine;
    expose(engine, "text", &text);
    expose(engine, "plain", &plain);
    CONTROLS_EVAL(engine, "text.setAttr('max_row_count', 4); text.setAttr('value', 'hello');"
                          "plain.setAttr('min_row_count', 2); plain.setAttr('value', 'world');");
    QCOMPARE(text.maxRowCount(), 4);
    QCOMPARE(plain.minRowCount(), 2);
    QCOMPARE(CONTROLS_EVAL(engine, "text.getAttr() + ' ' + plain.getAttr('value')").toString(),
             QStringLiteral("hello world"));
}

QTEST_MAIN(tst_TTextEdit)
#include "tst_ttextedit.moc"
