#include "tlineedit.h"
#include "tlineedit_p.h"

#include "tcontrolsupport_p.h"
#include "tscriptvalue.h"
#include "ttheme.h"
#include "tuihelper.h"

#include <QDoubleValidator>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

// Sum of the widths the side widgets take from the text, each with its gap.
int sideWidth(const QList<QPointer<QWidget>> &iWidgets)
{
    int width = 0;
    for (const QPointer<QWidget> &widget : iWidgets) {
        if (!widget)
            continue;
        widget->adjustSize();
        width += widget->width() + TTheme::instance()->dp(1);
    }
    return width;
}

QValidator *validatorForMask(const QString &iMaskStr, QObject *iParent)
{
    static const QRegularExpression grammar(QStringLiteral("^(\\w+)\\s*\\((.*)\\s*\\)$"));
    const QRegularExpressionMatch match = grammar.match(iMaskStr);
    const QString name = match.hasMatch() ? match.captured(1) : QString();
    const QString args = match.hasMatch() ? match.captured(2) : QString();
    const QStringList parts = args.split(QLatin1Char(','), Qt::SkipEmptyParts);

    if (name.compare(QLatin1String("INT"), Qt::CaseInsensitive) == 0) {
        auto *validator = new QIntValidator(iParent);
        if (parts.size() == 2)
            validator->setRange(parts.at(0).toInt(nullptr, 10), parts.at(1).toInt(nullptr, 10));
        return validator;
    }
    if (name.compare(QLatin1String("DOUBLE"), Qt::CaseInsensitive) == 0) {
        auto *validator = new QDoubleValidator(iParent);
        if (parts.size() == 1) {
            validator->setDecimals(parts.at(0).toInt(nullptr, 10));
        } else if (parts.size() == 2) {
            // setRange() would also reset the decimals; two parts give only the bounds.
            validator->setBottom(parts.at(0).toDouble());
            validator->setTop(parts.at(1).toDouble());
        } else if (parts.size() == 3) {
            validator->setRange(parts.at(0).toDouble(), parts.at(1).toDouble(), parts.at(2).toInt(nullptr, 10));
        }
        return validator;
    }
    if (name.compare(QLatin1String("REX"), Qt::CaseInsensitive) == 0)
        return new QRegularExpressionValidator(QRegularExpression(args), iParent);
    return nullptr;
}

} // namespace

QHBoxLayout *TLineEditPrivate::sideLayout()
{
    Q_Q(TLineEdit);
    if (!layout) {
        layout = new QHBoxLayout(q);
        const int margin = TTheme::instance()->dp(1);
        layout->setContentsMargins(margin, margin, margin, margin);
        layout->setSpacing(TTheme::instance()->dp(2));
        layout->addStretch(1);
    }
    return layout;
}

void TLineEditPrivate::updateTextMargins()
{
    Q_Q(TLineEdit);
    q->adjustSize();
    q->setTextMargins(sideWidth(prependedWidgets), 0, sideWidth(appendedWidgets), 0);
}

TLineEdit::TLineEdit(QWidget *iParent)
    : QLineEdit(iParent)
    , d(new TLineEditPrivate(this))
{
    VEK_LOG(QStringLiteral("new lineedit 0x%1").arg(TControlSupport::address(this)), "debug", 5);
    connect(this, &QLineEdit::editingFinished, this, &TLineEdit::onEditFinished);
}

TLineEdit::~TLineEdit()
{
    VEK_LOG(QStringLiteral("destroy lineedit 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TLineEdit::set(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    if (iKey == QLatin1String("value")) {
        setText(value.userType() == QMetaType::Double ? QString::number(value.toDouble(), 'g', 6) : value.toString());
    } else if (iKey == QLatin1String("valid_mask")) {
        setValidMask(value.toString());
    } else if (iKey == QLatin1String("echo_mode")) {
        setEchoMode(TuiHelper::str2echoMode(value.toString()));
    } else if (iKey == QLatin1String("readonly")) {
        setReadOnly(value.toBool());
    } else if (iKey == QLatin1String("placeholder_text")) {
        setPlaceholderText(value.toString());
    } else {
        TuiAbstract::set(iKey, value);
    }
}

QVariant TLineEdit::get(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return text();
    if (iKey == QLatin1String("valid_mask"))
        return validMask();
    if (iKey == QLatin1String("echo_mode"))
        return TuiHelper::echoMode2str(echoMode());
    if (iKey == QLatin1String("readonly"))
        return isReadOnly();
    if (iKey == QLatin1String("placeholder_text"))
        return placeholderText();
    return TuiAbstract::get(iKey, iOptions);
}

QString TLineEdit::validMask() const { return d->validMask; }

void TLineEdit::setValidMask(const QString &iMaskStr)
{
    d->validMask = iMaskStr;
    // Only a validator made here is ours to delete; one set through
    // QLineEdit::setValidator() may be shared with other fields.
    const QValidator *old = validator();
    setValidator(nullptr);
    if (old && old->parent() == this)
        delete old;
    setValidator(validatorForMask(iMaskStr, this));
}

void TLineEdit::prependWidget(QWidget *iWgt)
{
    if (!iWgt)
        return;
    d->prependedWidgets.append(iWgt);
    d->sideLayout()->insertWidget(0, iWgt, 0, Qt::AlignVCenter);
    d->updateTextMargins();
}

void TLineEdit::appendWidget(QWidget *iWgt)
{
    if (!iWgt)
        return;
    d->appendedWidgets.append(iWgt);
    d->sideLayout()->addWidget(iWgt, 0, Qt::AlignVCenter);
    d->updateTextMargins();
}

void TLineEdit::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (TControlSupport::sendEvent(this, this, QStringLiteral("clicked")))
        QLineEdit::mouseReleaseEvent(iEvent);
}

void TLineEdit::focusInEvent(QFocusEvent *iEvent)
{
    if (TControlSupport::sendEvent(this, this, QStringLiteral("focus_in")))
        QLineEdit::focusInEvent(iEvent);
}

void TLineEdit::onEditFinished()
{
    const QVariant oldValue = getDefault(QStringLiteral("value"));
    const QString newValue = text();
    if (!oldValue.isValid() || oldValue.toString() != newValue) {
        const QVariantMap change {{QStringLiteral("old"), oldValue}, {QStringLiteral("new"), newValue}};
        if (!TControlSupport::sendEvent(this, this, QStringLiteral("value_changed"), change))
            return;
    }
    TControlSupport::sendEvent(this, this, QStringLiteral("editing_finished"));
}
