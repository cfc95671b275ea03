// The controls with real focus changes, pop-ups, wheel events and painting,
// on an X display.
#include "controlstest.h"
#include "onscreencheck.h"
#include "onscreenwheel.h"
#include "tcombobox.h"
#include "tformlayout.h"
#include "thboxlayout.h"
#include "tlineedit.h"
#include "tvboxlayout.h"
#include "vekpane.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>

using controlstest::types;
using onscreencheck::giveFocus;
using onscreencheck::showActive;
using onscreencheck::turnWheel;

namespace {

QList<QWidget *> placedWidgets(QGridLayout *iGrid)
{
    QList<QWidget *> widgets;
    for (int i = 0; i < iGrid->count(); ++i) {
        if (QWidget *w = iGrid->itemAt(i)->widget())
            widgets.append(w);
    }
    return widgets;
}

using onscreencheck::hasContent;

} // namespace

class tst_ControlsOnScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void paneFocus();
    void lineEditFocus();
    void comboFocusIn();
    void comboSearchPopup();
    void comboWheel();
    void wholeForm();
};

void tst_ControlsOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "needs an X display (scripts/test.sh starts Xvfb)");
}

void tst_ControlsOnScreen::paneFocus()
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *plain = new VekPane;
    auto *focusable = new VekPane;
    focusable->setFocusPolicy(Qt::StrongFocus);
    auto *inner = new THBoxLayout(plain);
    auto *first = new QLineEdit;
    auto *second = new QLineEdit;
    inner->packWidget(first);
    inner->packWidget(second);
    auto *outside = new QLineEdit;
    column->addWidget(plain);
    column->addWidget(focusable);
    column->addWidget(outside);
    QVERIFY(showActive(&window));
    QSignalSpy plainSpy(plain, SIGNAL(signal(QString, QVariant, QString)));
    QSignalSpy focusableSpy(focusable, SIGNAL(signal(QString, QVariant, QString)));

    QVERIFY(giveFocus(first));
    QVERIFY(giveFocus(second));
    QVERIFY(giveFocus(outside));
    QVERIFY(plainSpy.isEmpty());

    QVERIFY(giveFocus(focusable));
    QVERIFY(focusableSpy.isEmpty());
    QVERIFY(giveFocus(outside));
    QCOMPARE(focusableSpy.count(), 1);
    QCOMPARE(focusableSpy.at(0), (QVariantList {"editing_finished", QVariant(), controlstest::hexAddress(focusable)}));
}

void tst_ControlsOnScreen::lineEditFocus()
{
    QWidget window;
    auto *column = new TVBoxLayout(&window);
    auto *edit = new TLineEdit;
    auto *other = new QLineEdit;
    column->packWidget(edit);
    column->packWidget(other);
    edit->setDefault({{"value", "kept"}});
    edit->set("value", "kept");
    QVERIFY(showActive(&window));
    QVERIFY(giveFocus(other));
    QSignalSpy spy(edit, SIGNAL(signal(QString, QVariant, QString)));

    // Untouched, the field still equals its default: no "value_changed".
    // Whether Qt ends the editing of an unedited field at all depends on its build.
    QVERIFY(giveFocus(edit));
    QVERIFY(giveFocus(other));
    QVERIFY(types(spy) == QStringList {"focus_in"} || types(spy) == (QStringList {"focus_in", "editing_finished"}));
    spy.clear();

    QVERIFY(giveFocus(edit));
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "!");
    QVERIFY(giveFocus(other));
    QCOMPARE(types(spy), (QStringList {"focus_in", "value_changed", "editing_finished"}));
    QCOMPARE(spy.at(1).at(1), QVariant(QVariantMap {{"old", "kept"}, {"new", "kept!"}}));
}

void tst_ControlsOnScreen::comboFocusIn()
{
    QWidget window;
    auto *column = new TVBoxLayout(&window);
    auto *a = new TComboBox;
    auto *b = new TComboBox;
    column->packWidget(a);
    column->packWidget(b);
    QCOMPARE(a->focusPolicy(), Qt::StrongFocus);
    QVERIFY(showActive(&window));
    QVERIFY(giveFocus(b));
    QSignalSpy spyA(a, SIGNAL(signal(QString, QVariant, QString)));
    QSignalSpy spyB(b, SIGNAL(signal(QString, QVariant, QString)));
    QVERIFY(giveFocus(a));
    QVERIFY(giveFocus(b));
    QCOMPARE(spyA.count(), 1);
    QCOMPARE(spyB.count(), 1);
    QCOMPARE(spyA.at(0), (QVariantList {"focus_in", QVariant(), controlstest::hexAddress(a)}));
    QCOMPARE(spyB.at(0).at(0).toString(), QStringLiteral("focus_in"));
    QVERIFY(spyA.at(0).at(2) != spyB.at(0).at(2));
}

