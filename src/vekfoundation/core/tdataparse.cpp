#include "tdataparse.h"
#include "terror.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QScreen>
#include <QTextCodec>

// ======================================================================
// JSON, variant and text conversions


// ======================================================================
// Command strings and CSV


// ======================================================================
// XML conversions


// ======================================================================
// Geometry, lengths, colours, Roman numerals and rich text

namespace {

const QString kFormatMap = QStringLiteral("MAP");
const QString kFormatString = QStringLiteral("STRING");

template <typename PointT>
QVariant pointVariant(const PointT &iPoint, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == QLatin1String(","))
        return QStringLiteral("%1,%2").arg(iPoint.x()).arg(iPoint.y());
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("x"), iPoint.x()}, {QStringLiteral("y"), iPoint.y()}};
    return QVariant::fromValue(iPoint);
}

template <typename SizeT>
QVariant sizeVariant(const SizeT &iSize, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == QLatin1String("X"))
        return QStringLiteral("%1x%2").arg(iSize.width()).arg(iSize.height());
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("width"), iSize.width()}, {QStringLiteral("height"), iSize.height()}};
    return QVariant::fromValue(iSize);
}

template <typename RectT>
QVariant rectVariant(const RectT &iRect, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("x"), iRect.x()}, {QStringLiteral("y"), iRect.y()},
                            {QStringLiteral("width"), iRect.width()}, {QStringLiteral("height"), iRect.height()}};
    if (word == kFormatString)
        return QStringLiteral("x1:%1, y1:%2, x2:%3, y2:%4, width:%5, height:%6")
            .arg(iRect.left()).arg(iRect.top()).arg(iRect.right()).arg(iRect.bottom())
            .arg(iRect.width()).arg(iRect.height());
    return QVariant();
}

template <typename MarginsT>
QVariant marginsVariant(const MarginsT &iMargins, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("left"), iMargins.left()}, {QStringLiteral("top"), iMargins.top()},
                            {QStringLiteral("right"), iMargins.right()}, {QStringLiteral("bottom"), iMargins.bottom()}};
    if (word == kFormatString)
        return QStringLiteral("left:%1, top:%2, right:%3, bottom:%4")
            .arg(iMargins.left()).arg(iMargins.top()).arg(iMargins.right()).arg(iMargins.bottom());
    return QVariant();
}

// Whole numbers for the integer geometry types, reals for the others.
template <typename T> T numberOf(const QVariant &iVar);
template <> int numberOf<int>(const QVariant &iVar) { return iVar.toInt(); }
template <> qreal numberOf<qreal>(const QVariant &iVar) { return iVar.toDouble(); }
template <typename T> T numberOf(const QString &iText);
template <> int numberOf<int>(const QString &iText) { return iText.toInt(); }
template <> qreal numberOf<qreal>(const QString &iText) { return iText.toDouble(); }

// The integer point takes a real one to the nearest whole numbers.
template <typename PointT> PointT fromPointF(const QPointF &iPoint);
template <> QPoint fromPointF<QPoint>(const QPointF &iPoint) { return iPoint.toPoint(); }
template <> QPointF fromPointF<QPointF>(const QPointF &iPoint) { return iPoint; }

template <typename PointT, typename N>
PointT variantPoint(const QVariant &iVar)
{
    switch (static_cast<int>(iVar.type())) {
    case QMetaType::QString: {
        const QStringList parts = iVar.toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        return PointT(numberOf<N>(parts.value(0)), numberOf<N>(parts.value(1)));
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = iVar.toMap();
        return PointT(numberOf<N>(map.value(QStringLiteral("x"))), numberOf<N>(map.value(QStringLiteral("y"))));
    }
    case QMetaType::QPoint:
    case QMetaType::QPointF:
        return fromPointF<PointT>(iVar.toPointF());
    default:
        return PointT();
    }
}

template <typename SizeT, typename N>
SizeT variantSize(const QVariant &iVar)
{
    switch (static_cast<int>(iVar.type())) {
    case QMetaType::QString: {
        static const QRegularExpression by(QStringLiteral("[xX]"));
        const QStringList parts = iVar.toString().split(by, Qt::SkipEmptyParts);
        return SizeT(numberOf<N>(parts.value(0)), numberOf<N>(parts.value(1)));
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = iVar.toMap();
        return SizeT(numberOf<N>(map.value(QStringLiteral("width"))), numberOf<N>(map.value(QStringLiteral("height"))));
    }
    default:
        return SizeT();
    }
}

