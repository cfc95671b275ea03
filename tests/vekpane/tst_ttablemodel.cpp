#include "controlstest.h"
#include "ttableitem.h"
#include "ttablemodel.h"
#include "vekmodeltester.h"

#include <QBrush>
#include <QDataStream>
#include <QFont>
#include <QIcon>
#include <QMimeData>

using controlstest::expose;

namespace {

const QString dragType = QStringLiteral("application/vek.tmodel_drag");

// A model watched by Qt's model checker for the whole test: any broken
// announcement (insert, remove, move, reset, header change) aborts the test.
struct Fixture
{
    TTableModel model;
    QAbstractItemModelTester *tester = VekTest::attachModelTester(&model);

    // Rows 0 … n-1 with ids 0 … n-1 and names "r0" …; one displayed column per key.
    explicit Fixture(int iRows = 0, const QStringList &iKeys = {"id", "name"})
    {
        model.setDataKeyList(iKeys);
        QVariantList header {QVariantMap()};
        for (const QString &key : iKeys)
            header.append(QVariantMap {{"name", key}, {"display", key.toUpper()}, {"displayRole", QString("$" + key)}});
        model.setHeaderItem(header);
        QVariantList rows;
        for (int i = 0; i < iRows; ++i)
            rows.append(QVariant(QVariantList {i, QString("r%1").arg(i)}));
        model.loadData(rows);
    }

    // The ids of the rows in model order.
    QVariantList ids() { return model.allPrimaryKey(true); }
    QModelIndex row(int iRow) { return model.index(iRow, 0); }
    QModelIndexList rows(const QList<int> &iRows)
    {
        QModelIndexList result;
        for (int r : iRows)
            result.append(model.index(r, 0));
        return result;
    }
};

QVariantList intList(const QList<int> &iValues)
{
    QVariantList result;
    for (int v : iValues)
        result.append(v);
    return result;
}

QMimeData *dragPayload(const QByteArray &iPayload, const QString &iType = dragType)
{
    auto *mime = new QMimeData;
    mime->setData(iType, iPayload);
    return mime;
}

QByteArray rowPayload(qint32 iRow)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << iRow;
    return bytes;
}

// The visibility flags as the model announced them last, per row.
QMap<int, bool> lastAnnounced(const QSignalSpy &iSpy)
{
    QMap<int, bool> result;
    for (const QList<QVariant> &args : iSpy)
        result.insert(args.at(0).toModelIndex().row(), args.at(1).toBool());
    return result;
}

} // namespace

class tst_TTableModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Qt::Orientation>(); }
    // cells, headers, flags and writes from column descriptions
    void cellValues_data();
    void cellValues();
    void dataCallback();
    void headerValues();
    void flags_data();
    void flags();
    void writes_data();
    void writes();
    void headerItemAnnouncements_data();
    void headerItemAnnouncements();
    void columnNamesAndVisibility();
    // row store
    void tableItem();
    void rowConversion_data();
    void rowConversion();
    void dataKeysAdjustPrimaryKey();
    void insertion_data();
    void insertion();
    void itemTakingForms();
    void removal();
    void staleIndexesNameNoRow();
    void loadAnnouncesVisibility();
    void readingRows();
    void writingRows();
    void foreachItemStops();
    void fromScript();
    // search, visibility, moves, drag
    void findByValue();
    void findByExpression();
    void visibilitySlots();
    void blockMoves_data();
    void blockMoves();
    void movesKeepPersistentIndexes();
    void drop_data();
    void drop();
    void dragThroughMimeData();
    void dragModeFlags();
};

// --- cells -------------------------------------------------------------------

void tst_TTableModel::cellValues_data()
{
    QTest::addColumn<QVariantMap>("column");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QVariant>("row");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");

    const QStringList keys {"id", "name", "state"};
    QTest::newRow("key reference") << QVariantMap {{"displayRole", "$name"}} << keys << QVariant(QVariantList {1, "b"})
                                   << 0 << QVariant("b");
    QTest::newRow("constant") << QVariantMap {{"displayRole", "fixed"}} << keys << QVariant(QVariantList {1}) << 0
                              << QVariant("fixed");
    QTest::newRow("dollar not first is a constant") << QVariantMap {{"displayRole", "x$name"}} << keys
                                                    << QVariant(QVariantList {1, "b"}) << 0 << QVariant("x$name");
    QTest::newRow("number constant") << QVariantMap {{"displayRole", 7}} << keys << QVariant(QVariantList {1}) << 0
                                     << QVariant(7);
    QTest::newRow("row shorter than the key's position")
            << QVariantMap {{"displayRole", "$state"}} << keys << QVariant(QVariantList {1, "b"}) << 0 << QVariant();
    QTest::newRow("key not a data key") << QVariantMap {{"displayRole", "$other"}} << keys
                                        << QVariant(QVariantList {1, "b"}) << 0 << QVariant();
    QTest::newRow("lone dollar without empty key")
            << QVariantMap {{"displayRole", "$"}} << keys << QVariant(QVariantList {1, "b"}) << 0 << QVariant();
    QTest::newRow("lone dollar with empty key") << QVariantMap {{"displayRole", "$"}} << QStringList {"id", ""}
                                                << QVariant(QVariantList {1, "e"}) << 0 << QVariant("e");
    QTest::newRow("no entry for the role")
            << QVariantMap {{"displayRole", "$id"}} << keys << QVariant(QVariantList {1}) << 3 << QVariant();
    QTest::newRow("header key is not a cell key")
            << QVariantMap {{"display", "$id"}} << keys << QVariant(QVariantList {1}) << 0 << QVariant();
    QTest::newRow("case matters") << QVariantMap {{"DisplayRole", "$id"}} << keys << QVariant(QVariantList {1}) << 0
                                  << QVariant();

    QTest::newRow("alignment text") << QVariantMap {{"textAlignmentRole", "HLeft|VCenter"}} << keys
                                    << QVariant(QVariantList {1}) << 7 << QVariant(0x81);
    QTest::newRow("alignment AlignRight") << QVariantMap {{"textAlignmentRole", "AlignRight"}} << keys
                                          << QVariant(QVariantList {1}) << 7 << QVariant(0x2);
    QTest::newRow("alignment Center adds nothing") << QVariantMap {{"textAlignmentRole", "AlignCenter"}} << keys
                                                   << QVariant(QVariantList {1}) << 7 << QVariant(0);
    QTest::newRow("alignment reference finds nothing") << QVariantMap {{"textAlignmentRole", "$state"}} << keys
                                                       << QVariant(QVariantList {1}) << 7 << QVariant(0x81);
    QTest::newRow("alignment number unchanged")
            << QVariantMap {{"textAlignmentRole", 4}} << keys << QVariant(QVariantList {1}) << 7 << QVariant(4);
    QTest::newRow("no alignment entry") << QVariantMap() << keys << QVariant(QVariantList {1}) << 7 << QVariant();

    const QVariantMap checkColumn {{"checkStateRole", "$state"}};
    QTest::newRow("check true") << checkColumn << keys << QVariant(QVariantList {1, "", true}) << 10 << QVariant(2);
    QTest::newRow("check 1") << checkColumn << keys << QVariant(QVariantList {1, "", 1}) << 10 << QVariant(2);
    QTest::newRow("check text -1") << checkColumn << keys << QVariant(QVariantList {1, "", "-1"}) << 10 << QVariant(1);
    QTest::newRow("check Qt's 2 is unchecked")
            << checkColumn << keys << QVariant(QVariantList {1, "", 2}) << 10 << QVariant(0);
    QTest::newRow("check 0") << checkColumn << keys << QVariant(QVariantList {1, "", 0}) << 10 << QVariant(0);
    QTest::newRow("check missing value") << checkColumn << keys << QVariant(QVariantList {1}) << 10 << QVariant();

    QTest::newRow("background colour name") << QVariantMap {{"backgroundRole", "#ff0000"}} << keys
                                            << QVariant(QVariantList {1}) << 8 << QVariant(QBrush(QColor(255, 0, 0)));
    QTest::newRow("foreground reference")
            << QVariantMap {{"foregroundRole", "$name"}} << keys << QVariant(QVariantList {1, "blue"}) << 9
            << QVariant(QBrush(QColor("blue")));
    QTest::newRow("background non-text unchanged")
            << QVariantMap {{"backgroundRole", 5}} << keys << QVariant(QVariantList {1}) << 8 << QVariant(5);
    QFont font;
    font.fromString("Sans Serif,12,-1,5,75,0,0,0,0,0");
    QTest::newRow("font text") << QVariantMap {{"fontRole", font.toString()}} << keys << QVariant(QVariantList {1}) << 6
                               << QVariant(font);
    QTest::newRow("own role type") << QVariantMap {{"typeRole", "html"}} << keys << QVariant(QVariantList {1}) << 257
                                   << QVariant("html");
    QTest::newRow("unnamed role reads the key Role")
            << QVariantMap {{"Role", "$name"}} << keys << QVariant(QVariantList {1, "u"}) << 300 << QVariant("u");
    QTest::newRow("icon is spelled decoration")
            << QVariantMap {{"iconRole", 5}} << keys << QVariant(QVariantList {1}) << 1 << QVariant();
}