void tst_ControlsOnScreen::comboSearchPopup()
{
    QWidget window;
    auto *column = new TVBoxLayout(&window);
    auto *box = new TComboBox;
    column->packWidget(box);
    box->setItemList(
            {QVariantMap {{"name", "r_01"}, {"text", "Red"}}, QVariantMap {{"name", "g_02"}, {"text", "Green"}},
             QVariantMap {{"name", "b_03"}, {"text", "Blue"}}, QVariantMap {{"name", "r_04"}, {"text", "Rose"}}});
    box->setItemVisible("r_04", false);
    box->setSearchable(true);
    QVERIFY(showActive(&window));
    auto *list = qobject_cast<QListWidget *>(box->view());
    auto *entry = list->findChild<QLineEdit *>(QStringLiteral("CB_SEARCH_ENTRY"));
    auto *frame = list->findChild<QFrame *>(QStringLiteral("CB_SEARCH_FRAME"));

    box->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    QVERIFY(QTest::qWaitFor([entry] { return entry->hasFocus(); }, 2000));
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->width(), list->rect().width());
    // The first row stands below the search field, not under it.
    QVERIFY(list->visualItemRect(list->item(0)).top() >= frame->height() - list->frameWidth());

    QTest::keyClicks(QApplication::focusWidget(), "rE");
    QCOMPARE(entry->text(), QStringLiteral("rE"));
    QVERIFY(!list->isRowHidden(0));
    QVERIFY(!list->isRowHidden(1));
    QVERIFY(list->isRowHidden(2));
    QVERIFY(list->isRowHidden(3));
    QTest::keyClicks(QApplication::focusWidget(), "d");
    QVERIFY(!list->isRowHidden(0));
    QVERIFY(list->isRowHidden(1));

    box->hidePopup();
    QVERIFY(QTest::qWaitFor([list] { return !list->isVisible(); }, 2000));
    QVERIFY(entry->text().isEmpty());
    QVERIFY(!list->isRowHidden(1));
    QVERIFY(!list->isRowHidden(2));
    QVERIFY(list->isRowHidden(3));
}

void tst_ControlsOnScreen::comboWheel()
{
    QScrollArea area;
    auto *content = new QWidget;
    content->setFixedSize(280, 2000);
    auto *box = new TComboBox(content);
    box->setGeometry(10, 10, 200, 30);
    auto *plain = new QLabel(QStringLiteral("plain"), content);
    plain->setGeometry(10, 60, 200, 30);
    box->setItemList({"a", "b", "c"});
    box->setCurrentIndex(1);
    area.setWidget(content);
    area.resize(300, 200);
    QVERIFY(showActive(&area));
    QScrollBar *bar = area.verticalScrollBar();
    QSignalSpy spy(box, SIGNAL(signal(QString, QVariant, QString)));

    turnWheel(box, -1);
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(bar->value(), 0);
    QVERIFY(spy.isEmpty());

    // The same wheel over another child does scroll the area.
    turnWheel(plain, -1);
    QVERIFY(bar->value() > 0);
    bar->setValue(0);

    box->set("wheel_enabled", true);
    turnWheel(box, -1);
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(types(spy), (QStringList {"value_changed", "editing_finished"}));
}

void tst_ControlsOnScreen::wholeForm()
{
    VekPane pane;
    pane.set("size", "640,240");
    auto *form = new TFormLayout(&pane);
    form->set(QVariantMap {{"column_count", 2}, {"separator", ":"}, {"margin", 12}});
    auto *name = new TLineEdit;
    name->set("value", "Panel A-17");
    auto *length = new TLineEdit;
    length->set(QVariantMap {{"value", 12.5}, {"valid_mask", "DOUBLE(0,100,2)"}});
    auto *material = new TComboBox;
    material->setItemList({QVariantMap {{"name", "fr4"}, {"text", "FR-4"}}, "CEM-1"});
    material->set("value", "fr4");
    auto *comment = new TLineEdit;
    comment->set("placeholder_text", "Comment");
    comment->set("value", "first article");
    form->packWidget(name, QStringLiteral("Name"), QString());
    form->packWidget(length, QStringLiteral("Length"), QStringLiteral("mm"));
    form->packWidget(comment, QStringLiteral("Comment"), QString(), 2, QString(), 1);
    form->packWidget(material, QStringLiteral("Material"), QString());
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    const QImage image = pane.grab().toImage();
    image.save(QDir::temp().filePath(QStringLiteral("vek_controls_form.png")));

    // Every placed control shows, inside the pane, painted, and overlapping no other.
    const QList<QWidget *> widgets = placedWidgets(form);
    QCOMPARE(widgets.size(), 4 + 4 + 1 + 3);
    const QRect paneRect = pane.rect();
    for (QWidget *w : widgets) {
        QVERIFY2(w->isVisible(), w->metaObject()->className());
        QVERIFY(!w->geometry().isEmpty());
        QVERIFY(paneRect.contains(w->geometry()));
        QVERIFY2(hasContent(image, w->geometry()), qPrintable(w->metaObject()->className()));
        for (QWidget *other : widgets)
            QVERIFY(other == w || !other->geometry().intersects(w->geometry()));
    }

    // In each entry: label, separator, field, units from left to right on one line.
    auto left = [](QWidget *w) { return w->geometry().left(); };
    auto right = [](QWidget *w) { return w->geometry().right(); };
    for (QWidget *field :
         {static_cast<QWidget *>(name), static_cast<QWidget *>(length), static_cast<QWidget *>(material)}) {
        QWidget *label = form->labelWidget(field);
        QWidget *sep = form->separatorWidget(field);
        QVERIFY(right(label) < left(sep));
        QVERIFY(right(sep) < left(field));
        QVERIFY(qAbs(label->geometry().center().y() - field->geometry().center().y()) <= 2);
    }
    QVERIFY(right(length) < left(form->unitsWidget(length)));
    // Two entries on the first line; the comment on the next, under its label
    // and across both form columns; the material on the third.
    QVERIFY(right(name) < left(form->labelWidget(length)));
    QWidget *commentLabel = form->labelWidget(comment);
    QVERIFY(commentLabel->geometry().top() > name->geometry().bottom());
    QVERIFY(comment->geometry().top() > commentLabel->geometry().bottom());
    QCOMPARE(left(comment), left(commentLabel));
    QCOMPARE(left(comment), left(form->labelWidget(name)));
    QVERIFY(right(comment) > left(length));
    QVERIFY(material->geometry().top() > comment->geometry().bottom());
    QCOMPARE(left(material), left(name));
}

QTEST_MAIN(tst_ControlsOnScreen)
#include "tst_controlsonscreen.moc"
