// The plain attribute wrappers: the shape they share, then what each adds.
#include "controlstest.h"
#include "taction.h"
#include "tcalendarwidget.h"
#include "tdockwidget.h"
#include "tdoubleclickcalendarwiget.h"
#include "tfontcombobox.h"
#include "tframe.h"
#include "tgraphicsview.h"
#include "tgroupbox.h"
#include "tmdiarea.h"
#include "tmenu.h"
#include "tmenubar.h"
#include "tprogressbar.h"
#include "tradiobutton.h"
#include "tresource.h"
#include "tscrollarea.h"
#include "tscrollbar.h"
#include "tstackedlayout.h"
#include "tstackedwidget.h"
#include "tstatusbar.h"
#include "ttabwidget.h"
#include "ttoolbar.h"
#include "ttoolbox.h"
#include "twizard.h"
#include "twizardpage.h"

#include <QFocusEvent>
#include <QJSEngine>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using controlstest::types;

namespace {

struct Made
{
    QObject *object;
    TUiInterface *ui;
    const char *qtBase;
};

using Factory = std::function<Made()>;

template<typename W>
Factory factory(const char *iQtBase)
{
    return [iQtBase] {
        auto *w = new W;
        return Made {w, w, iQtBase};
    };
}

const QList<QPair<const char *, Factory>> &allWrappers()
{
    static const QList<QPair<const char *, Factory>> list {
            {"TAction", factory<TAction>("QAction")},
            {"TCalendarWidget", factory<TCalendarWidget>("QCalendarWidget")},
            {"TDockWidget", factory<TDockWidget>("QDockWidget")},
            {"TFontComboBox", factory<TFontComboBox>("QFontComboBox")},
            {"TFrame", factory<TFrame>("QFrame")},
            {"TGraphicsView", factory<TGraphicsView>("QGraphicsView")},
            {"TGroupBox", factory<TGroupBox>("QGroupBox")},
            {"TMdiArea", factory<TMdiArea>("QMdiArea")},
            {"TMenu", factory<TMenu>("QMenu")},
            {"TMenuBar", factory<TMenuBar>("QMenuBar")},
            {"TProgressBar", factory<TProgressBar>("QProgressBar")},
            {"TRadioButton", factory<TRadioButton>("QRadioButton")},
            {"TScrollArea", factory<TScrollArea>("QScrollArea")},
            {"TScrollBar", factory<TScrollBar>("QScrollBar")},
            {"TStackedWidget", factory<TStackedWidget>("QStackedWidget")},
            {"TStatusBar", factory<TStatusBar>("QStatusBar")},
            {"TToolBar", factory<TToolBar>("QToolBar")},
            {"TToolBox", factory<TToolBox>("QToolBox")},
            {"TWizard", factory<TWizard>("QWizard")},
            {"TWizardPage", factory<TWizardPage>("QWizardPage")},
            {"TTabWidget", factory<TTabWidget>("QTabWidget")},
    };
    return list;
}

Factory wrapperNamed(const QString &iName)
{
    for (const auto &entry : allWrappers()) {
        if (iName == QLatin1String(entry.first))
            return entry.second;
    }
    return {};
}

QFocusEvent focusLoss() { return QFocusEvent(QEvent::FocusOut, Qt::TabFocusReason); }

void sendMouse(QWidget *iWidget, QEvent::Type iType, Qt::MouseButton iButton)
{
    QMouseEvent event(iType, QPointF(2, 2), QPointF(2, 2), iButton,
                      iType == QEvent::MouseButtonRelease ? Qt::NoButton : iButton, Qt::NoModifier);
    QApplication::sendEvent(iWidget, &event);
}

} // namespace

Q_DECLARE_METATYPE(Factory)

class tst_TPlainWrappers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shape_data();
    void shape();
    void ownKeys_data();
    void ownKeys();
    void scrollAreaFrameShapeReadsAsEnum();
    void actionIconIsTrimmedAndReadsIconText();
    void focusOutPair_data();
    void focusOutPair();
    void focusOutListenerMayDestroy();
    void graphicsViewFocusOut();
    void radioButtonClicked();
    void frameSizeChanged();
    void stackedLayout();
    void doubleClickCalendar_data();
    void doubleClickCalendar();
    void doubleClickCalendarSharesFlags();
    void doubleClickCalendarObjectEventsStillWork();
};

void tst_TPlainWrappers::shape_data()
{
    QTest::addColumn<Factory>("make");
    for (const auto &entry : allWrappers())
        QTest::newRow(entry.first) << entry.second;
}

