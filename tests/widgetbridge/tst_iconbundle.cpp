// The product bundle "zul.rcc": every icon name the widgets and dialogs ask
// for draws a real icon from it, in the colours it is asked for.

#include "tresource.h"
#include "ttheme.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kBundleDir = QStringLiteral(VEK_ZUL_RCC_DIR);
const QString kIconFolder = QStringLiteral(":/system/icon");

// Where an icon name was asked for, for the failure message.
using NameSites = QMap<QString, QStringList>;

bool isIconWord(const QString &iText)
{
    static const QRegularExpression word(QStringLiteral("^[a-z][a-z0-9_]*(?:-[a-z0-9_]+)*$"));
    return word.match(iText).hasMatch();
}

// The colour part of "name.colour" as the icon lookup reads it: a colour
// text, a theme key, a placeholder filled in later, or the own-colour word.
bool isIconColour(const QString &iText)
{
    if (iText.startsWith(QLatin1Char('$')) || iText == QLatin1String("%1")
        || iText.compare(QLatin1String("org"), Qt::CaseInsensitive) == 0)
        return true;
    static const QRegularExpression hex(QStringLiteral("^#(?:[0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$"));
    return hex.match(iText).hasMatch() || QColor::isValidColor(iText);
}

// The code with comments blanked out, string literals kept: names quoted in
// comments are examples, not requests.
QString withoutComments(const QString &iText)
{
    QString out = iText;
    const int n = out.size();
    int i = 0;
    while (i < n) {
        const QChar c = out.at(i);
        const QChar next = i + 1 < n ? out.at(i + 1) : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            while (i < n && out.at(i) != QLatin1Char('\n'))
                out[i++] = QLatin1Char(' ');
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            while (i < n && !(out.at(i) == QLatin1Char('*') && i + 1 < n && out.at(i + 1) == QLatin1Char('/'))) {
                if (out.at(i) != QLatin1Char('\n'))
                    out[i] = QLatin1Char(' ');
                ++i;
            }
            for (int k = 0; k < 2 && i < n; ++k)
                out[i++] = QLatin1Char(' ');
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            ++i;
            while (i < n && out.at(i) != c && out.at(i) != QLatin1Char('\n'))
                i += out.at(i) == QLatin1Char('\\') ? 2 : 1;
            ++i;
        } else {
            ++i;
        }
    }
    return out;
}

/*
 * Finds the icon names a source file asks for, in one pass over its code
 * with a stack of the open calls and braces. A string literal is an icon
 * name when it
 *  - carries an icon colour ("info-circle.#3F82B0", "square-filled.%1");
 *  - is the name argument of a call that takes an icon name: a function
 *    whose name holds "icon" (first argument), or a function or lambda of
 *    the same file with a parameter named after an icon (that argument);
 *  - is assigned to a variable whose name holds "icon";
 *  - is the "icon" field of a row of a table of a struct with such a field;
 *  - is the value of a setAttr call whose key names an icon attribute.
 * Between the literal and its call there may only be string wrappers
 * (QStringLiteral, QLatin1String, ...), so keys such as
 * map.value(QStringLiteral("icon")) inside a name argument are no names.
 */
