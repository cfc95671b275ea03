#include "tpushbutton.h"
#include "tpushbutton_p.h"

#include "tcontrolsupport_p.h"
#include "tscriptvalue.h"
#include "ttheme.h"
#include "tuihelper.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QPointer>

TPushButton::TPushButton(QWidget *iParent)
    : QPushButton(iParent)
    , d(new TPushButtonPrivate(this))
{
    VEK_LOG(QStringLiteral("new pushbutton 0x%1").arg(TControlSupport::address(this)), "debug", 5);
    // Hover events reach a widget only with this attribute; not every style sets it.
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &TPushButton::onClicked);
}

TPushButton::~TPushButton()
{
    VEK_LOG(QStringLiteral("destroy pushbutton 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TPushButton::set(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    if (iKey == QLatin1String("text"))
        setText(value.toString());
    else if (iKey == QLatin1String("checkable"))
        setCheckable(value.toBool());
    else if (iKey == QLatin1String("icon_size"))
        TuiHelper::setWidgetSizeProperty(this, QStringLiteral("iconSize"), value);
    else if (iKey == QLatin1String("shortcut"))
        setShortcut(QKeySequence(value.toString(), QKeySequence::NativeText));
    else
        TuiAbstract::set(iKey, value);

    // The shadow follows the style whatever key was set, so a restyle to
    // "raised" takes effect at once; setGraphicsEffect() deletes the old one.
    if (property("SS_TYPE").toString() == QLatin1String("RAISED"))
        setGraphicsEffect(TTheme::instance()->getShadowEffect(1, QStringLiteral("center")));
}

QVariant TPushButton::get(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("text"))
        return text();
    if (iKey == QLatin1String("checkable"))
        return isCheckable();
    if (iKey == QLatin1String("shortcut"))
        return shortcut().toString(QKeySequence::NativeText);
    return TuiAbstract::get(iKey, iOptions);
}

bool TPushButton::event(QEvent *iEvent)
{
    const QEvent::Type type = iEvent->type();
    if (type == QEvent::HoverEnter || type == QEvent::HoverLeave) {
        QPointer<TPushButton> guard(this);
        Q_EMIT signal(type == QEvent::HoverEnter ? QStringLiteral("hoverEnter") : QStringLiteral("hoverLeave"),
                      QVariant(), QString());
        // A listener that closed the form took the button with it.
        if (guard.isNull())
            return true;
    }
    return QPushButton::event(iEvent);
}

void TPushButton::onClicked(bool iChecked) { Q_EMIT signal(QStringLiteral("clicked"), iChecked, QString()); }