void tst_TTableModel::cellValues()
{
    QFETCH(QVariantMap, column);
    QFETCH(QStringList, keys);
    QFETCH(QVariant, row);
    QFETCH(int, role);
    QFETCH(QVariant, expected);

    TTableModel model;
    VekTest::attachModelTester(&model);
    model.setDataKeyList(keys);
    model.setHeaderItem({QVariantMap(), column});
    model.loadData({row});
    QCOMPARE(model.data(model.index(0, 0), role), expected);
    QCOMPARE(model.data(QModelIndex(), role), QVariant());
}

void tst_TTableModel::dataCallback()
{
    Fixture f(2);
    f.model.setHeaderItem({QVariantMap {{"displayRole", "$rowlabel"}},
                           QVariantMap {{"displayRole", "$computed"}, {"flagsRole", "$computed"}},
                           QVariantMap {{"displayRole", "$name"}}});
    QCOMPARE(f.model.data(f.model.index(1, 0)), QVariant());

    QList<int> roles;
    f.model.setDataCallback([&roles](const QModelIndex &index, int role, TTableItem *item) -> QVariant {
        roles.append(role);
        return QString("cb %1 %2").arg(index.row()).arg(item->data(1).toString());
    });
    QCOMPARE(f.model.data(f.model.index(1, 0)), QVariant("cb 1 r1"));
    QCOMPARE(f.model.headerData(0, Qt::Vertical), QVariant("cb 0 r0"));
    // Data keys are never handed to the callback.
    QCOMPARE(f.model.data(f.model.index(1, 1)), QVariant("r1"));
    QCOMPARE(roles, (QList<int> {0, 0}));
    // Flags and writes ignore the callback.
    QCOMPARE(int(f.model.flags(f.model.index(0, 0))), 0);
    QVERIFY(!f.model.setData(f.model.index(0, 0), "x", Qt::EditRole));
    QCOMPARE(roles.size(), 2);

    f.model.setDataCallback(nullptr);
    QCOMPARE(f.model.data(f.model.index(1, 0)), QVariant());
}

void tst_TTableModel::headerValues()
{
    Fixture f(2);
    f.model.setHeaderItem({QVariantMap {{"displayRole", "$name"}, {"toolTipRole", "row tip"}},
                           QVariantMap {{"name", "id"}, {"display", "$name"}, {"textAlignment", "Right|Bottom"}},
                           QVariantMap {{"name", "name"}, {"display", "Name"}, {"toolTip", "the name"}},
                           QString("not a map")});
    QCOMPARE(f.model.columnCount(), 3);
    // No key references in the horizontal header.
    QCOMPARE(f.model.headerData(0, Qt::Horizontal), QVariant("$name"));
    QCOMPARE(f.model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole), QVariant(0x42));
    QCOMPARE(f.model.headerData(1, Qt::Horizontal, Qt::ToolTipRole), QVariant("the name"));
    QCOMPARE(f.model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole), QVariant(0x81));
    QCOMPARE(f.model.headerData(2, Qt::Horizontal), QVariant());
    QCOMPARE(f.model.headerData(3, Qt::Horizontal), QVariant());
    QCOMPARE(f.model.headerData(-1, Qt::Horizontal), QVariant());
    // The row header resolves element 0 per row.
    QCOMPARE(f.model.headerData(1, Qt::Vertical), QVariant("r1"));
    QCOMPARE(f.model.headerData(0, Qt::Vertical, Qt::ToolTipRole), QVariant("row tip"));
    QCOMPARE(f.model.headerData(0, Qt::Vertical, Qt::WhatsThisRole), QVariant());
    QCOMPARE(f.model.headerData(0, Qt::Vertical, Qt::TextAlignmentRole), QVariant(0x81));
    QCOMPARE(f.model.headerData(2, Qt::Vertical), QVariant());

    // Only the row-header element: no columns, no cells, but the list is kept.
    f.model.setHeaderItem({QVariantMap {{"displayRole", "$name"}}});
    QCOMPARE(f.model.columnCount(), 0);
    QCOMPARE(f.model.rowCount(), 2);
    QCOMPARE(f.model.data(f.model.index(0, 0)), QVariant());
    f.model.setHeaderItem({});
    QCOMPARE(f.model.headerData(0, Qt::Vertical), QVariant());
}

