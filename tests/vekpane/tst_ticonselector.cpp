#include "tdialogbuttonbox.h"
#include "ticonselector.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttablemodel.h"
#include "ttableview.h"
#include "ttableviewdialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

bool writeSvg(const QString &iPath)
{
    QFile svg(iPath);
    if (!svg.open(QIODevice::WriteOnly))
        return false;
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
              "<rect width='16' height='16' fill='#000'/></svg>");
    return true;
}

QLabel *previewOf(TIconSelector &iSelector) { return iSelector.findChild<QLabel *>(); }

QList<QPushButton *> buttons(TIconSelector &iSelector)
{
    return iSelector.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
}

// Runs iStep on the icon picker as soon as it is shown.
void onPicker(TIconSelector *iSelector, const std::function<void(TTableViewDialog *)> &iStep)
{
    QTimer::singleShot(0, iSelector, [iSelector, iStep] {
        auto *dialog = iSelector->findChild<TTableViewDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        iStep(dialog);
    });
}

// Runs iStep on the colour dialog as soon as it is shown.
void onColorDialog(const std::function<void(QColorDialog *)> &iStep)
{
    QTimer::singleShot(0, [iStep] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        iStep(dialog);
    });
}

} // namespace

class tst_TIconSelector : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void construction();
    void preview_data();
    void preview();
    void iconBgColor();
    void pickerRows();
    void pickName_data();
    void pickName();
    void pickerCancelled();
    void pickColor_data();
    void pickColor();
    void colorCancelled();
    void commonKeys();

private:
    QTemporaryDir m_first;
    QTemporaryDir m_second;
};

void tst_TIconSelector::initTestCase()
{
    QVERIFY(m_first.isValid() && m_second.isValid());
    for (const char *name : {"home.svg", "folder.svg", "home.old.svg", "notes.txt"})
        QVERIFY(writeSvg(m_first.filePath(name)));
    QVERIFY(QDir(m_first.path()).mkdir("sub.svg"));
    QVERIFY(writeSvg(m_second.filePath("home.svg")));
    TResource::instance()->appendIconPath(m_first.path());
    TResource::instance()->appendIconPath(m_second.path());
}

void tst_TIconSelector::cleanupTestCase()
{
    TResource::instance()->removeIconPath(m_first.path());
    TResource::instance()->removeIconPath(m_second.path());
}

void tst_TIconSelector::construction()
{
    TIconSelector selector;
    QVERIFY(selector.text().isEmpty());
    QVERIFY(previewOf(selector)->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(selector.iconBgColor(), QString("transparent"));
    QCOMPARE(previewOf(selector)->styleSheet(), QString("background:transparent"));
    QCOMPARE(selector.property("iconBgColor"), QVariant("transparent"));
    const QList<QPushButton *> parts = buttons(selector);
    QCOMPARE(parts.size(), 2);
    for (QPushButton *button : parts) {
        QVERIFY(button->isFlat());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->size(), previewOf(selector)->size());
    }
    // The text keeps clear of the preview and the two buttons.
    const QMargins margins = selector.textMargins();
    QCOMPARE(margins.left(), previewOf(selector)->width() + 4);
    QCOMPARE(margins.right(), parts.at(0)->width() + parts.at(1)->width() + 4);
    QVERIFY(previewOf(selector)->height() < 40);

    selector.resize(300, selector.sizeHint().height());
    selector.show();
    QVERIFY(QTest::qWaitForWindowExposed(&selector));
    QVERIFY(previewOf(selector)->geometry().right() < parts.at(0)->geometry().left());
    QVERIFY(parts.at(0)->geometry().right() < parts.at(1)->geometry().left());
    QVERIFY(parts.at(1)->geometry().right() <= selector.width());
    QVERIFY(parts.at(0)->geometry().left() > selector.width() / 2);
}

void tst_TIconSelector::preview_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("icon");
    QTest::newRow("known name") << "home" << true;
    QTest::newRow("known name with colour") << "folder.#3F82B0" << true;
    QTest::newRow("empty name") << "" << false;
}

void tst_TIconSelector::preview()
{
    QFETCH(QString, text);
    QFETCH(bool, icon);
    TIconSelector selector;
    selector.resize(240, 30);
    selector.setText("folder");
    selector.setText(text);
    const QPixmap shown = previewOf(selector)->pixmap(Qt::ReturnByValue);
    QCOMPARE(!shown.isNull(), icon);
    // The height less 8, as far as the icon offers it.
    if (icon)
        QCOMPARE(shown.size(), TResource::instance()->icon(text).pixmap(22, 22).size());
}

void tst_TIconSelector::iconBgColor()
{
    TIconSelector selector;
    selector.setIconBgColor("#FFFFFF");
    QCOMPARE(selector.iconBgColor(), QString("#FFFFFF"));
    QCOMPARE(previewOf(selector)->styleSheet(), QString("background:#FFFFFF"));
}

