// The common attribute keys as one table, driven through each entry point.
#ifndef COMMONKEYS_H
#define COMMONKEYS_H

#include "tlogger.h"

#include <QJSEngine>
#include <QJSValue>
#include <QMargins>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QSizePolicy>
#include <QWidget>
#include <QtTest>

namespace commonkeys {

// Reads back the effect of a key; prepares a widget before the key is set.
using Probe = QVariant (*)(QWidget *);
using Prepare = void (*)(QWidget *);

inline QVariant enabled(QWidget *w) { return w->isEnabled(); }
inline QVariant styleProps(QWidget *w)
{
    return QVariantList {w->property("SS_COLOR"), w->property("SS_RAISED"), w->property("zul_style")};
}
inline QVariant oddStyleProps(QWidget *w)
{
    return QVariantList {w->property("SS_K"), w->property("SS_"), w->property("SS_X"), w->property("zul_style")};
}
inline QVariant validation(QWidget *w) { return w->property("validation_state"); }
inline QVariant policy(QWidget *w)
{
    const QSizePolicy p = w->sizePolicy();
    return QVariantList {int(p.horizontalPolicy()), int(p.verticalPolicy()), p.horizontalStretch(),
                         p.verticalStretch()};
}
inline QVariant size(QWidget *w) { return w->size(); }
inline QVariant margins(QWidget *w)
{
    const QMargins m = w->contentsMargins();
    return QVariantList {m.left(), m.top(), m.right(), m.bottom()};
}
inline QVariant toolTip(QWidget *w) { return w->toolTip(); }
inline QVariant styleSheet(QWidget *w) { return w->styleSheet(); }
inline QVariant minMaxSize(QWidget *w) { return QVariantList {w->minimumSize(), w->maximumSize()}; }
inline QVariant windowTitle(QWidget *w) { return w->windowTitle(); }
inline QVariant hasIcon(QWidget *w) { return !w->windowIcon().isNull(); }
inline QVariant userData(QWidget *w) { return w->property("tui_user_data"); }

inline void disable(QWidget *w) { w->setEnabled(false); }
inline void preferred(QWidget *w) { w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred); }
inline void size100x50(QWidget *w) { w->resize(100, 50); }
inline void margins1(QWidget *w) { w->setContentsMargins(1, 1, 1, 1); }
inline void max300x200(QWidget *w) { w->setMaximumSize(300, 200); }

const int QWIDGETSIZE = 16777215;

inline QVariant mm(QSize min, QSize max) { return QVariantList {min, max}; }

// Columns: key, value as C++ passes it, the same value as a script literal
// (empty: scripts cannot express it), preparation, probe, expected result.
inline void addColumns()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("script");
    QTest::addColumn<void *>("prepare");
    QTest::addColumn<void *>("probe");
    QTest::addColumn<QVariant>("expected");
}

// One row of those columns; the rows of addBoundData() append one more.
inline QTestData &row(const char *name, const QString &key, const QVariant &value, const QString &script,
                      Prepare prepare, Probe probe, const QVariant &expected)
{
    return QTest::newRow(name) << key << value << script << reinterpret_cast<void *>(prepare)
                               << reinterpret_cast<void *>(probe) << expected;
}