class IconNameScanner
{
public:
    void scan(const QString &iText, const QString &iWhere, NameSites &ioNames)
    {
        const QString code = withoutComments(iText);
        findIconParameters(code);
        findIconTables(code);
        struct Frame
        {
            QChar open;
            QString name;
            int arg = 0;
            int iconArg = -1;
            int tableField = -1;
        };
        QVector<Frame> stack;
        int statementIconAssignment = -1; // stack depth at which "xIcon = " began
        const int n = code.size();
        int line = 1;
        for (int i = 0; i < n; ++i) {
            const QChar c = code.at(i);
            if (c == QLatin1Char('\n')) {
                ++line;
            } else if (c == QLatin1Char('(') || c == QLatin1Char('{') || c == QLatin1Char('[')) {
                Frame frame;
                frame.open = c;
                if (c == QLatin1Char('(')) {
                    frame.name = identifierBefore(code, i);
                    if (isKeyword(frame.name))
                        frame.name.clear();
                    else if (m_iconParameters.contains(frame.name))
                        frame.iconArg = m_iconParameters.value(frame.name);
                    else if (namesIcon(frame.name))
                        frame.iconArg = 0;
                    else if (frame.name == QLatin1String("setAttr"))
                        frame.iconArg = attrValueIsIcon(code, i) ? 1 : -1;
                } else if (c == QLatin1Char('{')) {
                    const int field = m_tableStarts.value(i, -1);
                    if (field >= 0)
                        frame.tableField = field;
                    else if (!stack.isEmpty() && stack.last().tableField >= 0 && stack.last().open == QLatin1Char('{'))
                        frame.iconArg = stack.last().tableField; // a row of the table
                }
                stack.append(frame);
            } else if (c == QLatin1Char(')') || c == QLatin1Char('}') || c == QLatin1Char(']')) {
                if (!stack.isEmpty())
                    stack.removeLast();
                if (statementIconAssignment > stack.size())
                    statementIconAssignment = -1;
            } else if (c == QLatin1Char(',')) {
                if (!stack.isEmpty())
                    ++stack.last().arg;
            } else if (c == QLatin1Char(';')) {
                statementIconAssignment = -1;
            } else if (c == QLatin1Char('=') && i + 1 < n && code.at(i + 1) != QLatin1Char('=') && i > 0
                       && QStringLiteral("=!<>+-*/").indexOf(code.at(i - 1)) < 0) {
                if (namesIcon(identifierBefore(code, i)))
                    statementIconAssignment = stack.size();
            } else if (c == QLatin1Char('\'')) {
                ++i;
                while (i < n && code.at(i) != QLatin1Char('\'') && code.at(i) != QLatin1Char('\n'))
                    i += code.at(i) == QLatin1Char('\\') ? 2 : 1;
                if (i < n && code.at(i) == QLatin1Char('\n'))
                    --i; // counted as a line end above
            } else if (c == QLatin1Char('"')) {
                const int start = i + 1;
                ++i;
                while (i < n && code.at(i) != QLatin1Char('"') && code.at(i) != QLatin1Char('\n'))
                    i += code.at(i) == QLatin1Char('\\') ? 2 : 1;
                const QString literal = code.mid(start, i - start);
                if (i < n && code.at(i) == QLatin1Char('\n'))
                    --i; // an unterminated literal ends at the line end, which is counted above
                const int dot = literal.indexOf(QLatin1Char('.'));
                const QString base = dot < 0 ? literal : literal.left(dot);
                if (!isIconWord(base))
                    continue;
                bool isName = dot >= 0 && isIconColour(literal.mid(dot + 1).section(QLatin1Char('.'), 0, 0));
                if (!isName && dot < 0) {
                    int k = stack.size() - 1;
                    while (k >= 0 && stack.at(k).open == QLatin1Char('(') && isStringWrapper(stack.at(k).name))
                        --k;
                    isName = (k >= 0 && stack.at(k).iconArg >= 0 && stack.at(k).arg == stack.at(k).iconArg)
                             || (statementIconAssignment >= 0 && k + 1 == statementIconAssignment);
                }
                if (isName)
                    ioNames[base].append(QStringLiteral("%1:%2").arg(iWhere).arg(line));
            }
        }
    }

private:
    static bool isStringWrapper(const QString &iName)
    {
        static const QStringList wrappers {QStringLiteral("QStringLiteral"), QStringLiteral("QLatin1String"),
                                           QStringLiteral("fromLatin1"), QStringLiteral("fromUtf8"),
                                           QStringLiteral("QString")};
        return wrappers.contains(iName);
    }