void tst_TTableModel::flags_data()
{
    QTest::addColumn<QVariant>("flagsValue");
    QTest::addColumn<int>("dragMode");
    QTest::addColumn<int>("cellFlags");
    QTest::addColumn<int>("rootFlags");

    const int selectableEnabled = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const int dragDrop = Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    QTest::newRow("none: the base's") << QVariant() << 0 << selectableEnabled << 0;
    QTest::newRow("constant checkable") << QVariant("ItemIsSelectable|ItemIsEnabled|ItemIsUserCheckable") << 0
                                        << (selectableEnabled | Qt::ItemIsUserCheckable) << 0;
    QTest::newRow("constant with drag mode")
            << QVariant("ItemIsSelectable|ItemIsEnabled|ItemIsUserCheckable") << 1
            << (selectableEnabled | Qt::ItemIsUserCheckable | dragDrop) << int(Qt::ItemIsDropEnabled);
    QTest::newRow("key reference") << QVariant("$flags") << 0 << int(Qt::ItemIsEnabled | Qt::ItemIsEditable) << 0;
    QTest::newRow("key reference to no data key") << QVariant("$nokey") << 0 << 0 << 0;
    QTest::newRow("empty constant") << QVariant("") << 0 << 0 << 0;
    QTest::newRow("base flags with drag mode")
            << QVariant() << 1 << (selectableEnabled | dragDrop) << int(Qt::ItemIsDropEnabled);
    QTest::newRow("drag mode 2 is off") << QVariant() << 2 << selectableEnabled << 0;
}

void tst_TTableModel::flags()
{
    QFETCH(QVariant, flagsValue);
    QFETCH(int, dragMode);
    QFETCH(int, cellFlags);
    QFETCH(int, rootFlags);

    TTableModel model;
    VekTest::attachModelTester(&model);
    model.setDataKeyList({"id", "flags"});
    QVariantMap column {{"displayRole", "$id"}};
    if (flagsValue.isValid())
        column.insert("flagsRole", flagsValue);
    model.setHeaderItem({QVariantMap(), column});
    model.loadData({QVariantList {1, "ItemIsEnabled|ItemIsEditable"}});
    model.setDragMode(dragMode);
    QCOMPARE(int(model.flags(model.index(0, 0))), cellFlags);
    QCOMPARE(int(model.flags(QModelIndex())), rootFlags);
}

void tst_TTableModel::writes_data()
{
    QTest::addColumn<QVariantMap>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariantList>("row"); // before the write
    QTest::addColumn<bool>("result");
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QStringList>("signalOrder");

    const QVariantMap editable {{"editRole", "$name"}, {"checkStateRole", "$state"}};
    const QVariantList before {1, "a", 0};
    QTest::newRow("edit") << editable << 2 << QVariant("b") << before << true << QVariantList {1, "b", 0}
                          << QStringList {"data"};
    QTest::newRow("checked stores 1") << editable << 10 << QVariant(2) << before << true << QVariantList {1, "a", 1}
                                      << QStringList {"check", "data"};
    QTest::newRow("partly stores -1") << editable << 10 << QVariant(1) << before << true << QVariantList {1, "a", -1}
                                      << QStringList {"check", "data"};
    QTest::newRow("unchecked stores 0") << editable << 10 << QVariant(0) << QVariantList {1, "a", 1} << true
                                        << QVariantList {1, "a", 0} << QStringList {"check", "data"};
    QTest::newRow("display not writable")
            << editable << 0 << QVariant("b") << before << false << before << QStringList();
    QTest::newRow("constant not writable")
            << QVariantMap {{"editRole", "fixed"}} << 2 << QVariant("b") << before << false << before << QStringList();
    QTest::newRow("no description") << QVariantMap() << 2 << QVariant("b") << before << false << before
                                    << QStringList();
    QTest::newRow("unknown key not writable")
            << QVariantMap {{"editRole", "$other"}} << 2 << QVariant("b") << before << false << before << QStringList();
    QTest::newRow("past the row's end") << editable << 10 << QVariant(2) << QVariantList {1, "a"} << false
                                        << QVariantList {1, "a"} << QStringList();
}

void tst_TTableModel::writes()
{
    QFETCH(QVariantMap, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(QVariantList, row);
    QFETCH(bool, result);
    QFETCH(QVariantList, stored);
    QFETCH(QStringList, signalOrder);

    TTableModel model;
    VekTest::attachModelTester(&model);
    model.setDataKeyList({"id", "name", "state"});
    model.setHeaderItem({QVariantMap(), column});
    model.loadData({row});
    QStringList order;
    connect(&model, &TTableModel::rowCheckStateChanged, this, [&](const QModelIndex &index) {
        QCOMPARE(index, model.index(0, 0));
        order << "check";
    });
    connect(&model, &QAbstractItemModel::dataChanged, this, [&](const QModelIndex &tl, const QModelIndex &br) {
        QCOMPARE(tl, model.index(0, 0));
        QCOMPARE(br, model.index(0, 0));
        order << "data";
    });
    QCOMPARE(model.setData(model.index(0, 0), value, role), result);
    QCOMPARE(model.rowDataList(model.index(0, 0)), stored);
    QCOMPARE(order, signalOrder);
    QVERIFY(!model.setData(QModelIndex(), value, role));
}

void tst_TTableModel::headerItemAnnouncements_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("columnChange"); // "+first,last", "-first,last" or ""

    QTest::newRow("grow") << 2 << 4 << "+2,3";
    QTest::newRow("shrink") << 4 << 1 << "-1,3";
    QTest::newRow("same count") << 3 << 3 << "";
    QTest::newRow("to none") << 2 << 0 << "-0,1";
    QTest::newRow("from none") << 0 << 2 << "+0,1";
}

