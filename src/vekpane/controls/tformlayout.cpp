#include "tformlayout.h"
#include "tformlayout_p.h"

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"
#include "tscriptvalue.h"
#include "tuicommonattrs_p.h"
#include "tuihelper.h"

#include <QLabel>

namespace {

// Grid columns per form column: label, separator, field, units, gap.
const int Stride = 5;

void setStyleSelector(QWidget *iWidget, const char *iSelector)
{
    if (iWidget->property("SS").toString().isEmpty())
        iWidget->setProperty("SS", QString::fromLatin1(iSelector));
}

QVariantMap plainMap(const QVariantMap &iMap) { return TScriptValue::toPlain(iMap).toMap(); }

// A number for one of the form's own keys, in the setter's range: one that
// an int cannot hold is refused, not wrapped into it.
bool keyNumber(const QString &iKey, const QVariant &iValue, int iMost, int *oValue)
{
    return TUiCommonAttrs::checkNumber(QStringLiteral("TFormLayout \"%1\"").arg(iKey), QStringLiteral("value"), iValue,
                                       0, iMost, oValue);
}

} // namespace

QObject *TFormLayoutPrivate::field(QObject *iObject, bool iIsLayout)
{
    return iIsLayout ? static_cast<QObject *>(TLayoutAttrs::asLayout(iObject))
                     : static_cast<QObject *>(TLayoutAttrs::asWidget(iObject));
}

QObject *TFormLayoutPrivate::packable(QObject *iObject, bool iIsLayout, int iColSpan)
{
    QObject *fieldObject = field(iObject, iIsLayout);
    // A span reaches that many form columns of five grid columns each.
    if (fieldObject
        && !TLayoutAttrs::checkAtMost(iIsLayout ? "TFormLayout::packLayout" : "TFormLayout::packWidget", "column span",
                                      iColSpan, TLayoutAttrs::MaxCells))
        return nullptr;
    return fieldObject;
}

QLabel *TFormLayoutPrivate::newLabel(const QString &iText, const QVariantMap &iProperties) const
{
    Q_Q(const TFormLayout);
    auto *label = new QLabel(iText, q->parentWidget());
    for (auto it = iProperties.cbegin(); it != iProperties.cend(); ++it)
        label->setProperty(it.key().toUtf8().constData(), it.value());
    return label;
}

void TFormLayoutPrivate::record(QMap<QObject *, QWidget *> &ioMap, QObject *iField, QWidget *iWidget)
{
    ioMap.insert(iField, iWidget);
    connect(iField, &QObject::destroyed, this, &TFormLayoutPrivate::forget, Qt::UniqueConnection);
    connect(iWidget, &QObject::destroyed, this, &TFormLayoutPrivate::forget, Qt::UniqueConnection);
}

void TFormLayoutPrivate::forget(QObject *iObject)
{
    for (QMap<QObject *, QWidget *> *map : {&labelMap, &unitsMap, &separatorMap}) {
        map->remove(iObject);
        for (auto it = map->begin(); it != map->end();) {
            if (static_cast<QObject *>(it.value()) == iObject)
                it = map->erase(it);
            else
                ++it;
        }
    }
}

void TFormLayoutPrivate::applyColumnSpacing()
{
    Q_Q(TFormLayout);
    for (int k = 1; k < columnCount; ++k)
        q->QGridLayout::setColumnMinimumWidth(Stride * k - 1, columnSpacing);
}

