// The operation log view: records, categories, search and category filter.
#include "tcombobox.h"
#include "tlogview.h"
#include "tsearchentry.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

QVariantMap record(int iId, const QString &iCategory, const QString &iUser, const QString &iAction,
                   const QString &iSite = QStringLiteral("plant 1"))
{
    return QVariantMap {{"id", iId},          {"category", iCategory},
                        {"user_name", iUser}, {"action_type", iAction},
                        {"site", iSite},      {"action_time", "2026-12-01 08:00:00"}};
}

// The ids of the shown rows in table order.
QString shown(TTableView *iView)
{
    QStringList out;
    auto *model = qobject_cast<TTableModel *>(iView->model());
    for (int r = 0; r < model->rowCount(); ++r) {
        if (!iView->isRowHidden(r))
            out << model->rowDataMap(model->index(r, 0)).value("id").toString();
    }
    return out.join(' ');
}

QStringList boxTexts(QComboBox *iBox)
{
    QStringList texts;
    for (int i = 0; i < iBox->count(); ++i)
        texts << iBox->itemText(i);
    return texts;
}

// A list record: the values in data-key order.
QVariantList listRecord(int iId, const QString &iCategory, const QString &iUser)
{
    return {iId, 0, iCategory, "2026-12-02 09:00:00", iUser, 7, "scan", 1, "plant 2", QVariantList(), "", "", ""};
}

struct LogFixture
{
    LogFixture()
        : view(new TLogView)
        , table(view->findChild<TTableView *>())
        , box(view->findChild<TComboBox *>())
        , search(view->findChild<TSearchEntry *>())
        , tester(table->model(), QAbstractItemModelTester::FailureReportingMode::Fatal)
    {}
    ~LogFixture() { delete view.data(); }

    // What a user's choice in the category box does.
    void choose(const QString &iCategory)
    {
        box->setCurrentIndex(box->findText(iCategory));
        Q_EMIT box->activated(box->currentIndex());
    }

    QPointer<TLogView> view;
    TTableView *table;
    TComboBox *box;
    TSearchEntry *search;
    QAbstractItemModelTester tester;
};

} // namespace

class tst_TLogView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void categoriesOnlyGrow();
    void recordForms();
    void categoryNarrowsSearchResult_data();
    void categoryNarrowsSearchResult();
    void searchFields();
    void setCategoryDoesNotFilter();
    void labels_data();
    void labels();
    void refreshOnlySignals();
    void closeDeletes();
};

void tst_TLogView::construction()
{
    LogFixture f;
    QVERIFY(f.table && f.box && f.search);
    QCOMPARE(f.view->size(), QSize(800, 600));
    QCOMPARE(f.table->dataKeyList(),
             QStringList({"id", "row_id", "category", "action_time", "user_name", "user_id", "action_type", "log_level",
                          "site", "tags", "tags.text", "remark", "detail"}));
    QStringList columns;
    for (int c = 0; c < f.table->model()->columnCount(); ++c)
        columns << f.table->columnName(c);
    QCOMPARE(columns, QStringList({"action_time", "user_name", "action_type", "remark", "site"}));
    QCOMPARE(boxTexts(f.box), QStringList({"All"}));
    QCOMPARE(f.search->searchDelayTime(), 1);
    QCOMPARE(f.table->selectionMode(), QAbstractItemView::ExtendedSelection);
}

void tst_TLogView::categoriesOnlyGrow()
{
    LogFixture f;
    f.view->setLog({record(1, "login", "ann", "sign in"), record(2, "", "bob", "view"),
                    record(3, "tooling", "cid", "claim"), record(4, "login", "dan", "sign out")});
    QCOMPARE(boxTexts(f.box), QStringList({"All", "login", "tooling"}));
    f.choose("tooling");
    QCOMPARE(shown(f.table), QString("3"));

    // A later load adds its new categories, keeps the old ones, and starts again from "All".
    f.view->setLog({record(5, "Login", "eve", "sign in"), listRecord(6, "press", "fay")});
    QCOMPARE(boxTexts(f.box), QStringList({"All", "login", "tooling", "Login", "press"}));
    QCOMPARE(f.box->currentText(), QString("All"));
    QCOMPARE(shown(f.table), QString("5 6"));
    f.choose("press");
    QCOMPARE(shown(f.table), QString("6"));
}

void tst_TLogView::recordForms()
{
    LogFixture f;
    QVariantMap tagged = record(1, "a", "ann", "x");
    tagged.insert("tags", QStringList({"urgent", "line 3"}));
    f.view->setLog({tagged, record(2, "a", "bob", "y"), listRecord(3, "b", "cid"), QString("stray")});
    auto *model = qobject_cast<TTableModel *>(f.table->model());
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(model->rowDataMap(model->index(0, 0)).value("tags.text").toString(), QString("urgent,line 3"));
    QCOMPARE(model->rowDataMap(model->index(1, 0)).value("tags.text").toString(), QString(""));
    QCOMPARE(model->rowDataMap(model->index(2, 0)).value("user_name").toString(), QString("cid"));
    QCOMPARE(boxTexts(f.box), QStringList({"All", "a", "b"}));
}