void tst_TTableModel::headerItemAnnouncements()
{
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(QString, columnChange);

    auto header = [](int columns) {
        QVariantList list {QVariantMap()};
        for (int c = 0; c < columns; ++c)
            list.append(QVariantMap {{"name", QString("c%1").arg(c)}, {"size", 50 + c}, {"displayRole", "$id"}});
        return list;
    };
    Fixture f(3, {"id"});
    f.model.setHeaderItem(header(before));
    QSignalSpy inserted(&f.model, &QAbstractItemModel::columnsInserted);
    QSignalSpy removed(&f.model, &QAbstractItemModel::columnsRemoved);
    QSignalSpy headerChanged(&f.model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy states(&f.model, &TTableModel::columnStateChanged);

    const QVariantList list = header(after);
    f.model.setHeaderItem(list);
    QCOMPARE(f.model.columnCount(), after);
    QCOMPARE(f.model.headerItem(), list);
    QString change;
    if (!inserted.isEmpty())
        change = QString("+%1,%2").arg(inserted.at(0).at(1).toInt()).arg(inserted.at(0).at(2).toInt());
    if (!removed.isEmpty())
        change = QString("-%1,%2").arg(removed.at(0).at(1).toInt()).arg(removed.at(0).at(2).toInt());
    QCOMPARE(inserted.size() + removed.size(), columnChange.isEmpty() ? 0 : 1);
    QCOMPARE(change, columnChange);
    if (after > 0) {
        QCOMPARE(headerChanged.size(), 1);
        QCOMPARE(headerChanged.at(0).at(0).value<Qt::Orientation>(), Qt::Horizontal);
        QCOMPARE(headerChanged.at(0).at(1).toInt(), 0);
        QCOMPARE(headerChanged.at(0).at(2).toInt(), after - 1);
    } else {
        QCOMPARE(headerChanged.size(), 0);
    }
    QCOMPARE(states.size(), after);
    for (int c = 0; c < after; ++c) {
        QCOMPARE(states.at(c).at(0).toInt(), c);
        QCOMPARE(states.at(c).at(1).toMap(), list.at(c + 1).toMap());
        QCOMPARE(states.at(c).at(2).toBool(), true);
    }
}

void tst_TTableModel::columnNamesAndVisibility()
{
    TTableModel model;
    QCOMPARE(model.columnNumber("a"), -1);
    model.setHeaderItem({QVariantMap {{"name", "rowheader"}}, QVariantMap {{"name", "a"}}, QVariantMap {{"name", ""}},
                         QVariantMap {{"name", "b"}}, QVariantMap {{"name", "a"}}});
    QCOMPARE(model.columnName(0), QString("a"));
    QCOMPARE(model.columnName(2), QString("b"));
    QCOMPARE(model.columnName(4), QString());
    QCOMPARE(model.columnName(-1), QString());
    QCOMPARE(model.columnNumber("a"), 0);
    QCOMPARE(model.columnNumber("b"), 2);
    QCOMPARE(model.columnNumber("rowheader"), -1);
    QCOMPARE(model.columnNumber(""), -1);
    QCOMPARE(model.columnNumber("A"), -1);

    QSignalSpy states(&model, &TTableModel::columnStateChanged);
    model.setColumnVisible(2, false);
    model.setColumnVisible("nothing", true);
    model.setColumnsVisible(QMap<QString, bool> {{"b", true}, {"a", false}});
    const QList<QVariantList> expected {
            {2, QVariantMap {{"visible", false}}, false},
            {-1, QVariantMap {{"visible", true}}, false},
            {0, QVariantMap {{"visible", false}}, false},
            {2, QVariantMap {{"visible", true}}, false},
    };
    QCOMPARE(states.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(states.at(i), expected.at(i));
    // Visibility travels as signals; the descriptions stay as given.
    QCOMPARE(model.headerItem().at(3).toMap().value("visible"), QVariant());
}

// --- row store ---------------------------------------------------------------

void tst_TTableModel::tableItem()
{
    TTableItem item({1, "a"});
    QCOMPARE(item.data(1), QVariant("a"));
    QCOMPARE(item.data(2), QVariant());
    QCOMPARE(item.data(-1), QVariant());
    item.setData(2, "grown?");
    item.setData(-1, "x");
    QCOMPARE(item.data(), (QVariantList {1, "a"}));
    QVERIFY(item.visible());
    QCOMPARE(item.row(), -1);

    Fixture f(3);
    TTableItem *held = f.model.dataList().at(2);
    QCOMPARE(held->row(), 2);
    QCOMPARE(held->model(), &f.model);
    held->setVisible(false);
    TTableItem copy(*held);
    QCOMPARE(copy.data(), held->data());
    QCOMPARE(copy.visible(), false);
    QCOMPARE(copy.model(), &f.model);
    // The copy is not one of the model's rows.
    QCOMPARE(copy.row(), -1);
    copy.setData(0, 99);
    QCOMPARE(held->data(0), QVariant(2));
}

void tst_TTableModel::rowConversion_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("visibleKey");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("visible");

    QTest::newRow("map in key order, extra key dropped")
            << QVariant(QVariantMap {{"name", "b"}, {"id", 1}, {"extra", 3}}) << "" << QVariantList {1, "b", QVariant()}
            << true;
    QTest::newRow("list as it is") << QVariant(QVariantList {1}) << "" << QVariantList {1} << true;
    QTest::newRow("longer list kept") << QVariant(QVariantList {1, 2, 3, 4}) << "" << QVariantList {1, 2, 3, 4} << true;
    QTest::newRow("string list") << QVariant(QStringList {"x", "y"}) << "" << QVariantList {"x", "y"} << true;
    QTest::newRow("text is no row") << QVariant("1,b") << "" << QVariantList() << true;
    QTest::newRow("visible key false") << QVariant(QVariantMap {{"id", 1}, {"show", false}}) << "show"
                                       << QVariantList {1, QVariant(), false} << false;
    QTest::newRow("visible key true") << QVariant(QVariantList {1, "a", 1}) << "show" << QVariantList {1, "a", 1}
                                      << true;
    QTest::newRow("visible key beyond the row") << QVariant(QVariantList {1}) << "show" << QVariantList {1} << false;
    QTest::newRow("visible key not a data key")
            << QVariant(QVariantList {1, "a", false}) << "hidden" << QVariantList {1, "a", false} << true;
}

void tst_TTableModel::rowConversion()
{
    QFETCH(QVariant, value);
    QFETCH(QString, visibleKey);
    QFETCH(QVariantList, values);
    QFETCH(bool, visible);

    Fixture f(0, {"id", "name", "show"});
    f.model.setVisibleKey(visibleKey);
    bool flag = !visible;
    QCOMPARE(f.model.variantToItemDataList(value, &flag), values);
    QCOMPARE(flag, visible);
    QCOMPARE(f.model.variantToItemDataList(value), values);

    std::unique_ptr<TTableItem> item(f.model.itemFromVariant(value));
    QCOMPARE(item->data(), values);
    QCOMPARE(item->visible(), visible);
    QCOMPARE(item->model(), nullptr);

    f.model.appendRow(value);
    QCOMPARE(f.model.dataList().at(0)->visible(), visible);
}

void tst_TTableModel::dataKeysAdjustPrimaryKey()
{
    TTableModel model;
    model.setPrimaryKey("c");
    model.setDataKeyList({"a", "b"});
    QCOMPARE(model.primaryKey(), QString("a"));
    model.setPrimaryKey("b");
    model.setDataKeyList({"a", "b"});
    QCOMPARE(model.primaryKey(), QString("b"));
    model.setDataKeyList({});
    QCOMPARE(model.primaryKey(), QString("b"));
    QCOMPARE(model.dataKeyList(), QStringList());
    model.setPrimaryKey(QString());
    model.setDataKeyList({"x"});
    QCOMPARE(model.primaryKey(), QString("x"));
}

void tst_TTableModel::insertion_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("indexRow"); // -1: no index
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QString>("inserted"); // "first,last" or ""

    // The model holds 0, 1, 2; the new rows have ids 10 (and 11).
    QTest::newRow("appendRow") << "appendRow" << -1 << QList<int> {0, 1, 2, 10} << "3,3";
    QTest::newRow("prependRow") << "prependRow" << -1 << QList<int> {10, 0, 1, 2} << "0,0";
    QTest::newRow("appendRows") << "appendRows" << -1 << QList<int> {0, 1, 2, 10, 11} << "3,4";
    QTest::newRow("prependRows") << "prependRows" << -1 << QList<int> {10, 11, 0, 1, 2} << "0,1";
    QTest::newRow("insertRows past the end") << "insertRows99" << -1 << QList<int> {0, 1, 2, 10, 11} << "3,4";
    QTest::newRow("insertRows negative") << "insertRows-5" << -1 << QList<int> {10, 11, 0, 1, 2} << "0,1";
    QTest::newRow("insertRows middle") << "insertRows1" << -1 << QList<int> {0, 10, 11, 1, 2} << "1,2";
    QTest::newRow("addRowAfter without index") << "addRowAfter" << -1 << QList<int> {10, 0, 1, 2} << "0,0";
    QTest::newRow("addRowBefore without index") << "addRowBefore" << -1 << QList<int> {10, 0, 1, 2} << "0,0";
    QTest::newRow("addRowAfter row 1") << "addRowAfter" << 1 << QList<int> {0, 1, 10, 2} << "2,2";
    QTest::newRow("addRowBefore row 1") << "addRowBefore" << 1 << QList<int> {0, 10, 1, 2} << "1,1";
    QTest::newRow("addRowsAfter last") << "addRowsAfter" << 2 << QList<int> {0, 1, 2, 10, 11} << "3,4";
    QTest::newRow("addRowsBefore row 2") << "addRowsBefore" << 2 << QList<int> {0, 1, 10, 11, 2} << "2,3";
    QTest::newRow("appendRows empty") << "appendRowsEmpty" << -1 << QList<int> {0, 1, 2} << "";
}

