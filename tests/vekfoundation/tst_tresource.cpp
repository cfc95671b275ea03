#include "tresource.h"
#include "ttheme.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFolders = QStringLiteral(VEK_TEST_DATA_DIR "/resource/folders");

QImage imageOf(const QIcon &iIcon, QIcon::Mode iMode = QIcon::Normal, QIcon::State iState = QIcon::Off)
{
    return iIcon.pixmap(QSize(16, 16), iMode, iState).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Every pixel of the result carries the colour with its alpha scaled by the
// source pixel's alpha; fully transparent pixels stay so.
QString recolourMismatch(const QImage &iSource, const QImage &iResult, const QColor &iColor)
{
    if (iSource.size() != iResult.size())
        return QStringLiteral("size %1x%2 != %3x%4")
                .arg(iResult.width())
                .arg(iResult.height())
                .arg(iSource.width())
                .arg(iSource.height());
    int opaque = 0;
    for (int y = 0; y < iSource.height(); ++y) {
        for (int x = 0; x < iSource.width(); ++x) {
            const QRgb src = iSource.pixel(x, y);
            const QRgb out = iResult.pixel(x, y);
            const int alpha = iColor.alpha() * qAlpha(src) / 255;
            if (qAbs(qAlpha(out) - alpha) > 2)
                return QStringLiteral("alpha at %1,%2: %3 != %4").arg(x).arg(y).arg(qAlpha(out)).arg(alpha);
            if (qAlpha(src) == 0)
                continue;
            ++opaque;
            // Pixmaps store premultiplied colours: the fainter the pixel, the coarser its colour.
            const int slack = 2 + 510 / qMax(1, qAlpha(out));
            if (qAbs(qRed(out) - iColor.red()) > slack || qAbs(qGreen(out) - iColor.green()) > slack
                || qAbs(qBlue(out) - iColor.blue()) > slack)
                return QStringLiteral("colour at %1,%2: %3 != %4").arg(x).arg(y).arg(QColor(out).name(), iColor.name());
        }
    }
    return opaque > 0 ? QString() : QStringLiteral("no opaque pixel in the source");
}

bool allTransparent(const QImage &iImage)
{
    for (int y = 0; y < iImage.height(); ++y)
        for (int x = 0; x < iImage.width(); ++x)
            if (qAlpha(iImage.pixel(x, y)) != 0)
                return false;
    return true;
}

} // namespace

class tst_TResource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void loadRccNeedsADirectory();
    void loadRccFindsFolders();
    void loadRccTwiceDoesNothing();
    void autoFindDropsMissingFolders();
    void pathListsKeepFirstOccurrence();
    void iconFilePathOrder_data();
    void iconFilePathOrder();
    void resourceFilePath();
    void svgIconLoads();
    void colorSuffixRecolours_data();
    void colorSuffixRecolours();
    void themeColoursForControls_data();
    void themeColoursForControls();
    void missingIconGivesPlaceholder();
    void unreadableIconIsNull();
    void refillIcon();
    void opaqueIconKeepsColourAlpha();
    void scriptsCallByName();
    void themeAndFolderChangesReachIcons();

private:
    void writeTheme(const QVariantMap &iValues);
    QImage m_square;
    QTemporaryDir m_dir;
    const QVariantMap m_colors {{"COLOR_LIGHT_NORMAL_ICON", "#111111"},
                                {"COLOR_LIGHT_DISABLED_ICON", "#222222"},
                                {"COLOR_LIGHT_PANEL", "#333333"},
                                {"COLOR_DARK_BRIGHT_TEXT", "#444444"},
                                {"COLOR_DARK_DISABLED_TEXT", "#55555580"},
                                {"COLOR_ACCENT_4", "#3F82B0AF"},
                                {"COLOR_PRIMARY_5", "#777777"}};
};

void tst_TResource::writeTheme(const QVariantMap &iValues)
{
    const QString path = m_dir.filePath(QStringLiteral("t.thm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(QJsonObject::fromVariantMap(iValues)).toJson());
    file.close();
    QVERIFY(TTheme::instance()->loadThemeConfig(path));
}

void tst_TResource::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_square = QImage(QStringLiteral(VEK_TEST_DATA_DIR "/resource/bundle/system/icon/square"))
                       .convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!m_square.isNull());
}

