#include "tuihelper.h"
#include "tuiutil.h"

#include <QJSEngine>
#include <QtTest>

#include <functional>

namespace {

using Convert = std::function<int(const QString &)>;

// Each converter in both classes: they must agree word for word.
QPair<Convert, Convert> converters(const QString &iName)
{
#define VEK_PAIR(fn)                                                                                                   \
    if (iName == QLatin1String(#fn))                                                                                   \
        return {[](const QString &s) { return int(TUiUtil::fn(s)); },                                                  \
                [](const QString &s) { return int(TuiHelper::fn(s)); }};
    VEK_PAIR(str2alignment)
    VEK_PAIR(str2buttonRole)
    VEK_PAIR(str2dockWidgetArea)
    VEK_PAIR(str2echoMode)
    VEK_PAIR(str2orientation)
    VEK_PAIR(str2resizeMode)
    VEK_PAIR(str2scrollBarPolicy)
    VEK_PAIR(str2shadow)
    VEK_PAIR(str2shape)
    VEK_PAIR(str2sizePolicy)
    VEK_PAIR(str2standardButton)
    VEK_PAIR(str2toolbarArea)
#undef VEK_PAIR
    return {};
}

} // namespace

class tst_TUiUtil : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void convert_data();
    void convert();
    void echoModeRoundTrip();
    void sizeProperty_data();
    void sizeProperty();
    void sizePropertyOnOtherProperties();
    void sizePropertyTargets();
};

void tst_TUiUtil::convert_data()
{
    QTest::addColumn<QString>("converter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    auto row = [](const char *conv, const char *text, int expected) {
        QTest::addRow("%s(\"%s\")", conv, text) << QString(conv) << QString(text) << expected;
    };

    // Defaults, the empty text included.
    row("str2alignment", "", 0);
    row("str2buttonRole", "", QDialogButtonBox::AcceptRole);
    row("str2dockWidgetArea", "", Qt::LeftDockWidgetArea);
    row("str2toolbarArea", "", Qt::TopToolBarArea);
    row("str2echoMode", "", QLineEdit::Normal);
    row("str2orientation", "", Qt::Horizontal);
    row("str2resizeMode", "", QHeaderView::Interactive);
    row("str2scrollBarPolicy", "", Qt::ScrollBarAsNeeded);
    row("str2shadow", "", QFrame::Plain);
    row("str2shape", "", QFrame::NoFrame);
    row("str2sizePolicy", "", QSizePolicy::Fixed);
    row("str2standardButton", "", QDialogButtonBox::NoButton);

    // Case never matters.
    row("str2orientation", "vertical", Qt::Vertical);
    row("str2orientation", "Qt::Vertical", Qt::Vertical);
    row("str2echoMode", "PASSWORD", QLineEdit::Password);
    row("str2echoMode", "passwordEchoOnEdit", QLineEdit::PasswordEchoOnEdit);
    row("str2dockWidgetArea", "bottom", Qt::BottomDockWidgetArea);
    row("str2toolbarArea", "bottom", Qt::BottomToolBarArea);

    // Suffix converters take a prefixed name; whole-word ones do not.
    row("str2sizePolicy", "QSizePolicy::Expanding", QSizePolicy::Expanding);
    row("str2sizePolicy", "Expanding ", QSizePolicy::Fixed);
    row("str2sizePolicy", "MinimumExpanding", QSizePolicy::MinimumExpanding);
    row("str2sizePolicy", "minimumexpanding", QSizePolicy::MinimumExpanding);
    row("str2sizePolicy", "Maximum", QSizePolicy::Maximum);
    row("str2sizePolicy", "Ignored", QSizePolicy::Ignored);
    row("str2shape", "QFrame::Box", QFrame::NoFrame);
    row("str2shape", "styledpanel", QFrame::StyledPanel);
    row("str2shape", "VLine", QFrame::VLine);
    row("str2shadow", "SUNKEN", QFrame::Sunken);
    row("str2shadow", "Raised ", QFrame::Plain);
    row("str2echoMode", " Password", QLineEdit::Normal);
    row("str2echoMode", "noecho", QLineEdit::NoEcho);
    row("str2resizeMode", "resizetocontents", QHeaderView::ResizeToContents);
    row("str2resizeMode", "Stretch", QHeaderView::Stretch);
    row("str2resizeMode", "QHeaderView::Fixed", QHeaderView::Interactive);
    row("str2scrollBarPolicy", "scrollbaralwaysoff", Qt::ScrollBarAlwaysOff);
    row("str2scrollBarPolicy", "ScrollBarAlwaysOn", Qt::ScrollBarAlwaysOn);
    row("str2scrollBarPolicy", "AlwaysOn", Qt::ScrollBarAsNeeded);

    // Alignment: one flag per token, by suffix, tokens untrimmed.
    row("str2alignment", "Left|Top", 0x21);
    row("str2alignment", "AlignLeft|AlignTop", 0x21);
    row("str2alignment", "Qt::AlignRight|Qt::AlignVCenter", 0x82);
    row("str2alignment", "Left | Top", Qt::AlignTop);
    row("str2alignment", "TopLeft", Qt::AlignLeft);
    row("str2alignment", "AlignCenter", 0);
    row("str2alignment", "hcenter||bottom", Qt::AlignHCenter | Qt::AlignBottom);
    row("str2alignment", "Left|Right", Qt::AlignLeft | Qt::AlignRight);
    row("str2alignment", "Justify", Qt::AlignJustify);

    // Button roles: "Role" removed in exact case only; button names map to roles.
    row("str2buttonRole", "Reject", QDialogButtonBox::RejectRole);
    row("str2buttonRole", "RejectRole", QDialogButtonBox::RejectRole);
    row("str2buttonRole", "QDialogButtonBox::DestructiveRole", QDialogButtonBox::DestructiveRole);
    row("str2buttonRole", "rejectrole", QDialogButtonBox::AcceptRole);
    row("str2buttonRole", "Cancel", QDialogButtonBox::RejectRole);
    row("str2buttonRole", "Close", QDialogButtonBox::RejectRole);
    row("str2buttonRole", "Abort", QDialogButtonBox::RejectRole);
    row("str2buttonRole", "YesToAll", QDialogButtonBox::YesRole);
    row("str2buttonRole", "NoToAll", QDialogButtonBox::NoRole);
    row("str2buttonRole", "ApplyRole", QDialogButtonBox::ApplyRole);
    row("str2buttonRole", "RestoreDefaults", QDialogButtonBox::ResetRole);
    row("str2buttonRole", "Discard", QDialogButtonBox::DestructiveRole);
    row("str2buttonRole", "HelpRole", QDialogButtonBox::HelpRole);

    // Standard buttons by suffix.
    row("str2standardButton", "QDialogButtonBox::Ok", QDialogButtonBox::Ok);
    row("str2standardButton", "cancel", QDialogButtonBox::Cancel);
    row("str2standardButton", "YesToAll", QDialogButtonBox::YesToAll);
    row("str2standardButton", "NoToAll", QDialogButtonBox::NoToAll);
    row("str2standardButton", "SaveAll", QDialogButtonBox::SaveAll);
    row("str2standardButton", "RestoreDefaults", QDialogButtonBox::RestoreDefaults);
    row("str2standardButton", "Reset", QDialogButtonBox::Reset);
    row("str2standardButton", "Ignore", QDialogButtonBox::Ignore);
    row("str2standardButton", "Okay", QDialogButtonBox::NoButton);

    // Containment: the first word of the table found anywhere wins.
    row("str2dockWidgetArea", "BottomRight", Qt::RightDockWidgetArea);
    row("str2dockWidgetArea", "TopLeft", Qt::LeftDockWidgetArea);
    row("str2dockWidgetArea", "AllDockWidgetAreas", Qt::AllDockWidgetAreas);
    row("str2dockWidgetArea", "None", Qt::NoDockWidgetArea);
    row("str2dockWidgetArea", "Nothing", Qt::NoDockWidgetArea);
    row("str2dockWidgetArea", "centre", Qt::LeftDockWidgetArea);
    row("str2toolbarArea", "TopLeft", Qt::LeftToolBarArea);
    row("str2toolbarArea", "none", Qt::NoToolBarArea);
    row("str2toolbarArea", "centre", Qt::TopToolBarArea);
}

void tst_TUiUtil::convert()
{
    QFETCH(QString, converter);
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto pair = converters(converter);
    QVERIFY(pair.first && pair.second);
    QCOMPARE(pair.first(text), expected);
    QCOMPARE(pair.second(text), expected);
}

void tst_TUiUtil::echoModeRoundTrip()
{
    for (QLineEdit::EchoMode mode :
         {QLineEdit::Normal, QLineEdit::NoEcho, QLineEdit::Password, QLineEdit::PasswordEchoOnEdit})
        QCOMPARE(TuiHelper::str2echoMode(TuiHelper::echoMode2str(mode)), mode);
    QCOMPARE(TuiHelper::echoMode2str(QLineEdit::EchoMode(7)), QString("Normal"));
    QCOMPARE(TuiHelper::echoMode2str(QLineEdit::EchoMode(-1)), QString("Normal"));
}

void tst_TUiUtil::sizeProperty_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("script"); // the value written as a script literal instead
    QTest::addColumn<QSize>("expected");

