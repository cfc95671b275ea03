#include "tsearchentry.h"

#include <QAction>
#include <QCompleter>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QVariantMap option(const QString &iText, const QString &iName, const QVariantMap &iUserData = QVariantMap())
{
    QVariantMap map {{QStringLiteral("text"), iText}, {QStringLiteral("name"), iName}};
    if (!iUserData.isEmpty())
        map.insert(QStringLiteral("userData"), iUserData);
    return map;
}

QVariantMap typed(const QString &iType) { return QVariantMap {{QStringLiteral("type"), iType}}; }

// Name, Code and Id as the pick lists configure them.
QVariantList threeOptions()
{
    return QVariantList {option(QStringLiteral("Name"), QStringLiteral("name")),
                         option(QStringLiteral("Code"), QStringLiteral("code")),
                         option(QStringLiteral("Id"), QStringLiteral("id"), typed(QStringLiteral("int")))};
}

QAction *actionNamed(TSearchEntry &iEntry, const QString &iName)
{
    const QList<QAction *> actions = iEntry.findChildren<QAction *>(iName);
    return actions.value(0);
}

QToolButton *optionButton(TSearchEntry &iEntry)
{
    for (QToolButton *button : iEntry.lineEdit()->findChildren<QToolButton *>()) {
        if (button->objectName() != QLatin1String("CLEAR_BUTTON"))
            return button;
    }
    return nullptr;
}

QToolButton *clearButton(TSearchEntry &iEntry)
{
    return iEntry.lineEdit()->findChild<QToolButton *>(QStringLiteral("CLEAR_BUTTON"));
}

} // namespace

class tst_TSearchEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construction();
    void optionList();
    void multiOptions();
    void singleOption();
    void setActiveOptionsOnlyWhereTheModeAllows();
    void switchingModes();
    void labelAndPlaceholder();
    void textAndClearButton();
    void clearTextSearchesAtOnce();
    void delayedSearch();
    void noDelayWaitsForEnter();
    void enterSearchesAndStaysInTheEntry();
    void listenerMayDeleteTheEntry_data();
    void listenerMayDeleteTheEntry();
    void completer();
    void sqlWhere_data();
    void sqlWhere();
    void sqlWhereFollowsTheMode();
};

void tst_TSearchEntry::construction()
{
    TSearchEntry entry;
    QVERIFY(entry.lineEdit());
    QCOMPARE(entry.focusProxy(), entry.lineEdit());
    QCOMPARE(entry.optionMode(), TSearchEntry::MultiOption);
    QCOMPARE(entry.searchDelayTime(), 0);
    QVERIFY(entry.lineEdit()->placeholderText().isEmpty());
    QVERIFY(!optionButton(entry)->isEnabled());
    QVERIFY(!clearButton(entry)->isEnabled());
    QVERIFY(clearButton(entry)->isHidden());
    QVERIFY(entry.findChild<QLabel *>()->isHidden());
    // The text keeps clear of both buttons.
    QVERIFY(entry.lineEdit()->textMargins().left() > 0);
    QVERIFY(entry.lineEdit()->textMargins().right() > 0);
    const QMetaProperty user = entry.metaObject()->userProperty();
    QCOMPARE(user.name(), "text");
    QVERIFY(user.hasNotifySignal());
}

void tst_TSearchEntry::optionList()
{
    TSearchEntry entry;
    QVariantHash hashOption {{QStringLiteral("text"), QStringLiteral("Code")},
                             {QStringLiteral("name"), QStringLiteral("code")},
                             {QStringLiteral("userData"), typed(QStringLiteral("int"))}};
    const QVariantList list {option(QStringLiteral("Name"), QStringLiteral("name")), hashOption,
                             QStringLiteral("not an option")};
    entry.setOptionList(list);
    QCOMPARE(entry.optionList(), list);
    QVERIFY(optionButton(entry)->isEnabled());
    QMenu *menu = optionButton(entry)->menu();
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Name"));
    QCOMPARE(actions.at(0)->objectName(), QStringLiteral("name"));
    QCOMPARE(actions.at(1)->objectName(), QStringLiteral("code"));
    QCOMPARE(actions.at(1)->data().toMap(), typed(QStringLiteral("int")));
    QVERIFY(actions.at(2)->text().isEmpty());
    QVERIFY(actions.at(2)->objectName().isEmpty());
    for (QAction *action : actions)
        QVERIFY(action->isCheckable());

    // A new list replaces the actions; an empty one disables the button.
    QPointer<QAction> old = actions.at(0);
    entry.setOptionList(QVariantList());
    QVERIFY(!old);
    QVERIFY(!optionButton(entry)->isEnabled());
    QVERIFY(optionButton(entry)->menu()->actions().isEmpty());
}