void tst_TResource::loadRccNeedsADirectory()
{
    TResource *res = TResource::instance();
    QTest::ignoreMessage(QtDebugMsg, "TResource::loadRcc rcc dir is not setted.");
    QVERIFY(!res->loadRcc(QStringLiteral("testicons.rcc")));
    res->setRccDir(QStringLiteral(VEK_RCC_DIR));
    QVERIFY(!res->loadRcc(QStringLiteral("nosuchbundle.rcc")));
    QVERIFY(res->iconPathList().isEmpty());
}

void tst_TResource::loadRccFindsFolders()
{
    TResource *res = TResource::instance();
    res->appendIconPath(kFolders + "/A");
    QVERIFY(res->loadRcc(QStringLiteral("testicons.rcc")));
    // The disk folder added before stays in front; "icons", third-level and
    // other folders are not icon folders; "icon.dark" is by its base name.
    QCOMPARE(res->iconPathList(), QStringList({kFolders + "/A", ":/system/icon", ":/theme/icon.dark"}));
    QCOMPARE(res->resourcePathList(), QStringList({":/other/files", ":/system/image"}));
}

void tst_TResource::loadRccTwiceDoesNothing()
{
    TResource *res = TResource::instance();
    res->prependIconPath(QStringLiteral("/no/such/folder"));
    QVERIFY(res->loadRcc(QStringLiteral("testicons.rcc")));
    // No rescan: the missing folder is still listed.
    QCOMPARE(res->iconPathList().first(), QStringLiteral("/no/such/folder"));
}

void tst_TResource::autoFindDropsMissingFolders()
{
    TResource *res = TResource::instance();
    res->prependIconPath(QStringLiteral("/no/such/folder"));
    res->appendResourcePath(QStringLiteral("/no/such/images"));
    res->autoFindPathList();
    QCOMPARE(res->iconPathList(), QStringList({kFolders + "/A", ":/system/icon", ":/theme/icon.dark"}));
    QCOMPARE(res->resourcePathList(), QStringList({":/other/files", ":/system/image"}));
}

void tst_TResource::pathListsKeepFirstOccurrence()
{
    TResource *res = TResource::instance();
    const QStringList before = res->iconPathList();
    res->appendIconPath(QStringLiteral(":/system/icon"));
    QCOMPARE(res->iconPathList(), before);
    res->prependIconPath(QStringLiteral(":/theme/icon.dark"));
    QCOMPARE(res->iconPathList(), QStringList({":/theme/icon.dark", kFolders + "/A", ":/system/icon"}));
    res->removeIconPath(QStringLiteral(":/theme/icon.dark"));
    QCOMPARE(res->iconPathList(), QStringList({kFolders + "/A", ":/system/icon"}));

    // Relative folders are kept in their absolute form.
    QDir::setCurrent(kFolders);
    res->appendResourcePath(QStringLiteral("B"));
    QCOMPARE(res->resourcePathList().last(), kFolders + "/B");
    res->removeResourcePath(QStringLiteral("B"));
    QCOMPARE(res->resourcePathList(), QStringList({":/other/files", ":/system/image"}));
    res->clearResourcePath();
    QVERIFY(res->resourcePathList().isEmpty());
    res->autoFindPathList();
}

void tst_TResource::iconFilePathOrder_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const QString a = kFolders + "/A";
    const QString b = kFolders + "/B";
    QTest::newRow("earlier folder wins over svg") << QStringList {a, b} << "close" << a + "/close";
    QTest::newRow("svg in the earlier folder") << QStringList {b, a} << "close" << b + "/close.svg";
    QTest::newRow("svg preferred in one folder") << QStringList {":/system/icon"} << "both"
                                                 << ":/system/icon/both.svg";
    QTest::newRow("missing") << QStringList {a, b} << "nothing"
                             << "";
    QTest::newRow("a file name itself") << QStringList {a} << kFolders + "/B/close.svg" << kFolders + "/B/close.svg";
    QTest::newRow("a folder is no icon") << QStringList {kFolders} << "A"
                                         << "";
}