    // "buttonIcon", "colorIcon", "setExpandedIcon", "rightIconName"; not
    // "setIconBgColor" or "iconSize", which take other things.
    static bool namesIcon(const QString &iName)
    {
        static const QRegularExpression icon(QStringLiteral("icon"), QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression other(QStringLiteral("icon\\w*(?:colou?r|size)"),
                                              QRegularExpression::CaseInsensitiveOption);
        return icon.match(iName).hasMatch() && !other.match(iName).hasMatch();
    }

    static bool isKeyword(const QString &iName)
    {
        static const QStringList keywords {QStringLiteral("if"),     QStringLiteral("while"),
                                           QStringLiteral("for"),    QStringLiteral("switch"),
                                           QStringLiteral("catch"),  QStringLiteral("return"),
                                           QStringLiteral("sizeof"), QStringLiteral("decltype")};
        return keywords.contains(iName);
    }

    static QString identifierBefore(const QString &iCode, int iPos)
    {
        int end = iPos;
        while (end > 0 && iCode.at(end - 1).isSpace())
            --end;
        int start = end;
        while (start > 0 && (iCode.at(start - 1).isLetterOrNumber() || iCode.at(start - 1) == QLatin1Char('_')))
            --start;
        return iCode.mid(start, end - start);
    }

    static bool attrValueIsIcon(const QString &iCode, int iOpen)
    {
        static const QRegularExpression key(
                QStringLiteral(R"re(\G\s*(?:QStringLiteral|QLatin1String)?\(?\s*"(\w*icon)")re"));
        return key.match(iCode, iOpen + 1).hasMatch();
    }

    // Functions and lambdas with a parameter named after an icon ("iIcon"),
    // and that parameter's place.
    void findIconParameters(const QString &iCode)
    {
        m_iconParameters.clear();
        static const QRegularExpression declaration(QStringLiteral(
                R"(\b(\w+)\s*(?:=\s*\[[^\]\n]*\]\s*)?\(([^()]*)\)\s*(?:const\s*)?(?:->\s*[\w:*&<> ]+)?\{)"));
        static const QRegularExpression iconParameter(QStringLiteral(R"(\b\w*[Ii]con\w*\s*(?:=.*)?$)"));
        QRegularExpressionMatchIterator it = declaration.globalMatch(iCode);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            if (isKeyword(match.captured(1)))
                continue;
            const QStringList parameters = match.captured(2).split(QLatin1Char(','));
            for (int k = 0; k < parameters.size(); ++k) {
                const QString parameter = parameters.at(k).trimmed();
                // "const QIcon &iValue" is an icon, not an icon name.
                if (parameter.contains(QLatin1String("QIcon")) || parameter.contains(QLatin1String("QPixmap")))
                    continue;
                if (iconParameter.match(parameter).hasMatch()) {
                    m_iconParameters.insert(match.captured(1), k);
                    break;
                }
            }
        }
    }

    // Opening braces of arrays of a struct that has an icon field, with the
    // field's place in a row.
    void findIconTables(const QString &iCode)
    {
        m_tableStarts.clear();
        static const QRegularExpression structure(QStringLiteral(R"(\bstruct\s+(\w+)\s*\{([^{}]*)\})"));
        QRegularExpressionMatchIterator it = structure.globalMatch(iCode);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const QStringList fields = match.captured(2).split(QLatin1Char(';'), Qt::SkipEmptyParts);
            int field = -1;
            for (int k = 0; k < fields.size(); ++k) {
                static const QRegularExpression iconField(QStringLiteral(R"(\b\w*icon\w*\s*$)"),
                                                          QRegularExpression::CaseInsensitiveOption);
                if (iconField.match(fields.at(k).trimmed()).hasMatch()) {
                    field = k;
                    break;
                }
            }
            if (field < 0)
                continue;
            const QRegularExpression array(QStringLiteral(R"(\b%1\s+\w+\s*\[[^\]]*\]\s*=\s*\{)")
                                                   .arg(QRegularExpression::escape(match.captured(1))));
            QRegularExpressionMatchIterator arrays = array.globalMatch(iCode);
            while (arrays.hasNext())
                m_tableStarts.insert(arrays.next().capturedEnd() - 1, field);
        }
    }

    QHash<QString, int> m_iconParameters;
    QHash<int, int> m_tableStarts;
};

