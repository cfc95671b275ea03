#include "controlstest.h"
#include "tcombobox.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTemporaryDir>

#include "tresource.h"

using controlstest::expose;
using controlstest::types;

namespace {

QVariantMap row(const QString &iName, const QString &iText, const QVariant &iUserData = QVariant())
{
    QVariantMap map {{"name", iName}, {"text", iText}};
    if (iUserData.isValid())
        map.insert("user_data", iUserData);
    return map;
}

QListWidget *popupList(TComboBox &iBox) { return qobject_cast<QListWidget *>(iBox.view()); }

QLineEdit *searchEntry(TComboBox &iBox)
{
    return iBox.view()->findChild<QLineEdit *>(QStringLiteral("CB_SEARCH_ENTRY"));
}

QStringList visibleTexts(TComboBox &iBox)
{
    QStringList texts;
    for (int i = 0; i < iBox.count(); ++i) {
        if (!popupList(iBox)->isRowHidden(i))
            texts.append(iBox.itemText(i));
    }
    return texts;
}

} // namespace

class tst_TComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemLists_data();
    void itemLists();
    void itemListEvents();
    void valueKey();
    void rowsSharingTextOrName();
    void search_data();
    void search();
    void searchableFlag();
    void icons();
    void listenerMayDeleteTheBox();
    void fromScript();
};

void tst_TComboBox::itemLists_data()
{
    QTest::addColumn<QVariantList>("items");
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QStringList>("texts");
    // What each row is known by to currentName() and the "value" key.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QVariantList>("userData");

    QTest::newRow("empty") << QVariantList {} << QVariantList {} << QStringList {} << QStringList {} << QVariantList {};
    QTest::newRow("plain values") << QVariantList {"a", 2} << QVariantList {row("a", "a"), row("2", "2")}
                                  << QStringList {"a", "2"} << QStringList {"a", "2"}
                                  << QVariantList {QVariant(), QVariant()};
    const QVariantList maps {row("r_01", "Red", 7), row("", "Unnamed"), QVariantMap {{"text", "No name"}},
                             QVariantMap {{"name", "only_name"}}};
    QTest::newRow("maps are kept as given") << maps << maps << QStringList {"Red", "Unnamed", "No name", ""}
                                            << QStringList {"r_01", "Unnamed", "No name", "only_name"}
                                            << QVariantList {7, QVariant(), QVariant(), QVariant()};
    const QVariantHash hash {{"name", "h"}, {"text", "Hash"}, {"user_data", "hd"}};
    QTest::newRow("hash") << QVariantList {hash} << QVariantList {hash} << QStringList {"Hash"} << QStringList {"h"}
                          << QVariantList {"hd"};
    QTest::newRow("mixed: one map per row, in row order")
            << QVariantList {"first", row("x", "X", QVariantList {1, 2}), 3.5}
            << QVariantList {row("first", "first"), row("x", "X", QVariantList {1, 2}), row("3.5", "3.5")}
            << QStringList {"first", "X", "3.5"} << QStringList {"first", "x", "3.5"}
            << QVariantList {QVariant(), QVariantList {1, 2}, QVariant()};
}

void tst_TComboBox::itemLists()
{
    QFETCH(QVariantList, items);
    QFETCH(QVariantList, stored);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, names);
    QFETCH(QVariantList, userData);
    TComboBox box;
    box.setItemList({"old", "rows"});
    box.setCurrentIndex(1);
    QSignalSpy changed(&box, &TComboBox::itemListChanged);
    box.set("item_list", items);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.itemList(), stored);
    QCOMPARE(box.get("item_list"), QVariant(stored));
    QCOMPARE(box.property("itemList"), QVariant(stored));
    QCOMPARE(box.count(), texts.size());
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.get("value"), QVariant(QString()));
    QVERIFY(!box.currentUserData().isValid());
    QVERIFY(box.currentIcon().isNull());
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(box.itemText(i), texts.at(i));
        // Rows given as maps take their icon from the lookup (a placeholder
        // without a name); plain values have none.
        const int type = items.at(i).userType();
        QCOMPARE(box.itemIcon(i).isNull(), type != QMetaType::QVariantMap && type != QMetaType::QVariantHash);
        box.setCurrentName(names.at(i));
        QCOMPARE(box.currentIndex(), i);
        QCOMPARE(box.currentName(), names.at(i));
        QCOMPARE(box.get("value"), QVariant(names.at(i)));
        QCOMPARE(box.currentUserData(), userData.at(i));
    }
}

