// The attachment list of the mail composer: entries, the property, the
// context menu with its open and delete actions.
#include "dialogtest.h"
#include "tmailattachmentlistwidget.h"
#include "tmessagebox.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <functional>

namespace {

using dialogtest::whenShown;

void answer(const QString &iButton)
{
    whenShown<TMessageBox>([iButton](TMessageBox *box) {
        auto *button = box->findChild<QPushButton *>(iButton);
        QVERIFY2(button, qPrintable(iButton));
        button->click();
    });
}

} // namespace

// Records the URLs the desktop service is asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &iUrl) { urls.append(iUrl); }
};

class tst_TMailAttachmentListWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void addSkipsMissingFiles();
    void setReplacesAndProperty();
    void menuFollowsSelection_data();
    void menuFollowsSelection();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deletedWhileAsking();
    void openUsesLocalFileUrl();

private:
    QString makeFile(const QString &iName);
    QTemporaryDir mDir;
};

QString tst_TMailAttachmentListWidget::makeFile(const QString &iName)
{
    const QString path = mDir.filePath(iName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1)
        return QString();
    return path;
}

void tst_TMailAttachmentListWidget::initTestCase() { QVERIFY(mDir.isValid()); }

void tst_TMailAttachmentListWidget::addSkipsMissingFiles()
{
    const QString a = makeFile("report.pdf");
    const QString b = makeFile("notes.txt");
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    // A path spelt with a redundant part comes back as it was given.
    const QString bOddlySpelt = mDir.path() + "/./notes.txt";

    TMailAttachmentListWidget list;
    QSignalSpy changed(&list, &TMailAttachmentListWidget::attachmentsChanged);
    list.addAttachments({a, mDir.filePath("missing.csv"), bOddlySpelt});
    QCOMPARE(list.getAttachments(), QStringList({a, bOddlySpelt}));
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.item(0)->text(), QString("report.pdf"));
    QCOMPARE(list.item(1)->text(), QString("notes.txt"));
    QCOMPARE(changed.count(), 1);

    list.addAttachment(mDir.filePath("missing.csv"));
    list.addAttachment(QString());
    QCOMPARE(list.count(), 2);
    QCOMPARE(changed.count(), 1);

    // The same file twice is two entries: the list is what the user added.
    list.addAttachment(a);
    QCOMPARE(list.getAttachments(), QStringList({a, bOddlySpelt, a}));
    QCOMPARE(changed.count(), 2);
}

void tst_TMailAttachmentListWidget::setReplacesAndProperty()
{
    const QString a = makeFile("a.txt");
    const QString b = makeFile("b.txt");
    TMailAttachmentListWidget list;
    QSignalSpy changed(&list, &TMailAttachmentListWidget::attachmentsChanged);
    list.setAttachments({a});
    list.setAttachments({b, a});
    QCOMPARE(list.getAttachments(), QStringList({b, a}));
    list.setAttachments({b, a});
    QCOMPARE(changed.count(), 2);

    // The user property is what a form binds to.
    const QMetaProperty user = list.metaObject()->userProperty();
    QCOMPARE(QString(user.name()), QString("attachments"));
    QVERIFY(user.write(&list, QStringList {a}));
    QCOMPARE(user.read(&list).toStringList(), QStringList({a}));
    QCOMPARE(changed.count(), 3);

    list.setAttachments({});
    QCOMPARE(list.count(), 0);
    QCOMPARE(changed.last().at(0).toStringList(), QStringList());
}

void tst_TMailAttachmentListWidget::menuFollowsSelection_data()
{
    QTest::addColumn<bool>("select");
    QTest::newRow("nothing selected") << false;
    QTest::newRow("one selected") << true;
}

void tst_TMailAttachmentListWidget::menuFollowsSelection()
{
    QFETCH(bool, select);
    TMailAttachmentListWidget list;
    list.setAttachments({makeFile("a.txt")});
    if (select)
        list.item(0)->setSelected(true);
    QStringList seen;
    whenShown<QMenu>([&seen](QMenu *menu) {
        for (QAction *action : menu->actions())
            seen << QString("%1:%2").arg(action->text()).arg(action->isEnabled());
        menu->close();
    });
    // A right click reaches the list through its viewport.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), list.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list.viewport(), &event);
    QCOMPARE(seen, QStringList({QString("Open:%1").arg(select), QString("Delete:%1").arg(select)}));
}

void tst_TMailAttachmentListWidget::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("no keeps all") << "No" << QStringList({"a.txt", "b.txt", "c.txt"});
    QTest::newRow("yes removes the selected") << "Yes" << QStringList({"a.txt"});
}

void tst_TMailAttachmentListWidget::deleteAsksFirst()
{
    QFETCH(QString, button);
    QFETCH(QStringList, kept);
    TMailAttachmentListWidget list;
    list.setAttachments({makeFile("a.txt"), makeFile("b.txt"), makeFile("c.txt")});
    list.item(1)->setSelected(true);
    list.item(2)->setSelected(true);
    QSignalSpy changed(&list, &TMailAttachmentListWidget::attachmentsChanged);
    answer(button);
    list.findChild<QMenu *>()->actions().at(1)->trigger();
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.item(i)->text();
    QCOMPARE(names, kept);
    QCOMPARE(changed.count(), button == "Yes" ? 1 : 0);
}

void tst_TMailAttachmentListWidget::deletedWhileAsking()
{
    QWidget host;
    QPointer<TMailAttachmentListWidget> list = new TMailAttachmentListWidget(&host);
    list->setAttachments({makeFile("a.txt")});
    list->item(0)->setSelected(true);
    // The owner throws the list away, and the question with it, while the question is open.
    whenShown<TMessageBox>([&list](TMessageBox *) { delete list.data(); });
    list->findChild<QMenu *>()->actions().at(1)->trigger();
    QVERIFY(list.isNull());
}

void tst_TMailAttachmentListWidget::openUsesLocalFileUrl()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    const QString odd = makeFile("Plan #2 100% final.txt");
    QVERIFY(!odd.isEmpty());
    TMailAttachmentListWidget list;
    list.setAttachments({odd, makeFile("b.txt")});
    QAction *open = list.findChild<QMenu *>()->actions().at(0);

    open->trigger(); // nothing selected: nothing opened
    QVERIFY(recorder.urls.isEmpty());

    list.item(0)->setSelected(true);
    list.item(1)->setSelected(true);
    open->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(recorder.urls.size(), 1);
    QVERIFY(recorder.urls.first().isLocalFile());
    QCOMPARE(recorder.urls.first().toLocalFile(), odd);
}

QTEST_MAIN(tst_TMailAttachmentListWidget)
#include "tst_tmailattachmentlistwidget.moc"
