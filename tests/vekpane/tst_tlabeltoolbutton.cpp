// The label and the tool button of the widget library.
#include "controlstest.h"
#include "tlabel.h"
#include "tresource.h"
#include "ttoolbutton.h"

#include <QGraphicsEffect>
#include <QJSEngine>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using controlstest::types;

class tst_TLabelToolButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void labelKeys_data();
    void labelKeys();
    void labelClickedOnEveryRelease_data();
    void labelClickedOnEveryRelease();
    void labelListenerMayDestroy();
    void toolButtonKeys();
    void toolButtonIconNameIsNotTrimmed();
    void raisedToolButtonGetsFreshShadow();
    void toolButtonFromScript();

private:
    QTemporaryDir m_icons;
};

void tst_TLabelToolButton::initTestCase()
{
    QVERIFY(m_icons.isValid());
    QFile svg(m_icons.filePath("tbcheck.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
              "<rect width='16' height='16' fill='#000'/></svg>");
    svg.close();
    TResource::instance()->appendIconPath(m_icons.path());
}

void tst_TLabelToolButton::cleanupTestCase() { TResource::instance()->removeIconPath(m_icons.path()); }

void tst_TLabelToolButton::labelKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");

    const int defaultAlign = int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("value") << "value" << QVariant("A") << "A" << defaultAlign;
    QTest::newRow("text") << "text" << QVariant("A") << "A" << defaultAlign;
    QTest::newRow("number as text") << "value" << QVariant(12) << "12" << defaultAlign;
    QTest::newRow("Text is no key") << "Text" << QVariant("A") << "" << defaultAlign;
    QTest::newRow("alignment") << "alignment" << QVariant("AlignRight|AlignBottom") << ""
                               << int(Qt::AlignRight | Qt::AlignBottom);
}

void tst_TLabelToolButton::labelKeys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QFETCH(int, alignment);

    TLabel label;
    label.setAttr(key, value);
    QCOMPARE(label.text(), text);
    QCOMPARE(int(label.alignment()), alignment);
    // Both keys read the text back; alignment has no reader of its own.
    QCOMPARE(label.getAttr("value"), QVariant(text));
    QCOMPARE(label.getAttr("text"), QVariant(text));
    QCOMPARE(label.getAttr(), QVariant(text));
    QVERIFY(!label.getAttr("alignment").isValid());
}

void tst_TLabelToolButton::labelClickedOnEveryRelease_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void tst_TLabelToolButton::labelClickedOnEveryRelease()
{
    QFETCH(int, button);
    TLabel label;
    label.resize(50, 20);
    QSignalSpy spy(&label, &TLabel::signal);
    QTest::mouseClick(&label, Qt::MouseButton(button), Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(types(spy), QStringList {"clicked"});
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(0).at(2), QVariant(QString()));
}

void tst_TLabelToolButton::labelListenerMayDestroy()
{
    QPointer<TLabel> label = new TLabel;
    connect(label.data(), &TLabel::signal, this, [&label] { delete label.data(); });
    QTest::mouseClick(label.data(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QVERIFY(label.isNull());
}

void tst_TLabelToolButton::toolButtonKeys()
{
    TToolButton button;
    QSignalSpy spy(&button, &TToolButton::signal);
    button.setAttr("text", "Run");
    QCOMPARE(button.text(), QString("Run"));
    QCOMPARE(button.getAttr("text"), QVariant("Run"));
    QVERIFY(!button.getAttr("icon").isValid());

    button.setAttr("color_icon", "tbcheck.#FF0000");
    QVERIFY(!button.icon().isNull());
    const QImage image = button.icon().pixmap(16, 16).toImage();
    QCOMPARE(QColor(image.pixel(8, 8)), QColor(255, 0, 0));

    button.setAttr("enabled", false);
    QVERIFY(!button.isEnabled());
    button.setEnabled(true);
    button.click();
    QVERIFY(spy.isEmpty()); // the button sends no event of its own
}

void tst_TLabelToolButton::toolButtonIconNameIsNotTrimmed()
{
    TToolButton exact;
    exact.setAttr("icon", "tbcheck");
    QVERIFY(exact.icon().availableSizes().contains(QSize(16, 16)));

    TToolButton blanks;
    blanks.setAttr("icon", " tbcheck ");
    QVERIFY(!blanks.icon().availableSizes().contains(QSize(16, 16)));
}

void tst_TLabelToolButton::raisedToolButtonGetsFreshShadow()
{
    TToolButton button;
    button.setAttr("text", "flat");
    QVERIFY(!button.graphicsEffect());

    button.setAttr("style", "type=raised");
    QPointer<QGraphicsEffect> first = button.graphicsEffect();
    QVERIFY(first);
    button.setAttr("text", "again");
    QVERIFY(first.isNull()); // replaced, and the old one deleted
    QVERIFY(qobject_cast<QGraphicsDropShadowEffect *>(button.graphicsEffect()));
    button.setAttr("no_such_key", 1);
    QVERIFY(button.graphicsEffect());

    // Another type keeps whatever effect the button has.
    QPointer<QGraphicsEffect> kept = button.graphicsEffect();
    button.setAttr("style", "type=flat");
    QCOMPARE(button.graphicsEffect(), kept.data());
}

void tst_TLabelToolButton::toolButtonFromScript()
{
    TToolButton button;
    TLabel label;
    QJSEngine engine;
    controlstest::expose(engine, "b", &button);
    controlstest::expose(engine, "l", &label);
    const QJSValue r = CONTROLS_EVAL(engine, "b.setAttr('text', 'Go'); l.setAttr('value', 'Name');"
                                             "b.getAttr('text') + '/' + l.getAttr()");
    QCOMPARE(r.toString(), QString("Go/Name"));
}

QTEST_MAIN(tst_TLabelToolButton)
#include "tst_tlabeltoolbutton.moc"