    QTest::newRow("text both") << QVariant("200,80") << QString() << QSize(200, 80);
    QTest::newRow("text width only") << QVariant("300") << QString() << QSize(300, 50);
    QTest::newRow("text leading comma") << QVariant(",80") << QString() << QSize(80, 50);
    QTest::newRow("text extra pieces") << QVariant("1,2,3") << QString() << QSize(1, 2);
    QTest::newRow("text not a number") << QVariant("abc") << QString() << QSize(0, 50);
    QTest::newRow("list one element") << QVariant(QVariantList {300}) << QString() << QSize(300, 50);
    QTest::newRow("list texts") << QVariant(QVariantList {"7", "9"}) << QString() << QSize(7, 9);
    QTest::newRow("map height only") << QVariant(QVariantMap {{"height", 20}}) << QString() << QSize(100, 20);
    QTest::newRow("map keys exact") << QVariant(QVariantMap {{"Width", 20}}) << QString() << QSize(100, 50);
    QTest::newRow("integer keeps size") << QVariant(5) << QString() << QSize(100, 50);
    QTest::newRow("string list keeps size") << QVariant(QStringList {"1", "2"}) << QString() << QSize(100, 50);
    QTest::newRow("QSize keeps size") << QVariant(QSize(1, 1)) << QString() << QSize(100, 50);
    QTest::newRow("script array") << QVariant() << QString("[200, 80]") << QSize(200, 80);
    QTest::newRow("script object") << QVariant() << QString("({width: 64})") << QSize(64, 50);
}