void tst_TTableModel::insertion()
{
    QFETCH(QString, operation);
    QFETCH(int, indexRow);
    QFETCH(QList<int>, order);
    QFETCH(QString, inserted);

    Fixture f(3);
    QSignalSpy spy(&f.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy visibility(&f.model, &TTableModel::rowVisibleChanged);
    const QVariant one = QVariantList {10, "new"};
    const QVariantList two {QVariantList {10, "new"}, QVariantMap {{"id", 11}, {"name", "new2"}}};
    const QModelIndex at = indexRow < 0 ? QModelIndex() : f.row(indexRow);
    QList<TTableItem *> items;
    if (operation == "appendRow")
        items << f.model.appendRow(one);
    else if (operation == "prependRow")
        items << f.model.prependRow(one);
    else if (operation == "appendRows")
        items = f.model.appendRows(two);
    else if (operation == "prependRows")
        items = f.model.prependRows(two);
    else if (operation == "insertRows99")
        items = f.model.insertRows(99, two);
    else if (operation == "insertRows-5")
        items = f.model.insertRows(-5, two);
    else if (operation == "insertRows1")
        items = f.model.insertRows(1, two);
    else if (operation == "addRowAfter")
        items << f.model.addRowAfter(one, at);
    else if (operation == "addRowBefore")
        items << f.model.addRowBefore(one, at);
    else if (operation == "addRowsAfter")
        items = f.model.addRowsAfter(two, at);
    else if (operation == "addRowsBefore")
        items = f.model.addRowsBefore(two, at);
    else if (operation == "appendRowsEmpty")
        items = f.model.appendRows(QVariantList());

    QCOMPARE(f.ids(), intList(order));
    if (inserted.isEmpty()) {
        QCOMPARE(spy.size(), 0);
        QVERIFY(items.isEmpty());
    } else {
        QCOMPARE(spy.size(), 1);
        QCOMPARE(QString("%1,%2").arg(spy.at(0).at(1).toInt()).arg(spy.at(0).at(2).toInt()), inserted);
        const int first = spy.at(0).at(1).toInt();
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items.at(i)->model(), &f.model);
            QCOMPARE(items.at(i)->row(), first + i);
            QCOMPARE(f.model.index(items.at(i)), f.row(first + i));
        }
    }
    QCOMPARE(visibility.size(), 0);
}

void tst_TTableModel::itemTakingForms()
{
    Fixture f(0);
    f.model.appendRow(QVariantList {"X", "x"});
    QSignalSpy spy(&f.model, &QAbstractItemModel::rowsInserted);
    auto *a = new TTableItem({"A", "a"});
    auto *b = new TTableItem({"B", "b"});
    f.model.prependRows(QList<TTableItem *> {a, b});
    QCOMPARE(f.ids(), (QVariantList {"A", "B", "X"}));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 0);
    QCOMPARE(spy.at(0).at(2).toInt(), 1);
    QCOMPARE(a->model(), &f.model);

    // Null items are no rows; an empty list announces nothing.
    f.model.appendRows(QList<TTableItem *> {nullptr, new TTableItem({"C"}), nullptr});
    f.model.insertRows(1, QList<TTableItem *> {new TTableItem({"D"})});
    f.model.addRowsAfter(QList<TTableItem *> {new TTableItem({"E"})}, f.row(0));
    f.model.addRowsBefore(QList<TTableItem *> {new TTableItem({"F"})});
    f.model.appendRows(QList<TTableItem *>());
    QCOMPARE(f.ids(), (QVariantList {"F", "A", "E", "D", "B", "X", "C"}));
    QCOMPARE(spy.size(), 5);
    QCOMPARE(f.model.index(static_cast<TTableItem *>(nullptr)), QModelIndex());
    TTableItem stranger;
    QCOMPARE(f.model.index(&stranger), QModelIndex());
}

void tst_TTableModel::removal()
{
    Fixture f(5);
    QSignalSpy spy(&f.model, &QAbstractItemModel::rowsRemoved);
    QVERIFY(f.model.removeRows(f.rows({3, 1, 3})));
    QCOMPARE(f.ids(), intList({0, 2, 4}));
    QCOMPARE(spy.size(), 2);
    QVERIFY(!f.model.removeRow(QModelIndex()));
    QVERIFY(f.model.removeRows(QModelIndexList {QModelIndex()}));
    QVERIFY(f.model.removeRow(f.row(2)));
    QCOMPARE(f.ids(), intList({0, 2}));
    // The base's removal by count refuses, so a view's clean-up after a move drop removes nothing.
    QAbstractItemModel *base = &f.model;
    QVERIFY(!base->removeRows(0, 1));
    QVERIFY(!base->insertRows(0, 1));
    QCOMPARE(f.model.rowCount(), 2);

    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    f.model.clear();
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(reset.size(), 1);
}

void tst_TTableModel::staleIndexesNameNoRow()
{
    // An index kept across a removal or a move must not reach a freed or another row.
    Fixture f(4);
    const QModelIndex kept = f.row(3);
    const QModelIndex keptMiddle = f.row(1);
    const QModelIndex keptCell = f.model.index(3, 1);
    f.model.removeRow(f.row(0));
    QCOMPARE(f.model.item(kept), nullptr);
    // Row 1 still exists, but holds another row now.
    QCOMPARE(f.model.item(keptMiddle), nullptr);
    QCOMPARE(f.model.rowPrimaryKey(keptMiddle), QVariant());
    QCOMPARE(f.model.data(keptCell), QVariant());
    QVERIFY(!f.model.removeRow(kept));
    QCOMPARE(f.model.rowDataList(kept), QVariantList());
    f.model.setRowData(kept, QVariantList {9}, true);
    f.model.setRowVisible(kept, false);
    QCOMPARE(f.ids(), intList({1, 2, 3}));
    QVERIFY(f.model.dataList().at(2)->visible());

    // Indexes of another model are no rows of this one.
    Fixture other(4);
    QCOMPARE(f.model.item(other.row(0)), nullptr);
    QVERIFY(!f.model.removeRow(other.row(0)));
    QCOMPARE(f.model.rowCount(), 3);
}

