// The table view painted on an X display: cell kinds, cell buttons placed by
// real paint events, and the column pop-up opened from the header.
#include "onscreencheck.h"
#include "theaderviewpopup.h"
#include "ttablemodel.h"
#include "ttableview.h"
#include "vekmodeltester.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

using onscreencheck::hasContent;

} // namespace

class tst_ItemViewsOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellKindsPainted();
    void headerPopupFromTheHeader();
};

void tst_ItemViewsOnScreen::cellKindsPainted()
{
    TTableView view;
    auto *model = qobject_cast<TTableModel *>(view.model());
    VekTest::attachModelTester(model);
    view.setDataKeyList({"id", "html", "done"});
    view.setHeaderItem(
            {QVariantMap(), QVariantMap {{"name", "id"}, {"display", "Id"}, {"displayRole", "$id"}},
             QVariantMap {{"name", "html"}, {"display", "Text"}, {"displayRole", "$html"}, {"typeRole", "html"}},
             QVariantMap {{"name", "done"}, {"display", "Done"}, {"displayRole", "$done"}, {"typeRole", "progress"}},
             QVariantMap {{"name", "go"},
                          {"display", "Action"},
                          {"typeRole", "button"},
                          {"propertyRole", QVariantMap {{"text", "Open"}}}}});
    view.setAttr("value", QVariantList {QVariantList {1, "<b>bold</b> text", 40}, QVariantList {2, "<i>it</i>", 90},
                                        QVariantList {3, "plain", 0}});
    view.setGridLineMode(3);
    view.resize(640, 240);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // Buttons come with the first paint of their cells.
    QToolButton *button = nullptr;
    QVERIFY(QTest::qWaitFor(
            [&] {
                button = qobject_cast<QToolButton *>(view.indexWidget(model->index(1, 3)));
                return button && view.indexWidget(model->index(0, 3)) && view.indexWidget(model->index(2, 3));
            },
            3000));
    QVERIFY(button->isVisible());
    QCOMPARE(button->text(), QString("Open"));
    const QRect cell = view.visualRect(model->index(1, 3));
    QVERIFY(cell.contains(button->geometry()));
    // The buttons of the three rows do not overlap.
    QVERIFY(!button->geometry().intersects(view.indexWidget(model->index(0, 3))->geometry()));

    const QImage image = view.viewport()->grab().toImage();
    for (int column = 0; column < 3; ++column)
        QVERIFY2(hasContent(image, view.visualRect(model->index(0, column)).adjusted(2, 2, -2, -2)),
                 qPrintable(QString("column %1 not painted").arg(column)));
    // Grid lines: the last pixel row of a cell differs from the row above it.
    const QRect idCell = view.visualRect(model->index(2, 0));
    QVERIFY(image.pixel(idCell.center().x(), idCell.bottom()) != image.pixel(idCell.center().x(), idCell.bottom() - 1));

    QSignalSpy commits(&view, &TTableView::indexWidgetCommit);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(commits.size(), 1);
    QCOMPARE(commits.at(0).at(1).toModelIndex(), model->index(1, 3));
}

void tst_ItemViewsOnScreen::headerPopupFromTheHeader()
{
    TTableView view;
    view.setHeaderItem({QVariantMap(), QVariantMap {{"name", "a"}, {"display", "Alpha"}},
                        QVariantMap {{"name", "b"}, {"display", "Beta"}}, QVariantMap {{"display", "No name"}}});
    view.setAttr("header_popup_enabled", true);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QHeaderView *header = view.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
    QApplication::sendEvent(header->viewport(), &event);

    THeaderViewPopup *popup = view.headerPopup();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QCOMPARE(popup->pos(), header->mapToGlobal(at));
    const QList<QCheckBox *> boxes = popup->findChildren<QCheckBox *>();
    QCOMPARE(boxes.size(), 2);
    QVERIFY(boxes.at(0)->isVisible() && boxes.at(1)->isVisible());
    QVERIFY(!boxes.at(0)->geometry().intersects(boxes.at(1)->geometry()));
    QVERIFY(popup->rect().contains(boxes.at(1)->geometry()));
    // A pop-up shown from a context menu event may get its first paint a
    // moment after it is exposed.
    QTRY_VERIFY(hasContent(popup->grab().toImage(), boxes.at(0)->geometry()));

    QTest::mouseClick(boxes.at(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, boxes.at(1)->height() / 2));
    QVERIFY(view.isColumnHidden(1));
    popup->close();
    QVERIFY(popup->findChildren<QCheckBox *>().isEmpty());
}

QTEST_MAIN(tst_ItemViewsOnScreen)
#include "tst_itemviewsonscreen.moc"