// Every wrapper: Qt base first, the attribute slots visible to scripts, the
// common keys through setAttr (also "enabled", which no wrapper lists), and
// case-sensitive own keys that fall through to nothing.
void tst_TPlainWrappers::shape()
{
    QFETCH(Factory, make);
    const Made made = make();
    std::unique_ptr<QObject> owner(made.object);
    QVERIFY(made.object->inherits(made.qtBase));
    QCOMPARE(made.object->metaObject()->superClass()->className(), made.qtBase);

    const QMetaObject *mo = made.object->metaObject();
    for (const char *sig :
         {"setAttr(QString,QVariant)", "getAttr(QString,QVariant)", "getAttr(QString)", "getAttr()", "set(QVariantMap)",
          "get(QVariant)", "setDefault(QVariantMap)", "getDefault(QVariant)", "signal(QString,QVariant,QString)"}) {
        QVERIFY2(mo->indexOfMethod(sig) >= mo->methodOffset(), sig);
    }

    made.ui->setAttr("enabled", false);
    QCOMPARE(made.object->property("enabled").toBool(), false);
    QCOMPARE(made.ui->getAttr("enabled", QVariant()), QVariant(false));

    QJSEngine engine;
    controlstest::expose(engine, "w", made.object);
    const QJSValue r = CONTROLS_EVAL(engine, "w.setAttr('tool_tip', 'hint'); w.setAttr('user_data', {id: 7});"
                                             "w.setAttr('no_such_key', 1); w.getAttr('user_data').id");
    QCOMPARE(r.toInt(), 7);
    if (made.object->isWidgetType()) // an action has a key of its own, "tooltip"
        QCOMPARE(made.object->property("toolTip").toString(), QString("hint"));
    QCOMPARE(made.object->property("tui_user_data"), QVariant(QVariantMap {{"id", 7}}));

    QSignalSpy spy(made.object, SIGNAL(signal(QString, QVariant, QString)));
    made.ui->setAttr("validation_state", "error");
    QCOMPARE(types(spy), QStringList {"validation_state_changed"});
}

void tst_TPlainWrappers::ownKeys_data()
{
    QTest::addColumn<QString>("wrapper");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("property"); // Qt property that shows the effect
    QTest::addColumn<QVariant>("effect");
    QTest::addColumn<QVariant>("readBack"); // getAttr(key); invalid: not readable

    auto row = [](const char *name, const char *w, const char *key, const QVariant &value, const char *prop,
                  const QVariant &effect, const QVariant &readBack) {
        QTest::newRow(name) << QString(w) << QString(key) << value << QString(prop) << effect << readBack;
    };
    const QVariant none;
    row("group box title", "TGroupBox", "title", "Orders", "title", "Orders", "Orders");
    row("group box TITLE is no key", "TGroupBox", "TITLE", "x", "title", "", none);
    row("group box alignment", "TGroupBox", "alignment", "AlignRight", "alignment", int(Qt::AlignRight), none);
    row("dock title from a number", "TDockWidget", "window_title", 5, "windowTitle", "5", "5");
    row("calendar value", "TCalendarWidget", "value", "2024-02-29", "selectedDate", QDate(2024, 2, 29), "2024-02-29");
    row("font family", "TFontComboBox", "value", "DejaVu Sans", "currentFont", none, "DejaVu Sans");
    row("frame shape any case", "TFrame", "frame_shape", " hline ", "frameShape", int(QFrame::HLine), none);
    row("frame shape unknown", "TFrame", "frame_shape", "Round", "frameShape", int(QFrame::NoFrame), none);
    row("frame shadow", "TFrame", "frame_shadow", "Sunken", "frameShadow", int(QFrame::Sunken), none);
    row("frame line width", "TFrame", "line_width", "3", "lineWidth", 3, none);
    row("frame mid-line width", "TFrame", "mid_line_width", 2, "midLineWidth", 2, none);
    row("scroll area resizable", "TScrollArea", "widget_resizable", true, "widgetResizable", true, true);
    row("scroll area resizable from text ignored", "TScrollArea", "widget_resizable", "true", "widgetResizable", false,
        false);
    row("scroll area shape", "TScrollArea", "frame_shape", "Box", "frameShape", int(QFrame::Box), int(QFrame::Box));
    row("scroll area shape from number ignored", "TScrollArea", "frame_shape", int(QFrame::Box), "frameShape",
        int(QFrame::StyledPanel), int(QFrame::StyledPanel));
    row("action text", "TAction", "text", "Save", "text", "Save", "Save");
    row("action tooltip", "TAction", "tooltip", "Saves", "toolTip", "Saves", "Saves");
    row("action shortcut", "TAction", "shortcut", "Ctrl+S", "shortcut", QKeySequence("Ctrl+S"), none);
}