void tst_TTableModel::loadAnnouncesVisibility()
{
    Fixture f(2, {"id", "name", "show"});
    f.model.setVisibleKey("show");
    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&f.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy visibility(&f.model, &TTableModel::rowVisibleChanged);
    f.model.loadData({QVariantList {1, "a", true}, QVariantMap {{"id", 2}, {"show", false}}, QVariantList {3, "c", 0},
                      QVariantList {4}});
    QCOMPARE(f.ids(), intList({1, 2, 3, 4}));
    QCOMPARE(reset.size(), 1);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(visibility.size(), 4);
    const QMap<int, bool> expected {{0, true}, {1, false}, {2, false}, {3, false}};
    QCOMPARE(lastAnnounced(visibility), expected);

    f.model.loadData({});
    QCOMPARE(f.model.rowCount(), 0);
}

void tst_TTableModel::readingRows()
{
    Fixture f(3);
    f.model.setRowVisible(f.row(1), false);
    QCOMPARE(f.model.rowDataList(f.row(2)), (QVariantList {2, "r2"}));
    QCOMPARE(f.model.rowDataMap(f.row(2)), (QVariantMap {{"id", 2}, {"name", "r2"}}));
    QCOMPARE(f.model.rowDataMap(f.row(2), "idx", "vis"),
             (QVariantMap {{"id", 2}, {"name", "r2"}, {"idx", "2"}, {"vis", 1}}));
    QCOMPARE(f.model.rowDataMap(f.row(1), "", "vis").value("vis"), QVariant(0));
    QCOMPARE(f.model.rowDataMap(f.model.dataList().at(0), "idx", ""),
             (QVariantMap {{"id", 0}, {"name", "r0"}, {"idx", "0"}}));
    QCOMPARE(f.model.rowDataMap(QModelIndex()), QVariantMap());
    QCOMPARE(f.model.indexString(f.row(2)), QString("2"));
    QCOMPARE(f.model.indexString(QModelIndex()), QString());

    QCOMPARE(f.model.allDataMap().size(), 3);
    const QVariantList visibleOnly = f.model.allDataMap("idx", "", false);
    QCOMPARE(visibleOnly.size(), 2);
    QCOMPARE(visibleOnly.at(1).toMap().value("idx"), QVariant("2"));
    QCOMPARE(f.model.allPrimaryKey(), intList({0, 1, 2}));
    QCOMPARE(f.model.allPrimaryKey(false), intList({0, 2}));
    QCOMPARE(f.model.rowPrimaryKey(f.row(1)), QVariant(1));

    // A row shorter than the keys reads invalid values; duplicate keys: the later position wins.
    f.model.appendRow(QVariantList {7});
    QCOMPARE(f.model.rowDataMap(f.row(3)), (QVariantMap {{"id", 7}, {"name", QVariant()}}));
    f.model.setDataKeyList({"id", "id"});
    QCOMPARE(f.model.rowDataMap(f.row(0)), (QVariantMap {{"id", "r0"}}));

    // A primary key that is no data key gives nothing to read.
    f.model.setDataKeyList({"id", "name"});
    f.model.setPrimaryKey("code");
    QCOMPARE(f.model.rowPrimaryKey(f.row(0)), QVariant());
    QCOMPARE(f.model.allPrimaryKey(), (QVariantList {QVariant(), QVariant(), QVariant(), QVariant()}));
    f.model.setDataKeyList({});
    QCOMPARE(f.model.rowDataMap(f.row(0)), QVariantMap());
}

void tst_TTableModel::writingRows()
{
    Fixture f(2);
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    auto lastChangeIsRow = [&](int row) {
        return changed.last().at(0).toModelIndex() == f.model.index(row, 0)
               && changed.last().at(1).toModelIndex() == f.model.index(row, 1);
    };

    f.model.setRowData(f.row(1), QVariantMap {{"id", 11}, {"other", 5}});
    QCOMPARE(f.model.rowDataList(f.row(1)), (QVariantList {11, "r1"}));
    QCOMPARE(changed.size(), 1);
    QVERIFY(lastChangeIsRow(1));

    f.model.setRowData(f.row(1), QVariantList {12}, true);
    QCOMPARE(f.model.rowDataList(f.row(1)), (QVariantList {12}));
    QCOMPARE(changed.size(), 2);
    // Within the row's length only: the short row does not grow.
    f.model.setRowData(f.row(1), QVariantMap {{"name", "x"}});
    QCOMPARE(f.model.rowDataList(f.row(1)), (QVariantList {12}));
    // A list without reset changes nothing but still reports the row.
    f.model.setRowData(f.row(0), QVariantList {5, "y"});
    QCOMPARE(f.model.rowDataList(f.row(0)), (QVariantList {0, "r0"}));
    QCOMPARE(changed.size(), 4);
    f.model.setRowData(f.row(0), QVariantMap {{"name", "m"}}, true);
    QCOMPARE(f.model.rowDataList(f.row(0)), (QVariantList {QVariant(), "m"}));
    QCOMPARE(changed.size(), 5);
    // No row: nothing at all, on both paths.
    f.model.setRowData(QModelIndex(), QVariantMap {{"id", 1}});
    f.model.setRowData(QModelIndex(), QVariantList {1}, true);
    QCOMPARE(changed.size(), 5);

    f.model.setRowKeyValue(f.row(0), "name", "k");
    QCOMPARE(f.model.rowDataList(f.row(0)), (QVariantList {QVariant(), "k"}));
    QCOMPARE(changed.size(), 6);
    QVERIFY(lastChangeIsRow(0));
    f.model.setRowKeyValue(f.row(0), "name", "quiet", false);
    QCOMPARE(f.model.rowDataList(f.row(0)).at(1), QVariant("quiet"));
    f.model.setRowKeyValue(f.row(0), "other", "z");
    f.model.setRowKeyValue(f.row(1), "name", "past the end");
    QCOMPARE(f.model.rowDataList(f.row(1)), (QVariantList {12}));
    QCOMPARE(changed.size(), 6);
}

void tst_TTableModel::foreachItemStops()
{
    TTableModel empty;
    QVERIFY(!empty.foreachItem(
            [](const QModelIndex &, TTableModel *, const QVariantList &, QVariantList *) { return true; }, {},
            nullptr));
    Fixture f(5);
    QVariantList out;
    auto collectUntil = [](const QModelIndex &index, TTableModel *model, const QVariantList &args, QVariantList *seen) {
        seen->append(model->rowPrimaryKey(index));
        return index.row() == args.value(0).toInt();
    };
    QVERIFY(f.model.foreachItem(collectUntil, {2}, &out));
    QCOMPARE(out, intList({0, 1, 2}));
    out.clear();
    QVERIFY(!f.model.foreachItem(collectUntil, {9}, &out));
    QCOMPARE(out.size(), 5);
}