inline void addRows()
{
    addColumns();
    const QSize noMax(QWIDGETSIZE, QWIDGETSIZE);

    row("enabled/true", "enabled", true, "true", disable, enabled, true);
    row("enabled/false", "enabled", false, "false", nullptr, enabled, false);
    row("enabled/int 1 disables", "enabled", 1, "1", nullptr, enabled, false);
    row("enabled/text true disables", "enabled", "true", "'true'", nullptr, enabled, false);

    row("style/normalised", "style", " color = primary raised ", "' color = primary raised '", nullptr, styleProps,
        QVariantList {"PRIMARY", true, "COLOR=PRIMARY RAISED"});
    row("style/last piece, empty word", "style", "k=v=w  x", "'k=v=w  x'", nullptr, oddStyleProps,
        QVariantList {"W", true, true, "K=V=W  X"});

    row("validation_state/upper-cased", "validation_state", "error", "'error'", nullptr, validation, "ERROR");
    row("validation_state/number ignored", "validation_state", 3, "3", nullptr, validation, QVariant());

    row("size_policy/text horizontal only", "size_policy", "Expanding", "'Expanding'", preferred, policy,
        QVariantList {int(QSizePolicy::Expanding), int(QSizePolicy::Preferred), 0, 0});
    row("size_policy/text all four", "size_policy", "Fixed,Minimum,2,3", "'Fixed,Minimum,2,3'", preferred, policy,
        QVariantList {int(QSizePolicy::Fixed), int(QSizePolicy::Minimum), 2, 3});
    row("size_policy/list", "size_policy", QVariantList {"Ignored", "MinimumExpanding", 1, "x"},
        "['Ignored', 'MinimumExpanding', 1, 'x']", preferred, policy,
        QVariantList {int(QSizePolicy::Ignored), int(QSizePolicy::MinimumExpanding), 1, 0});
    row("size_policy/map short keys", "size_policy",
        QVariantMap {{"hPolicy", "Fixed"}, {"horizontalPolicy", ""}, {"vStretch", 4}},
        "({hPolicy: 'Fixed', horizontalPolicy: '', vStretch: 4})", preferred, policy,
        QVariantList {int(QSizePolicy::Fixed), int(QSizePolicy::Preferred), 0, 4});
    row("size_policy/map long keys win", "size_policy",
        QVariantMap {{"hPolicy", "Fixed"}, {"horizontalPolicy", "Maximum"}, {"verticalPolicy", "Ignored"}},
        "({hPolicy: 'Fixed', horizontalPolicy: 'Maximum', verticalPolicy: 'Ignored'})", preferred, policy,
        QVariantList {int(QSizePolicy::Maximum), int(QSizePolicy::Ignored), 0, 0});
    row("size_policy/string list ignored", "size_policy", QStringList {"Fixed"}, QString(), preferred, policy,
        QVariantList {int(QSizePolicy::Preferred), int(QSizePolicy::Preferred), 0, 0});

    row("size/list", "size", QVariantList {200, 80}, "[200, 80]", size100x50, size, QSize(200, 80));
    row("size/map height only", "size", QVariantMap {{"height", 20}}, "({height: 20})", size100x50, size,
        QSize(100, 20));
    row("size/text", "size", "300", "'300'", size100x50, size, QSize(300, 50));

    row("contents_margins/list is top bottom left right", "contents_margins", QVariantList {1, 2, 3, 4}, "[1, 2, 3, 4]",
        nullptr, margins, QVariantList {3, 1, 4, 2});
    row("contents_margins/text keeps the rest", "contents_margins", "4,8", "'4,8'", margins1, margins,
        QVariantList {1, 4, 1, 8});
    row("contents_margins/map", "contents_margins", QVariantMap {{"left", 5}, {"right", "x"}},
        "({left: 5, right: 'x'})", margins1, margins, QVariantList {5, 1, 0, 1});

    row("tool_tip", "tool_tip", "hint", "'hint'", nullptr, toolTip, "hint");
    row("stylesheet", "stylesheet", "color: red;", "'color: red;'", nullptr, styleSheet, "color: red;");
    row("maximum_size", "maximum_size", "300,200", "'300,200'", nullptr, minMaxSize, mm(QSize(0, 0), QSize(300, 200)));
    row("minimum_size", "minimum_size", QVariantMap {{"width", 10}}, "({width: 10})", nullptr, minMaxSize,
        mm(QSize(10, 0), noMax));

    row("fixed_width", "fixed_width", 120, "120", nullptr, minMaxSize, mm(QSize(120, 0), QSize(120, QWIDGETSIZE)));
    row("fixed_width/fraction ignored", "fixed_width", 120.5, "120.5", nullptr, minMaxSize, mm(QSize(0, 0), noMax));
    row("fixed_height", "fixed_height", 40, "40", nullptr, minMaxSize, mm(QSize(0, 40), QSize(QWIDGETSIZE, 40)));
    row("fixed_height/text ignored", "fixed_height", "40", "'40'", nullptr, minMaxSize, mm(QSize(0, 0), noMax));
    row("minimum_height", "minimum_height", 30, "30", nullptr, minMaxSize, mm(QSize(0, 30), noMax));
    row("maximum_height", "maximum_height", 90, "90", nullptr, minMaxSize, mm(QSize(0, 0), QSize(QWIDGETSIZE, 90)));
    row("minimum_width", "minimum_width", 20, "20", nullptr, minMaxSize, mm(QSize(20, 0), noMax));
    row("maximum_width", "maximum_width", 400, "400", nullptr, minMaxSize, mm(QSize(0, 0), QSize(400, QWIDGETSIZE)));

    row("window_title", "window_title", "Orders", "'Orders'", nullptr, windowTitle, "Orders");
    row("window_title/number ignored", "window_title", 5, "5", nullptr, windowTitle, "");
    row("icon", "icon", "no-such-icon", "'no-such-icon'", nullptr, hasIcon, true);
    row("icon/number ignored", "icon", 5, "5", nullptr, hasIcon, false);

    row("user_data/kept as given", "user_data", QVariantMap {{"id", 7}, {"tags", QVariantList {"a", "b"}}},
        "({id: 7, tags: ['a', 'b']})", nullptr, userData, QVariantMap {{"id", 7}, {"tags", QVariantList {"a", "b"}}});
    row("unknown key", "no_such_key", 1, "1", nullptr, enabled, true);
}

