#include "tdataparse.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

class tst_TDataParseGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void geometry2Variant_data();
    void geometry2Variant();
    void variant2Geometry_data();
    void variant2Geometry();
    void variant2Margins();
    void lengthValueConvert_data();
    void lengthValueConvert();
    void inchFactors_data();
    void inchFactors();
    void pixelsAndPoints();
    void str2Color_data();
    void str2Color();
    void roman_data();
    void roman();
    void romanToNumberReadsAnyText_data();
    void romanToNumberReadsAnyText();
    void txt2rtfWritesTheEnvelope();
    void rtfRoundTrip_data();
    void rtfRoundTrip();
    void rtf2txtDropsControlWordsAndGroups();
};

using VariantFn = std::function<QVariant(const QString &)>;
Q_DECLARE_METATYPE(VariantFn)

void tst_TDataParseGeometry::geometry2Variant_data()
{
    QTest::addColumn<VariantFn>("convert");
    QTest::addColumn<QVariant>("expected");

    const QPoint p(3, 4);
    const QPointF pf(1.5, 1.0 / 3);
    const QSize s(10, 20);
    const QSizeF sf(2.5, 0.125);
    const QRect r(1, 2, 10, 20);
    const QRectF rf(1, 2, 10.5, 20);
    const QMargins m(1, 2, 3, 4);
    const QMarginsF mf(0.5, 2, 3, 4);

    QTest::newRow("point comma") << VariantFn([=](const QString &) { return TDataParse::point2Variant(p, ","); })
                                 << QVariant("3,4");
    QTest::newRow("point map") << VariantFn([=](const QString &) { return TDataParse::point2Variant(p, "map"); })
                               << QVariant(QVariantMap {{"x", 3}, {"y", 4}});
    QTest::newRow("point other") << VariantFn([=](const QString &) { return TDataParse::point2Variant(p, ""); })
                                 << QVariant(p);
    QTest::newRow("pointf comma") << VariantFn([=](const QString &) { return TDataParse::pointf2Variant(pf, ","); })
                                  << QVariant("1.5,0.333333");
    QTest::newRow("pointf map") << VariantFn([=](const QString &) { return TDataParse::pointf2Variant(pf, "Map"); })
                                << QVariant(QVariantMap {{"x", 1.5}, {"y", 1.0 / 3}});
    QTest::newRow("size x") << VariantFn([=](const QString &) { return TDataParse::size2Variant(s, "x"); })
                            << QVariant("10x20");
    QTest::newRow("size X map") << VariantFn([=](const QString &) { return TDataParse::size2Variant(s, "MAP"); })
                                << QVariant(QVariantMap {{"width", 10}, {"height", 20}});
    QTest::newRow("size other") << VariantFn([=](const QString &) { return TDataParse::size2Variant(s, ","); })
                                << QVariant(s);
    QTest::newRow("sizef X") << VariantFn([=](const QString &) { return TDataParse::sizef2Variant(sf, "X"); })
                             << QVariant("2.5x0.125");
    QTest::newRow("sizef other") << VariantFn([=](const QString &) { return TDataParse::sizef2Variant(sf, "?"); })
                                 << QVariant(sf);
    QTest::newRow("rect string") << VariantFn([=](const QString &) { return TDataParse::rect2Variant(r, "string"); })
                                 << QVariant("x1:1, y1:2, x2:10, y2:21, width:10, height:20");
    QTest::newRow("rect map") << VariantFn([=](const QString &) { return TDataParse::rect2Variant(r, "map"); })
                              << QVariant(QVariantMap {{"x", 1}, {"y", 2}, {"width", 10}, {"height", 20}});
    QTest::newRow("rect other") << VariantFn([=](const QString &) { return TDataParse::rect2Variant(r, "x"); })
                                << QVariant();
    QTest::newRow("rectf string") << VariantFn([=](const QString &) { return TDataParse::rectf2Variant(rf, "STRING"); })
                                  << QVariant("x1:1, y1:2, x2:11.5, y2:22, width:10.5, height:20");
    QTest::newRow("rectf map") << VariantFn([=](const QString &) { return TDataParse::rectf2Variant(rf, "map"); })
                               << QVariant(QVariantMap {{"x", 1.0}, {"y", 2.0}, {"width", 10.5}, {"height", 20.0}});
    QTest::newRow("margins string") << VariantFn([=](const QString &) {
        return TDataParse::margins2Variant(m, "String");
    }) << QVariant("left:1, top:2, right:3, bottom:4");
    QTest::newRow("margins map") << VariantFn([=](const QString &) { return TDataParse::margins2Variant(m, "map"); })
                                 << QVariant(QVariantMap {{"left", 1}, {"top", 2}, {"right", 3}, {"bottom", 4}});
    QTest::newRow("margins other") << VariantFn([=](const QString &) { return TDataParse::margins2Variant(m, ""); })
                                   << QVariant();
    QTest::newRow("marginsf string") << VariantFn([=](const QString &) {
        return TDataParse::marginsf2Variant(mf, "string");
    }) << QVariant("left:0.5, top:2, right:3, bottom:4");
}