void tst_TResource::iconFilePathOrder()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    TResource *res = TResource::instance();
    const QStringList saved = res->iconPathList();
    res->clearIconPath();
    for (const QString &f : folders)
        res->appendIconPath(f);
    const QString actual = res->iconFilePath(name);
    res->clearIconPath();
    for (const QString &f : saved)
        res->appendIconPath(f);
    QCOMPARE(actual, expected);
}

void tst_TResource::resourceFilePath()
{
    TResource *res = TResource::instance();
    QCOMPARE(res->resourceFilePath(QStringLiteral("readme.txt")), QStringLiteral(":/other/files/readme.txt"));
    QCOMPARE(res->resourceFilePath(QStringLiteral("logo.png")), QStringLiteral(":/system/image/logo.png"));
    QCOMPARE(res->resourceFilePath(QStringLiteral("logo")), QString());
    QCOMPARE(res->resourceFilePath(QString()), QString());
    QCOMPARE(res->resourceFilePath(QStringLiteral(":/system/icon/square")), QStringLiteral(":/system/icon/square"));
}

void tst_TResource::svgIconLoads()
{
    // Fails when the SVG image plug-in is missing instead of passing on a null icon.
    const QIcon icon = TResource::instance()->colorIcon(QStringLiteral("info-circle.org"));
    QVERIFY2(!icon.isNull(), "SVG icon did not load: is Qt's SVG image plug-in installed?");
    const QImage image = imageOf(icon);
    QCOMPARE(image.size(), QSize(16, 16));
    QCOMPARE(image.pixel(8, 8), qRgb(0, 255, 0));
    QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
}

void tst_TResource::colorSuffixRecolours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("color");
    QTest::newRow("#RRGGBB") << "square.#3F82B0" << QColor(0x3f, 0x82, 0xb0);
    QTest::newRow("#RRGGBBAA") << "square.#FF000080" << QColor(255, 0, 0, 128);
    QTest::newRow("colour name") << "square.orange" << QColor("orange");
    QTest::newRow("theme key") << "square.$COLOR_ACCENT_4" << QColor(0x3f, 0x82, 0xb0, 0xaf);
    QTest::newRow("unreadable paints black") << "square.nosuchcolour" << QColor(Qt::black);
    QTest::newRow("org keeps") << "square.org" << QColor();
    QTest::newRow("TRANSPARENT keeps") << "square.TRANSPARENT" << QColor();
    QTest::newRow("absent theme key keeps") << "square.$NO_SUCH_KEY" << QColor();
    QTest::newRow("empty parts dropped, extra parts ignored") << "square..#00FF00.x" << QColor(0, 255, 0);
}

void tst_TResource::colorSuffixRecolours()
{
    QFETCH(QString, name);
    QFETCH(QColor, color);
    TTheme::instance()->setValueMap(m_colors);
    // icon() hands dotted names over whole; both must give the same picture.
    for (const QIcon &icon :
         {TResource::instance()->colorIcon(name), TResource::instance()->icon(name, "tab", "dark")}) {
        QVERIFY(!icon.isNull());
        const QImage image = imageOf(icon);
        if (color.isValid()) {
            const QString mismatch = recolourMismatch(m_square, image, color);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        } else {
            QCOMPARE(image, m_square);
        }
    }
}

