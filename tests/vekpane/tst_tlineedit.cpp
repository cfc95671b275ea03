#include "controlstest.h"
#include "tlineedit.h"
#include "ttheme.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <climits>
#include <limits>

using controlstest::expose;
using controlstest::types;

class tst_TLineEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void masks_data();
    void masks();
    void maskReplacesOnlyItsOwnValidator();
    void value_data();
    void value();
    void otherKeys();
    void editingFinished_data();
    void editingFinished();
    void listenerMayDeleteTheField();
    void clickedAndFocusIn();
    void sideWidgets();
    void sideWidgetDeletedByScript();
    void nullSideWidgets();
    void fromScript();
};

void tst_TLineEdit::masks_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("kind");
    // Bounds and decimals (int: bottom, top; double: bottom, top, decimals) or the pattern.
    QTest::addColumn<QVariantList>("settings");

    const double inf = std::numeric_limits<double>::infinity();
    const QVariantList intDefaults {INT_MIN, INT_MAX};
    QTest::newRow("int bounds") << "INT(0,100)"
                                << "int" << QVariantList {0, 100};
    QTest::newRow("any case, blank before the bracket") << "Int (1,10)"
                                                        << "int" << QVariantList {1, 10};
    QTest::newRow("int one part") << "INT(5)"
                                  << "int" << intDefaults;
    QTest::newRow("int three parts") << "INT(1,2,3)"
                                     << "int" << intDefaults;
    QTest::newRow("int empty parts dropped") << "INT(,5)"
                                             << "int" << intDefaults;
    QTest::newRow("int non-numbers count as 0") << "INT(a,7)"
                                                << "int" << QVariantList {0, 7};
    QTest::newRow("double bounds and decimals") << "double(0,1,3)"
                                                << "double" << QVariantList {0.0, 1.0, 3};
    QTest::newRow("double decimals only") << "DOUBLE(2)"
                                          << "double" << QVariantList {-inf, inf, 2};
    QTest::newRow("double bounds keep decimals") << "DOUBLE(-1.5,2.5)"
                                                 << "double" << QVariantList {-1.5, 2.5, 1000};
    QTest::newRow("double four parts") << "DOUBLE(1,2,3,4)"
                                       << "double" << QVariantList {-inf, inf, 1000};
    QTest::newRow("pattern") << "REX([A-Z]{3})"
                             << "rex" << QVariantList {"[A-Z]{3}"};
    QTest::newRow("pattern keeps commas and brackets") << "rex(^(a|b),c$)"
                                                       << "rex" << QVariantList {"^(a|b),c$"};
    QTest::newRow("no brackets") << "INT"
                                 << "none" << QVariantList {};
    QTest::newRow("empty") << ""
                           << "none" << QVariantList {};
    QTest::newRow("unknown name") << "DATE(1,2)"
                                  << "none" << QVariantList {};
    QTest::newRow("text after the bracket") << "INT(1,2) x"
                                            << "none" << QVariantList {};
}

void tst_TLineEdit::masks()
{
    QFETCH(QString, mask);
    QFETCH(QString, kind);
    QFETCH(QVariantList, settings);
    TLineEdit edit;
    edit.set("valid_mask", "INT(1,2)");
    edit.set("valid_mask", mask);
    QCOMPARE(edit.validMask(), mask);
    QCOMPARE(edit.get("valid_mask"), QVariant(mask));
    QCOMPARE(edit.property("validMask"), QVariant(mask));
    const QValidator *v = edit.validator();
    if (kind == QLatin1String("none")) {
        QVERIFY(!v);
    } else if (kind == QLatin1String("int")) {
        auto *iv = qobject_cast<const QIntValidator *>(v);
        QVERIFY(iv);
        QCOMPARE((QVariantList {iv->bottom(), iv->top()}), settings);
    } else if (kind == QLatin1String("double")) {
        auto *dv = qobject_cast<const QDoubleValidator *>(v);
        QVERIFY(dv);
        QCOMPARE((QVariantList {dv->bottom(), dv->top(), dv->decimals()}), settings);
    } else {
        auto *rv = qobject_cast<const QRegularExpressionValidator *>(v);
        QVERIFY(rv);
        QCOMPARE(rv->regularExpression().pattern(), settings.at(0).toString());
    }
    if (v)
        QCOMPARE(v->parent(), &edit);
}