void tst_TUiUtil::sizeProperty()
{
    QFETCH(QVariant, value);
    QFETCH(QString, script);
    QFETCH(QSize, expected);
    QJSEngine engine;
    if (!script.isEmpty())
        value = QVariant::fromValue(engine.evaluate(script));

    QWidget a;
    a.resize(100, 50);
    TUiUtil::setWidgetSizeProperty(&a, "size", value);
    QCOMPARE(a.size(), expected);

    QWidget b;
    b.resize(100, 50);
    TuiHelper::setWidgetSizeProperty(&b, "size", value);
    QCOMPARE(b.size(), expected);
}

void tst_TUiUtil::sizePropertyOnOtherProperties()
{
    QWidget w;
    TUiUtil::setWidgetSizeProperty(&w, "windowTitle", "200,80");
    QCOMPARE(w.windowTitle(), QString("200,80"));
    TuiHelper::setWidgetSizeProperty(&w, "extent", QVariantList {1, 2});
    QCOMPARE(w.property("extent"), QVariant(QVariantList {1, 2}));
    // Script values are stored as plain values, never as script wrappers.
    QJSEngine engine;
    TuiHelper::setWidgetSizeProperty(&w, "scripted", QVariant::fromValue(engine.evaluate("[3, 4]")));
    QCOMPARE(w.property("scripted"), QVariant(QVariantList {3, 4}));
    TUiUtil::setWidgetSizeProperty(&w, "minimumSize", "5,6");
    QCOMPARE(w.minimumSize(), QSize(5, 6));
}

void tst_TUiUtil::sizePropertyTargets()
{
    TUiUtil::setWidgetSizeProperty(nullptr, "size", "1,1");
    TuiHelper::setWidgetSizeProperty(nullptr, "size", "1,1");
    QObject plain;
    TUiUtil::setWidgetSizeProperty(&plain, "size", "1,1");
    QVERIFY(plain.dynamicPropertyNames().isEmpty());
}

QTEST_MAIN(tst_TUiUtil)
#include "tst_tuiutil.moc"
