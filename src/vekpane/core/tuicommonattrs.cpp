#include "tuicommonattrs_p.h"

#include "tlogger.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "tuiutil.h"

#include <QPointer>
#include <QSize>
#include <QSizePolicy>
#include <QStringList>
#include <QWidget>

#include <cmath>
#include <limits>

namespace {

QByteArray propName(const QString &iName) { return iName.toLocal8Bit(); }

const int MaxPixels = TUiCommonAttrs::MaxPixels;

void refuse(const QString &iWhat, const QString &iName, const QString &iValue, qint64 iLeast, qint64 iMost)
{
    VEK_LOG(QStringLiteral("%1: %2 %3 is outside %4..%5; nothing changed")
                    .arg(iWhat, iName, iValue)
                    .arg(iLeast)
                    .arg(iMost),
            "error", 0);
}

// Where a key of iTarget is refused, for its error line.
QString keyPlace(const QObject *iTarget, const QString &iKey)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(iTarget->metaObject()->className()), iKey);
}

bool fitsInt(double iNumber)
{
    return iNumber >= double(std::numeric_limits<int>::min()) && iNumber <= double(std::numeric_limits<int>::max());
}

// A width, height or margin text as the keys read it: what QString::toInt
// gives, and 0 for text that is no int, as ever. Only a number that no int
// can hold is told apart (oFits false), so that it is refused, not zeroed.
int pieceValue(const QString &iText, bool *oFits)
{
    bool ok = false;
    const int value = iText.toInt(&ok);
    *oFits = true;
    if (ok)
        return value;
    const double number = iText.toDouble(&ok);
    *oFits = !ok || fitsInt(number);
    return 0;
}

// Checks the texts of one key's pieces; iNames name them in the error line.
bool checkPieces(const QString &iWhat, const QStringList &iTexts, const char *const *iNames, int iMost,
                 bool iNoMaximumToo, QList<int> *oValues)
{
    for (int i = 0; i < iTexts.size(); ++i) {
        bool fits = true;
        const int value = pieceValue(iTexts.at(i), &fits);
        oValues->append(value);
        if (iTexts.at(i).isEmpty() || (iNoMaximumToo && value == QWIDGETSIZE_MAX && fits))
            continue;
        if (!fits) {
            refuse(iWhat, QLatin1String(iNames[i]), iTexts.at(i), 0, iMost);
            return false;
        }
        if (!TUiCommonAttrs::checkRange(iWhat, QLatin1String(iNames[i]), value, 0, iMost))
            return false;
    }
    return true;
}

// Up to four texts from "a,b,c,d", a list or a map. The map keys come in
// pairs: the second is the short spelling used when the first is empty.
QStringList fourParts(const QVariant &iValue, const char *const (&iMapKeys)[4][2])
{
    QStringList parts {QString(), QString(), QString(), QString()};
    const int type = iValue.userType();
    if (type == QMetaType::QString) {
        const QStringList pieces = iValue.toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (int i = 0; i < 4 && i < pieces.size(); ++i)
            parts[i] = pieces.at(i);
    } else if (type == QMetaType::QVariantList) {
        const QVariantList list = iValue.toList();
        for (int i = 0; i < 4 && i < list.size(); ++i)
            parts[i] = list.at(i).toString();
    } else if (type == QMetaType::QVariantMap) {
        const QVariantMap map = iValue.toMap();
        for (int i = 0; i < 4; ++i) {
            parts[i] = map.value(QLatin1String(iMapKeys[i][0])).toString();
            if (parts[i].isEmpty() && iMapKeys[i][1])
                parts[i] = map.value(QLatin1String(iMapKeys[i][1])).toString();
        }
    }
    return parts;
}