void tst_TDataParseGeometry::geometry2Variant()
{
    QFETCH(VariantFn, convert);
    QFETCH(QVariant, expected);
    const QVariant actual = convert(QString());
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
}

void tst_TDataParseGeometry::variant2Geometry_data()
{
    QTest::addColumn<QVariant>("actual");
    QTest::addColumn<QVariant>("expected");
    auto row = [](const char *name, const QVariant &a, const QVariant &e) { QTest::newRow(name) << a << e; };

    row("point text", TDataParse::variant2Point("3,4"), QPoint(3, 4));
    row("point text, empty parts dropped", TDataParse::variant2Point("3,,4"), QPoint(3, 4));
    row("point text, not a number", TDataParse::variant2Point("a,4"), QPoint(0, 4));
    row("point text, one part", TDataParse::variant2Point("7"), QPoint(7, 0));
    row("point map, missing key", TDataParse::variant2Point(QVariantMap {{"y", "5"}}), QPoint(0, 5));
    row("point from real point", TDataParse::variant2Point(QPointF(1.6, -2.4)), QPoint(2, -2));
    row("point from list", TDataParse::variant2Point(QVariantList {1, 2}), QPoint());
    row("pointf text", TDataParse::variant2PointF("1.5,-2.25"), QPointF(1.5, -2.25));
    row("pointf from point", TDataParse::variant2PointF(QPoint(1, 2)), QPointF(1, 2));
    row("size 10X20", TDataParse::variant2Size("10X20"), QSize(10, 20));
    row("size 10x20", TDataParse::variant2Size("10x20"), QSize(10, 20));
    row("size 10", TDataParse::variant2Size("10"), QSize(10, 0));
    row("size map", TDataParse::variant2Size(QVariantMap {{"width", 3}, {"height", 4}}), QSize(3, 4));
    row("size from real size", TDataParse::variant2Size(QSizeF(2.5, 3.4)), QSize(3, 3));
    row("sizef text", TDataParse::variant2SizeF("2.5x0.5"), QSizeF(2.5, 0.5));
    row("rect map", TDataParse::variant2Rect(QVariantMap {{"x", 1}, {"y", 2}, {"width", 10}, {"height", 20}}),
        QRect(1, 2, 10, 20));
    row("rect text", TDataParse::variant2Rect("1,2,3,4"), QRect(0, 0, 0, 0));
    row("rectf map", TDataParse::variant2RectF(QVariantMap {{"x", 0.5}, {"y", 2}, {"width", 1.5}}),
        QRectF(0.5, 2, 1.5, 0));
}

void tst_TDataParseGeometry::variant2Geometry()
{
    QFETCH(QVariant, actual);
    QFETCH(QVariant, expected);
    QCOMPARE(actual, expected);
}

