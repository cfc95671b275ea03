// The images of the rich-text widgets and of HTML cells: an <img> by path or
// by data: URL goes through the image budget, and a refused one shows as a
// broken image, like data that is no image.
#include "tcodeedit.h"
#include "tstyleditemdelegate.h"
#include "ttablemodel.h"
#include "ttableview.h"
#include "ttextbrowser.h"
#include "ttextedit.h"
#include "ttextimages_p.h"
#include "vekimagebombs.h"
#include "veklogcapture.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

QByteArray smallPng()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkYellow);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// The size of the broken-image placeholder that a document shows for data
// that is no image.
QSize brokenImageSize()
{
    return QPixmap(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png")).size();
}

QString html(const QString &iSource) { return QStringLiteral("<p>text <img src=\"%1\"> text</p>").arg(iSource); }

// What the script runtime installs for every widget of its process.
class LabelWatcher : public QObject
{
public:
    bool eventFilter(QObject *iWatched, QEvent *iEvent) override
    {
        TTextImages::watchLabels(iWatched, iEvent);
        return false;
    }
};

} // namespace

class tst_TTextImages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void imagesOfEdits_data();
    void imagesOfEdits();
    void imagesOfCells_data();
    void imagesOfCells();
    void imagesOfLabels_data();
    void imagesOfLabels();
    void labelReadsImagesOfANewTextAgain();

private:
    void addImageRows();
    QString sourceOf(const QString &iImage, const QString &iWay) const;
    // One error line naming the source and the size it claims when claimed
    // is valid, none otherwise.
    void checkLog(const QStringList &iLines, const QString &iSource, const QString &iWay, const QSize &iClaimed) const;

    QTemporaryDir mDir;
    QMap<QString, QByteArray> mImages;
};

void tst_TTextImages::initTestCase()
{
    QVERIFY(mDir.isValid());
    mImages.insert(QStringLiteral("gif"), VekImageBombs::gif(QSize(16000, 16000)));
    mImages.insert(QStringLiteral("jpeg"), VekImageBombs::jpeg(QSize(65000, 65000)));
    mImages.insert(QStringLiteral("png"), VekImageBombs::png(QSize(8200, 8200)));
    mImages.insert(QStringLiteral("small"), smallPng());
    mImages.insert(QStringLiteral("text"), QByteArray("no image at all"));
    for (auto it = mImages.cbegin(); it != mImages.cend(); ++it) {
        QFile file(mDir.filePath(it.key()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(it.value()), qint64(it.value().size()));
    }
}

QString tst_TTextImages::sourceOf(const QString &iImage, const QString &iWay) const
{
    if (iWay == QLatin1String("path"))
        return mDir.filePath(iImage);
    return QStringLiteral("data:image/x;base64,") + QString::fromLatin1(mImages.value(iImage).toBase64());
}

// Every image by path and by data: URL: its name, the way, the size it
// claims (invalid: it fits) and the size shown.
void tst_TTextImages::addImageRows()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QSize>("claimed");
    QTest::addColumn<QSize>("shown");
    const QList<QPair<QString, QSize>> images {{QStringLiteral("gif"), QSize(16000, 16000)},
                                               {QStringLiteral("jpeg"), QSize(65000, 65000)},
                                               {QStringLiteral("png"), QSize(8200, 8200)},
                                               {QStringLiteral("small"), QSize()},
                                               {QStringLiteral("text"), QSize()}};
    for (const QString &way : {QStringLiteral("path"), QStringLiteral("data")}) {
        for (const auto &image : images) {
            const QSize shown = image.first == QLatin1String("small") ? QSize(40, 30) : brokenImageSize();
            QTest::addRow("%s by %s", qPrintable(image.first), qPrintable(way))
                    << image.first << way << image.second << shown;
        }
    }
}

void tst_TTextImages::imagesOfEdits_data() { addImageRows(); }

void tst_TTextImages::imagesOfEdits()
{
    QFETCH(QString, image);
    QFETCH(QString, way);
    QFETCH(QSize, claimed);
    QFETCH(QSize, shown);
    const QString source = sourceOf(image, way);

    VekLogCapture log;
    for (const QString &kind :
         {QStringLiteral("TTextEdit"), QStringLiteral("TTextBrowser"), QStringLiteral("TCodeEdit")}) {
        log.clear();
        std::unique_ptr<QTextEdit> edit;
        if (kind == QLatin1String("TTextEdit"))
            edit.reset(new TTextEdit);
        else if (kind == QLatin1String("TTextBrowser"))
            edit.reset(new TTextBrowser);
        else
            edit.reset(new TCodeEdit);
        // Set as a script sets it: HTML in "value" is shown as rich text.
        dynamic_cast<TUiInterface *>(edit.get())->setAttr(QStringLiteral("value"), html(source));
        edit->resize(300, 200);
        // Laying out and painting ask for the image, each more than once.
        const QImage painted = edit->grab().toImage();
        QVERIFY(!painted.isNull());

        const QVariant resource = edit->document()->resource(QTextDocument::ImageResource, QUrl(source));
        QVERIFY2(resource.userType() == QMetaType::QPixmap, qPrintable(kind));
        QCOMPARE(resource.value<QPixmap>().size(), shown);
        checkLog(log.texts(QStringLiteral("error")), source, way, claimed);
        if (QTest::currentTestFailed())
            return;
    }
}