// The pixel bound of the size keys, as docs/scripts.md gives it.
const int Bound = 8192;

// Edge values of the pixel keys: at the bound (and Qt's "no maximum" for the
// maximum keys) they apply; past it, negative, or too large for an int they
// are refused with one error line and change nothing. The last column says
// whether the row is refused.
inline void boundRow(const char *name, const QString &key, const QVariant &value, const QString &script,
                     Prepare prepare, Probe probe, const QVariant &expected, bool refused)
{
    row(name, key, value, script, prepare, probe, expected) << refused;
}

inline void addBoundData()
{
    addColumns();
    QTest::addColumn<bool>("refused");
    const QSize noMax(QWIDGETSIZE, QWIDGETSIZE);
    const QVariant at100x50 = QSize(100, 50);

    boundRow("size/at the bound", "size", QVariantList {Bound, Bound}, "[8192, 8192]", size100x50, size,
             QSize(Bound, Bound), false);
    boundRow("size/width past the bound", "size", QVariantList {Bound + 1, 10}, "[8193, 10]", size100x50, size,
             at100x50, true);
    boundRow("size/negative height", "size", "10,-1", "'10,-1'", size100x50, size, at100x50, true);
    boundRow("size/text beyond int", "size", "99999999999,5", "'99999999999,5'", size100x50, size, at100x50, true);
    boundRow("size/number beyond int", "size", QVariantList {1e10, 5}, "[1e10, 5]", size100x50, size, at100x50, true);
    boundRow("size/text that is no number is still 0", "size", "abc", "'abc'", size100x50, size, QSize(0, 50), false);
    boundRow("minimum_size/at the bound", "minimum_size", "8192,8192", "'8192,8192'", nullptr, minMaxSize,
             mm(QSize(Bound, Bound), noMax), false);
    boundRow("minimum_size/height past the bound", "minimum_size", QVariantMap {{"height", Bound + 1}},
             "({height: 8193})", nullptr, minMaxSize, mm(QSize(0, 0), noMax), true);
    boundRow("maximum_size/no maximum", "maximum_size", QVariantList {QWIDGETSIZE, QWIDGETSIZE}, "[16777215, 16777215]",
             max300x200, minMaxSize, mm(QSize(0, 0), noMax), false);
    boundRow("maximum_size/past the bound", "maximum_size", "8193,100", "'8193,100'", max300x200, minMaxSize,
             mm(QSize(0, 0), QSize(300, 200)), true);
    boundRow("fixed_width/at the bound", "fixed_width", Bound, "8192", nullptr, minMaxSize,
             mm(QSize(Bound, 0), QSize(Bound, QWIDGETSIZE)), false);
    boundRow("fixed_width/past the bound", "fixed_width", Bound + 1, "8193", nullptr, minMaxSize,
             mm(QSize(0, 0), noMax), true);
    boundRow("fixed_height/negative", "fixed_height", -1, "-1", nullptr, minMaxSize, mm(QSize(0, 0), noMax), true);
    boundRow("minimum_width/at the bound", "minimum_width", Bound, "8192", nullptr, minMaxSize,
             mm(QSize(Bound, 0), noMax), false);
    boundRow("minimum_height/largest int", "minimum_height", 2147483647, "2147483647", nullptr, minMaxSize,
             mm(QSize(0, 0), noMax), true);
    boundRow("maximum_width/no maximum", "maximum_width", QWIDGETSIZE, "16777215", max300x200, minMaxSize,
             mm(QSize(0, 0), QSize(QWIDGETSIZE, 200)), false);
    boundRow("maximum_height/one past no maximum", "maximum_height", QWIDGETSIZE + 1, "16777216", max300x200,
             minMaxSize, mm(QSize(0, 0), QSize(300, 200)), true);
    boundRow("contents_margins/top at the bound", "contents_margins", QVariantList {Bound, 0}, "[8192, 0]", margins1,
             margins, QVariantList {1, Bound, 1, 0}, false);
    boundRow("contents_margins/top and bottom past the bound", "contents_margins", "4096,4097", "'4096,4097'", margins1,
             margins, QVariantList {1, 1, 1, 1}, true);
    boundRow("contents_margins/left and right past the bound", "contents_margins",
             QVariantMap {{"left", Bound}, {"right", 1}}, "({left: 8192, right: 1})", margins1, margins,
             QVariantList {1, 1, 1, 1}, true);
    boundRow("contents_margins/negative", "contents_margins", "-1", "'-1'", margins1, margins,
             QVariantList {1, 1, 1, 1}, true);
}