template <typename RectT, typename N>
RectT variantRect(const QVariant &iVar)
{
    RectT rect;
    if (iVar.type() != QVariant::Map)
        return rect;
    const QVariantMap map = iVar.toMap();
    rect.setLeft(numberOf<N>(map.value(QStringLiteral("x"))));
    rect.setTop(numberOf<N>(map.value(QStringLiteral("y"))));
    rect.setWidth(numberOf<N>(map.value(QStringLiteral("width"))));
    rect.setHeight(numberOf<N>(map.value(QStringLiteral("height"))));
    return rect;
}

template <typename MarginsT, typename N>
MarginsT variantMargins(const QVariant &iVar)
{
    if (iVar.type() != QVariant::Map)
        return MarginsT();
    const QVariantMap map = iVar.toMap();
    return MarginsT(numberOf<N>(map.value(QStringLiteral("left"))), numberOf<N>(map.value(QStringLiteral("top"))),
                   numberOf<N>(map.value(QStringLiteral("right"))), numberOf<N>(map.value(QStringLiteral("bottom"))));
}

double inchesPerUnit(const QString &iUnit, bool *oKnown)
{
    static const QHash<QString, double> table {
        {QStringLiteral("MIL"), 0.001},
        {QStringLiteral("IN"), 1.0},
        {QStringLiteral("INCH"), 1.0},
        {QStringLiteral("UM"), 1.0 / 25400.0},
        {QStringLiteral("MM"), 1.0 / 25.4},
    };
    const auto it = table.constFind(iUnit);
    *oKnown = it != table.cend();
    return *oKnown ? it.value() : 1.0;
}

double unitsPerInch(const QString &iUnit)
{
    static const QHash<QString, double> table {
        {QStringLiteral("mm"), 25.4},
        {QStringLiteral("mil"), 1000.0},
        {QStringLiteral("micron"), 25400.0},
        {QStringLiteral("um"), 25400.0},
        {QStringLiteral("sq_mm"), 645.16},
        {QStringLiteral("sq_mil"), 1000000.0},
        {QStringLiteral("sq_micron"), 645160000.0},
        {QStringLiteral("sq_um"), 645160000.0},
    };
    return table.value(iUnit.toLower(), 1.0);
}