void tst_TPlainWrappers::ownKeys()
{
    QFETCH(QString, wrapper);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, property);
    QFETCH(QVariant, effect);
    QFETCH(QVariant, readBack);

    const Made made = wrapperNamed(wrapper)();
    std::unique_ptr<QObject> owner(made.object);
    made.ui->setAttr(key, value);
    const QVariant shown = made.object->property(qPrintable(property));
    if (effect.isValid()) {
        if (shown.canConvert<int>() && effect.userType() == QMetaType::Int)
            QCOMPARE(shown.toInt(), effect.toInt());
        else
            QCOMPARE(shown, effect);
    }
    const QVariant read = made.ui->getAttr(key, QVariant());
    if (!readBack.isValid()) {
        QVERIFY(!read.isValid() || key == QLatin1String("user_data"));
    } else if (readBack.userType() == QMetaType::Int) {
        QCOMPARE(read.toInt(), readBack.toInt());
    } else {
        QCOMPARE(read, readBack);
    }
}

void tst_TPlainWrappers::scrollAreaFrameShapeReadsAsEnum()
{
    TScrollArea area;
    area.setAttr("frame_shape", "Panel");
    const QVariant shape = area.getAttr("frame_shape");
    QCOMPARE(shape.userType(), qMetaTypeId<QFrame::Shape>());
    QCOMPARE(QString(shape.typeName()), QString("QFrame::Shape"));
    QCOMPARE(shape.toInt(), int(QFrame::Panel));
}

void tst_TPlainWrappers::actionIconIsTrimmedAndReadsIconText()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile svg(dir.filePath("wrapcheck.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
              "<rect width='16' height='16' fill='#000'/></svg>");
    svg.close();
    TResource::instance()->appendIconPath(dir.path());

    TAction action("&Open file");
    action.setAttr("icon", " wrapcheck ");
    QVERIFY(!action.icon().isNull());
    QVERIFY(action.icon().availableSizes().contains(QSize(16, 16)));
    // The name given is not kept: the key reads the action's icon text.
    QCOMPARE(action.getAttr("icon"), QVariant("Open file"));

    action.setAttr("user_data", 42);
    QCOMPARE(action.data(), QVariant(42));
    QCOMPARE(action.getAttr("user_data"), QVariant(42));

    TResource::instance()->removeIconPath(dir.path());
}

void tst_TPlainWrappers::focusOutPair_data()
{
    QTest::addColumn<QString>("wrapper");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("changed");

    QTest::newRow("calendar at its default")
            << "TCalendarWidget" << QVariant("2024-01-02") << QVariant("2024-01-02") << false;
    QTest::newRow("calendar off its default")
            << "TCalendarWidget" << QVariant("2024-01-02") << QVariant("2024-01-03") << true;
    QTest::newRow("calendar without default") << "TCalendarWidget" << QVariant() << QVariant("2024-01-03") << true;
    QTest::newRow("font at its default") << "TFontComboBox" << QVariant("DejaVu Sans") << QVariant("DejaVu Sans")
                                         << false;
    QTest::newRow("font off its default")
            << "TFontComboBox" << QVariant("No Such Family") << QVariant("DejaVu Sans") << true;
}

void tst_TPlainWrappers::focusOutPair()
{
    QFETCH(QString, wrapper);
    QFETCH(QVariant, defaultValue);
    QFETCH(QVariant, value);
    QFETCH(bool, changed);

    const Made made = wrapperNamed(wrapper)();
    std::unique_ptr<QObject> owner(made.object);
    if (defaultValue.isValid())
        made.ui->setDefault(QVariantMap {{"value", defaultValue}});
    made.ui->setAttr("value", value);
    QSignalSpy spy(made.object, SIGNAL(signal(QString, QVariant, QString)));
    QFocusEvent loss = focusLoss();
    QApplication::sendEvent(made.object, &loss);
    QCOMPARE(types(spy), (QStringList {"editing_finished", "value_changed"}));
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(1).at(1), QVariant(changed));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TPlainWrappers::focusOutListenerMayDestroy()
{
    QPointer<TCalendarWidget> calendar = new TCalendarWidget;
    connect(calendar.data(), &TCalendarWidget::signal, this, [&calendar] { delete calendar.data(); });
    QFocusEvent loss = focusLoss();
    QApplication::sendEvent(calendar.data(), &loss);
    QVERIFY(calendar.isNull());
}

