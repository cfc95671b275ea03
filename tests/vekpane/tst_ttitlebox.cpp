#include "tresource.h"
#include "tsearchentry.h"
#include "ttitlebox.h"

#include <QJSEngine>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QLabel *iconLabel(TTitleBox &iBox) { return iBox.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).at(0); }
QLabel *textLabel(TTitleBox &iBox) { return iBox.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).at(1); }

} // namespace

class tst_TTitleBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void initialState();
    void keys_data();
    void keys();
    void iconSizeAppliesToTheNextIcon();
    void scriptNumbers();
    void searchEntryMadeOnce();
    void paintsItsStyleSheetBackground();

private:
    QTemporaryDir m_icons;
};

void tst_TTitleBox::initTestCase()
{
    QVERIFY(m_icons.isValid());
    QFile svg(m_icons.filePath(QStringLiteral("board.svg")));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64'>"
              "<rect width='64' height='64' fill='#000'/></svg>");
    svg.close();
    TResource::instance()->appendIconPath(m_icons.path());
}

void tst_TTitleBox::cleanupTestCase() { TResource::instance()->removeIconPath(m_icons.path()); }

void tst_TTitleBox::initialState()
{
    TTitleBox box;
    QCOMPARE(box.iconWidth(), 24);
    QCOMPARE(box.iconHeight(), 24);
    QVERIFY(box.text().isEmpty());
    QVERIFY(!box.findChild<TSearchEntry *>());
    QCOMPARE(box.layout()->contentsMargins(), QMargins(5, 5, 5, 5));
    QVERIFY(!box.getAttr("icon_str").isValid());
}

void tst_TTitleBox::keys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("read");

    QTest::newRow("value as text") << "value" << QVariant("Drill file") << QVariant("Drill file");
    QTest::newRow("value as number ignored") << "value" << QVariant(12) << QVariant("");
    QTest::newRow("icon_width as int") << "icon_width" << QVariant(32) << QVariant(32);
    QTest::newRow("icon_width as unsigned") << "icon_width" << QVariant(40u) << QVariant(40);
    QTest::newRow("icon_width as text ignored") << "icon_width" << QVariant("32") << QVariant(24);
    QTest::newRow("icon_height as int") << "icon_height" << QVariant(16) << QVariant(16);
    QTest::newRow("icon_height as double ignored") << "icon_height" << QVariant(16.0) << QVariant(24);
    QTest::newRow("icon_str as text") << "icon_str" << QVariant("board") << QVariant("board");
    QTest::newRow("icon_str as list ignored") << "icon_str" << QVariant(QStringList {"board"}) << QVariant();
}

void tst_TTitleBox::keys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, read);
    TTitleBox box;
    box.setAttr(key, value);
    const QVariant got = box.getAttr(key);
    QCOMPARE(got.isValid(), read.isValid());
    if (read.isValid())
        QCOMPARE(got.toString(), read.toString());
    if (key == QLatin1String("value"))
        QCOMPARE(box.getAttr(), got); // the empty key reads the value
}

void tst_TTitleBox::iconSizeAppliesToTheNextIcon()
{
    TTitleBox box;
    box.setAttr("icon_str", "board");
    QCOMPARE(iconLabel(box)->pixmap(Qt::ReturnByValue).size(), QSize(24, 24));
    box.setAttr("icon_width", 32);
    box.setAttr("icon_height", 20);
    QCOMPARE(iconLabel(box)->pixmap(Qt::ReturnByValue).size(), QSize(24, 24)); // not yet
    box.setAttr("icon_str", "board");
    // The icon keeps its proportions inside 32 x 20.
    const QSize size = iconLabel(box)->pixmap(Qt::ReturnByValue).size();
    QVERIFY(size.width() <= 32 && size.height() <= 20);
    QCOMPARE(size.height(), 20);
    box.setIconFile(QStringLiteral("no-such-icon"));
    QCOMPARE(box.getAttr("icon_str"), QVariant("board")); // only the key stores the name
}

void tst_TTitleBox::scriptNumbers()
{
    // Numbers from a script arrive as the engine makes them.
    QJSEngine engine;
    TTitleBox box;
    box.setAttr("icon_width", QVariant::fromValue(engine.toScriptValue(48)));
    box.setAttr("value", QVariant::fromValue(engine.toScriptValue(QStringLiteral("From script"))));
    QCOMPARE(box.iconWidth(), 48);
    QCOMPARE(textLabel(box)->text(), QStringLiteral("From script"));
    box.setAttr("style", "type=flat");
    QCOMPARE(box.property("SS_TYPE"), QVariant("FLAT")); // common keys still apply
}

void tst_TTitleBox::searchEntryMadeOnce()
{
    TTitleBox box;
    TSearchEntry *entry = box.searchEntry();
    QVERIFY(entry);
    QCOMPARE(entry->parentWidget(), &box);
    QCOMPARE(box.searchEntry(), entry);
    QCOMPARE(box.findChildren<TSearchEntry *>().size(), 1);
    QCOMPARE(box.focusProxy(), entry);
    // At the right end, after the text.
    QCOMPARE(box.layout()->indexOf(entry), box.layout()->count() - 1);
    QVERIFY(box.layout()->indexOf(entry) > box.layout()->indexOf(textLabel(box)));
}

void tst_TTitleBox::paintsItsStyleSheetBackground()
{
    TTitleBox box;
    box.setStyleSheet(QStringLiteral("TTitleBox { background-color: #123456; }"));
    box.resize(200, 40);
    const QImage image = box.grab().toImage();
    QCOMPARE(QColor(image.pixel(2, 2)), QColor(QStringLiteral("#123456")));
}

QTEST_MAIN(tst_TTitleBox)
#include "tst_ttitlebox.moc"