// The ASCII blanks a regular expression's \s stands for.
bool isBlank(QChar iChar)
{
    const ushort c = iChar.unicode();
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// "a = 1" as "a=1": every blank next to an equals sign goes. A hand-made
// scan, since a pattern here would bring the regular-expression compiler
// and its JIT into every window's first title-bar button.
QString joinAroundEquals(const QString &iText)
{
    QString out;
    out.reserve(iText.size());
    int blanksFrom = -1; // start of the blanks not yet written
    for (int i = 0; i < iText.size(); ++i) {
        const QChar c = iText.at(i);
        if (isBlank(c)) {
            if (blanksFrom < 0)
                blanksFrom = i;
            continue;
        }
        if (c == QLatin1Char('=')) {
            out.append(c);
            while (i + 1 < iText.size() && isBlank(iText.at(i + 1)))
                ++i;
        } else {
            if (blanksFrom >= 0)
                out.append(iText.midRef(blanksFrom, i - blanksFrom));
            out.append(c);
        }
        blanksFrom = -1;
    }
    if (blanksFrom >= 0)
        out.append(iText.midRef(blanksFrom));
    return out;
}

void applyStyle(QObject *iTarget, const QVariant &iValue)
{
    QString text = joinAroundEquals(iValue.toString());
    text = text.trimmed().toUpper();
    // Split at single blanks only and keep empty words: the style sheet
    // selectors are written against exactly these names.
    const QStringList words = text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    for (const QString &word : words) {
        const QString name = QStringLiteral("SS_%1");
        if (!word.contains(QLatin1Char('='))) {
            iTarget->setProperty(propName(name.arg(word)).constData(), true);
        } else {
            const QStringList kv = word.split(QLatin1Char('='));
            iTarget->setProperty(propName(name.arg(kv.first())).constData(), kv.last());
        }
    }
    iTarget->setProperty("zul_style", text);
}

void applyValidationState(QObject *iTarget, const QVariant &iValue, const TUiCommonAttrs::EventSink &iSink)
{
    if (iValue.userType() != QMetaType::QString)
        return;
    const QString oldState = iTarget->property("validation_state").toString();
    const QString newState = iValue.toString().toUpper();
    if (oldState != newState && iSink) {
        // Listeners still see the old state while the event runs; one of
        // them may also destroy the widget.
        QPointer<QObject> guard(iTarget);
        iSink(QStringLiteral("validation_state_changed"),
              QVariantMap {{QStringLiteral("old"), oldState}, {QStringLiteral("new"), newState}}, QString());
        if (!guard)
            return;
    }
    iTarget->setProperty("validation_state", newState);
}

void applySizePolicy(QWidget *iWidget, const QVariant &iValue)
{
    static const char *const keys[4][2] = {{"horizontalPolicy", "hPolicy"},
                                           {"verticalPolicy", "vPolicy"},
                                           {"horizontalStretch", "hStretch"},
                                           {"verticalStretch", "vStretch"}};
    const QStringList parts = fourParts(iValue, keys);
    QSizePolicy policy = iWidget->sizePolicy();
    if (!parts[0].isEmpty())
        policy.setHorizontalPolicy(TUiUtil::str2sizePolicy(parts[0]));
    if (!parts[1].isEmpty())
        policy.setVerticalPolicy(TUiUtil::str2sizePolicy(parts[1]));
    if (!parts[2].isEmpty())
        policy.setHorizontalStretch(parts[2].toInt());
    if (!parts[3].isEmpty())
        policy.setVerticalStretch(parts[3].toInt());
    iWidget->setSizePolicy(policy);
}

void applyContentsMargins(QWidget *iWidget, const QVariant &iValue)
{
    // Positional order is top, bottom, left, right (not Qt's order).
    static const char *const keys[4][2]
            = {{"top", nullptr}, {"bottom", nullptr}, {"left", nullptr}, {"right", nullptr}};
    static const char *const names[4] = {"top", "bottom", "left", "right"};
    const QStringList parts = fourParts(iValue, keys);
    const QString what = keyPlace(iWidget, QStringLiteral("contents_margins"));
    QList<int> values;
    if (!checkPieces(what, parts, names, MaxPixels, false, &values))
        return;
    QMargins m = iWidget->contentsMargins();
    if (!parts[0].isEmpty())
        m.setTop(values[0]);
    if (!parts[1].isEmpty())
        m.setBottom(values[1]);
    if (!parts[2].isEmpty())
        m.setLeft(values[2]);
    if (!parts[3].isEmpty())
        m.setRight(values[3]);
    // Opposite margins add up to what the widget asks for at least.
    if (!TUiCommonAttrs::checkRange(what, QStringLiteral("top and bottom together"), m.top() + m.bottom(), 0, MaxPixels)
        || !TUiCommonAttrs::checkRange(what, QStringLiteral("left and right together"), m.left() + m.right(), 0,
                                       MaxPixels))
        return;
    iWidget->setContentsMargins(m);
}

struct SizeKey
{
    const char *key;
    const char *property;
};

const SizeKey sizeKeys[] = {
        {"size", "size"},
        {"maximum_size", "maximumSize"},
        {"minimum_size", "minimumSize"},
};

struct IntKey
{
    const char *key;
    void (QWidget::*setter)(int);
    bool isMaximum; // also takes QWIDGETSIZE_MAX, Qt's "no maximum"
};

const IntKey intKeys[] = {
        {"fixed_width", &QWidget::setFixedWidth, false},       {"fixed_height", &QWidget::setFixedHeight, false},
        {"minimum_height", &QWidget::setMinimumHeight, false}, {"maximum_height", &QWidget::setMaximumHeight, true},
        {"minimum_width", &QWidget::setMinimumWidth, false},   {"maximum_width", &QWidget::setMaximumWidth, true},
};

template<typename Entry, std::size_t N>
const Entry *find(const Entry (&iTable)[N], const QString &iKey)
{
    for (const Entry &e : iTable) {
        if (iKey == QLatin1String(e.key))
            return &e;
    }
    return nullptr;
}

} // namespace