NameSites scanTree(const QStringList &iFolders)
{
    NameSites names;
    IconNameScanner scanner;
    for (const QString &folder : iFolders) {
        QDirIterator it(folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            scanner.scan(QString::fromUtf8(file.readAll()), QDir(QStringLiteral(VEK_SOURCE_DIR)).relativeFilePath(path),
                         names);
        }
    }
    return names;
}

QStringList listedNames()
{
    QStringList names;
    QFile file(QStringLiteral(VEK_ZUL_LIST));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString name = line.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('='), 0, 0).trimmed();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QImage imageOf(const QIcon &iIcon, int iSide = 32, QIcon::Mode iMode = QIcon::Normal)
{
    return iIcon.pixmap(QSize(iSide, iSide), iMode, QIcon::Off).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Box of the pixels that are at least half covered.
QRect inkBox(const QImage &iImage)
{
    QRect box;
    for (int y = 0; y < iImage.height(); ++y)
        for (int x = 0; x < iImage.width(); ++x)
            if (qAlpha(iImage.pixel(x, y)) >= 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

int inkInRow(const QImage &iImage, int iY)
{
    int count = 0;
    for (int x = 0; x < iImage.width(); ++x)
        count += qAlpha(iImage.pixel(x, iY)) >= 128 ? 1 : 0;
    return count;
}

} // namespace

class tst_IconBundle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void scannerFindsNames_data();
    void scannerFindsNames();
    void treeAsksForKnownNames();
    void everyNameDraws_data();
    void everyNameDraws();
    void glyphsStandUpright();
    void recolours_data();
    void recolours();
};

void tst_IconBundle::initTestCase()
{
    TResource *resource = TResource::instance();
    resource->setRccDir(kBundleDir);
    QVERIFY2(resource->loadRcc(QStringLiteral("zul.rcc")), qPrintable(kBundleDir + QStringLiteral("/zul.rcc")));
    QVERIFY2(resource->iconPathList().contains(kIconFolder),
             qPrintable(resource->iconPathList().join(QLatin1Char(' '))));
}

void tst_IconBundle::scannerFindsNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("resource calls take the first argument") << QStringLiteral(
            R"(a = TResource::instance()->icon(QStringLiteral("calendar"), QStringLiteral("button"), QStringLiteral("body"));
                  b = TResource::instance()->colorIcon(QStringLiteral("check"));)")
                                                            << QStringList {QStringLiteral("calendar"),
                                                                            QStringLiteral("check")};
    QTest::newRow("a colour suffix marks a name anywhere") << QStringLiteral(
            R"(QString close = QStringLiteral("close.#393B3E"); x("info-circle.$COLOR_ACCENT_4", "a.b.h", "tresource.h");
                  y(QStringLiteral("square-filled.%1").arg(c), "square-filled.black"))")
                                                           << QStringList {QStringLiteral("close"),
                                                                           QStringLiteral("info-circle"),
                                                                           QStringLiteral("square-filled")};
    QTest::newRow("keys inside a name argument are no names")
            << QStringLiteral(R"(icon(map.value(QStringLiteral("icon")).toString(), QStringLiteral("button"));
                  setIcon(buttonIcon(QStringLiteral("search")));)")
            << QStringList {QStringLiteral("search")};
    QTest::newRow("helpers with an icon parameter")
            << QStringLiteral(R"(TToolButton *flatButton(QWidget *iOwner, const QString &iIcon) { return nullptr; }
                  void f() { flatButton(this, QStringLiteral("close1")); flatButton(QStringLiteral("x"), nullptr); }
                  auto make = [group](const char *iIcon, const QString &iText) { return 0; };
                  make("align-left", tr("left"));)")
            << QStringList {QStringLiteral("align-left"), QStringLiteral("close1")};
    QTest::newRow("assignments to icon variables")
            << QStringLiteral(
                       R"(d->rightIconName = iVisible ? QStringLiteral("angle-up") : QStringLiteral("angle-down");
                  kind = QStringLiteral("plain"); iconSize = f(QStringLiteral("big"));
                  QString iconBgColor = QStringLiteral("transparent"); setIconBgColor(QStringLiteral("white"));)")
            << QStringList {QStringLiteral("angle-down"), QStringLiteral("angle-up")};
    QTest::newRow("tables of a struct with an icon field")
            << QStringLiteral(R"(struct Tool { const char *name; const char *icon; const char *tip; };
                  static const Tool tools[] = {{"first", "oval", "tip"}, {"second", "arrow-upright", QT_TR_NOOP("x")}};)")
            << QStringList {QStringLiteral("arrow-upright"), QStringLiteral("oval")};
    QTest::newRow("icon attributes") << QStringLiteral(
            R"(b->setAttr(QStringLiteral("color_icon"), QStringLiteral("refresh")); b->setAttr("style", "flat");)")
                                     << QStringList {QStringLiteral("refresh")};
    QTest::newRow("comments are examples") << QStringLiteral(R"(// icon("folder") or "folder.#3f82b0"
                                                 /* colorIcon("image.red") */)")
                                           << QStringList();
}