void tst_TDataParseGeometry::variant2Margins()
{
    QCOMPARE(TDataParse::variant2Margins(QVariantMap {{"left", 1}, {"top", 2}, {"right", 3}, {"bottom", 4}}),
             QMargins(1, 2, 3, 4));
    QCOMPARE(TDataParse::variant2Margins(QVariantMap {{"LEFT", 1}, {"top", "2"}}), QMargins(0, 2, 0, 0));
    QCOMPARE(TDataParse::variant2Margins("1,2,3,4"), QMargins());
    QCOMPARE(TDataParse::variant2MarginsF(QVariantMap {{"left", 0.5}, {"bottom", "1.25"}}), QMarginsF(0.5, 0, 0, 1.25));
}

void tst_TDataParseGeometry::lengthValueConvert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("expected");
    QTest::newRow("1 inch to mil") << "1 inch"
                                   << "mil" << 0 << 1000.0;
    QTest::newRow("25.4mm to in, 3 decimals") << "25.4mm"
                                              << "in" << 3 << 1.0;
    QTest::newRow("no unit is the target unit") << "10"
                                                << "mm" << 0 << 10.0;
    QTest::newRow("target not in table") << "2mil"
                                         << "cm" << 0 << 2.0;
    QTest::newRow("1mil to mm, 2 decimals") << "1mil"
                                            << "mm" << 2 << 0.03;
    QTest::newRow("unit in any case") << "1 MM"
                                      << "UM" << 0 << 1000.0;
    QTest::newRow("same unit") << "-3.5mil"
                               << "MIL" << 0 << -3.5;
    QTest::newRow("leading point") << ".5in"
                                   << "mil" << 0 << 500.0;
    QTest::newRow("text around the number") << "w = 2 in"
                                            << "mil" << 0 << 2000.0;
    QTest::newRow("nothing to read") << "abc"
                                     << "mm" << 0 << 0.0;
    QTest::newRow("empty") << ""
                           << "mm" << 2 << 0.0;
}

void tst_TDataParseGeometry::lengthValueConvert()
{
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(int, precision);
    QFETCH(double, expected);
    QCOMPARE(TDataParse::lengthValueConvert(text, unit, precision), expected);
}

void tst_TDataParseGeometry::inchFactors_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("perInch");
    QTest::newRow("MM") << "MM" << 25.4;
    QTest::newRow("mil") << "mil" << 1000.0;
    QTest::newRow("micron") << "micron" << 25400.0;
    QTest::newRow("um") << "um" << 25400.0;
    QTest::newRow("sq_mm") << "sq_mm" << 645.16;
    QTest::newRow("sq_mil") << "SQ_MIL" << 1000000.0;
    QTest::newRow("sq_micron") << "sq_micron" << 645160000.0;
    QTest::newRow("sq_um") << "sq_um" << 645160000.0;
    QTest::newRow("inch is not in the table") << "inch" << 1.0;
    QTest::newRow("unknown") << "furlong" << 1.0;
}

void tst_TDataParseGeometry::inchFactors()
{
    QFETCH(QString, unit);
    QFETCH(double, perInch);
    QCOMPARE(TDataParse::valueFromInch(2, unit), 2 * perInch);
    QCOMPARE(TDataParse::valueToInch(perInch, unit), 1.0);
}

void tst_TDataParseGeometry::pixelsAndPoints()
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    QCOMPARE(TDataParse::pixel2point(96), 96 * 72.0 / dpi);
    QCOMPARE(TDataParse::point2pixel(72.0), static_cast<int>(dpi));
    QCOMPARE(TDataParse::point2pixel(-1.9 * 72 / dpi), -1);
}

void tst_TDataParseGeometry::str2Color_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("#RRGGBBAA") << "#FF000080" << true << QColor(255, 0, 0, 128);
    QTest::newRow("alpha is always last") << "#80FF0000" << true << QColor(0x80, 0xff, 0x00, 0);
    QTest::newRow("bad alpha digits") << "#112233zz" << true << QColor(0x11, 0x22, 0x33, 0);
    QTest::newRow("#RRGGBB") << "#102030" << true << QColor(0x10, 0x20, 0x30);
    QTest::newRow("#RGB") << "#f00" << true << QColor(255, 0, 0);
    QTest::newRow("name") << "steelblue" << true << QColor(70, 130, 180);
    QTest::newRow("transparent") << "transparent" << true << QColor(0, 0, 0, 0);
    QTest::newRow("unknown") << "nosuchcolour" << false << QColor();
    QTest::newRow("empty") << "" << false << QColor();
}