void tst_TSearchEntry::multiOptions()
{
    TSearchEntry entry;
    entry.setOptionList(threeOptions());
    QSignalSpy searches(&entry, &TSearchEntry::search);

    actionNamed(entry, QStringLiteral("code"))->trigger();
    actionNamed(entry, QStringLiteral("name"))->trigger();
    QCOMPARE(entry.activeOptions(), (QStringList {"code", "name"}));
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Search Code,Name"));

    actionNamed(entry, QStringLiteral("code"))->trigger(); // unchecks it
    QCOMPARE(entry.activeOptions(), QStringList {"name"});
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Search Name"));
    QCOMPARE(searches.count(), 0); // choosing is no search

    entry.setText(QStringLiteral("x"));
    entry.clearText();
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.at(0).at(1).userType(), int(QMetaType::QStringList));
    QCOMPARE(searches.at(0).at(1).toStringList(), QStringList {"name"});

    // The active choice survives a new list.
    entry.setOptionList(threeOptions());
    QCOMPARE(entry.activeOptions(), QStringList {"name"});
}

void tst_TSearchEntry::singleOption()
{
    TSearchEntry entry;
    entry.setOptionMode(TSearchEntry::SingleOption);
    entry.setOptionList(threeOptions());
    QSignalSpy searches(&entry, &TSearchEntry::search);

    entry.clearText();
    QCOMPARE(searches.at(0).at(1).userType(), int(QMetaType::QString));
    QCOMPARE(searches.at(0).at(1).toString(), QString());

    actionNamed(entry, QStringLiteral("name"))->trigger();
    actionNamed(entry, QStringLiteral("code"))->trigger();
    QVERIFY(!actionNamed(entry, QStringLiteral("name"))->isChecked()); // exclusive
    QCOMPARE(entry.activeOption(), QStringLiteral("code"));
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Search Code"));

    entry.setActiveOption(QStringLiteral("id"));
    QCOMPARE(entry.activeOption(), QStringLiteral("id"));
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Search Id"));
    entry.setActiveOption(QStringLiteral("nothing"));
    QCOMPARE(entry.activeOption(), QStringLiteral("id"));

    entry.clearText();
    QCOMPARE(searches.at(1).at(1).toString(), QStringLiteral("id"));
}

void tst_TSearchEntry::setActiveOptionsOnlyWhereTheModeAllows()
{
    TSearchEntry entry;
    entry.setOptionList(threeOptions());
    entry.setActiveOptions(QStringList {"id", "name", "unknown"});
    // Action order, not the order given.
    QCOMPARE(entry.activeOptions(), (QStringList {"name", "id"}));
    QVERIFY(actionNamed(entry, QStringLiteral("name"))->isChecked());
    QVERIFY(!actionNamed(entry, QStringLiteral("code"))->isChecked());
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Search Name,Id"));

    entry.setActiveOptions(QStringList());
    QCOMPARE(entry.activeOptions(), (QStringList {"name", "id"}));
    entry.setActiveOptions(QStringList {"Code"}); // names are case-sensitive
    QVERIFY(entry.activeOptions().isEmpty());

    entry.setActiveOption(QStringLiteral("code")); // not in multi-option mode
    QVERIFY(entry.activeOption().isEmpty());

    entry.setOptionMode(TSearchEntry::SingleOption);
    entry.setActiveOptions(QStringList {"code"});
    QVERIFY(entry.activeOptions().isEmpty());
}

