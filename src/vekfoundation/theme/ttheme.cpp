#include "ttheme.h"
#include "tdataparse.h"
#include "terror.h"
#include "tfileio.h"
#include "tlogger.h"
#include "tscriptvalue.h"
#include "ttheme_p.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

bool isAlphaLastColor(const QString &iText) { return iText.size() == 9 && iText.startsWith(QLatin1Char('#')); }

QString styleSheetRgba(const QColor &iColor)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(iColor.red())
            .arg(iColor.green())
            .arg(iColor.blue())
            .arg(QString::number(iColor.alphaF()));
}

// Unreadable colour texts in the template functions count as black.
QColor functionColor(const QString &iText)
{
    const QColor c = vekThemeColor(iText);
    return c.isValid() ? c : QColor(Qt::black);
}

// A number text as the template functions write it: the integer part, never "-0".
QString truncatedNumber(double iValue) { return QString::number(std::trunc(iValue) + 0.0, 'f', 0); }

bool isTemplateMark(QChar iChar)
{
    return iChar == QLatin1Char('$') || iChar == QLatin1Char('{') || iChar == QLatin1Char('}');
}

bool hasTemplateMarks(const QString &iText) { return std::any_of(iText.cbegin(), iText.cend(), isTemplateMark); }

// The calls still in the text after every pass, as the pattern
// "(\$\{[^\{\}]+\}|\$\w+\([^\(\)]+\))" finds them from left to right, found
// without a match object per call: a sheet cut off at the output limit can
// hold hundreds of thousands of them.
QSet<QStringRef> leftoverCalls(const QString &iText)
{
    QSet<QStringRef> calls;
    const int size = iText.size();
    int pos = iText.indexOf(QLatin1Char('$'));
    while (pos >= 0 && pos + 1 < size) {
        int end = -1;
        if (iText.at(pos + 1) == QLatin1Char('{')) {
            int i = pos + 2;
            while (i < size && iText.at(i) != QLatin1Char('{') && iText.at(i) != QLatin1Char('}'))
                ++i;
            if (i < size && i > pos + 2 && iText.at(i) == QLatin1Char('}'))
                end = i + 1;
        }
        if (end < 0) {
            int i = pos + 1;
            while (i < size && (iText.at(i).isLetterOrNumber() || iText.at(i) == QLatin1Char('_')))
                ++i;
            if (i > pos + 1 && i < size && iText.at(i) == QLatin1Char('(')) {
                const int open = i;
                ++i;
                while (i < size && iText.at(i) != QLatin1Char('(') && iText.at(i) != QLatin1Char(')'))
                    ++i;
                if (i < size && i > open + 1 && iText.at(i) == QLatin1Char(')'))
                    end = i + 1;
            }
        }
        if (end >= 0) {
            calls.insert(iText.midRef(pos, end - pos));
            pos = iText.indexOf(QLatin1Char('$'), end);
        } else {
            pos = iText.indexOf(QLatin1Char('$'), pos + 1);
        }
    }
    return calls;
}

// Every text that stands between a "${" and the next "}": a key without a
// closing brace occurs as a reference only if it is one of these.
// Names longer than the longest key are not kept.
QSet<QString> referencedNames(const QString &iText, int iLongestKey)
{
    QSet<QString> names;
    int start = 0;
    int end = -1;
    while ((start = iText.indexOf(QLatin1String("${"), start)) >= 0) {
        // A run of openings shares one closing brace: look for it once.
        if (end < start + 2)
            end = iText.indexOf(QLatin1Char('}'), start + 2);
        if (end < 0)
            break;
        if (end - start - 2 <= iLongestKey)
            names.insert(iText.mid(start + 2, end - start - 2));
        ++start;
    }
    return names;
}