void TFormLayoutPrivate::pack(QObject *iField, QObject *iLabelPtr, QObject *iUnitsPtr, int iColSpan,
                              const QString &iLabelAlign, int iLayoutType)
{
    Q_Q(TFormLayout);
    QWidget *fieldWidget = qobject_cast<QWidget *>(iField);
    QLayout *fieldLayout = qobject_cast<QLayout *>(iField);
    if (!fieldWidget && !fieldLayout)
        return;
    QWidget *label = TLayoutAttrs::asWidget(iLabelPtr);
    QWidget *units = TLayoutAttrs::asWidget(iUnitsPtr);
    if (label) {
        setStyleSelector(label, "FORM_LABEL");
        record(labelMap, iField, label);
    }
    if (units) {
        setStyleSelector(units, "FORM_UNITS");
        record(unitsMap, iField, units);
    }
    if (nextColumn >= columnCount) {
        lineRow += 2;
        nextColumn = 0;
    }
    // A span below one would give the grid negative column spans.
    const int s = qMax(1, iColSpan);
    const int r = lineRow;
    const int c = nextColumn;
    const Qt::Alignment a = iLabelAlign.isEmpty() ? labelAlignment : TuiHelper::str2alignment(iLabelAlign);
    const Qt::Alignment u = (a & ~Qt::Alignment(Qt::AlignRight)) | Qt::AlignLeft;
    const int first = Stride * c;
    const int unitsColumn = Stride * (c + s) - 2;

    auto place = [q](QWidget *iWidget, QLayout *iLayout, int iRow, int iColumn, int iColumnSpan, Qt::Alignment iAlign) {
        if (iWidget)
            q->addWidget(iWidget, iRow, iColumn, 1, iColumnSpan, iAlign);
        else if (iLayout)
            q->addLayout(iLayout, iRow, iColumn, 1, iColumnSpan, iAlign);
    };

    if (iLayoutType == 1) {
        place(label, nullptr, r, first, Stride * s - 2, a);
        place(units, nullptr, r, unitsColumn, 1, u);
        // A widget reaches through the units column, a layout through the gap column too.
        place(fieldWidget, fieldLayout, r + 1, first, fieldWidget ? Stride * s - 1 : Stride * s, Qt::Alignment());
    } else if (iLayoutType == 2) {
        place(fieldWidget, fieldLayout, fieldWidget ? r + 1 : r, first, Stride * s, Qt::Alignment());
    } else {
        place(label, nullptr, r, first, 1, a);
        if (label && !separator.isEmpty()) {
            QLabel *sep = newLabel(separator, separatorProperties);
            setStyleSelector(sep, "FORM_SEP");
            place(sep, nullptr, r, first + 1, 1, a);
            record(separatorMap, iField, sep);
        }
        place(fieldWidget, fieldLayout, r, first + 2, Stride * s - 4, Qt::Alignment());
        place(units, nullptr, r, unitsColumn, 1, u);
    }
    nextColumn += s;
}