void tst_IconBundle::scannerFindsNames()
{
    QFETCH(QString, code);
    QFETCH(QStringList, names);
    NameSites found;
    IconNameScanner().scan(code, QStringLiteral("fixture"), found);
    QCOMPARE(found.keys(), names);
}

void tst_IconBundle::treeAsksForKnownNames()
{
    // The scan must keep seeing the requests it was written for; a scan
    // that finds nothing would let every name pass.
    const NameSites names = scanTree({QStringLiteral(VEK_SOURCE_DIR "/src"), QStringLiteral(VEK_SOURCE_DIR "/apps")});
    for (const char *name : {"window-close-t", "window-minimize-t", "angle-double-right", "times-circle", "calendar",
                             "info-circle", "rotate-left", "oval"})
        QVERIFY2(names.contains(QLatin1String(name)), name);
}

void tst_IconBundle::everyNameDraws_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("where");
    const NameSites asked = scanTree({QStringLiteral(VEK_SOURCE_DIR "/src"), QStringLiteral(VEK_SOURCE_DIR "/apps")});
    for (auto it = asked.cbegin(); it != asked.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value().join(QLatin1Char(' '));
    const QStringList listed = listedNames();
    QVERIFY(!listed.isEmpty());
    for (const QString &name : listed) {
        if (!asked.contains(name))
            QTest::newRow(qPrintable(name)) << name << QStringLiteral(VEK_ZUL_LIST);
    }
}

void tst_IconBundle::everyNameDraws()
{
    QFETCH(QString, name);
    QFETCH(QString, where);
    TResource *resource = TResource::instance();
    const QString path = resource->iconFilePath(name);
    QVERIFY2(path.startsWith(kIconFolder + QLatin1Char('/')),
             qPrintable(QStringLiteral("\"%1\" (asked for at %2) is not in the bundle; add it to %3")
                                .arg(name, where, QStringLiteral("src/plugins/tui/resource/zul/icons.txt"))));
    const QImage image = imageOf(resource->icon(name, QStringLiteral("button"), QStringLiteral("body")));
    const QRect ink = inkBox(image);
    // The glyph fills a good part of the square and sits in its middle.
    QVERIFY2(ink.width() >= 8 || ink.height() >= 8,
             qPrintable(QStringLiteral("ink %1x%2").arg(ink.width()).arg(ink.height())));
    QVERIFY2(qAbs(ink.center().x() - 15.5) <= 2 && qAbs(ink.center().y() - 15.5) <= 2,
             qPrintable(QStringLiteral("ink centre %1,%2").arg(ink.center().x()).arg(ink.center().y())));
    // The plain pixmap is the file's own size, not the lookup's placeholder.
    QCOMPARE(QPixmap(path).size(), QSize(64, 64));
}