void tst_TTableModel::fromScript()
{
    Fixture f(0, {"id", "name", "show"});
    QJSEngine engine;
    expose(engine, "m", &f.model);
    const QJSValue result = CONTROLS_EVAL(engine, R"(
        m.setVisibleKey("show");
        m.loadData([[1, "a", true], {id: 2, name: "b", show: false}, {name: "c", id: 3, show: true}]);
        m.appendRow({id: 4, name: "d", show: true});
        var hits = m.findRows([2, 4], "", 0);
        m.setRowData(hits[1], {name: "D"});
        [m.rowDataMap(hits[0], "idx", "vis"), m.allPrimaryKey(false), hits.length, m.rowDataList(hits[1])];
    )");
    QVERIFY(!result.isError());
    const QVariantList list = result.toVariant().toList();
    QCOMPARE(list.value(0).toMap(),
             (QVariantMap {{"id", 2}, {"name", "b"}, {"show", false}, {"idx", "1"}, {"vis", 0}}));
    QCOMPARE(list.value(1).toList(), intList({1, 3, 4}));
    QCOMPARE(list.value(2).toInt(), 2);
    QCOMPARE(list.value(3).toList(), (QVariantList {4, "D", true}));
    QCOMPARE(f.model.rowDataList(f.row(0)), (QVariantList {1, "a", true}));
}

// --- search, visibility, moves, drag ---------------------------------------------

void tst_TTableModel::findByValue()
{
    Fixture f(5);
    f.model.appendRow(QVariantList {"3", "text three"});
    QSignalSpy visibility(&f.model, &TTableModel::rowVisibleChanged);

    // Variant equality: the number 3 and the text 3 both match.
    QCOMPARE(f.model.findRow(3), f.row(3));
    QCOMPARE(f.model.findRow("r4", "name"), f.row(4));
    QCOMPARE(f.model.findRow(42), QModelIndex());
    QCOMPARE(f.model.findRow(3, "nokey"), QModelIndex());
    QCOMPARE(visibility.size(), 0);

    QCOMPARE(f.model.findRows(3), f.rows({3, 5}));
    QCOMPARE(visibility.size(), 6);
    QCOMPARE(f.model.allPrimaryKey(false), (QVariantList {3, "3"}));

    // The second search shows again what the first one hid.
    QCOMPARE(f.model.findRows(QVariantList {0, 4}), f.rows({0, 4}));
    QCOMPARE(lastAnnounced(visibility),
             (QMap<int, bool> {{0, true}, {1, false}, {2, false}, {3, false}, {4, true}, {5, false}}));
    QCOMPARE(f.model.allPrimaryKey(false), intList({0, 4}));

    // Filter 0: matches only.
    visibility.clear();
    QCOMPARE(f.model.findRows("r1", "name", 0), f.rows({1}));
    QCOMPARE(visibility.size(), 0);
    QCOMPARE(f.model.allPrimaryKey(false), intList({0, 4}));

    // An empty text is a value like any other, not a substring: it hides every row.
    QCOMPARE(f.model.findRows("", "name"), QModelIndexList());
    QCOMPARE(f.model.allPrimaryKey(false), QVariantList());

    // A key that is no data key finds nothing and changes no flag.
    visibility.clear();
    QCOMPARE(f.model.findRows(0, "nokey"), QModelIndexList());
    QCOMPARE(f.model.findRows(QVariantList {0}, "nokey"), QModelIndexList());
    QCOMPARE(visibility.size(), 0);
}

void tst_TTableModel::findByExpression()
{
    Fixture f(0, {"code", "name", "note"});
    f.model.loadData({QVariantList {"A-1", "bolt", "steel"}, QVariantList {"B-2", "nut", "bolt set"},
                      QVariantList {"C-3", "washer", "x"}});
    QSignalSpy visibility(&f.model, &TTableModel::rowVisibleChanged);

    // No keys: the primary key (the first data key) only.
    QCOMPARE(f.model.findRows(QRegExp("bolt")), QModelIndexList());
    QCOMPARE(f.model.findRows(QRegExp("^[AC]")), f.rows({0, 2}));
    QCOMPARE(f.model.allPrimaryKey(false), (QVariantList {"A-1", "C-3"}));

    QCOMPARE(f.model.findRows(QRegExp("BOLT", Qt::CaseInsensitive), {"name", "note", "missing"}), f.rows({0, 1}));
    QCOMPARE(f.model.allPrimaryKey(false), (QVariantList {"A-1", "B-2"}));

    // Keys all unknown: nothing found, nothing hidden.
    visibility.clear();
    QCOMPARE(f.model.findRows(QRegExp(".*"), {"missing", "other"}), QModelIndexList());
    QCOMPARE(visibility.size(), 0);
    QCOMPARE(f.model.findRows(QRegExp("a"), {"name"}, 0), f.rows({2}));
    QCOMPARE(visibility.size(), 0);
    QCOMPARE(f.model.allPrimaryKey(false), (QVariantList {"A-1", "B-2"}));
}

void tst_TTableModel::visibilitySlots()
{
    Fixture f(3);
    QSignalSpy visibility(&f.model, &TTableModel::rowVisibleChanged);
    f.model.setRowVisible(f.model.index(1, 1), false);
    QCOMPARE(visibility.size(), 1);
    // Announced for the row's first column.
    QCOMPARE(visibility.at(0).at(0).toModelIndex(), f.row(1));
    f.model.setRowVisible(f.row(1), false);
    QCOMPARE(visibility.size(), 2);
    f.model.setRowVisible(QModelIndex(), false);
    QCOMPARE(visibility.size(), 2);
    f.model.setRowsVisible({f.row(0), QModelIndex(), f.row(2)}, false);
    QCOMPARE(visibility.size(), 4);
    QCOMPARE(f.model.allPrimaryKey(false), QVariantList());
    f.model.setAllRowsVisible(true);
    QCOMPARE(visibility.size(), 7);
    QCOMPARE(f.model.allPrimaryKey(false), intList({0, 1, 2}));
    f.model.dataList().at(1)->setVisible(false);
    visibility.clear();
    f.model.refreshRowVisible();
    QCOMPARE(lastAnnounced(visibility), (QMap<int, bool> {{0, true}, {1, false}, {2, true}}));
}

void tst_TTableModel::blockMoves_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<QList<int>>("order");

    QTest::newRow("up 2,5") << "up" << QList<int> {2, 5} << QList<int> {0, 2, 5, 1, 3, 4};
    QTest::newRow("down 1,3") << "down" << QList<int> {1, 3} << QList<int> {0, 2, 4, 1, 3, 5};
    QTest::newRow("top 2,5") << "top" << QList<int> {2, 5} << QList<int> {2, 5, 0, 1, 3, 4};
    QTest::newRow("bottom 1,3") << "bottom" << QList<int> {1, 3} << QList<int> {0, 2, 4, 5, 1, 3};
    QTest::newRow("up 0,1 stays") << "up" << QList<int> {0, 1} << QList<int> {0, 1, 2, 3, 4, 5};
    QTest::newRow("down 4,5 stays") << "down" << QList<int> {4, 5} << QList<int> {0, 1, 2, 3, 4, 5};
    QTest::newRow("up with repeats and any order") << "up" << QList<int> {5, 2, 5, 2} << QList<int> {0, 2, 5, 1, 3, 4};
    QTest::newRow("up 0,5 gathers at the top") << "up" << QList<int> {0, 5} << QList<int> {0, 5, 1, 2, 3, 4};
    QTest::newRow("down 0,5 gathers at the end") << "down" << QList<int> {0, 5} << QList<int> {1, 2, 3, 4, 0, 5};
    QTest::newRow("top none") << "top" << QList<int> {} << QList<int> {0, 1, 2, 3, 4, 5};
    QTest::newRow("bottom all") << "bottom" << QList<int> {0, 1, 2, 3, 4, 5} << QList<int> {0, 1, 2, 3, 4, 5};
}

