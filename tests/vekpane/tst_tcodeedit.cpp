#include "controlstest.h"
#include "tcodeedit.h"

#include <QFocusEvent>
#include <QTextBlock>
#include <QTextLayout>

using controlstest::expose;
using controlstest::types;

namespace {

// What the highlighter made of one character.
enum Look { Plain, Keyword, String, Call, Number, Comment };

Look lookAt(const QTextBlock &iBlock, int iPos)
{
    const QVector<QTextLayout::FormatRange> ranges = iBlock.layout()->formats();
    for (const QTextLayout::FormatRange &range : ranges) {
        if (iPos < range.start || iPos >= range.start + range.length)
            continue;
        const QTextCharFormat &f = range.format;
        const QColor colour = f.foreground().color();
        if (colour == Qt::red)
            return Comment;
        if (colour == Qt::darkGreen)
            return String;
        if (colour == Qt::darkBlue && f.fontWeight() == QFont::Bold)
            return Keyword;
        if (colour == Qt::blue)
            return f.fontItalic() ? Call : Number;
        return Plain;
    }
    return Plain;
}

// One letter per character: . plain, k keyword, s string, c call, n number, # comment; lines joined by |.
QString looks(const QTextDocument *iDoc)
{
    static const char letters[] = ".kscn#";
    QStringList result;
    for (QTextBlock block = iDoc->begin(); block.isValid(); block = block.next()) {
        QString line;
        for (int i = 0; i < block.length() - 1; ++i)
            line.append(QLatin1Char(letters[lookAt(block, i)]));
        result.append(line);
    }
    return result.join(QLatin1Char('|'));
}

} // namespace

class tst_TCodeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void highlighting_data();
    void highlighting();
    void commentClosedLater();
    void keys();
    void autoHeight();
    void focusOut_data();
    void focusOut();
    void fromScript();
};

void tst_TCodeEdit::highlighting_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");

    QTest::newRow("declaration, number, line comment") << "var x = 1; // one"
                                                       << "kkk.....n..######";
    QTest::newRow("keywords need word boundaries") << "format in ifx"
                                                   << ".......kk....";
    QTest::newRow("quotes greedy over the plus") << R"(a = "x" + "y";)"
                                                 << "....sssssssss.";
    QTest::newRow("call needs the parenthesis next to the name") << "foo(1) foo (1)"
                                                                 << "ccc.n.......n.";
    QTest::newRow("comment wins over keyword and string") << R"(// if "x")"
                                                          << "#########";
    QTest::newRow("block comment inside a line") << "a /* if */ b"
                                                 << "..########..";
    QTest::newRow("number forms") << "1.5e3 -2 .5"
                                  << "nnnnn..n..n";
    QTest::newRow("unclosed comment runs on") << "x /* one|two|three */ y"
                                              << "..######|###|########..";
}

void tst_TCodeEdit::highlighting()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);

    TCodeEdit edit;
    edit.setAttr("value", QString(code).replace(QLatin1Char('|'), QLatin1Char('\n')));
    QCOMPARE(looks(edit.document()), expected.replace(QLatin1Char(' '), QLatin1Char('.')));
}

void tst_TCodeEdit::commentClosedLater()
{
    TCodeEdit edit;
    edit.setPlainText("a /* b\nc\nd\ne");
    QCOMPARE(looks(edit.document()), QStringLiteral("..####|#|#|#"));
    // Closing the comment on the second line recolours the lines after it.
    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(" */");
    QCOMPARE(looks(edit.document()), QStringLiteral("..####|####|.|."));
}

void tst_TCodeEdit::keys()
{
    TCodeEdit edit;
    edit.setAttr("min_row_count", 3);
    edit.setAttr("max_row_count", 9);
    edit.setAttr("tab_stop_width", 24);
    edit.setAttr("vertical_scroll_bar_policy", "ScrollBarAlwaysOff");
    edit.setAttr("horizontal_scroll_bar_policy", "scrollbaralwayson");
    QCOMPARE(edit.getAttr("min"), QVariant(3));
    QCOMPARE(edit.getAttr("max"), QVariant(9));
    // Written under the long names, read under the short ones.
    QVERIFY(!edit.getAttr("min_row_count").isValid());
    QCOMPARE(edit.tabStopDistance(), 24.0);
    QCOMPARE(edit.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    edit.setAttr("value", "var a;");
    QCOMPARE(edit.getAttr(), QVariant("var a;"));
}

void tst_TCodeEdit::autoHeight()
{
    QWidget window;
    window.resize(400, 600);
    auto *edit = new TCodeEdit(&window);
    edit->resize(300, 40);
    edit->setMinRowCount(2);
    edit->setMaxRowCount(4);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QFontMetrics fm(edit->font());
    const int frame = 2 * edit->frameWidth();

    // Empty: at least two rows.
    edit->grab();
    QCOMPARE(edit->minimumHeight(), 2 * fm.height() + 8 + frame);

    // Many lines: at least four rows, and free to be higher.
    edit->setPlainText("1\n2\n3\n4\n5\n6\n7\n8");
    QCOMPARE(edit->minimumHeight(), 4 * fm.height() + 8 + frame);
    QVERIFY(edit->maximumHeight() > edit->minimumHeight());

    // Three lines: fixed at their height, set on the text change.
    edit->setPlainText("1\n2\n3");
    QCOMPARE(edit->minimumHeight(), edit->maximumHeight());
    QVERIFY(qAbs(edit->height() - (3 * fm.height() + 8 + frame)) <= 3);
}

void tst_TCodeEdit::focusOut_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("changed");

    QTest::newRow("no default") << QVariant() << true;
    QTest::newRow("equal default") << QVariant("x = 1") << false;
    QTest::newRow("other default") << QVariant("x = 2") << true;
}

void tst_TCodeEdit::focusOut()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, changed);

    TCodeEdit edit;
    edit.setAttr("value", "x = 1");
    if (defaultValue.isValid())
        edit.setDefaultData("value", defaultValue);
    QSignalSpy events(&edit, &TCodeEdit::signal);
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &event);
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    QCOMPARE(events.at(1).at(1), QVariant(changed));
}

void tst_TCodeEdit::fromScript()
{
    TCodeEdit edit;
    QJSEngine engine;
    expose(engine, "code", &edit);
    CONTROLS_EVAL(engine, "code.setAttr('value', 'if (a) { b(); }'); code.setAttr('min_row_count', 2);");
    QCOMPARE(edit.minRowCount(), 2);
    QCOMPARE(CONTROLS_EVAL(engine, "code.getAttr('value')").toString(), QStringLiteral("if (a) { b(); }"));
}

QTEST_MAIN(tst_TCodeEdit)
#include "tst_tcodeedit.moc"