void TUiCommonAttrs::write(QObject *iTarget, const QString &iKey, const QVariant &iValue, const EventSink &iSink)
{
    if (!iTarget)
        return;
    const QVariant value = TScriptValue::toPlain(iValue);
    QWidget *widget = iTarget->isWidgetType() ? static_cast<QWidget *>(iTarget) : nullptr;
    const bool isInt = value.userType() == QMetaType::Int;
    const bool isText = value.userType() == QMetaType::QString;

    if (iKey == QLatin1String("enabled")) {
        iTarget->setProperty("enabled", value.userType() == QMetaType::Bool ? value.toBool() : false);
    } else if (iKey == QLatin1String("style")) {
        applyStyle(iTarget, value);
    } else if (iKey == QLatin1String("validation_state")) {
        applyValidationState(iTarget, value, iSink);
    } else if (iKey == QLatin1String("user_data")) {
        iTarget->setProperty("tui_user_data", value);
    } else if (!widget) {
        return;
    } else if (iKey == QLatin1String("size_policy")) {
        applySizePolicy(widget, value);
    } else if (iKey == QLatin1String("contents_margins")) {
        applyContentsMargins(widget, value);
    } else if (iKey == QLatin1String("tool_tip")) {
        widget->setToolTip(value.toString());
    } else if (iKey == QLatin1String("stylesheet")) {
        widget->setStyleSheet(value.toString());
    } else if (const SizeKey *sizeKey = find(sizeKeys, iKey)) {
        mergeSizeProperty(widget, QLatin1String(sizeKey->property), value);
    } else if (const IntKey *intKey = find(intKeys, iKey)) {
        // Only a true int: a fraction or a text of digits is not a pixel count.
        const int pixels = value.toInt();
        if (isInt
            && ((intKey->isMaximum && pixels == QWIDGETSIZE_MAX)
                || checkRange(keyPlace(widget, iKey), QStringLiteral("value"), pixels, 0, MaxPixels)))
            (widget->*(intKey->setter))(pixels);
    } else if (iKey == QLatin1String("window_title")) {
        if (isText)
            widget->setWindowTitle(value.toString());
    } else if (iKey == QLatin1String("icon")) {
        if (isText)
            widget->setWindowIcon(
                    TResource::instance()->icon(value.toString(), QStringLiteral("button"), QStringLiteral("body")));
    }
}

QVariant TUiCommonAttrs::read(QObject *iTarget, const QString &iKey)
{
    if (!iTarget)
        return QVariant();
    if (iKey == QLatin1String("enabled"))
        return iTarget->property("enabled");
    if (iKey == QLatin1String("style"))
        return iTarget->property("zul_style");
    if (iKey == QLatin1String("validation_state"))
        return iTarget->property("validation_state");
    if (iKey == QLatin1String("stylesheet"))
        return iTarget->isWidgetType() ? QVariant(static_cast<QWidget *>(iTarget)->styleSheet()) : QVariant();
    if (iKey == QLatin1String("user_data"))
        return iTarget->property("tui_user_data");
    return QVariant();
}