double logicalDpi()
{
    // Without a GUI application there is no screen; 96 is the desktop's usual value.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 96.0;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

const int kRomanValues[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
const char *const kRomanSymbols[] = {"M", "CM", "D", "CD", "C", "XC", "L", "XL", "X", "IX", "V", "IV", "I"};

int romanLetterValue(QChar iChar)
{
    switch (iChar.unicode()) {
    case 'I': return 1;
    case 'V': return 5;
    case 'X': return 10;
    case 'L': return 50;
    case 'C': return 100;
    case 'D': return 500;
    case 'M': return 1000;
    default: return 0;
    }
}

QTextCodec *gbkCodec()
{
    static QTextCodec *codec = QTextCodec::codecForName("GBK");
    return codec;
}

bool isHexDigit(QChar iChar)
{
    return (iChar >= QLatin1Char('0') && iChar <= QLatin1Char('9'))
        || (iChar >= QLatin1Char('a') && iChar <= QLatin1Char('f'))
        || (iChar >= QLatin1Char('A') && iChar <= QLatin1Char('F'));
}

} // namespace

QVariant TDataParse::point2Variant(const QPoint &iPoint, const QString &iFormat) { return pointVariant(iPoint, iFormat); }
QVariant TDataParse::pointf2Variant(const QPointF &iPoint, const QString &iFormat) { return pointVariant(iPoint, iFormat); }
QVariant TDataParse::size2Variant(const QSize &iSize, const QString &iFormat) { return sizeVariant(iSize, iFormat); }
QVariant TDataParse::sizef2Variant(const QSizeF &iSize, const QString &iFormat) { return sizeVariant(iSize, iFormat); }
QVariant TDataParse::rect2Variant(const QRect &iRect, const QString &iFormat) { return rectVariant(iRect, iFormat); }
QVariant TDataParse::rectf2Variant(const QRectF &iRect, const QString &iFormat) { return rectVariant(iRect, iFormat); }
QVariant TDataParse::margins2Variant(const QMargins &iMargins, const QString &iFormat) { return marginsVariant(iMargins, iFormat); }
QVariant TDataParse::marginsf2Variant(const QMarginsF &iMargins, const QString &iFormat) { return marginsVariant(iMargins, iFormat); }

QPoint TDataParse::variant2Point(const QVariant &iVar) { return variantPoint<QPoint, int>(iVar); }
QPointF TDataParse::variant2PointF(const QVariant &iVar) { return variantPoint<QPointF, qreal>(iVar); }
QSize TDataParse::variant2Size(const QVariant &iVar)
{
    if (iVar.type() == QVariant::Size || iVar.type() == QVariant::SizeF)
        return iVar.toSizeF().toSize();
    return variantSize<QSize, int>(iVar);
}
QSizeF TDataParse::variant2SizeF(const QVariant &iVar)
{
    if (iVar.type() == QVariant::Size || iVar.type() == QVariant::SizeF)
        return iVar.toSizeF();
    return variantSize<QSizeF, qreal>(iVar);
}
QRect TDataParse::variant2Rect(const QVariant &iVar) { return variantRect<QRect, int>(iVar); }
QRectF TDataParse::variant2RectF(const QVariant &iVar) { return variantRect<QRectF, qreal>(iVar); }
QMargins TDataParse::variant2Margins(const QVariant &iVar) { return variantMargins<QMargins, int>(iVar); }
QMarginsF TDataParse::variant2MarginsF(const QVariant &iVar) { return variantMargins<QMarginsF, qreal>(iVar); }

double TDataParse::lengthValueConvert(const QString &iText, const QString &iTargetUnit, int iPrecision)
{
    static const QRegularExpression re(QStringLiteral("([+|-]?(?:\\d+\\.?\\d*|\\d*\\.?\\d+))(mil|in|inch|um|mm)?"),
                                       QRegularExpression::CaseInsensitiveOption);
    QString text = iText;
    text.remove(QLatin1Char(' '));
    const QRegularExpressionMatch m = re.match(text);
    double value = m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    const QString source = m.captured(2).toUpper();
    const QString target = iTargetUnit.toUpper();
    if (!source.isEmpty() && source != target) {
        bool sourceKnown = false;
        bool targetKnown = false;
        const double from = inchesPerUnit(source, &sourceKnown);
        const double to = inchesPerUnit(target, &targetKnown);
        if (sourceKnown && targetKnown)
            value = value * from / to;
    }
    if (iPrecision > 0)
        value = QString::number(value, 'f', iPrecision).toDouble();
    return value;
}

double TDataParse::valueFromInch(double iInch, const QString &iUnit)
{
    return iInch * unitsPerInch(iUnit);
}

double TDataParse::valueToInch(double iValue, const QString &iUnit)
{
    return iValue / unitsPerInch(iUnit);
}

double TDataParse::pixel2point(int iPixel)
{
    return iPixel * 72.0 / logicalDpi();
}

int TDataParse::point2pixel(double iPoint)
{
    return static_cast<int>(iPoint / 72.0 * logicalDpi());
}

QColor TDataParse::str2Color(const QString &iColorStr)
{
    if (iColorStr.size() == 9 && iColorStr.startsWith(QLatin1Char('#'))) {
        QColor color(iColorStr.left(7));
        bool ok = false;
        const int alpha = iColorStr.rightRef(2).toInt(&ok, 16);
        color.setAlpha(ok ? alpha : 0);
        return color;
    }
    QColor color;
    color.setNamedColor(iColorStr);
    return color;
}

QString TDataParse::numberToRoman(int iNumber)
{
    QString out;
    for (int i = 0; i < 13 && iNumber > 0; ++i) {
        while (iNumber >= kRomanValues[i]) {
            out += QLatin1String(kRomanSymbols[i]);
            iNumber -= kRomanValues[i];
        }
    }
    return out;
}

int TDataParse::romanToNumber(const QString &iRoman)
{
    if (iRoman.isEmpty())
        return 0;
    int total = romanLetterValue(iRoman.at(0));
    for (int i = 1; i < iRoman.size(); ++i) {
        const int previous = romanLetterValue(iRoman.at(i - 1));
        const int current = romanLetterValue(iRoman.at(i));
        total += previous < current ? current - 2 * previous : current;
    }
    return total;
}

QString TDataParse::txt2rtf(const QString &iText)
{
    QString body;
    body.reserve(iText.size() * 2);
    const QVector<uint> codePoints = iText.toUcs4();
    for (uint c : codePoints) {
        if (c == '\\' || c == '{' || c == '}') {
            body += QLatin1Char('\\');
            body += QChar(c);
        } else if (c >= 32 && c <= 126) {
            body += QChar(c);
        } else if (c == '\n') {
            body += QLatin1String("\\par ");
        } else if (c == '\t') {
            body += QLatin1String("\\tab ");
        } else if (c > 127) {
            const QByteArray bytes = gbkCodec()->fromUnicode(QString::fromUcs4(&c, 1));
            for (char byte : bytes)
                body += QStringLiteral("\\'%1").arg(static_cast<uchar>(byte), 2, 16, QLatin1Char('0'));
        }
    }
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 Arial;}}\n"
                          "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 ")
        + body + QStringLiteral("\n\\par }");
}