void tst_TSearchEntry::switchingModes()
{
    TSearchEntry entry;
    entry.setOptionList(threeOptions());
    entry.setOptionMode(TSearchEntry::SingleOption);
    QAction *name = actionNamed(entry, QStringLiteral("name"));
    QAction *code = actionNamed(entry, QStringLiteral("code"));
    name->trigger();
    code->trigger();
    QVERIFY(!name->isChecked());

    entry.setOptionMode(TSearchEntry::MultiOption);
    QCOMPARE(entry.optionMode(), TSearchEntry::MultiOption);
    name->trigger();
    QVERIFY(name->isChecked());
    QVERIFY(code->isChecked()); // independent again
    QVERIFY(!name->actionGroup());
}

void tst_TSearchEntry::labelAndPlaceholder()
{
    TSearchEntry entry;
    auto *label = entry.findChild<QLabel *>();
    entry.setLabel(QStringLiteral("Part"));
    QCOMPARE(entry.label(), QStringLiteral("Part"));
    QCOMPARE(entry.property("label").toString(), QStringLiteral("Part"));
    QVERIFY(!label->isHidden());
    entry.setLabel(QString());
    QVERIFY(label->isHidden());

    entry.setOptionList(threeOptions());
    entry.setPlaceholderText(QStringLiteral("Find by %1 ..."));
    QVERIFY(entry.lineEdit()->placeholderText().isEmpty()); // at the next refresh only
    entry.setActiveOptions(QStringList {"code"});
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Find by Code ..."));
    entry.setPlaceholderText(QString());
    entry.setActiveOptions(QStringList {"name"});
    QCOMPARE(entry.lineEdit()->placeholderText(), QStringLiteral("Find by Code ..."));
}

void tst_TSearchEntry::textAndClearButton()
{
    TSearchEntry entry;
    QSignalSpy changes(&entry, &TSearchEntry::textChanged);
    entry.setText(QStringLiteral("abc"));
    QCOMPARE(entry.text(), QStringLiteral("abc"));
    QCOMPARE(entry.property("text").toString(), QStringLiteral("abc"));
    QCOMPARE(changes.count(), 1);
    QVERIFY(clearButton(entry)->isEnabled());
    QVERIFY(!clearButton(entry)->isHidden());
    entry.selectAll();
    QCOMPARE(entry.lineEdit()->selectedText(), QStringLiteral("abc"));
    entry.setText(QString());
    QVERIFY(!clearButton(entry)->isEnabled());
    QVERIFY(clearButton(entry)->isHidden());
}

void tst_TSearchEntry::clearTextSearchesAtOnce()
{
    TSearchEntry entry;
    entry.setSearchDelayTime(50);
    QSignalSpy searches(&entry, &TSearchEntry::search);
    QSignalSpy changes(&entry, &TSearchEntry::textChanged);
    entry.setText(QStringLiteral("abc"));
    clearButton(entry)->click();
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.at(0).at(0).toString(), QString());
    QVERIFY(entry.text().isEmpty());
    QVERIFY(clearButton(entry)->isHidden());
    QCOMPARE(changes.count(), 2);
    // The pending delayed search was for the text that is gone.
    QTest::qWait(150);
    QCOMPARE(searches.count(), 1);
}

void tst_TSearchEntry::delayedSearch()
{
    TSearchEntry entry;
    entry.setSearchDelayTime(300);
    QSignalSpy searches(&entry, &TSearchEntry::search);
    QTest::keyClicks(entry.lineEdit(), QStringLiteral("abc"));
    QCOMPARE(searches.count(), 0);
    QVERIFY(searches.wait(5000));
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.at(0).at(0).toString(), QStringLiteral("abc"));
    QTest::qWait(400);
    QCOMPARE(searches.count(), 1);

    // Switching the delay off drops a search still waiting.
    QTest::keyClicks(entry.lineEdit(), QStringLiteral("d"));
    entry.setSearchDelayTime(0);
    QTest::qWait(400);
    QCOMPARE(searches.count(), 1);
}

void tst_TSearchEntry::noDelayWaitsForEnter()
{
    TSearchEntry entry;
    QSignalSpy searches(&entry, &TSearchEntry::search);
    QTest::keyClicks(entry.lineEdit(), QStringLiteral("abc"));
    QTest::qWait(100);
    QCOMPARE(searches.count(), 0);
    QTest::keyClick(entry.lineEdit(), Qt::Key_Return);
    QVERIFY(searches.wait(5000));
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.at(0).at(0).toString(), QStringLiteral("abc"));
}