void tst_TTableModel::blockMoves()
{
    QFETCH(QString, operation);
    QFETCH(QList<int>, chosen);
    QFETCH(QList<int>, order);

    Fixture f(6);
    QModelIndexList indexes = f.rows(chosen);
    indexes.append(QModelIndex());
    if (!chosen.isEmpty())
        indexes.append(f.model.index(chosen.first(), 1)); // another cell of a chosen row
    if (operation == "up")
        f.model.moveRowsUp(indexes);
    else if (operation == "down")
        f.model.moveRowsDown(indexes);
    else if (operation == "top")
        f.model.moveRowsTop(indexes);
    else
        f.model.moveRowsBottom(indexes);
    QCOMPARE(f.ids(), intList(order));
}

void tst_TTableModel::movesKeepPersistentIndexes()
{
    Fixture f(6);
    const QPersistentModelIndex five(f.row(5));
    const QPersistentModelIndex one(f.model.index(1, 1));
    QSignalSpy moved(&f.model, &QAbstractItemModel::rowsMoved);
    f.model.moveRowsUp(f.rows({2, 5}));
    QCOMPARE(moved.size(), 2);
    // The first move: row 5 placed before row 1.
    QCOMPARE(moved.at(0).at(1).toInt(), 5);
    QCOMPARE(moved.at(0).at(4).toInt(), 1);
    QCOMPARE(five.row(), 2);
    QCOMPARE(one.row(), 3);
    QCOMPARE(one.column(), 1);
    QCOMPARE(f.model.data(one), QVariant("r1"));
    f.model.moveRowsDown(f.rows({0}));
    // Downward: Qt's destination is the row after the target.
    QCOMPARE(moved.last().at(1).toInt(), 0);
    QCOMPARE(moved.last().at(4).toInt(), 2);
    QCOMPARE(f.ids(), intList({2, 0, 5, 1, 3, 4}));
}

void tst_TTableModel::drop_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("parentRow"); // -1: no parent
    QTest::addColumn<bool>("result");
    QTest::addColumn<QList<int>>("order");

    const int move = Qt::MoveAction;
    const QByteArray four = rowPayload(4);
    const QList<int> same {0, 1, 2, 3, 4, 5};
    QTest::newRow("onto row 1") << move << four << dragType << -1 << 1 << true << QList<int> {0, 4, 1, 2, 3, 5};
    QTest::newRow("before row 1") << move << four << dragType << 1 << -1 << true << QList<int> {0, 4, 1, 2, 3, 5};
    QTest::newRow("between 4 and 5") << move << four << dragType << 5 << -1 << true << same;
    QTest::newRow("onto itself") << move << four << dragType << -1 << 4 << true << same;
    QTest::newRow("below the last row") << move << four << dragType << -1 << -1 << true
                                        << QList<int> {0, 1, 2, 3, 5, 4};
    QTest::newRow("past the end clamped")
            << move << rowPayload(0) << dragType << 99 << -1 << true << QList<int> {1, 2, 3, 4, 5, 0};
    QTest::newRow("row 0 to the top") << move << rowPayload(5) << dragType << 0 << -1 << true
                                      << QList<int> {5, 0, 1, 2, 3, 4};
    QTest::newRow("copy is accepted and ignored") << int(Qt::CopyAction) << four << dragType << 1 << -1 << true << same;
    QTest::newRow("foreign type") << move << four << "text/plain" << 1 << -1 << false << same;
    QTest::newRow("short payload") << move << QByteArray("\0\0", 2) << dragType << 1 << -1 << false << same;
    QTest::newRow("empty payload") << move << QByteArray() << dragType << 1 << -1 << false << same;
    QTest::newRow("row out of range") << move << rowPayload(6) << dragType << 1 << -1 << false << same;
    QTest::newRow("negative row") << move << rowPayload(-1) << dragType << 1 << -1 << false << same;
    QTest::newRow("drop row below -1") << move << four << dragType << -2 << -1 << false << same;
}

void tst_TTableModel::drop()
{
    QFETCH(int, action);
    QFETCH(QByteArray, payload);
    QFETCH(QString, type);
    QFETCH(int, row);
    QFETCH(int, parentRow);
    QFETCH(bool, result);
    QFETCH(QList<int>, order);

    Fixture f(6);
    f.model.setDragMode(1);
    QSignalSpy moved(&f.model, &QAbstractItemModel::rowsMoved);
    std::unique_ptr<QMimeData> mime(dragPayload(payload, type));
    QAbstractItemModel *base = &f.model;
    const QModelIndex parent = parentRow < 0 ? QModelIndex() : f.row(parentRow);
    QCOMPARE(base->dropMimeData(mime.get(), Qt::DropAction(action), row, 0, parent), result);
    QCOMPARE(f.ids(), intList(order));
    QCOMPARE(moved.size(), (order == QList<int> {0, 1, 2, 3, 4, 5} ? 0 : 1));
}

void tst_TTableModel::dragThroughMimeData()
{
    Fixture f(4);
    f.model.setDragMode(1);
    QAbstractItemModel *base = &f.model;
    QCOMPARE(base->mimeTypes(), QStringList {dragType});
    QVERIFY(!base->mimeData({}));
    // Only the first index's row travels.
    std::unique_ptr<QMimeData> mime(base->mimeData({f.row(3), f.row(1)}));
    QVERIFY(mime);
    QCOMPARE(mime->formats(), QStringList {dragType});
    QCOMPARE(mime->data(dragType), rowPayload(3));
    QVERIFY(base->canDropMimeData(mime.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    QVERIFY(base->dropMimeData(mime.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    QCOMPARE(f.ids(), intList({3, 0, 1, 2}));
}

void tst_TTableModel::dragModeFlags()
{
    Fixture f(2);
    QAbstractItemModel *base = &f.model;
    QCOMPARE(f.model.dragMode(), 0);
    QCOMPARE(base->supportedDropActions(), Qt::DropActions(Qt::CopyAction));
    QVERIFY(!(f.model.flags(f.row(0)) & Qt::ItemIsDragEnabled));
    QCOMPARE(int(f.model.flags(QModelIndex())), 0);
    f.model.setProperty("dragMode", 1);
    QCOMPARE(f.model.dragMode(), 1);
    QCOMPARE(base->supportedDropActions(), Qt::DropActions(Qt::MoveAction));
    QVERIFY(f.model.flags(f.row(0)) & Qt::ItemIsDragEnabled);
    QCOMPARE(int(f.model.flags(QModelIndex())), int(Qt::ItemIsDropEnabled));
    f.model.setDragMode(0);
    QCOMPARE(int(f.model.flags(QModelIndex())), 0);
}

QTEST_MAIN(tst_TTableModel)
#include "tst_ttablemodel.moc"