void tst_TDataParseGeometry::str2Color()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QColor, expected);
    const QColor c = TDataParse::str2Color(text);
    QCOMPARE(c.isValid(), valid);
    if (valid)
        QCOMPARE(c.rgba(), expected.rgba());
}

void tst_TDataParseGeometry::roman_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("roman");
    QTest::newRow("1") << 1 << "I";
    QTest::newRow("4") << 4 << "IV";
    QTest::newRow("9") << 9 << "IX";
    QTest::newRow("14") << 14 << "XIV";
    QTest::newRow("40") << 40 << "XL";
    QTest::newRow("90") << 90 << "XC";
    QTest::newRow("400") << 400 << "CD";
    QTest::newRow("1994") << 1994 << "MCMXCIV";
    QTest::newRow("3999") << 3999 << "MMMCMXCIX";
    QTest::newRow("4000 repeats M") << 4000 << "MMMM";
}

void tst_TDataParseGeometry::roman()
{
    QFETCH(int, number);
    QFETCH(QString, roman);
    QCOMPARE(TDataParse::numberToRoman(number), roman);
    QCOMPARE(TDataParse::romanToNumber(roman), number);
}

void tst_TDataParseGeometry::romanToNumberReadsAnyText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("lower case counts 0") << "iv" << 0;
    QTest::newRow("malformed IIII") << "IIII" << 4;
    QTest::newRow("malformed IM") << "IM" << 999;
    QTest::newRow("foreign letters") << "XAX" << 20;
}

void tst_TDataParseGeometry::romanToNumberReadsAnyText()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(TDataParse::romanToNumber(text), number);
    QCOMPARE(TDataParse::numberToRoman(0), QString());
    QCOMPARE(TDataParse::numberToRoman(-7), QString());
}

void tst_TDataParseGeometry::txt2rtfWritesTheEnvelope()
{
    const QString head = QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 Arial;}}\n"
                                        "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 ");
    const QString tail = QStringLiteral("\n\\par }");
    QCOMPARE(TDataParse::txt2rtf(QStringLiteral("a b\n中{\\}\tz\x01\x7f")),
             head + QStringLiteral("a b\\par \\'d6\\'d0\\{\\\\\\}\\tab z") + tail);
    QCOMPARE(TDataParse::txt2rtf(QString()), head + tail);
}

void tst_TDataParseGeometry::rtfRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "a b  c";
    QTest::newRow("leading and trailing blanks") << " x ";
    QTest::newRow("lines") << "line 1\nline 2\n\n";
    QTest::newRow("chinese") << "中文 text 繁體";
    QTest::newRow("braces and backslashes") << "{a} \\ b\\c}{";
    QTest::newRow("looks like markup") << "\\par x\\n y \\'d6\\'d0 \\b0";
    QTest::newRow("tab") << "a\tb";
    QTest::newRow("quote and hex-looking text after chinese") << "中ab 'ff'";
}

void tst_TDataParseGeometry::rtfRoundTrip()
{
    QFETCH(QString, text);
    QCOMPARE(TDataParse::rtf2txt(TDataParse::txt2rtf(text)), text);
}

void tst_TDataParseGeometry::rtf2txtDropsControlWordsAndGroups()
{
    QCOMPARE(
            TDataParse::rtf2txt(QStringLiteral(
                    "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}\\pard\\b bold\\b0  plain\\par next}trailing")),
            QStringLiteral("bold plain\nnext"));
    QCOMPARE(TDataParse::rtf2txt(QStringLiteral("{\\rtf1 x}{\\par y}")), QString());
}

QTEST_MAIN(tst_TDataParseGeometry)
#include "tst_tdataparse_geometry.moc"