void tst_TSearchEntry::enterSearchesAndStaysInTheEntry()
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *entry = new TSearchEntry(&dialog);
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    layout->addWidget(entry);
    layout->addWidget(ok);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    QSignalSpy searches(entry, &TSearchEntry::search);
    entry->setText(QStringLiteral("x"));
    QTest::keyClick(entry->lineEdit(), Qt::Key_Enter);
    QVERIFY(searches.wait(5000));
    QCOMPARE(clicked.count(), 0);
}

void tst_TSearchEntry::listenerMayDeleteTheEntry_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("clear button") << "clear";
    QTest::newRow("enter") << "enter";
    QTest::newRow("delay") << "delay";
}

void tst_TSearchEntry::listenerMayDeleteTheEntry()
{
    QFETCH(QString, how);
    QWidget parent;
    QPointer<TSearchEntry> entry = new TSearchEntry(&parent);
    entry->setText(QStringLiteral("x"));
    connect(entry, &TSearchEntry::search, entry, [&entry] { delete entry; });
    if (how == QLatin1String("clear"))
        clearButton(*entry)->click();
    else if (how == QLatin1String("enter"))
        QTest::keyClick(entry->lineEdit(), Qt::Key_Return);
    else {
        entry->setSearchDelayTime(10);
        entry->setText(QStringLiteral("y"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!entry, 5000);
}

void tst_TSearchEntry::completer()
{
    TSearchEntry entry;
    entry.addCompleterList(QStringList {"alpha", "beta"});
    QPointer<QCompleter> first = entry.lineEdit()->completer();
    QVERIFY(first);
    QCOMPARE(first->completionMode(), QCompleter::InlineCompletion);
    entry.addCompleterList(QStringList {"gamma"});
    QCompleter *second = entry.lineEdit()->completer();
    QVERIFY(second != first);
    QCOMPARE(second->completionMode(), QCompleter::InlineCompletion);
    QCOMPARE(second->model()->rowCount(), 1);
    QTRY_VERIFY(!first); // the replaced one is freed
}

void tst_TSearchEntry::sqlWhere_data()
{
    QTest::addColumn<QVariantList>("options");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("where");

    const QVariantList code {option(QStringLiteral("Code"), QStringLiteral("code"))};
    const QVariantList name {option(QStringLiteral("Name"), QStringLiteral("name"))};
    const QVariantList idAndName {option(QStringLiteral("Id"), QStringLiteral("id"), typed(QStringLiteral("INT"))),
                                  option(QStringLiteral("Name"), QStringLiteral("name"))};
    const QVariantList width {
            option(QStringLiteral("Width"), QStringLiteral("width"), typed(QStringLiteral("number")))};
    const QVariantList created {
            option(QStringLiteral("Created"), QStringLiteral("created"), typed(QStringLiteral("date")))};
    const QVariantList stamp {
            option(QStringLiteral("Stamp"), QStringLiteral("stamp"), typed(QStringLiteral("datetime")))};
    const QVariantList exact {option(QStringLiteral("Code"), QStringLiteral("code"),
                                     QVariantMap {{QStringLiteral("caseSensitive"), true}})};
    const QVariantList notExact {option(QStringLiteral("Code"), QStringLiteral("code"),
                                        QVariantMap {{QStringLiteral("caseSensitive"), false}})};

    QTest::newRow("star is any text") << code << QStringList {"code"} << "ab*c"
                                      << "LOWER(code) LIKE '%ab%c%'";
    QTest::newRow("quote doubled, lower case") << name << QStringList {"name"} << "O'Neil"
                                               << "LOWER(name) LIKE '%o''neil%'";
    QTest::newRow("backslash doubled") << name << QStringList() << "a\\b"
                                       << "LOWER(name) LIKE '%a\\\\b%'";
    QTest::newRow("escaped quote cannot close the literal") << name << QStringList() << "\\' OR 1=1 -- "
                                                            << "LOWER(name) LIKE '%\\\\'' or 1=1 -- %'";
    QTest::newRow("case-sensitive keeps the case") << exact << QStringList() << "Ab'C"
                                                   << "code LIKE '%Ab''C%'";
    QTest::newRow("caseSensitive false") << notExact << QStringList() << "Ab"
                                         << "LOWER(code) LIKE '%ab%'";
    QTest::newRow("no field active: every option") << idAndName << QStringList() << "12"
                                                   << "id = 12 OR LOWER(name) LIKE '%12%'";
    QTest::newRow("not an integer") << idAndName << QStringList() << "1x"
                                    << "LOWER(name) LIKE '%1x%'";
    QTest::newRow("integer written as read") << idAndName << QStringList {"id"} << " 007"
                                             << "id = 7";
    QTest::newRow("integer beyond 32 bits") << idAndName << QStringList {"id"} << "5000000000"
                                            << "id = 5000000000";
    QTest::newRow("only the active field") << idAndName << QStringList {"name"} << "12"
                                           << "LOWER(name) LIKE '%12%'";
    QTest::newRow("number in full") << width << QStringList() << "1234567"
                                    << "width = 1234567";
    QTest::newRow("number fraction") << width << QStringList() << "0.1"
                                     << "width = 0.1";
    QTest::newRow("number exponent") << width << QStringList() << "2.5e-7"
                                     << "width = 2.5e-07";
    QTest::newRow("number not finite") << width << QStringList() << "inf"
                                       << "";
    QTest::newRow("number nan") << width << QStringList() << "nan"
                                << "";
    QTest::newRow("number unreadable") << width << QStringList() << "1,5"
                                       << "";
    QTest::newRow("date compact") << created << QStringList() << "20240105"
                                  << "(created >= '2024-01-05' AND created < '2024-01-06')";
    QTest::newRow("date range with tilde") << created << QStringList() << "2024-01-01~2024-01-31"
                                           << "(created >= '2024-01-01' AND created < '2024-01-31')";
    QTest::newRow("date range with blank and comma") << stamp << QStringList() << "2024-01-01 , 240201"
                                                     << "(stamp >= '2024-01-01' AND stamp < '2024-02-01')";
    QTest::newRow("two-digit year is this century") << created << QStringList() << "240105"
                                                    << "(created >= '2024-01-05' AND created < '2024-01-06')";
    QTest::newRow("unreadable end: one day") << created << QStringList() << "2024-02-28~x"
                                             << "(created >= '2024-02-28' AND created < '2024-02-29')";
    QTest::newRow("leading blank") << created << QStringList() << " 20240105"
                                   << "";
    QTest::newRow("leading tilde") << created << QStringList() << "~20240105"
                                   << "";
    QTest::newRow("no date") << created << QStringList() << "2024-13-01"
                             << "";
    QTest::newRow("empty text") << idAndName << QStringList() << ""
                                << "";
    QTest::newRow("no options") << QVariantList() << QStringList() << "abc"
                                << "";
}

void tst_TSearchEntry::sqlWhere()
{
    QFETCH(QVariantList, options);
    QFETCH(QStringList, active);
    QFETCH(QString, text);
    QFETCH(QString, where);
    TSearchEntry entry;
    entry.setOptionList(options);
    entry.setActiveOptions(active);
    entry.setText(text);
    QCOMPARE(entry.sqlWhere(), where);
}

void tst_TSearchEntry::sqlWhereFollowsTheMode()
{
    TSearchEntry entry;
    entry.setOptionList(threeOptions());
    entry.setText(QStringLiteral("7"));
    entry.setActiveOptions(QStringList {"id", "code"});
    QCOMPARE(entry.sqlWhere(), QStringLiteral("LOWER(code) LIKE '%7%' OR id = 7")); // menu order

    // Single-option mode reads the one active option, or all fields without one.
    entry.setOptionMode(TSearchEntry::SingleOption);
    QCOMPARE(entry.sqlWhere(), QStringLiteral("LOWER(name) LIKE '%7%' OR LOWER(code) LIKE '%7%' OR id = 7"));
    entry.setActiveOption(QStringLiteral("id"));
    QCOMPARE(entry.sqlWhere(), QStringLiteral("id = 7"));
}

QTEST_MAIN(tst_TSearchEntry)
#include "tst_tsearchentry.moc"