// Hands a C++-owned object to a script under the global name "w".
inline void expose(QJSEngine &iEngine, QObject *iObject)
{
    QQmlEngine::setObjectOwnership(iObject, QQmlEngine::CppOwnership);
    iEngine.globalObject().setProperty(QStringLiteral("w"), iEngine.newQObject(iObject));
}

// Runs one row: fetches the columns, prepares a fresh widget, lets the entry
// point apply the key from C++ and then from the script (when the row and
// the entry point have a script form), and compares the probe. With
// iCountsErrors, for the rows of addBoundData(), it also counts the error
// lines: one for a refused value, none otherwise.
template<typename Widget, typename SetCpp>
void runRow(SetCpp iSetCpp, const char *iScriptCall, bool iCountsErrors = false)
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, script);
    QFETCH(void *, prepare);
    QFETCH(void *, probe);
    QFETCH(QVariant, expected);
    bool isRefused = false;
    if (iCountsErrors) {
        QFETCH(bool, refused);
        isRefused = refused;
    }
    const auto prep = reinterpret_cast<Prepare>(prepare);
    const auto read = reinterpret_cast<Probe>(probe);

    for (const bool fromScript : {false, true}) {
        if (fromScript && (script.isEmpty() || !iScriptCall))
            return;
        Widget w;
        if (prep)
            prep(&w);
        QJSEngine engine;
        expose(engine, &w);
        QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
        if (isRefused)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*; nothing changed")));
        if (fromScript) {
            const QJSValue result = engine.evaluate(QString::fromLatin1(iScriptCall).arg(key, script));
            QVERIFY2(!result.isError(), qPrintable(result.toString()));
        } else {
            iSetCpp(&w, key, value);
        }
        QCOMPARE(read(&w), expected);
        if (iCountsErrors)
            QCOMPARE(logged.count(), isRefused ? 1 : 0);
    }
}

} // namespace commonkeys

#endif // COMMONKEYS_H