void tst_TResource::themeColoursForControls_data()
{
    QTest::addColumn<QString>("themeBg");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("bg");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("disabled");

    QTest::newRow("button on dark body") << "DARK"
                                         << "button"
                                         << "body"
                                         << "COLOR_DARK_BRIGHT_TEXT"
                                         << "COLOR_ACCENT_4"
                                         << "COLOR_DARK_DISABLED_TEXT";
    QTest::newRow("button on light body") << "light"
                                          << "BUTTON"
                                          << "BODY"
                                          << "COLOR_LIGHT_NORMAL_ICON"
                                          << "COLOR_ACCENT_4"
                                          << "COLOR_LIGHT_DISABLED_ICON";
    QTest::newRow("button on light, dark theme") << "dark"
                                                 << "button"
                                                 << "light"
                                                 << "COLOR_LIGHT_NORMAL_ICON"
                                                 << "COLOR_ACCENT_4"
                                                 << "COLOR_LIGHT_DISABLED_ICON";
    QTest::newRow("button on dark, light theme") << "light"
                                                 << "button"
                                                 << "dark"
                                                 << "COLOR_DARK_BRIGHT_TEXT"
                                                 << "COLOR_ACCENT_4"
                                                 << "COLOR_DARK_DISABLED_TEXT";
    QTest::newRow("tab on dark") << "light"
                                 << "tab"
                                 << "Dark"
                                 << "COLOR_LIGHT_NORMAL_ICON"
                                 << "COLOR_LIGHT_PANEL"
                                 << "COLOR_LIGHT_DISABLED_ICON";
    QTest::newRow("tab on dark body") << "dark"
                                      << "tab"
                                      << "body"
                                      << "COLOR_LIGHT_NORMAL_ICON"
                                      << "COLOR_PRIMARY_5"
                                      << "COLOR_LIGHT_DISABLED_ICON";
    QTest::newRow("other kind keeps own colours") << "dark"
                                                  << "label"
                                                  << "body"
                                                  << ""
                                                  << ""
                                                  << "";
}

void tst_TResource::themeColoursForControls()
{
    QFETCH(QString, themeBg);
    QFETCH(QString, kind);
    QFETCH(QString, bg);
    QFETCH(QString, normal);
    QFETCH(QString, on);
    QFETCH(QString, disabled);

    QVariantMap values = m_colors;
    values.insert(QStringLiteral("BG_TYPE"), themeBg);
    writeTheme(values);
    const QIcon icon = TResource::instance()->icon(QStringLiteral("square"), kind, bg);
    QVERIFY(!icon.isNull());

    auto expectColor = [&](const QString &iKey) {
        const QString text = values.value(iKey).toString();
        QColor c(text.left(7));
        if (text.size() == 9)
            c.setAlpha(text.rightRef(2).toInt(nullptr, 16));
        return c;
    };
    struct Want
    {
        QString key;
        QIcon::Mode mode;
        QIcon::State state;
    };
    const Want wants[] = {{normal, QIcon::Normal, QIcon::Off},
                          {on.isEmpty() ? normal : on, QIcon::Normal, QIcon::On},
                          {disabled, QIcon::Disabled, QIcon::Off},
                          {disabled, QIcon::Disabled, QIcon::On}};
    for (const Want &w : wants) {
        const QImage image = imageOf(icon, w.mode, w.state);
        if (w.key.isEmpty()) {
            if (w.mode == QIcon::Normal)
                QCOMPARE(image, m_square);
            continue;
        }
        const QString mismatch = recolourMismatch(m_square, image, expectColor(w.key));
        QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("%1 (mode %2, state %3): %4")
                                                        .arg(w.key)
                                                        .arg(w.mode)
                                                        .arg(w.state)
                                                        .arg(mismatch)));
    }
}

void tst_TResource::missingIconGivesPlaceholder()
{
    const QIcon icon = TResource::instance()->icon(QStringLiteral("no-such-icon"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(10, 10)}));
    QVERIFY(allTransparent(icon.pixmap(QSize(10, 10)).toImage()));
    // A coloured name that no folder holds is the plain file icon of that name.
    QVERIFY(TResource::instance()->colorIcon(QStringLiteral("no-such-icon.#FF0000")).pixmap(QSize(16, 16)).isNull());
}

void tst_TResource::unreadableIconIsNull()
{
    QVERIFY(TResource::instance()->icon(QStringLiteral("broken")).isNull());
    QVERIFY(TResource::instance()->colorIcon(QStringLiteral("broken.#ff0000")).isNull());
}

// An icon without an alpha channel (an opaque file) still takes the colour's
// alpha, and "transparent" makes it invisible, not black.
void tst_TResource::opaqueIconKeepsColourAlpha()
{
    QImage opaque(16, 16, QImage::Format_RGB32);
    opaque.fill(Qt::red);
    const QPixmap pixmap = QPixmap::fromImage(opaque);
    QVERIFY(!pixmap.hasAlphaChannel());
    const QIcon source(pixmap);
    const QImage reference = opaque.convertToFormat(QImage::Format_ARGB32);

    QString mismatch = recolourMismatch(reference, imageOf(TResource::refillIcon(source, QStringLiteral("#00FF0080"))),
                                        QColor(0, 255, 0, 128));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QVERIFY(allTransparent(imageOf(TResource::refillIcon(source, QStringLiteral("transparent")))));
}