int TDataParse::rtfParseCtrlWord(const QString &iRtf, int iPos)
{
    if (iPos >= iRtf.size())
        return 1;
    const QChar c = iRtf.at(iPos);
    if (c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char('n'))
        return 0;
    if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
        return 2;
    return 1;
}

QString TDataParse::rtf2txt(const QString &iRtf)
{
    // Text outside groups that follows a closing brace is kept; control words
    // are dropped up to the blank that ends them. Paragraph and tab marks and
    // "\n" become line feeds and tabs, "\'hh" runs are GBK bytes, and an
    // escaped backslash or brace is that character.
    QString out;
    QByteArray gbk;
    int depth = 0;
    bool group = false;
    bool skip = false;
    int finalParagraph = -1;

    auto flushGbk = [&]() {
        if (!gbk.isEmpty()) {
            out += gbkCodec()->toUnicode(gbk);
            gbk.clear();
        }
    };
    auto text = [&](QChar c) {
        if (group)
            return;
        if (skip) {
            if (c == QLatin1Char(' '))
                skip = false;
            return;
        }
        flushGbk();
        out += c;
    };
    // A mark that clears a pending control word and stands for one character.
    auto mark = [&](QChar c) {
        skip = false;
        if (!group) {
            flushGbk();
            out += c;
        }
    };

    const int size = iRtf.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = iRtf.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('{')) {
            ++depth;
            group = true;
            continue;
        }
        if (c == QLatin1Char('}')) {
            --depth;
            group = false;
            if (depth == 0)
                break;
            continue;
        }
        if (c != QLatin1Char('\\')) {
            text(c);
            continue;
        }
        const QStringRef rest = iRtf.midRef(i + 1);
        if (rest.startsWith(QLatin1String("par ")) || rest.startsWith(QLatin1String("tab "))) {
            const bool paragraph = rest.startsWith(QLatin1String("par"));
            mark(paragraph ? QLatin1Char('\n') : QLatin1Char('\t'));
            i += 4;
            if (paragraph && !group)
                finalParagraph = out.size();
            continue;
        }
        switch (rtfParseCtrlWord(iRtf, i + 1)) {
        case 0:
            if (rest.startsWith(QLatin1Char('n'))) {
                mark(QLatin1Char('\n'));
                ++i;
            } else if (rest.size() >= 3 && rest.at(0) == QLatin1Char('\'') && isHexDigit(rest.at(1))
                       && isHexDigit(rest.at(2))) {
                skip = false;
                if (!group)
                    gbk.append(static_cast<char>(rest.mid(1, 2).toInt(nullptr, 16)));
                i += 3;
            } else {
                mark(QLatin1Char('\\'));
            }
            break;
        case 2:
            text(rest.at(0));
            ++i;
            break;
        default:
            skip = true;
            break;
        }
    }
    flushGbk();
    // The paragraph mark that closes the document ends the last line; it adds none.
    if (finalParagraph >= 0 && finalParagraph == out.size())
        out.chop(1);
    return out;
}

// ======================================================================
