// The dialog button row built from button specifications.
#include "tdialogbuttonbox.h"

#include <QGraphicsDropShadowEffect>
#include <QPushButton>
#include <QtTest>

class tst_TDialogButtonBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void specifications_data();
    void specifications();
    void styling();
    void emptyAndReplaced();
};

void tst_TDialogButtonBox::specifications_data()
{
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("standard"); // NoButton: a plain button with a role
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("colour");

    using B = QDialogButtonBox;
    QTest::newRow("leading colon shifts") << ":Ok:Accept"
                                          << "Ok"
                                          << "Accept" << int(B::NoButton) << int(B::AcceptRole) << "";
    QTest::newRow("four fields") << "Save:save:Accept:primary"
                                 << "Save"
                                 << "save" << int(B::NoButton) << int(B::AcceptRole) << "PRIMARY";
    QTest::newRow("yes") << ":Yes:Yes"
                         << "Yes"
                         << "Yes" << int(B::Yes) << int(B::YesRole) << "PRIMARY";
    QTest::newRow("one word") << "Retry"
                              << "Retry"
                              << "Retry" << int(B::Retry) << int(B::AcceptRole) << "";
    QTest::newRow("destructive") << "Delete:del:Destructive:error"
                                 << "Delete"
                                 << "del" << int(B::NoButton) << int(B::DestructiveRole) << "ERROR";
    QTest::newRow("unknown role accepts") << "Go:go:Onwards"
                                          << "Go"
                                          << "go" << int(B::NoButton) << int(B::AcceptRole) << "";
    QTest::newRow("role word with Role") << "Stop:stop:RejectRole"
                                         << "Stop"
                                         << "stop" << int(B::NoButton) << int(B::RejectRole) << "";
    QTest::newRow("standard by ending, any case") << "Abbrechen:cancel:pleasecancel"
                                                  << "Abbrechen"
                                                  << "cancel" << int(B::Cancel) << int(B::RejectRole) << "ERROR";
    QTest::newRow("SaveAll is not Save") << "All:all:SaveAll"
                                         << "All"
                                         << "all" << int(B::SaveAll) << int(B::AcceptRole) << "";
    QTest::newRow("discard colour") << "Drop:Discard"
                                    << "Drop"
                                    << "Discard" << int(B::Discard) << int(B::DestructiveRole) << "WARN";
    QTest::newRow("No") << "Nein:No"
                        << "Nein"
                        << "No" << int(B::No) << int(B::NoRole) << "ERROR";
}

void tst_TDialogButtonBox::specifications()
{
    QFETCH(QString, spec);
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(int, standard);
    QFETCH(int, role);
    QFETCH(QString, colour);

    TDialogButtonBox box;
    box.setButtons({spec});
    QCOMPARE(box.buttons().size(), 1);
    auto *button = box.findChild<QPushButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), text);
    QCOMPARE(int(box.standardButton(button)), standard);
    QCOMPARE(int(box.buttonRole(button)), role);
    QCOMPARE(button->property("SS_COLOR").toString(), colour);
}

void tst_TDialogButtonBox::styling()
{
    TDialogButtonBox box;
    box.setButtons({"Ok", "Later:later:Reject"});
    for (QAbstractButton *button : box.buttons()) {
        QCOMPARE(button->property("SS_TYPE"), QVariant("RAISED"));
        QCOMPARE(button->styleSheet(), QString("QPushButton{}"));
        QVERIFY(button->minimumWidth() >= 120);
        QVERIFY(button->minimumHeight() >= 36);
        auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(button->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->offset(), QPointF(0, 0));
    }
    box.setAttr("enabled", false);
    QVERIFY(!box.isEnabled());
}

void tst_TDialogButtonBox::emptyAndReplaced()
{
    TDialogButtonBox box;
    box.setButtons({"Ok", "Cancel", "Apply:apply:Action"});
    QCOMPARE(box.buttons().size(), 3);
    QPointer<QAbstractButton> old = box.findChild<QPushButton *>("Cancel");
    box.setButtons({"Close"});
    QCOMPARE(box.buttons().size(), 1);
    QVERIFY(box.findChild<QPushButton *>("Close"));
    QTRY_VERIFY(old.isNull());
    box.setButtons({});
    QVERIFY(box.buttons().isEmpty());
}

QTEST_MAIN(tst_TDialogButtonBox)
#include "tst_tdialogbuttonbox.moc"