void tst_IconBundle::glyphsStandUpright()
{
    // The font's y axis points up: an unflipped glyph would stand on its head.
    TResource *resource = TResource::instance();
    const QImage up = imageOf(resource->icon(QStringLiteral("angle-up"), QString(), QString()), 64);
    const QRect upInk = inkBox(up);
    QVERIFY(inkInRow(up, upInk.top()) < inkInRow(up, upInk.bottom()));
    const QImage left = imageOf(resource->icon(QStringLiteral("angle-left"), QString(), QString()), 64);
    const QRect leftInk = inkBox(left);
    QVERIFY(leftInk.center().x() > 0);
    int leftColumn = 0;
    int rightColumn = 0;
    for (int y = 0; y < left.height(); ++y) {
        leftColumn += qAlpha(left.pixel(leftInk.left(), y)) >= 128 ? 1 : 0;
        rightColumn += qAlpha(left.pixel(leftInk.right(), y)) >= 128 ? 1 : 0;
    }
    QVERIFY2(leftColumn < rightColumn, qPrintable(QStringLiteral("%1 >= %2").arg(leftColumn).arg(rightColumn)));
}

void tst_IconBundle::recolours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("background");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("suffix") << QStringLiteral("info-circle.#3F82B0") << QString() << int(QIcon::Normal)
                            << QColor(0x3F, 0x82, 0xB0);
    QTest::newRow("suffix with alpha") << QStringLiteral("window-close-t.#000000AF") << QString() << int(QIcon::Normal)
                                       << QColor(0, 0, 0, 0xAF);
    QTest::newRow("light button") << QStringLiteral("angle-left") << QStringLiteral("light") << int(QIcon::Normal)
                                  << QColor(0x11, 0x22, 0x33);
    QTest::newRow("dark button") << QStringLiteral("angle-left") << QStringLiteral("dark") << int(QIcon::Normal)
                                 << QColor(0xEE, 0xEE, 0xEE);
    QTest::newRow("disabled button") << QStringLiteral("angle-left") << QStringLiteral("light") << int(QIcon::Disabled)
                                     << QColor(0x99, 0x99, 0x99);
}

void tst_IconBundle::recolours()
{
    QFETCH(QString, name);
    QFETCH(QString, background);
    QFETCH(int, mode);
    QFETCH(QColor, colour);
    TTheme::instance()->setValueMap({{QStringLiteral("COLOR_LIGHT_NORMAL_ICON"), QStringLiteral("#112233")},
                                     {QStringLiteral("COLOR_DARK_BRIGHT_TEXT"), QStringLiteral("#EEEEEE")},
                                     {QStringLiteral("COLOR_LIGHT_DISABLED_ICON"), QStringLiteral("#999999")},
                                     {QStringLiteral("COLOR_DARK_DISABLED_TEXT"), QStringLiteral("#666666")},
                                     {QStringLiteral("COLOR_ACCENT_4"), QStringLiteral("#FF0000")}});
    const QImage image
            = imageOf(TResource::instance()->icon(name, QStringLiteral("button"), background), 32, QIcon::Mode(mode));
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            // Fully covered pixels carry the colour as it is; edges are softer.
            if (qAlpha(pixel) < colour.alpha())
                continue;
            ++inked;
            QVERIFY2(qAbs(qRed(pixel) - colour.red()) <= 2 && qAbs(qGreen(pixel) - colour.green()) <= 2
                             && qAbs(qBlue(pixel) - colour.blue()) <= 2 && qAbs(qAlpha(pixel) - colour.alpha()) <= 2,
                     qPrintable(QStringLiteral("%1 at %2,%3")
                                        .arg(QColor::fromRgba(pixel).name(QColor::HexArgb))
                                        .arg(x)
                                        .arg(y)));
        }
    }
    QVERIFY(inked > 20);
}

QTEST_MAIN(tst_IconBundle)
#include "tst_iconbundle.moc"
