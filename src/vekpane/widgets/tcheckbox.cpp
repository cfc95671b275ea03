#include "tcheckbox.h"
#include "tcheckbox_p.h"

#include "ttheme.h"

#include <QHBoxLayout>
#include <QLabel>

void TCheckBoxPrivate::restyle()
{
    Q_Q(TCheckBox);
    if (!tipLabel)
        return;
    const QString sheet = QStringLiteral("padding-left:2px; padding-right:2px; background-color:%1; color:%2; "
                                         "font-size:%3px")
                                  .arg(TTheme::html2StyleSheetColor(tipBgColor),
                                       TTheme::html2StyleSheetColor(tipFgColor), QString::number(tipFontSize));
    tipLabel->setStyleSheet(sheet);
    tipLabel->adjustSize();
    // Half the height as radius rounds the badge into a pill.
    tipLabel->setStyleSheet(QStringLiteral("%1;border-radius:%2;").arg(sheet).arg(tipLabel->height() / 2));
    q->setStyleSheet(QStringLiteral("QCheckBox{margin-right:%1px}").arg(tipLabel->width()));
}

TCheckBox::TCheckBox(QWidget *iParent)
    : QCheckBox(iParent)
    , TUiInterface()
    , d(new TCheckBoxPrivate(this))
{
    // Scripts reach the badge through tipLabel(): its type must be known to them.
    qRegisterMetaType<QLabel *>();
}

TCheckBox::TCheckBox(const QString &iText, QWidget *iParent)
    : TCheckBox(iParent)
{
    setText(iText);
}

TCheckBox::~TCheckBox() = default;

void TCheckBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        const int state = value.toInt();
        if (state == getAttr(QStringLiteral("value")).toInt())
            return;
        if (state == 2)
            setCheckState(Qt::Checked);
        else if (state == 1)
            setCheckState(Qt::PartiallyChecked);
        else
            setCheckState(Qt::Unchecked);
    } else if (iKey == QLatin1String("tristate")) {
        setTristate(value.userType() == QMetaType::Bool && value.toBool());
    } else if (iKey == QLatin1String("text")) {
        setText(value.toString());
    }
}

QVariant TCheckBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return int(checkState());
    if (iKey == QLatin1String("tristate"))
        return isTristate();
    if (iKey == QLatin1String("text"))
        return text();
    return _getData(this, iKey, iOptions);
}

int TCheckBox::intValue() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return -1;
    default:
        return 0;
    }
}

void TCheckBox::setIntValue(int iValueInt)
{
    if (iValueInt == 1)
        setCheckState(Qt::Checked);
    else if (iValueInt == -1)
        setCheckState(Qt::PartiallyChecked);
    else
        setCheckState(Qt::Unchecked);
}

void TCheckBox::setTipText(const QString &iText)
{
    if (!iText.isEmpty()) {
        tipLabel()->setText(iText);
        d->restyle();
        d->tipLabel->show();
    } else if (d->tipLabel) {
        d->tipLabel->setText(QString());
        d->tipLabel->hide();
        d->restyle();
    }
}

QString TCheckBox::tipText() const { return d->tipLabel ? d->tipLabel->text() : QString(); }

void TCheckBox::setTipFontSize(int iFontSize)
{
    d->tipFontSize = iFontSize;
    d->restyle();
}

int TCheckBox::tipFontSize() const { return d->tipFontSize; }

void TCheckBox::setTipBgColor(const QString &iColor)
{
    d->tipBgColor = iColor;
    d->restyle();
}

QString TCheckBox::tipBgColor() const { return d->tipBgColor; }

void TCheckBox::setTipFgColor(const QString &iColor)
{
    d->tipFgColor = iColor;
    d->restyle();
}

QString TCheckBox::tipFgColor() const { return d->tipFgColor; }

QLabel *TCheckBox::tipLabel()
{
    if (d->tipLabel)
        return d->tipLabel;
    if (!d->tipLayout) {
        d->tipLayout = new QHBoxLayout(this);
        d->tipLayout->setContentsMargins(1, 1, 1, 1);
        d->tipLayout->setSpacing(0);
        d->tipLayout->addStretch(1);
    }
    d->tipLabel = new QLabel(this);
    d->tipLayout->addWidget(d->tipLabel, 0, Qt::AlignVCenter);
    d->restyle();
    return d->tipLabel;
}