void TUiCommonAttrs::mergeSizeProperty(QObject *iTarget, const QString &iPropName, const QVariant &iValue)
{
    const QByteArray name = propName(iPropName);
    const QVariant value = TScriptValue::toPlain(iValue);
    const QVariant current = iTarget->property(name.constData());
    if (qstrcmp(current.typeName(), "QSize") != 0) {
        iTarget->setProperty(name.constData(), value);
        return;
    }
    QString widthText;
    QString heightText;
    switch (value.userType()) {
    case QMetaType::QString: {
        const QStringList pieces = value.toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        widthText = pieces.value(0);
        heightText = pieces.value(1);
        break;
    }
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        widthText = list.value(0).toString();
        heightText = list.value(1).toString();
        break;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        widthText = map.value(QStringLiteral("width")).toString();
        heightText = map.value(QStringLiteral("height")).toString();
        break;
    }
    default:
        break;
    }
    static const char *const names[2] = {"width", "height"};
    QList<int> values;
    if (!checkPieces(QStringLiteral("%1 %2").arg(QLatin1String(iTarget->metaObject()->className()), iPropName),
                     {widthText, heightText}, names, MaxPixels, iPropName == QLatin1String("maximumSize"), &values))
        return;
    QSize size = current.toSize();
    if (!widthText.isEmpty())
        size.setWidth(values[0]);
    if (!heightText.isEmpty())
        size.setHeight(values[1]);
    iTarget->setProperty(name.constData(), size);
}

QByteArray TUiCommonAttrs::defaultPropertyName(const QString &iKey)
{
    return propName(QStringLiteral("__default__%1").arg(iKey));
}

bool TUiCommonAttrs::checkRange(const QString &iWhat, const QString &iName, qint64 iValue, qint64 iLeast, qint64 iMost)
{
    if (iValue >= iLeast && iValue <= iMost)
        return true;
    refuse(iWhat, iName, QString::number(iValue), iLeast, iMost);
    return false;
}

bool TUiCommonAttrs::checkNumber(const QString &iWhat, const QString &iName, const QVariant &iValue, int iLeast,
                                 int iMost, int *oValue)
{
    bool fits = true;
    int value = 0;
    if (iValue.userType() == QMetaType::QString) {
        value = pieceValue(iValue.toString(), &fits);
    } else if (iValue.canConvert<double>() && iValue.userType() != QMetaType::Bool) {
        // A script's numbers arrive as doubles; toInt() would wrap a large one.
        const double number = iValue.toDouble();
        fits = fitsInt(number);
        value = fits ? iValue.toInt() : 0;
    } else {
        value = iValue.toInt();
    }
    if (!fits) {
        refuse(iWhat, iName, iValue.toString(), iLeast, iMost);
        return false;
    }
    *oValue = value;
    return checkRange(iWhat, iName, value, iLeast, iMost);
}

void TUiCommonAttrs::boundWindow(QWidget *iWindow)
{
    if (!iWindow || !iWindow->isWindow())
        return;
    const QSize least = iWindow->minimumSize();
    if (least.width() > MaxPixels || least.height() > MaxPixels) {
        VEK_LOG(QStringLiteral("%1: the window needs at least %2 x %3 pixels, more than %4 on a side; "
                               "it is kept within %4")
                        .arg(QLatin1String(iWindow->metaObject()->className()))
                        .arg(least.width())
                        .arg(least.height())
                        .arg(MaxPixels),
                "error", 0);
        // An explicit minimum is one the window's layout leaves alone.
        if (least.width() > MaxPixels)
            iWindow->setMinimumWidth(MaxPixels);
        if (least.height() > MaxPixels)
            iWindow->setMinimumHeight(MaxPixels);
    }
    if (iWindow->width() > MaxPixels || iWindow->height() > MaxPixels)
        iWindow->resize(iWindow->size().boundedTo(QSize(MaxPixels, MaxPixels)));
}
