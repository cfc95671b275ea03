#include "tuicommonattrs_p.h"

#include "tresource.h"
#include "tscriptvalue.h"
#include "tuiutil.h"

#include <QPointer>
#include <QSize>
#include <QSizePolicy>
#include <QStringList>
#include <QWidget>

namespace {

QByteArray propName(const QString &iName) { return iName.toLocal8Bit(); }

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
    const QStringList parts = fourParts(iValue, keys);
    QMargins m = iWidget->contentsMargins();
    if (!parts[0].isEmpty())
        m.setTop(parts[0].toInt());
    if (!parts[1].isEmpty())
        m.setBottom(parts[1].toInt());
    if (!parts[2].isEmpty())
        m.setLeft(parts[2].toInt());
    if (!parts[3].isEmpty())
        m.setRight(parts[3].toInt());
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
};

const IntKey intKeys[] = {
        {"fixed_width", &QWidget::setFixedWidth},       {"fixed_height", &QWidget::setFixedHeight},
        {"minimum_height", &QWidget::setMinimumHeight}, {"maximum_height", &QWidget::setMaximumHeight},
        {"minimum_width", &QWidget::setMinimumWidth},   {"maximum_width", &QWidget::setMaximumWidth},
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
        if (isInt)
            (widget->*(intKey->setter))(value.toInt());
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
    QSize size = current.toSize();
    if (!widthText.isEmpty())
        size.setWidth(widthText.toInt());
    if (!heightText.isEmpty())
        size.setHeight(heightText.toInt());
    iTarget->setProperty(name.constData(), size);
}

QByteArray TUiCommonAttrs::defaultPropertyName(const QString &iKey)
{
    return propName(QStringLiteral("__default__%1").arg(iKey));
}