// White space and digits as the template patterns read them (ASCII only).
bool isRegexBlank(QChar iChar)
{
    const ushort c = iChar.unicode();
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isAsciiDigit(QChar iChar) { return iChar >= QLatin1Char('0') && iChar <= QLatin1Char('9'); }

// Moves the conditional mode for a directive line; false for a content line.
// Directives are known by their beginning; only "#ENDIF" is case-sensitive.
bool applyDirective(const QStringRef &iLine, QString &ioMode)
{
    if (!iLine.startsWith(QLatin1Char('#')))
        return false;
    if (iLine.startsWith(QLatin1String("#IF DARK"), Qt::CaseInsensitive))
        ioMode = QStringLiteral("DARK");
    else if (iLine.startsWith(QLatin1String("#IF LIGHT"), Qt::CaseInsensitive))
        ioMode = QStringLiteral("LIGHT");
    else if (iLine.startsWith(QLatin1String("#ELSE"), Qt::CaseInsensitive))
        ioMode = ioMode == QLatin1String("DARK") ? QStringLiteral("LIGHT") : QStringLiteral("DARK");
    else if (iLine.startsWith(QLatin1String("#ENDIF")))
        ioMode.clear();
    else
        return false;
    return true;
}

// The colour functions' calls up to their opening parenthesis, in the order
// of TThemePrivate::ColorFunction.
const QLatin1String colorCalls[] = {QLatin1String("$ALPHA("), QLatin1String("$LIGHTER("), QLatin1String("$DARKER(")};

// Where a colour function's arguments end, read as the pattern
// "\(\s*([#a-zA-Z0-9]*|rgba\([^()]+\))\s*\,\s*(\d+\.?\d*)\s*\)" reads
// them from the opening parenthesis. The sets of characters its parts take
// do not overlap, so the longest run of each part is the only match there
// can be and no backtracking is needed. furthest is the last position read:
// the result holds for the text as it is up to there.
struct ColorCallArguments {
    bool matched {false};
    int color {0};
    int colorEnd {0};
    int number {0};
    int numberEnd {0};
    int end {0};
    int furthest {0};
};

bool isColorNameChar(QChar iChar)
{
    const ushort c = iChar.unicode();
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '#';
}

ColorCallArguments readColorCallArguments(const QString &iText, int iOpen)
{
    ColorCallArguments a;
    const int size = iText.size();
    const QChar *t = iText.constData();
    int furthest = iOpen;
    auto skip = [&](int i, bool (*iTaken)(QChar)) {
        while (i < size && iTaken(t[i]))
            ++i;
        furthest = std::max(furthest, std::min(i, size - 1));
        return i;
    };
    // The separator, the number and the closing parenthesis after a colour
    // that ends at i; the end of the call, or -1.
    auto readRest = [&](int i) {
        i = skip(i, isRegexBlank);
        if (i >= size || t[i] != QLatin1Char(','))
            return -1;
        a.number = skip(i + 1, isRegexBlank);
        i = skip(a.number, isAsciiDigit);
        if (i == a.number)
            return -1;
        if (i < size && t[i] == QLatin1Char('.'))
            i = skip(i + 1, isAsciiDigit);
        a.numberEnd = i;
        i = skip(i, isRegexBlank);
        return i < size && t[i] == QLatin1Char(')') ? i + 1 : -1;
    };

    a.color = skip(iOpen + 1, isRegexBlank);
    a.colorEnd = skip(a.color, isColorNameChar);
    a.end = readRest(a.colorEnd);
    if (a.end < 0 && QStringView(iText).mid(a.color).startsWith(QLatin1String("rgba("))) {
        const int inner = a.color + 5;
        const int close = skip(inner, [](QChar c) { return c != QLatin1Char('(') && c != QLatin1Char(')'); });
        if (close > inner && close < size && t[close] == QLatin1Char(')')) {
            a.colorEnd = close + 1;
            a.end = readRest(a.colorEnd);
        }
    }
    a.matched = a.end >= 0;
    a.furthest = furthest;
    return a;
}

// The result of a colour function for its colour and number texts, or a null
// text when the pair is no call. A call is known by its colour and number
// joined with ",", and read back by splitting at every "," with empty parts
// dropped; a colour text that does not survive this is no call of that pair.
QString colorFunctionResult(int iFunction, const QString &iPair, int iColorSize)
{
    QStringList parts = iPair.split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString number = parts.takeLast();
    const QString colorText = parts.join(QLatin1Char(','));
    if (QStringView(colorText) != QStringView(iPair).left(iColorSize))
        return QString();
    QColor color = functionColor(colorText);
    if (iFunction == TThemePrivate::Alpha) {
        color.setAlphaF(qBound(0.0, number.toDouble(), 1.0));
        return styleSheetRgba(color);
    }
    const int factor = number.toInt();
    return (iFunction == TThemePrivate::Lighter ? color.lighter(factor) : color.darker(factor)).name();
}

// The replacements of one function's calls, worked out once per distinct
// colour and number text.
class ColorCallResults
{
public:
    explicit ColorCallResults(int iFunction)
        : m_function(iFunction)
    {}

    // The replacement of the call read as iArguments, or a null text when it
    // is no call.
    QString result(const QString &iText, const ColorCallArguments &iArguments)
    {
        m_pair.resize(0);
        m_pair += iText.midRef(iArguments.color, iArguments.colorEnd - iArguments.color);
        m_pair += QLatin1Char(',');
        m_pair += iText.midRef(iArguments.number, iArguments.numberEnd - iArguments.number);
        const auto found = m_results.constFind(m_pair);
        if (found != m_results.cend())
            return found.value();
        return m_results.insert(m_pair, colorFunctionResult(m_function, m_pair, iArguments.colorEnd - iArguments.color))
                .value();
    }

private:
    int m_function;
    QString m_pair;
    QHash<QString, QString> m_results;
};

// A "$DP(" call's number and end, read from after its opening parenthesis:
// blanks, digits, optionally "." and digits, blanks, ")". false when the text
// there is no call.
bool readScaledPixelCall(const QString &iText, int iPos, int &oNumber, int &oNumberEnd, int &oEnd)
{
    const int size = iText.size();
    while (iPos < size && isRegexBlank(iText.at(iPos)))
        ++iPos;
    oNumber = iPos;
    while (iPos < size && isAsciiDigit(iText.at(iPos)))
        ++iPos;
    if (iPos == oNumber)
        return false;
    if (iPos < size && iText.at(iPos) == QLatin1Char('.')) {
        ++iPos;
        while (iPos < size && isAsciiDigit(iText.at(iPos)))
            ++iPos;
    }
    oNumberEnd = iPos;
    while (iPos < size && isRegexBlank(iText.at(iPos)))
        ++iPos;
    if (iPos >= size || iText.at(iPos) != QLatin1Char(')'))
        return false;
    oEnd = iPos + 1;
    return true;
}

} // namespace