void tst_TComboBox::itemListEvents()
{
    TComboBox box;
    QSignalSpy spy(&box, SIGNAL(signal(QString, QVariant, QString)));
    box.setItemList({});
    QVERIFY(spy.isEmpty());
    // Qt selects the first row while the list is filled; taking that back is
    // reported like any change of the current row.
    box.setItemList({"a", "b"});
    QCOMPARE(types(spy), (QStringList {"value_changed", "editing_finished"}));
    const QString uuid = controlstest::hexAddress(&box);
    for (const QList<QVariant> &args : qAsConst(spy)) {
        QVERIFY(!args.at(1).isValid());
        QCOMPARE(args.at(2).toString(), uuid);
    }
}

void tst_TComboBox::valueKey()
{
    TComboBox box;
    box.setItemList({row("r", "Red"), row("g", "Green")});
    QSignalSpy spy(&box, SIGNAL(signal(QString, QVariant, QString)));
    box.set("value", "g");
    QCOMPARE(box.currentText(), QStringLiteral("Green"));
    QCOMPARE(types(spy), (QStringList {"value_changed", "editing_finished"}));
    spy.clear();
    box.set("value", "g");
    QVERIFY(spy.isEmpty());
    box.set("value", "no such row");
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(types(spy), (QStringList {"value_changed", "editing_finished"}));
    spy.clear();
    box.set("value", QString());
    QVERIFY(spy.isEmpty());
    box.setProperty("currentName", "r");
    QCOMPARE(box.property("currentName"), QVariant("r"));
}

void tst_TComboBox::rowsSharingTextOrName()
{
    TComboBox box;
    box.setItemList(
            {row("first", "Same"), row("second", "Same"), row("dup", "One"), row("dup", "Two"), row("", "Bare")});
    box.setCurrentIndex(1);
    QCOMPARE(box.currentName(), QStringLiteral("second"));
    box.set("value", "dup");
    QCOMPARE(box.currentIndex(), 2);
    // A row without a name is known by its text, both ways.
    box.set("value", box.get("value"));
    QCOMPARE(box.currentIndex(), 2);
    box.setCurrentIndex(4);
    QCOMPARE(box.get("value"), QVariant("Bare"));
    box.setCurrentIndex(0);
    box.set("value", "Bare");
    QCOMPARE(box.currentIndex(), 4);
}

void tst_TComboBox::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("visible");

    QTest::newRow("empty shows all not hidden by name") << "" << QStringList {"Red", "Blue", "Reddish"};
    QTest::newRow("text, any case") << "RE" << QStringList {"Red", "Reddish"};
    QTest::newRow("name, any case") << "R_0" << QStringList {"Red", "Reddish"};
    QTest::newRow("name only") << "b_03" << QStringList {"Blue"};
    QTest::newRow("hidden by name stays hidden") << "green" << QStringList {};
    QTest::newRow("nothing matches") << "zzz" << QStringList {};
}

void tst_TComboBox::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, visible);
    TComboBox box;
    box.setItemList({row("r_01", "Red"), row("g_02", "Green"), row("b_03", "Blue"), row("r_04", "Reddish")});
    box.setItemVisible("g_02", false);
    QCOMPARE(visibleTexts(box), (QStringList {"Red", "Blue", "Reddish"}));
    QVERIFY(searchEntry(box));
    searchEntry(box)->setText(text);
    QCOMPARE(visibleTexts(box), visible);
    box.setItemVisible("g_02");
    searchEntry(box)->clear();
    QCOMPARE(visibleTexts(box), (QStringList {"Red", "Green", "Blue", "Reddish"}));
}

void tst_TComboBox::searchableFlag()
{
    TComboBox box;
    auto *frame = box.view()->findChild<QFrame *>(QStringLiteral("CB_SEARCH_FRAME"));
    QVERIFY(frame);
    QCOMPARE(frame->parentWidget(), box.view());
    QCOMPARE(searchEntry(box)->placeholderText(), QStringLiteral("Search"));
    QVERIFY(!box.isSearchable());
    QVERIFY(frame->isHidden());
    box.set("searchable", true);
    QVERIFY(!frame->isHidden());
    QCOMPARE(frame->pos(), QPoint(0, 0));
    QCOMPARE(box.get("searchable"), QVariant(true));
    QCOMPARE(box.view()->styleSheet(), QStringLiteral(".QListWidget{padding-top:%1px;}").arg(frame->height()));

    // A validation state keeps the search field and still takes the common handling.
    QSignalSpy spy(&box, SIGNAL(signal(QString, QVariant, QString)));
    box.set("validation_state", "error");
    QVERIFY(!frame->isHidden());
    QCOMPARE(box.get("validation_state"), QVariant("ERROR"));
    QCOMPARE(types(spy), QStringList {"validation_state_changed"});

    box.setSearchable(false);
    QVERIFY(frame->isHidden());
    QCOMPARE(box.view()->styleSheet(), QStringLiteral(".QListWidget{padding-top:0}"));
    box.set("wheel_enabled", true);
    QVERIFY(box.isWheelEnabled());
    QCOMPARE(box.get("wheel_enabled"), QVariant(true));
    box.setWheelEnabled(false);
    QCOMPARE(box.property("wheelEnabled"), QVariant(false));
}