void tst_TLogView::categoryNarrowsSearchResult_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no text, all") << ""
                                  << "All"
                                  << "1 2 3 4 5 6";
    QTest::newRow("no text, one category") << ""
                                           << "press"
                                           << "2 4 6";
    QTest::newRow("text, all") << "b*"
                               << "All"
                               << "2 3 4";
    QTest::newRow("text and category") << "b*"
                                       << "press"
                                       << "2 4";
    QTest::newRow("text and other category") << "b*"
                                             << "login"
                                             << "3";
    QTest::newRow("nothing matches") << "zz"
                                     << "press"
                                     << "";
}

void tst_TLogView::categoryNarrowsSearchResult()
{
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(QString, expected);
    LogFixture f;
    // The categories alternate, so rows the search hid sit between the ones judged.
    f.view->setLog({record(1, "login", "ann", "sign in"), record(2, "press", "bob", "load"),
                    record(3, "login", "Bea", "sign in"), record(4, "press", "ben", "unload"),
                    record(5, "login", "cid", "sign out"), record(6, "press", "dan", "load")});
    f.table->selectAll();
    f.search->setText(text);
    f.choose(category);
    QCOMPARE(shown(f.table), expected);
    if (category != "All")
        QVERIFY(f.table->selectedIndexes().isEmpty());
    // Back to "All": the search text alone decides again.
    f.choose("All");
    f.view->applyFilter();
    QCOMPARE(shown(f.table), text.isEmpty() ? QString("1 2 3 4 5 6") : text == "zz" ? QString() : QString("2 3 4"));
}

void tst_TLogView::searchFields()
{
    LogFixture f;
    f.view->setLog({record(1, "a", "ann", "press", "plant 1"), record(2, "a", "pete", "scan", "plant 2"),
                    record(3, "a", "cid", "scan", "press hall")});
    f.search->setText("p*");
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("1 2 3"));
    f.search->setActiveOptions({"site"});
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("1 2 3"));
    f.search->setText("press*");
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("3"));
    f.search->setActiveOptions({"action_type", "site"});
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("1 3"));

    // New options replace the offered fields; the search still works on them.
    f.view->setSearchOptions({QVariantMap {{"name", "user_name"}, {"text", "Who"}}});
    QCOMPARE(f.search->optionList().size(), 1);
    f.view->setSearchText("Find %1");
    f.search->setActiveOptions({"user_name"});
    f.search->setText("pe*");
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("2"));
    QCOMPARE(f.search->lineEdit()->placeholderText(), QString("Find Who"));
}

void tst_TLogView::setCategoryDoesNotFilter()
{
    LogFixture f;
    f.view->setLog({record(1, "a", "ann", "x"), record(2, "b", "bob", "y")});
    f.view->setCategory("b");
    QCOMPARE(f.box->currentText(), QString("b"));
    QCOMPARE(shown(f.table), QString("1 2"));
    f.view->applyFilter();
    QCOMPARE(shown(f.table), QString("2"));
    f.view->setCategory("B");
    QCOMPARE(f.box->currentIndex(), -1);
}

void tst_TLogView::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("Detail") << "Detail"
                            << "Detail";
    QTest::newRow("Row Id") << "Row Id"
                            << "Row Id";
    QTest::newRow("unknown") << "Colour"
                             << "";
    QTest::newRow("case matters") << "detail"
                                  << "";
}

void tst_TLogView::labels()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    TLogView *view = new TLogView;
    QCOMPARE(view->getTransferedStr(label), text);
    delete view;
}

void tst_TLogView::refreshOnlySignals()
{
    LogFixture f;
    f.view->setLog({record(1, "a", "ann", "x")});
    QSignalSpy refresh(f.view.data(), &TLogView::refreshLogInfo);
    QSignalSpy changed(f.table, &TTableView::anyDataChanged);
    QToolButton *button = nullptr;
    for (QToolButton *b : f.view->findChildren<QToolButton *>()) {
        if (b->text() == "Refresh")
            button = b;
    }
    QVERIFY(button);
    button->click();
    QCOMPARE(refresh.count(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(shown(f.table), QString("1"));
}

void tst_TLogView::closeDeletes()
{
    QPointer<TLogView> view = new TLogView;
    view->show();
    view->close();
    QTRY_VERIFY_WITH_TIMEOUT(view.isNull(), 5000);
}

QTEST_MAIN(tst_TLogView)
#include "tst_tlogview.moc"