void tst_TTextImages::checkLog(const QStringList &iLines, const QString &iSource, const QString &iWay,
                               const QSize &iClaimed) const
{
    if (!iClaimed.isValid()) {
        QVERIFY2(iLines.isEmpty(), qPrintable(iLines.join(QLatin1Char('\n'))));
        return;
    }
    QCOMPARE(iLines.size(), 1);
    const QString named = iWay == QLatin1String("path") ? iSource : QStringLiteral("data: URL \"data:image/x;base64,");
    const QString size = QStringLiteral("%1 x %2 pixels").arg(iClaimed.width()).arg(iClaimed.height());
    QVERIFY2(iLines.at(0).contains(named) && iLines.at(0).contains(size), qPrintable(iLines.at(0)));
    QVERIFY2(iLines.at(0).size() < 400, "a data: URL is named by its first characters");
}

void tst_TTextImages::imagesOfCells_data() { addImageRows(); }

void tst_TTextImages::imagesOfCells()
{
    QFETCH(QString, image);
    QFETCH(QString, way);
    QFETCH(QSize, claimed);
    QFETCH(QSize, shown);
    TTableView view;
    view.setDataKeyList({QStringLiteral("text")});
    view.setHeaderItem({QVariantMap(), QVariantMap {{QStringLiteral("displayRole"), QStringLiteral("$text")},
                                                    {QStringLiteral("typeRole"), QStringLiteral("html")}}});
    view.loadData({QVariant(QVariantList {html(sourceOf(image, way))})});
    auto *delegate = qobject_cast<TStyledItemDelegate *>(view.itemDelegate());
    QVERIFY(delegate);
    const QModelIndex cell = view.model()->index(0, 0);
    QVERIFY(cell.isValid());
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.widget = &view;
    option.rect = QRect(0, 0, 400, 40);

    VekLogCapture log;
    const QSize hint = delegate->sizeHint(option, cell);
    // The cell is as high as the image it shows.
    QVERIFY2(hint.height() >= shown.height() && hint.height() < shown.height() + 40,
             qPrintable(QStringLiteral("%1 for %2").arg(hint.height()).arg(shown.height())));
    // Each paint lays the text out anew; a refused image is named once.
    QImage canvas(400, 100, QImage::Format_ARGB32_Premultiplied);
    for (int paint = 0; paint < 3; ++paint) {
        QPainter painter(&canvas);
        delegate->paint(&painter, option, cell);
    }
    QCOMPARE(delegate->sizeHint(option, cell), hint);
    QCOMPARE(log.texts(QStringLiteral("error")).size(), claimed.isValid() ? 1 : 0);
}

void tst_TTextImages::imagesOfLabels_data() { addImageRows(); }

void tst_TTextImages::imagesOfLabels()
{
    // A label, and Qt's tool tip (a label Qt makes and sizes inside
    // showText), load their images themselves.
    QFETCH(QString, image);
    QFETCH(QString, way);
    QFETCH(QSize, claimed);
    QFETCH(QSize, shown);
    const QString source = sourceOf(image, way);
    LabelWatcher watcher;
    qApp->installEventFilter(&watcher);

    VekLogCapture log;
    QLabel label;
    label.setText(html(source));
    // A new text has its image read once more, and once only, however
    // often the label is laid out and painted.
    log.clear();
    label.setText(html(source) + QStringLiteral(" again"));
    QVERIFY(!label.grab().toImage().isNull());
    label.resize(label.sizeHint() + QSize(20, 20));
    QVERIFY(!label.grab().toImage().isNull());
    const QSize hint = label.sizeHint();
    QVERIFY2(hint.height() >= shown.height() && hint.height() < shown.height() + 40,
             qPrintable(QString::number(hint.height())));
    checkLog(log.texts(QStringLiteral("error")), source, way, claimed);
    if (QTest::currentTestFailed())
        return;

    log.clear();
    QToolTip::showText(QPoint(10, 10), html(source) + QStringLiteral(" tip"));
    QLabel *tip = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible())
            tip = qobject_cast<QLabel *>(widget);
    }
    QVERIFY(tip);
    // The tip's frame and margins around one line of text and the image.
    QVERIFY2(tip->height() < shown.height() + 100, qPrintable(QString::number(tip->height())));
    checkLog(log.texts(QStringLiteral("error")), source, way, claimed);
    QToolTip::hideText();
    qApp->removeEventFilter(&watcher);
}

void tst_TTextImages::labelReadsImagesOfANewTextAgain()
{
    // As a label does by itself, an image file written anew shows with the
    // next text that names it; restyling the same text reads nothing again;
    // and a text that no longer names an image lets go of it.
    LabelWatcher watcher;
    qApp->installEventFilter(&watcher);
    const QString file = mDir.filePath(QStringLiteral("snapshot.png"));
    QImage snapshot(10, 10, QImage::Format_RGB32);
    snapshot.fill(Qt::red);
    QVERIFY(snapshot.save(file));
    QLabel label;
    label.setText(QStringLiteral("<img src=\"%1\">").arg(file));
    QCOMPARE(label.sizeHint().height(), 10);
    QVERIFY(QImage(50, 50, QImage::Format_RGB32).save(file));
    QFont font = label.font();
    font.setPointSize(font.pointSize() + 4);
    label.setFont(font);
    QCOMPARE(label.sizeHint().height(), 10);
    label.setText(QStringLiteral("<img src=\"%1\"> ").arg(file));
    const int height = label.sizeHint().height();
    QVERIFY2(height >= 50 && height < 70, qPrintable(QString::number(height)));

    QVERIFY(QFile::remove(file));
    label.setText(QStringLiteral("<img src=\"%1\">").arg(mDir.filePath(QStringLiteral("small"))));
    QCOMPARE(label.sizeHint().height(), 30);
    auto *document = label.findChild<QTextDocument *>();
    QVERIFY(document);
    // Held, it would still be there; dropped, the document finds no file.
    QVERIFY(document->resource(QTextDocument::ImageResource, QUrl(file)).value<QPixmap>().isNull());
    qApp->removeEventFilter(&watcher);
}

QTEST_MAIN(tst_TTextImages)
#include "tst_ttextimages.moc"