void tst_TPlainWrappers::graphicsViewFocusOut()
{
    TGraphicsView view;
    QSignalSpy spy(&view, &TGraphicsView::signal);
    QFocusEvent loss = focusLoss();
    QApplication::sendEvent(&view, &loss);
    QCOMPARE(types(spy), QStringList {"editing_finished"});
}

void tst_TPlainWrappers::radioButtonClicked()
{
    TRadioButton radio;
    QSignalSpy spy(&radio, &TRadioButton::signal);
    radio.click();
    radio.setAutoExclusive(false);
    radio.click();
    QCOMPARE(types(spy), (QStringList {"clicked", "clicked"}));
    QCOMPARE(spy.at(0).at(1), QVariant(true));
    QCOMPARE(spy.at(1).at(1), QVariant(false));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TPlainWrappers::frameSizeChanged()
{
    TFrame frame;
    QSignalSpy spy(&frame, &TFrame::sizeChanged);
    frame.resize(120, 40);
    frame.show(); // resize events reach a widget once it is shown
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.resize(150, 60);
    QTRY_VERIFY(!spy.isEmpty());
    QCOMPARE(spy.last().at(0).toSize(), QSize(150, 60));
}

void tst_TPlainWrappers::stackedLayout()
{
    QWidget host;
    auto *layout = new TStackedLayout(&host);
    QCOMPARE(host.layout(), layout);
    QCOMPARE(QString(layout->metaObject()->className()), QString("TStackedLayout"));
    layout->addWidget(new QWidget);
    QCOMPARE(layout->count(), 1);
}

void tst_TPlainWrappers::doubleClickCalendar_data()
{
    // Event types sent to the calendar, and how many doubleClick() follow.
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<int>("clicks");

    const int press = QEvent::MouseButtonPress;
    const int release = QEvent::MouseButtonRelease;
    const int layout = QEvent::LayoutRequest;
    QTest::newRow("bare release") << QList<int> {release} << 1;
    QTest::newRow("press then release") << QList<int> {press, release} << 0;
    QTest::newRow("second release of a press") << QList<int> {press, release, release} << 1;
    QTest::newRow("relayout swallows one release") << QList<int> {layout, release, release} << 1;
    QTest::newRow("press and relayout swallow two") << QList<int> {press, layout, release, release, release} << 1;
}

void tst_TPlainWrappers::doubleClickCalendar()
{
    QFETCH(QList<int>, events);
    QFETCH(int, clicks);

    TDoubleClickCalendarWiget calendar;
    // Let the calendar's own relayouts pass, then start from clear flags.
    QCoreApplication::sendPostedEvents();
    sendMouse(&calendar, QEvent::MouseButtonRelease, Qt::LeftButton);
    sendMouse(&calendar, QEvent::MouseButtonRelease, Qt::LeftButton);
    calendar.setSelectedDate(QDate(2024, 5, 6));

    QSignalSpy spy(&calendar, &TDoubleClickCalendarWiget::doubleClick);
    for (int type : events) {
        if (type == QEvent::LayoutRequest) {
            QEvent e(QEvent::LayoutRequest);
            QVERIFY(QApplication::sendEvent(&calendar, &e));
        } else {
            sendMouse(&calendar, QEvent::Type(type), Qt::LeftButton);
        }
    }
    QCOMPARE(spy.count(), clicks);
    if (clicks)
        QCOMPARE(spy.last().at(0).toDate(), QDate(2024, 5, 6));
}

void tst_TPlainWrappers::doubleClickCalendarSharesFlags()
{
    QWidget parent;
    TDoubleClickCalendarWiget first(&parent);
    QCOMPARE(first.parentWidget(), nullptr); // the chooser places it
    TDoubleClickCalendarWiget second;
    QCoreApplication::sendPostedEvents();
    sendMouse(&first, QEvent::MouseButtonRelease, Qt::LeftButton);
    sendMouse(&first, QEvent::MouseButtonRelease, Qt::LeftButton);

    QSignalSpy spy(&second, &TDoubleClickCalendarWiget::doubleClick);
    sendMouse(&first, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(&second, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(spy.count(), 0); // the press on the first swallowed it
    sendMouse(&second, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void tst_TPlainWrappers::doubleClickCalendarObjectEventsStillWork()
{
    QPointer<TDoubleClickCalendarWiget> calendar = new TDoubleClickCalendarWiget;
    bool called = false;
    QMetaObject::invokeMethod(
            calendar.data(), [&called] { called = true; }, Qt::QueuedConnection);
    calendar->deleteLater();
    QTRY_VERIFY(calendar.isNull());
    QVERIFY(called);
}

QTEST_MAIN(tst_TPlainWrappers)
#include "tst_tplainwrappers.moc"
