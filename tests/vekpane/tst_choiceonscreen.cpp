// The choice and text controls on an X display: real focus changes, top-level
// tool tips and painting.
#include "controlstest.h"
#include "onscreencheck.h"
#include "tcheckbox.h"
#include "tcodeedit.h"
#include "teditablecombobox.h"
#include "tmulticheckbox.h"
#include "tmulticombobox.h"
#include "tplaintextedit.h"
#include "tradiobox.h"
#include "ttextedit.h"
#include "ttooltip.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using controlstest::types;
using onscreencheck::giveFocus;
using onscreencheck::hasContent;
using onscreencheck::showActive;

class tst_ChoiceOnScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void focusLeavesTheEditors();
    void toolTipWindow();
    void wholeForm();
};

void tst_ChoiceOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "needs an X display (scripts/test.sh starts Xvfb)");
}

void tst_ChoiceOnScreen::focusLeavesTheEditors()
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *text = new TTextEdit;
    auto *combo = new TEditableComboBox;
    auto *code = new TCodeEdit;
    auto *other = new QLineEdit;
    for (QWidget *w : {static_cast<QWidget *>(text), static_cast<QWidget *>(combo), static_cast<QWidget *>(code),
                       static_cast<QWidget *>(other)})
        column->addWidget(w);
    combo->setAttr("item_list", QStringList {"alpha", "beta"});
    QVERIFY(showActive(&window));
    QSignalSpy textEvents(text, &TTextEdit::signal);
    QSignalSpy comboEvents(combo, &TEditableComboBox::signal);
    QSignalSpy codeEvents(code, &TCodeEdit::signal);

    QVERIFY(giveFocus(text));
    QTest::keyClicks(text, "typed");
    QVERIFY(giveFocus(combo));
    QCOMPARE(types(textEvents), (QStringList {"value_changed", "editing_finished"}));
    QCOMPARE(textEvents.at(0).at(1), QVariant(true));

    QTest::keyClicks(combo->lineEdit(), "gamma");
    QVERIFY(giveFocus(code));
    QCOMPARE(types(comboEvents), (QStringList {"editing_finished", "value_changed"}));
    QCOMPARE(combo->getAttr("value"), QVariant("gamma"));

    QTest::keyClicks(code, "var a = 1;");
    QVERIFY(giveFocus(other));
    QCOMPARE(types(codeEvents), (QStringList {"editing_finished", "value_changed"}));
}

void tst_ChoiceOnScreen::toolTipWindow()
{
    TToolTip tip;
    tip.setAttr("value", "Drill 0.3 mm");
    tip.move(100, 100);
    tip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tip));
    QVERIFY(tip.isWindow());
    QVERIFY(tip.isVisible());
    const QImage image = tip.grab().toImage();
    QVERIFY(hasContent(image, tip.rect()));
}

void tst_ChoiceOnScreen::wholeForm()
{
    QWidget form;
    form.resize(520, 480);
    auto *column = new QVBoxLayout(&form);
    auto *radio = new TRadioBox;
    radio->setAttr("item_list", QVariantList {"top", "bottom", "both"});
    radio->setAttr("value", "both");
    auto *combo = new TEditableComboBox;
    combo->setAttr("item_list", QStringList {"FR-4", "CEM-1"});
    auto *text = new TTextEdit;
    text->setAttr("max_row_count", 4);
    text->setAttr("value", "<b>First</b> article");
    auto *plain = new TPlainTextEdit;
    plain->setAttr("value", "one\ntwo");
    plain->setAttr("max_row_count", 3);
    auto *code = new TCodeEdit;
    code->setAttr("max_row_count", 5);
    code->setAttr("value", "var a = f(1); // note");
    auto *check = new TCheckBox("Impedance control");
    check->setTipText("12");
    auto *multi = new TMultiCheckBox;
    multi->setAttr("column_count", 2);
    multi->setAttr("item_list", QVariantList {QVariantMap {{"name", "top"}, {"text", "Top"}},
                                              QVariantMap {{"name", "bot"}, {"text", "Bottom"}},
                                              QVariantMap {{"name", "in"}, {"text", "Inner"}, {"value", 2}}});
    auto *choices = new TMultiComboBox;
    choices->setItemList(
            {QVariantMap {{"name", "d1"}, {"text", "Drill 1"}}, QVariantMap {{"name", "d2"}, {"text", "Drill 2"}}});
    choices->setAttr("value", "d1,d2");
    const QList<QWidget *> widgets {radio, combo, text, plain, code, check, multi, choices};
    for (QWidget *w : widgets)
        column->addWidget(w);
    column->addStretch(1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Let the height rules settle, then take the picture.
    for (int i = 0; i < 3; ++i) {
        form.grab();
        QCoreApplication::processEvents();
    }
    const QImage image = form.grab().toImage();
    image.save(QDir::temp().filePath(QStringLiteral("vek_choice_form.png")));

    for (QWidget *w : widgets) {
        QVERIFY2(w->isVisible(), w->metaObject()->className());
        QVERIFY(!w->geometry().isEmpty());
        QVERIFY(form.rect().contains(w->geometry()));
        QVERIFY2(hasContent(image, w->geometry()), w->metaObject()->className());
        for (QWidget *other : widgets)
            QVERIFY(other == w || !other->geometry().intersects(w->geometry()));
    }
    for (QAbstractButton *button : radio->buttons())
        QVERIFY(button->isVisible());
    QVERIFY(radio->buttons().at(2)->isChecked());
    QCOMPARE(choices->lineEdit()->text(), QStringLiteral("Drill 1,Drill 2"));
    for (TCheckBox *box : multi->buttons())
        QVERIFY(box->isVisible() && multi->rect().contains(box->geometry()));
    // The badge sits inside the box, right of its text.
    QLabel *badge = check->tipLabel();
    QVERIFY(badge->isVisible());
    QVERIFY(check->rect().contains(badge->geometry()));
    QVERIFY(hasContent(image, badge->geometry().translated(check->pos())));
    // The text edits took the heights of their rows.
    const int rowHeight = QFontMetrics(plain->font()).height();
    QCOMPARE(plain->height(), 2 * rowHeight + 8 + 2 * plain->frameWidth());
}

QTEST_MAIN(tst_ChoiceOnScreen)
#include "tst_choiceonscreen.moc"