void tst_TResource::refillIcon()
{
    TTheme::instance()->setValueMap(m_colors);
    const QIcon source(QPixmap::fromImage(m_square));
    QVERIFY(allTransparent(imageOf(TResource::refillIcon(source, QStringLiteral("transparent")))));
    QCOMPARE(TResource::refillIcon(source, QStringLiteral("Org")).cacheKey(), source.cacheKey());
    QCOMPARE(TResource::refillIcon(source, QString()).cacheKey(), source.cacheKey());
    QCOMPARE(TResource::refillIcon(source, QStringLiteral("$NO_SUCH_KEY")).cacheKey(), source.cacheKey());
    const QString mismatch = recolourMismatch(m_square, imageOf(TResource::refillIcon(source, "$COLOR_PRIMARY_5")),
                                              QColor(0x77, 0x77, 0x77));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    QVERIFY(TResource::refillIcon(QIcon(), QStringLiteral("red")).isNull());
    // The suffix form keeps the icon's own colours for the same word.
    QCOMPARE(imageOf(TResource::instance()->colorIcon(QStringLiteral("square.transparent"))), m_square);
}

void tst_TResource::scriptsCallByName()
{
    // Scripts reach the lookup through the meta-object.
    TResource *res = TResource::instance();
    QString path;
    QVERIFY(QMetaObject::invokeMethod(res, "iconFilePath", Q_RETURN_ARG(QString, path),
                                      Q_ARG(QString, QStringLiteral("info-circle"))));
    QCOMPARE(path, QStringLiteral(":/system/icon/info-circle.svg"));
    QIcon icon;
    QVERIFY(QMetaObject::invokeMethod(res, "icon", Q_RETURN_ARG(QIcon, icon),
                                      Q_ARG(QString, QStringLiteral("square"))));
    QVERIFY(!icon.isNull());
    QIcon refilled;
    QVERIFY(QMetaObject::invokeMethod(res, "refillIcon", Q_RETURN_ARG(QIcon, refilled), Q_ARG(QIcon, icon),
                                      Q_ARG(QString, QStringLiteral("#00ff00"))));
    QVERIFY(recolourMismatch(m_square, imageOf(refilled), Qt::green).isEmpty());
}

void tst_TResource::themeAndFolderChangesReachIcons()
{
    TResource *res = TResource::instance();
    TTheme::instance()->setValueMap({{"C", "#ff0000"}, {"COLOR_LIGHT_NORMAL_ICON", "#ff0000"}});
    QVERIFY(recolourMismatch(m_square, imageOf(res->colorIcon("square.$C")), Qt::red).isEmpty());
    QVERIFY(recolourMismatch(m_square, imageOf(res->icon("square", "button", "light")), Qt::red).isEmpty());
    TTheme::instance()->setValueMap({{"C", "#0000ff"}, {"COLOR_LIGHT_NORMAL_ICON", "#0000ff"}});
    QVERIFY(recolourMismatch(m_square, imageOf(res->colorIcon("square.$C")), Qt::blue).isEmpty());
    QVERIFY(recolourMismatch(m_square, imageOf(res->icon("square", "button", "light")), Qt::blue).isEmpty());

    // A folder put in front changes which file a name means.
    const QIcon before = res->icon(QStringLiteral("close"), QStringLiteral("none"));
    res->prependIconPath(kFolders + "/B");
    const QIcon after = res->icon(QStringLiteral("close"), QStringLiteral("none"));
    QCOMPARE(imageOf(before).pixel(7, 7), qRgb(10, 20, 30));
    QCOMPARE(imageOf(after).pixel(8, 8), qRgb(0, 255, 0));
    res->removeIconPath(kFolders + "/B");
}

QTEST_MAIN(tst_TResource)
#include "tst_tresource.moc"