void tst_TIconSelector::pickerRows()
{
    TIconSelector selector;
    QVariantList rows;
    QString title;
    QStringList keys;
    bool entryShown = false;
    onPicker(&selector, [&](TTableViewDialog *dialog) {
        rows = dialog->tableView()->allDataMap(QString(), QString(), true);
        title = dialog->windowTitle();
        keys = dialog->searchKeys();
        entryShown = dialog->searchEntry()->isVisible();
        QCOMPARE(dialog->searchEntry()->searchDelayTime(), 1);
        QCOMPARE(dialog->tableView()->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!dialog->windowIcon().isNull());
        dialog->reject();
    });
    buttons(selector).at(0)->click();
    QCOMPARE(title, QString("Select Icon"));
    QCOMPARE(keys, QStringList {"name"});
    QVERIFY(entryShown);
    QStringList names;
    for (const QVariant &row : rows) {
        const QString name = row.toMap().value("name").toString();
        if (name == "home" || name == "folder")
            names.append(name);
        // Only SVG files, named up to their first dot; the icon rides along.
        QVERIFY2(row.toMap().value("icon").canConvert<QIcon>(), qPrintable(name));
        QVERIFY(name != "notes" && name != "sub");
    }
    // Folder by folder, each sorted by name; a name in two folders is listed twice.
    QCOMPARE(names, (QStringList {"folder", "home", "home", "home"}));
}

void tst_TIconSelector::pickName_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("colour suffix stays") << "folder.#3F82B0"
                                         << "home.#3F82B0";
    QTest::newRow("empty text") << ""
                                << "home";
    QTest::newRow("bare name") << "folder"
                               << "home";
}

void tst_TIconSelector::pickName()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    TIconSelector selector;
    selector.setText(before);
    QPointer<TTableViewDialog> picker;
    onPicker(&selector, [&](TTableViewDialog *dialog) {
        picker = dialog;
        // Searching the name filters the list in place.
        dialog->searchEntry()->setText("hom");
        dialog->applyFilter();
        QCOMPARE(dialog->tableView()->allDataMap(QString(), QString(), false).size(), 3);
        dialog->selectRows({"home"});
        dialog->buttonBox()->findChild<QPushButton *>("Ok")->click();
    });
    buttons(selector).at(0)->click();
    QCOMPARE(selector.text(), after);
    QVERIFY(picker);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!picker);
}

void tst_TIconSelector::pickerCancelled()
{
    TIconSelector selector;
    selector.setText("folder.#3F82B0");
    QPointer<TTableViewDialog> picker;
    onPicker(&selector, [&](TTableViewDialog *dialog) {
        picker = dialog;
        dialog->selectRows({"home"});
        dialog->buttonBox()->findChild<QPushButton *>("Cancel")->click();
    });
    buttons(selector).at(0)->click();
    QCOMPARE(selector.text(), QString("folder.#3F82B0"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!picker);
}

void tst_TIconSelector::pickColor_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QColor>("offered");
    QTest::addColumn<QString>("after");
    QTest::newRow("no colour yet") << "folder" << QColor(Qt::red) << QColor() << "folder.#ff0000";
    QTest::newRow("replaces a colour") << "folder.#ff0000" << QColor(Qt::blue) << QColor(Qt::red) << "folder.#0000ff";
    QTest::newRow("upper-case colour") << "folder.#3F82B0" << QColor(Qt::green) << QColor("#3f82b0")
                                       << "folder.#00ff00";
    QTest::newRow("empty text") << "" << QColor(Qt::red) << QColor() << ".#ff0000";
}

void tst_TIconSelector::pickColor()
{
    QFETCH(QString, before);
    QFETCH(QColor, chosen);
    QFETCH(QColor, offered);
    QFETCH(QString, after);
    TIconSelector selector;
    selector.setText(before);
    QColor initial;
    onColorDialog([&](QColorDialog *dialog) {
        initial = dialog->currentColor();
        dialog->setCurrentColor(chosen);
        dialog->accept();
    });
    buttons(selector).at(1)->click();
    QCOMPARE(selector.text(), after);
    if (offered.isValid())
        QCOMPARE(initial, offered);
}

void tst_TIconSelector::colorCancelled()
{
    TIconSelector selector;
    selector.setText("folder.#3F82B0");
    onColorDialog([](QColorDialog *dialog) {
        dialog->setCurrentColor(Qt::red);
        dialog->reject();
    });
    buttons(selector).at(1)->click();
    QCOMPARE(selector.text(), QString("folder.#3F82B0"));
}

void tst_TIconSelector::commonKeys()
{
    TIconSelector selector;
    selector.setAttr("tool_tip", "icon name");
    QCOMPARE(selector.toolTip(), QString("icon name"));
    selector.setAttr("user_data", "x");
    QCOMPARE(selector.getAttr("user_data"), QVariant("x"));
    // The name is the text; there is no key of its own for it.
    selector.setAttr("value", "home");
    QVERIFY(selector.text().isEmpty());
    QCOMPARE(selector.metaObject()->userProperty().name(), "text");
}

QTEST_MAIN(tst_TIconSelector)
#include "tst_ticonselector.moc"
