#include "titemdatarole.h"

#include <QtTest>

class tst_TItemDataRole : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void value_data();
    void value();
    void key_data();
    void key();
    void everyNameRoundTrips();
    void itemFlags_data();
    void itemFlags();
};

void tst_TItemDataRole::value_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");

    QTest::newRow("display") << "display" << 0;
    QTest::newRow("decoration") << "decoration" << 1;
    QTest::newRow("icon is a second name") << "icon" << 1;
    QTest::newRow("checkState") << "checkState" << 10;
    QTest::newRow("initialSortOrder") << "initialSortOrder" << 14;
    QTest::newRow("user") << "user" << 256;
    QTest::newRow("type") << "type" << 257;
    QTest::newRow("flags") << "flags" << 262;
    QTest::newRow("other case") << "Display" << 256;
    QTest::newRow("empty") << "" << 256;
    QTest::newRow("unknown") << "colour" << 256;
    QTest::newRow("with suffix") << "displayRole" << 256;
}

void tst_TItemDataRole::value()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QCOMPARE(TItemDataRole::value(name), role);
}

void tst_TItemDataRole::key_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");

    QTest::newRow("0") << 0 << "display";
    QTest::newRow("1 gives the first name in order") << 1 << "decoration";
    QTest::newRow("7") << 7 << "textAlignment";
    QTest::newRow("256") << 256 << "user";
    QTest::newRow("261") << 261 << "property";
    QTest::newRow("15") << 15 << "";
    QTest::newRow("-1") << -1 << "";
    QTest::newRow("263") << 263 << "";
    QTest::newRow("1000") << 1000 << "";
}

void tst_TItemDataRole::key()
{
    QFETCH(int, role);
    QFETCH(QString, name);
    QCOMPARE(TItemDataRole::key(role), name);
}

void tst_TItemDataRole::everyNameRoundTrips()
{
    // Every role number the table knows, and the names Qt uses for its own.
    const QList<QPair<int, QString>> standard {
            {Qt::DisplayRole, "display"},
            {Qt::EditRole, "edit"},
            {Qt::ToolTipRole, "toolTip"},
            {Qt::StatusTipRole, "statusTip"},
            {Qt::WhatsThisRole, "whatsThis"},
            {Qt::FontRole, "font"},
            {Qt::BackgroundRole, "background"},
            {Qt::ForegroundRole, "foreground"},
            {Qt::AccessibleTextRole, "accessibleText"},
            {Qt::AccessibleDescriptionRole, "accessibleDescription"},
            {Qt::SizeHintRole, "sizeHint"},
            {Qt::UserRole + 2, "name"},
            {Qt::UserRole + 3, "min"},
            {Qt::UserRole + 4, "max"},
    };
    for (const auto &entry : standard) {
        QCOMPARE(TItemDataRole::key(entry.first), entry.second);
        QCOMPARE(TItemDataRole::value(entry.second), entry.first);
    }
}

void tst_TItemDataRole::itemFlags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");

    QTest::newRow("two names") << "ItemIsSelectable|ItemIsEnabled" << 0x21;
    QTest::newRow("lower case") << "itemisenabled" << 0x20;
    QTest::newRow("qualified") << "Qt::ItemIsEnabled" << 0x20;
    QTest::newRow("leading blank") << " ItemIsEnabled" << 0x20;
    QTest::newRow("trailing blank") << "ItemIsEnabled " << 0;
    QTest::newRow("not an ending") << "Enabled" << 0;
    QTest::newRow("lone bar after") << "ItemIsEditable|" << 0x2;
    QTest::newRow("NoItemFlags") << "NoItemFlags" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("every flag")
            << "ItemIsSelectable|ItemIsEditable|ItemIsDragEnabled|ItemIsDropEnabled|ItemIsUserCheckable|"
               "ItemIsEnabled|ItemIsTristate|ItemNeverHasChildren"
            << 0xff;
    QTest::newRow("blanks around bars") << "ItemIsSelectable | ItemIsEnabled" << 0x20;
}

void tst_TItemDataRole::itemFlags()
{
    QFETCH(QString, text);
    QFETCH(int, flags);
    QCOMPARE(int(TItemDataRole::str2itemFlags(text)), flags);
}

QTEST_APPLESS_MAIN(tst_TItemDataRole)
#include "tst_titemdatarole.moc"