TFormLayout::TFormLayout(QWidget *iParent)
    : QGridLayout(iParent)
    , d(new TFormLayoutPrivate(this))
{
    setColumnCount(1);
    VEK_LOG(QStringLiteral("new fromlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

TFormLayout::~TFormLayout()
{
    VEK_LOG(QStringLiteral("destroy formlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TFormLayout::set(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    int number = 0;
    if (iKey == QLatin1String("column_count")) {
        if (keyNumber(iKey, value, TLayoutAttrs::MaxCells, &number))
            setColumnCount(number);
        return;
    }
    if (iKey == QLatin1String("column_spacing")) {
        if (keyNumber(iKey, value, TUiCommonAttrs::MaxPixels, &number))
            setColumnSpacing(number);
        return;
    }
    if (iKey == QLatin1String("label_alignment"))
        d->labelAlignment = TuiHelper::str2alignment(value.toString());
    else if (iKey == QLatin1String("separator"))
        d->separator = value.toString();
    else if (iKey == QLatin1String("label_property"))
        d->labelProperties = value.toMap();
    else if (iKey == QLatin1String("units_property"))
        d->unitsProperties = value.toMap();
    else if (iKey == QLatin1String("separator_property"))
        d->separatorProperties = value.toMap();
    else if (!TLayoutAttrs::write(this, iKey, value))
        TuiAbstract::set(iKey, value);
}

QVariant TFormLayout::get(const QString &iKey, const QVariant &iOptions)
{
    QVariant value;
    if (iKey == QLatin1String("column_count"))
        return d->columnCount;
    if (iKey == QLatin1String("column_spacing"))
        return d->columnSpacing;
    if (iKey == QLatin1String("separator"))
        return d->separator;
    if (iKey == QLatin1String("label_property"))
        return d->labelProperties;
    if (iKey == QLatin1String("units_property"))
        return d->unitsProperties;
    if (iKey == QLatin1String("separator_property"))
        return d->separatorProperties;
    if (TLayoutAttrs::read(this, iKey, value))
        return value;
    return TuiAbstract::get(iKey, iOptions);
}

int TFormLayout::columnCount() const { return d->columnCount; }

void TFormLayout::setColumnCount(int iColumnCountInt)
{
    // Every form column sets up grid columns, one by one.
    if (!TLayoutAttrs::checkCount("TFormLayout::setColumnCount", "column count", iColumnCountInt))
        return;
    d->columnCount = iColumnCountInt;
    d->applyColumnSpacing();
    for (int k = 0; k < iColumnCountInt; ++k)
        QGridLayout::setColumnStretch(Stride * k + 2, 1);
}

Qt::Alignment TFormLayout::labelAlignment() const { return d->labelAlignment; }

void TFormLayout::setLabelAlignment(Qt::Alignment iAlignment) { d->labelAlignment = iAlignment; }

QVariantMap TFormLayout::labelProperty() const { return d->labelProperties; }

void TFormLayout::setLabelProperty(const QVariantMap &iPropVarMap) { d->labelProperties = plainMap(iPropVarMap); }

QVariantMap TFormLayout::unitsProperty() const { return d->unitsProperties; }

void TFormLayout::setUnitsProperty(const QVariantMap &iPropVarMap) { d->unitsProperties = plainMap(iPropVarMap); }

QVariantMap TFormLayout::separatorProperty() const { return d->separatorProperties; }

void TFormLayout::setSeparatorProperty(const QVariantMap &iPropVarMap)
{
    d->separatorProperties = plainMap(iPropVarMap);
}

QString TFormLayout::separator() const { return d->separator; }

void TFormLayout::setSeparator(const QString &iSeparatorStr) { d->separator = iSeparatorStr; }

int TFormLayout::columnSpacing() const { return d->columnSpacing; }

void TFormLayout::setColumnSpacing(int iSpacingInt)
{
    if (!TLayoutAttrs::checkPixels("TFormLayout::setColumnSpacing", "spacing", iSpacingInt))
        return;
    d->columnSpacing = iSpacingInt;
    d->applyColumnSpacing();
}

QWidget *TFormLayout::labelWidget(QObject *iObjectPtr) const { return d->labelMap.value(iObjectPtr); }

QWidget *TFormLayout::unitsWidget(QObject *iObjectPtr) const { return d->unitsMap.value(iObjectPtr); }

QWidget *TFormLayout::separatorWidget(QObject *iObjectPtr) const { return d->separatorMap.value(iObjectPtr); }

void TFormLayout::packWidget(QObject *iWidgetPtr, QObject *iLabelPtr, QObject *iUnitsPtr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    d->pack(TFormLayoutPrivate::packable(iWidgetPtr, false, iColSpanInt), iLabelPtr, iUnitsPtr, iColSpanInt,
            iLabelAlign, iLayoutTypeInt);
}

void TFormLayout::packWidget(QObject *iWidgetPtr, const QString &iLabelStr, const QString &iUnitsStr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    // Labels are made only for a field that will be packed: a label nobody
    // places would show up at the parent's top-left corner.
    if (TFormLayoutPrivate::packable(iWidgetPtr, false, iColSpanInt))
        packWidget(iWidgetPtr, createLabelWidget(iLabelStr), createUnitsWidget(iUnitsStr), iColSpanInt, iLabelAlign,
                   iLayoutTypeInt);
}

void TFormLayout::packWidget(QObject *iWidgetPtr, const QString &iLabelStr, QObject *iUnitsPtr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    if (TFormLayoutPrivate::packable(iWidgetPtr, false, iColSpanInt))
        packWidget(iWidgetPtr, createLabelWidget(iLabelStr), iUnitsPtr, iColSpanInt, iLabelAlign, iLayoutTypeInt);
}

void TFormLayout::packWidget(QObject *iWidgetPtr, QObject *iLabelPtr, const QString &iUnitsStr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    if (TFormLayoutPrivate::packable(iWidgetPtr, false, iColSpanInt))
        packWidget(iWidgetPtr, iLabelPtr, createUnitsWidget(iUnitsStr), iColSpanInt, iLabelAlign, iLayoutTypeInt);
}

void TFormLayout::packLayout(QObject *iLayoutPtr, QObject *iLabelPtr, QObject *iUnitsPtr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    d->pack(TFormLayoutPrivate::packable(iLayoutPtr, true, iColSpanInt), iLabelPtr, iUnitsPtr, iColSpanInt, iLabelAlign,
            iLayoutTypeInt);
}

void TFormLayout::packLayout(QObject *iLayoutPtr, const QString &iLabelStr, const QString &iUnitsStr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    if (TFormLayoutPrivate::packable(iLayoutPtr, true, iColSpanInt))
        packLayout(iLayoutPtr, createLabelWidget(iLabelStr), createUnitsWidget(iUnitsStr), iColSpanInt, iLabelAlign,
                   iLayoutTypeInt);
}

void TFormLayout::packLayout(QObject *iLayoutPtr, const QString &iLabelStr, QObject *iUnitsPtr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    if (TFormLayoutPrivate::packable(iLayoutPtr, true, iColSpanInt))
        packLayout(iLayoutPtr, createLabelWidget(iLabelStr), iUnitsPtr, iColSpanInt, iLabelAlign, iLayoutTypeInt);
}

void TFormLayout::packLayout(QObject *iLayoutPtr, QObject *iLabelPtr, const QString &iUnitsStr, int iColSpanInt,
                             const QString &iLabelAlign, int iLayoutTypeInt)
{
    if (TFormLayoutPrivate::packable(iLayoutPtr, true, iColSpanInt))
        packLayout(iLayoutPtr, iLabelPtr, createUnitsWidget(iUnitsStr), iColSpanInt, iLabelAlign, iLayoutTypeInt);
}

QWidget *TFormLayout::createLabelWidget(const QString &iText)
{
    return iText.isEmpty() ? nullptr : d->newLabel(iText, d->labelProperties);
}

QWidget *TFormLayout::createUnitsWidget(const QString &iText)
{
    return iText.isEmpty() ? nullptr : d->newLabel(iText, d->unitsProperties);
}

TUI_LAYOUT_BOUNDS(TFormLayout, QGridLayout)