void tst_TLineEdit::maskReplacesOnlyItsOwnValidator()
{
    TLineEdit edit;
    edit.setValidMask("INT(0,10)");
    QPointer<const QValidator> first = edit.validator();
    edit.setValidMask("DOUBLE(2)");
    QVERIFY(first.isNull());

    // A validator the caller set and owns is dropped from the field, not deleted.
    QObject owner;
    QPointer<QIntValidator> shared = new QIntValidator(&owner);
    edit.setValidator(shared);
    edit.setValidMask("REX(x+)");
    QVERIFY(!shared.isNull());
    QVERIFY(qobject_cast<const QRegularExpressionValidator *>(edit.validator()));
    edit.setValidator(shared);
    edit.setValidMask(QString());
    QVERIFY(!shared.isNull());
    QVERIFY(!edit.validator());
}

void tst_TLineEdit::value_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("double, six significant digits") << QVariant(3.14159265) << "3.14159";
    QTest::newRow("large double") << QVariant(10000000.0) << "1e+07";
    QTest::newRow("int") << QVariant(42) << "42";
    QTest::newRow("text") << QVariant("abc") << "abc";
    QTest::newRow("invalid clears") << QVariant() << "";
}

void tst_TLineEdit::value()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    TLineEdit edit;
    edit.setText("before");
    QSignalSpy events(&edit, SIGNAL(signal(QString, QVariant, QString)));
    QSignalSpy textChanged(&edit, &QLineEdit::textChanged);
    edit.set("value", value);
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.get("value"), QVariant(text));
    QCOMPARE(events.count(), 0);
    QCOMPARE(textChanged.count(), 1);
}

void tst_TLineEdit::otherKeys()
{
    TLineEdit edit;
    edit.set(QVariantMap {
            {"echo_mode", "Password"}, {"readonly", true}, {"placeholder_text", "name"}, {"tool_tip", "common key"}});
    QCOMPARE(edit.echoMode(), QLineEdit::Password);
    QCOMPARE(edit.get("echo_mode"), QVariant("Password"));
    QVERIFY(edit.isReadOnly());
    QCOMPARE(edit.get("readonly"), QVariant(true));
    QCOMPARE(edit.get("placeholder_text"), QVariant("name"));
    QCOMPARE(edit.toolTip(), QStringLiteral("common key"));
    QVERIFY(!edit.get(QString()).isValid());
    edit.set("echo_mode", "NoEcho");
    QCOMPARE(edit.get("echo_mode"), QVariant("NoEcho"));
}

void tst_TLineEdit::editingFinished_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("no default: always changed")
            << QVariant() << "abc" << QStringList {"value_changed", "editing_finished"};
    QTest::newRow("no default, empty text") << QVariant() << "" << QStringList {"value_changed", "editing_finished"};
    QTest::newRow("default equals text") << QVariant("abc") << "abc" << QStringList {"editing_finished"};
    QTest::newRow("default differs") << QVariant("old") << "abc" << QStringList {"value_changed", "editing_finished"};
    QTest::newRow("number default compared as text") << QVariant(12) << "12" << QStringList {"editing_finished"};
}

void tst_TLineEdit::editingFinished()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(QString, typed);
    QFETCH(QStringList, events);
    TLineEdit edit;
    edit.setDefault(QVariantMap {{"value", defaultValue}});
    QSignalSpy spy(&edit, SIGNAL(signal(QString, QVariant, QString)));
    QTest::keyClicks(&edit, typed);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Enter);
    // Both ends of editing compare with the same default: it is not updated.
    QCOMPARE(types(spy), events + events);
    const QString uuid = controlstest::hexAddress(&edit);
    for (const QList<QVariant> &args : qAsConst(spy)) {
        QCOMPARE(args.at(2).toString(), uuid);
        if (args.at(0) == QLatin1String("value_changed")) {
            QCOMPARE(args.at(1), QVariant(QVariantMap {{"old", defaultValue}, {"new", typed}}));
        } else {
            QVERIFY(!args.at(1).isValid());
        }
    }
}

void tst_TLineEdit::listenerMayDeleteTheField()
{
    auto *edit = new TLineEdit;
    QStringList seen;
    connect(edit, &TLineEdit::signal, this, [&](const QString &type) {
        seen.append(type);
        if (type == QLatin1String("value_changed"))
            delete edit;
    });
    QPointer<TLineEdit> guard(edit);
    // Called by name: a QLineEdit deleted inside its own key handling is
    // beyond rescue, but the field's report of the end of editing is not.
    QVERIFY(QMetaObject::invokeMethod(edit, "onEditFinished"));
    QVERIFY(guard.isNull());
    QCOMPARE(seen, QStringList {"value_changed"});
}