void tst_TComboBox::icons()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage dot(16, 16, QImage::Format_ARGB32);
    dot.fill(Qt::black);
    QVERIFY(dot.save(dir.filePath("dot.png")));
    TResource::instance()->appendIconPath(dir.path());
    TComboBox box;
    box.setItemList({QVariantMap {{"name", "g"}, {"text", "Green"}, {"icon", "dot.#00ff00"}}, "plain",
                     QVariantMap {{"name", "n"}, {"text", "No icon"}}});
    box.setCurrentName("g");
    // The icon comes from the resource lookup, colour suffix and all.
    const QImage shown = box.currentIcon().pixmap(16, 16).toImage();
    const QImage looked = TResource::instance()->icon("dot.#00ff00", "button", "body").pixmap(16, 16).toImage();
    QCOMPARE(shown, looked);
    QVERIFY(shown.pixel(8, 8) != dot.pixel(8, 8));
    QCOMPARE(box.itemIcon(0).cacheKey(), box.currentIcon().cacheKey());
    box.setCurrentName("plain");
    QVERIFY(box.currentIcon().isNull());
    // A row without an icon name shows the lookup's empty placeholder.
    box.setCurrentName("n");
    QVERIFY(!box.currentIcon().isNull());
    QCOMPARE(box.currentIcon().pixmap(16, 16).toImage(),
             TResource::instance()->icon(QString(), "button", "body").pixmap(16, 16).toImage());
    TResource::instance()->removeIconPath(dir.path());
}

void tst_TComboBox::listenerMayDeleteTheBox()
{
    auto *box = new TComboBox;
    QStringList seen;
    connect(box, &TComboBox::signal, this, [&](const QString &type) {
        seen.append(type);
        delete box;
    });
    QPointer<TComboBox> guard(box);
    // Called by name: QComboBox itself cannot survive being deleted inside
    // its own currentIndexChanged, only the box's report of it can.
    QVERIFY(QMetaObject::invokeMethod(box, "onEditFinished"));
    QVERIFY(guard.isNull());
    QCOMPARE(seen, QStringList {"value_changed"});
}

void tst_TComboBox::fromScript()
{
    TComboBox box;
    QJSEngine engine;
    expose(engine, "box", &box);
    const QJSValue r = CONTROLS_EVAL(
            engine,
            "var seen = [];"
            "box.signal.connect(function (type, data, uuid) { seen.push(type); });"
            "box.setItemList(['plain', {name: 'n', text: 'Named', user_data: {ids: [1, 2]}}]);"
            "box.set('value', 'n');"
            "box.set({searchable: true, wheel_enabled: true});"
            "box.setItemVisible('plain', false);"
            "[box.currentName, box.get('value'), box.currentUserData().ids.join('+'), box.itemList[0].text,"
            " box.itemList[1].user_data.ids.length, box.searchable, box.isWheelEnabled(), seen.join(',')].join('|')");
    QVERIFY(!r.isError());
    QCOMPARE(r.toString(), QStringLiteral("n|n|1+2|plain|2|true|true|"
                                          "value_changed,editing_finished,value_changed,editing_finished"));
    QCOMPARE(box.currentUserData(), QVariant(QVariantMap {{"ids", QVariantList {1, 2}}}));
    QCOMPARE(visibleTexts(box), QStringList {"Named"});

    CONTROLS_EVAL(engine, "box.set('item_list', ['p', {name: 'q', text: 'Q', user_data: [3]}]); box.set('value', 'q')");
    QCOMPARE(box.itemList(), (QVariantList {row("p", "p"), row("q", "Q", QVariantList {3})}));
    QCOMPARE(box.currentUserData(), QVariant(QVariantList {3}));
}

QTEST_MAIN(tst_TComboBox)
#include "tst_tcombobox.moc"