QColor vekThemeColor(const QString &iText)
{
    if (iText.contains(QLatin1String("rgba"))) {
        static const QRegularExpression re(QStringLiteral(
                "\\s*rgba\\s*\\(\\s*(\\d+)\\s*\\,\\s*(\\d+)\\s*\\,\\s*(\\d+)\\s*\\,\\s*(\\d+\\.?\\d*)\\)"));
        const QRegularExpressionMatch m = re.match(iText);
        if (!m.hasMatch())
            return QColor(Qt::black);
        auto component = [&m](int i) { return qBound(0, m.captured(i).toInt(), 255); };
        return QColor(component(1), component(2), component(3));
    }
    return TDataParse::str2Color(iText);
}

TThemePrivate::TThemePrivate(TTheme *qptr)
    : q_ptr(qptr)
{}

void TThemePrivate::valuesChanged()
{
    // Cached colours belong to the values they came from.
    ssColorCache.clear();
}

QString TThemePrivate::filterConditionalLines(const QString &iQss) const
{
    Q_Q(const TTheme);
    const QString shownBgType = q->value(QStringLiteral("BG_TYPE")).toString().toUpper();
    QString out;
    out.reserve(iQss.size());
    QString mode;
    int pos = 0;
    const int size = iQss.size();
    while (pos < size) {
        int end = iQss.indexOf(QLatin1Char('\n'), pos);
        if (end < 0)
            end = size;
        int lineEnd = end;
        if (lineEnd > pos && iQss.at(lineEnd - 1) == QLatin1Char('\r'))
            --lineEnd;
        const QStringRef line = iQss.midRef(pos, lineEnd - pos);
        pos = end + 1;

        if (applyDirective(line.trimmed(), mode))
            continue;
        if (mode.isEmpty() || mode == shownBgType) {
            out += line;
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QString TThemePrivate::substituteValues(const QString &iText) const
{
    // The values are replaced key by key in ascending key order, each over the
    // whole text. One scan gives the same text whenever no replacement can form
    // or hide a reference: every "${" opens a plain reference, and the values
    // it brings in are non-empty and free of "$", "{" and "}". Otherwise the
    // text takes the slow road, key by key.
    QHash<QString, QString> styleTexts;
    bool oneScan = true;
    for (auto it = valueMap.cbegin(); it != valueMap.cend(); ++it) {
        const QString text = it.value().toString();
        styleTexts.insert(it.key(), isAlphaLastColor(text) ? TTheme::html2StyleSheetColor(text) : text);
        if (hasTemplateMarks(it.key()))
            oneScan = false;
    }

    const int size = iText.size();
    QString out;
    if (oneScan) {
        out.reserve(size + size / 4);
        int last = 0;
        int start = 0;
        while ((start = iText.indexOf(QLatin1String("${"), start)) >= 0) {
            const int nameStart = start + 2;
            int end = nameStart;
            while (end < size && !isTemplateMark(iText.at(end)))
                ++end;
            if (end == nameStart || end == size || iText.at(end) != QLatin1Char('}')) {
                oneScan = false;
                break;
            }
            const auto value = styleTexts.constFind(iText.mid(nameStart, end - nameStart));
            if (value != styleTexts.cend()) {
                if (value->isEmpty() || hasTemplateMarks(*value)) {
                    oneScan = false;
                    break;
                }
                out += iText.midRef(last, start - last);
                out += *value;
                last = end + 1;
            }
            start = end + 1;
        }
        if (oneScan) {
            out += iText.midRef(last);
            return out;
        }
    }

    // The slow road replaces key by key. Chained values can double the text at
    // every key, so the text is held to an output limit and the whole pass to
    // a work budget: a replacement that would pass either is not made, and its
    // references stay for the leftover report. Keys whose reference does not
    // occur are skipped without touching the text; the names that do occur
    // are gathered again only after the text has changed.
    constexpr qsizetype outputLimit = qsizetype(1) << 20;
    constexpr qsizetype workBudget = qsizetype(1) << 25;
    qsizetype work = 0;
    out = iText;
    QSet<QString> names;
    bool namesStale = true;
    int longestKey = 0;
    for (auto it = valueMap.cbegin(); it != valueMap.cend(); ++it)
        longestKey = std::max(longestKey, it.key().size());
    for (auto it = valueMap.cbegin(); it != valueMap.cend() && work < workBudget; ++it) {
        const bool plainKey = !it.key().contains(QLatin1Char('}'));
        if (plainKey && namesStale) {
            names = referencedNames(out, longestKey);
            work += out.size();
            namesStale = false;
        }
        if (plainKey && !names.contains(it.key()))
            continue;
        const QString reference = QStringLiteral("${%1}").arg(it.key());
        const QString value = styleTexts.value(it.key());
        const qsizetype count = out.count(reference);
        work += out.size();
        if (count == 0)
            continue;
        const qsizetype grown = out.size() + count * (value.size() - reference.size());
        if (grown > outputLimit || work + out.size() + grown > workBudget)
            continue;
        out.replace(reference, value);
        work += out.size() + grown;
        namesStale = true;
    }
    return out;
}

QString TThemePrivate::substituteScaledPixels(const QString &iText) const
{
    QString out;
    scanCalls(iText, ScaledPixelsCall, out);
    return out;
}

QString TThemePrivate::substituteColorFunction(const QString &iText, ColorFunction iFunction) const
{
    QString out;
    scanCalls(iText, 1 << iFunction, out);
    return out;
}

QString TThemePrivate::substituteCalls(const QString &iText) const
{
    QString out;
    if (scanCalls(iText, AlphaCall | LighterCall | DarkerCall | ScaledPixelsCall, out))
        return out;
    out = substituteScaledPixels(iText);
    out = substituteColorFunction(out, Alpha);
    out = substituteColorFunction(out, Lighter);
    return substituteColorFunction(out, Darker);
}

bool TThemePrivate::scanCalls(const QString &iText, int iKinds, QString &oOut) const
{
    const QLatin1String scaledPixels("$DP(");
    const bool severalKinds = (iKinds & (iKinds - 1)) != 0;
    ColorCallResults results[] = {ColorCallResults(Alpha), ColorCallResults(Lighter), ColorCallResults(Darker)};
    const QStringView text(iText);
    QString out;
    bool replaced = false;
    int last = 0;
    int start = 0;
    auto replace = [&](int iEnd, const QString &iResult) {
        if (!replaced)
            out.reserve(iText.size());
        replaced = true;
        out += iText.midRef(last, start - last);
        out += iResult;
        last = start = iEnd;
    };
    while ((start = iText.indexOf(QLatin1Char('$'), start)) >= 0) {
        const QStringView rest = text.mid(start);
        if ((iKinds & ScaledPixelsCall) && rest.startsWith(scaledPixels)) {
            int number = 0;
            int numberEnd = 0;
            int end = 0;
            if (readScaledPixelCall(iText, start + scaledPixels.size(), number, numberEnd, end))
                replace(end, truncatedNumber(iText.midRef(number, numberEnd - number).toDouble() * dpRatio));
            else
                ++start;
            continue;
        }
        int function = 0;
        while (function < 3 && !((iKinds & (1 << function)) && rest.startsWith(colorCalls[function])))
            ++function;
        if (function == 3) {
            ++start;
            continue;
        }
        const int open = start + colorCalls[function].size() - 1;
        const ColorCallArguments a = readColorCallArguments(iText, open);
        // Another call read as part of this one's arguments would be replaced
        // first by the passes one kind at a time (or this one by an earlier
        // pass): only they give that text.
        if (severalKinds && text.mid(open, a.furthest - open + 1).contains(QLatin1Char('$')))
            return false;
        const QString result = a.matched ? results[function].result(iText, a) : QString();
        if (result.isNull())
            ++start;
        else
            replace(a.end, result);
    }
    if (!replaced) {
        oOut = iText;
        return true;
    }
    out += iText.midRef(last);
    oOut = out;
    return true;
}

TTheme::TTheme()
    : QObject(nullptr)
    , d(new TThemePrivate(this))
{
    // Scripts receive the shadow effect from a slot called by name.
    qRegisterMetaType<QGraphicsDropShadowEffect *>();
    // Without a GUI application there is no screen to measure: keep 1.
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                    ? QGuiApplication::primaryScreen()
                                    : nullptr;
    if (screen && screen->geometry().width() > 1920)
        d->dpRatio = 1.5;
}

TTheme::~TTheme() = default;

TTheme *TTheme::instance()
{
    static TTheme theme;
    return &theme;
}

QString TTheme::html2StyleSheetColor(const QString &iColorStr)
{
    if (!isAlphaLastColor(iColorStr))
        return iColorStr;
    return styleSheetRgba(TDataParse::str2Color(iColorStr));
}

void TTheme::setDpRatio(double iRatio) { d->dpRatio = iRatio; }

double TTheme::dpRatio() const { return d->dpRatio; }

QGraphicsDropShadowEffect *TTheme::getShadowEffect(int iDepth, const QString &iDirection)
{
    if (iDepth < 0 || iDepth > 5)
        return nullptr;
    const double r = d->dpRatio;
    const QString dir = iDirection.toUpper();
    const bool leftTop = dir == QLatin1String("LEFT") || dir == QLatin1String("TOP");
    const bool right = dir == QLatin1String("RIGHT");
    const bool bottom = dir == QLatin1String("BOTTOM");

    double blur = 0;
    QPointF offset;
    int alpha = 180;
    switch (iDepth) {
    case 0:
        blur = 5 * r;
        alpha = 120;
        break;
    case 1:
    case 2: {
        const double step = std::trunc(iDepth * r);
        blur = iDepth == 1 ? 5 * r : 12 * r;
        alpha = iDepth == 1 ? 120 : 150;
        if (leftTop)
            offset = QPointF(step, step);
        else if (right)
            offset = QPointF(-step, step);
        else if (bottom)
            offset = QPointF(-step, -step);
        if (iDepth == 1 && right)
            alpha = 100;
        break;
    }
    default:
        blur = std::trunc(12 * (iDepth - 1) * r);
        offset = QPointF(0, 4 * (iDepth - 2) * r);
        break;
    }

    auto *effect = new QGraphicsDropShadowEffect;
    effect->setBlurRadius(blur);
    effect->setOffset(offset);
    effect->setColor(QColor(0, 0, 0, alpha));
    return effect;
}

double TTheme::dp(double iPix) const { return d->dpRatio * iPix; }

int TTheme::dp(int iPix) const { return static_cast<int>(d->dpRatio * iPix); }

bool TTheme::loadThemeConfig(const QString &iFile)
{
    TError err;
    const QVariant config
            = TDataParse::jsonStr2Variant(TFileIo::readFileString(iFile, QStringLiteral("UTF-8"), nullptr), &err);
    if (err.isValid()) {
        VEK_LOG(QStringLiteral("theme file [%1] is not a valid json format!").arg(iFile), "error", 0);
        return false;
    }
    d->valueMap = config.toMap();
    d->style = d->valueMap.value(QStringLiteral("STYLE")).toString();
    d->bgType
            = d->valueMap.value(QStringLiteral("BG_TYPE")).toString().toUpper() == QLatin1String("DARK") ? Dark : Light;
    d->valuesChanged();
    return true;
}

QVariant TTheme::value(const QString &iKeyStr) const { return d->valueMap.value(iKeyStr); }

void TTheme::setValueMap(const QVariantMap &iValueMap)
{
    d->valueMap = TScriptValue::toPlain(iValueMap).toMap();
    d->valuesChanged();
}

QString TTheme::getSsColor(const QString &iKeyStr)
{
    const auto cached = d->ssColorCache.constFind(iKeyStr);
    if (cached != d->ssColorCache.cend())
        return cached.value();
    QString text = d->valueMap.value(iKeyStr).toString();
    if (isAlphaLastColor(text)) {
        const QColor c = TDataParse::str2Color(text);
        text = QStringLiteral("rgba(%1, %2, %3, %4%)")
                       .arg(c.red())
                       .arg(c.green())
                       .arg(c.blue())
                       .arg(static_cast<int>(c.alphaF() * 100));
    }
    d->ssColorCache.insert(iKeyStr, text);
    return text;
}

void TTheme::setStyle(const QString &iStyleStr) { d->style = iStyleStr; }

void TTheme::setQssStr(const QString &iQssStr) { d->qssStr = iQssStr; }

QString TTheme::qssStr() const { return d->qssStr; }

void TTheme::applyTheme()
{
    const bool widgets = qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
    if (widgets && !d->style.isEmpty())
        QApplication::setStyle(d->style);

    QString qss = d->filterConditionalLines(d->qssStr);
    qss = d->substituteValues(qss);
    qss = d->substituteCalls(qss);

    const QSet<QStringRef> leftovers = leftoverCalls(qss);
    if (!leftovers.isEmpty()) {
        QStringList names;
        for (const QStringRef &name : leftovers)
            names.append(name.toString());
        names.sort();
        VEK_LOG(QStringLiteral("style sheet file have invalid variable (%1).").arg(names.join(QLatin1Char(','))),
                "error", 0);
    }

    if (widgets)
        qApp->setStyleSheet(qss);
}

TTheme::BgType TTheme::bgType() const { return d->bgType; }