void tst_TLineEdit::clickedAndFocusIn()
{
    TLineEdit edit;
    QSignalSpy spy(&edit, SIGNAL(signal(QString, QVariant, QString)));
    QTest::mouseClick(&edit, Qt::LeftButton);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &focusIn);
    QCOMPARE(types(spy), (QStringList {"clicked", "focus_in"}));
    QCOMPARE(spy.at(0).at(2).toString(), controlstest::hexAddress(&edit));
    QVERIFY(!spy.at(1).at(1).isValid());
}

void tst_TLineEdit::sideWidgets()
{
    TLineEdit edit;
    auto *a = new QLabel(QStringLiteral("A"));
    auto *b = new QLabel(QStringLiteral("BBBB"));
    auto *c = new QToolButton;
    edit.prependWidget(a);
    edit.prependWidget(b);
    edit.appendWidget(c);
    QLayout *side = edit.layout();
    QVERIFY(side);
    const int gap = TTheme::instance()->dp(1);
    QCOMPARE(side->contentsMargins(), QMargins(gap, gap, gap, gap));
    QCOMPARE(side->spacing(), TTheme::instance()->dp(2));
    // B, A, the stretch, C.
    QCOMPARE(side->count(), 4);
    QCOMPARE(side->itemAt(0)->widget(), b);
    QCOMPARE(side->itemAt(1)->widget(), a);
    QVERIFY(side->itemAt(2)->spacerItem());
    QCOMPARE(side->itemAt(3)->widget(), c);
    QCOMPARE(a->parentWidget(), &edit);
    const QMargins margins = edit.textMargins();
    QCOMPARE(margins.left(), a->width() + b->width() + 2 * gap);
    QCOMPARE(margins.right(), c->width() + gap);
    QCOMPARE(margins.top(), 0);

    edit.resize(300, edit.sizeHint().height());
    side->activate();
    QVERIFY(b->geometry().right() < a->geometry().left());
    QVERIFY(a->geometry().right() < c->geometry().left());
    QCOMPARE(side->itemAt(2)->alignment(), Qt::Alignment());
    QCOMPARE(side->itemAt(0)->alignment(), Qt::Alignment(Qt::AlignVCenter));
}

void tst_TLineEdit::sideWidgetDeletedByScript()
{
    TLineEdit edit;
    auto *gone = new QLabel(QStringLiteral("gone"));
    auto *kept = new QLabel(QStringLiteral("kept"));
    edit.prependWidget(gone);
    edit.prependWidget(kept);
    delete gone;
    auto *right = new QLabel(QStringLiteral("R"));
    edit.appendWidget(right);
    QCOMPARE(edit.textMargins().left(), kept->width() + TTheme::instance()->dp(1));
    QCOMPARE(edit.textMargins().right(), right->width() + TTheme::instance()->dp(1));
}

void tst_TLineEdit::nullSideWidgets()
{
    TLineEdit edit;
    edit.prependWidget(nullptr);
    edit.appendWidget(nullptr);
    QVERIFY(!edit.layout());
    QCOMPARE(edit.textMargins(), QMargins());
}

void tst_TLineEdit::fromScript()
{
    TLineEdit edit;
    auto *button = new QToolButton;
    QJSEngine engine;
    expose(engine, "edit", &edit);
    expose(engine, "button", button);
    CONTROLS_EVAL(engine,
                  "var seen = [];"
                  "edit.signal.connect(function (type, data, uuid) {"
                  "    seen.push(type + (data ? ':' + data.old + '>' + data['new'] : '') + '@' + (uuid.length > 0));"
                  "});"
                  "edit.set({value: 2.5, valid_mask: 'DOUBLE(0,10,2)', placeholder_text: 'mm'});"
                  "edit.setDefault({value: '2.5'});"
                  "edit.appendWidget(button);");
    QCOMPARE(edit.text(), QStringLiteral("2.5"));
    QVERIFY(qobject_cast<const QDoubleValidator *>(edit.validator()));
    QCOMPARE(edit.layout()->itemAt(1)->widget(), button);
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, "5");
    QTest::keyClick(&edit, Qt::Key_Return);
    const QJSValue seen = CONTROLS_EVAL(engine, "seen.join(' ')");
    QCOMPARE(seen.toString(),
             QStringLiteral("editing_finished@true value_changed:2.5>2.55@true editing_finished@true"));
    QCOMPARE(CONTROLS_EVAL(engine, "[edit.validMask, edit.get('placeholder_text')].join('|')").toString(),
             QStringLiteral("DOUBLE(0,10,2)|mm"));
}

QTEST_MAIN(tst_TLineEdit)
#include "tst_tlineedit.moc"
