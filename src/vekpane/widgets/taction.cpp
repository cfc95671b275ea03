#include "taction.h"
#include "taction_p.h"

#include "tresource.h"

TAction::TAction(QObject *iParent)
    : QAction(iParent)
    , TUiInterface()
    , d(new TActionPrivate(this))
{}

TAction::TAction(const QString &iText, QObject *iParent)
    : QAction(iText, iParent)
    , TUiInterface()
    , d(new TActionPrivate(this))
{}

TAction::TAction(const QIcon &iIcon, const QString &iText, QObject *iParent)
    : QAction(iIcon, iText, iParent)
    , TUiInterface()
    , d(new TActionPrivate(this))
{}

TAction::~TAction() = default;

void TAction::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("text")) {
        setText(value.toString());
    } else if (iKey == QLatin1String("icon")) {
        setIcon(TResource::instance()->icon(value.toString().trimmed(), QStringLiteral("button"),
                                            QStringLiteral("body")));
    } else if (iKey == QLatin1String("shortcut")) {
        setShortcut(QKeySequence(value.toString(), QKeySequence::NativeText));
    } else if (iKey == QLatin1String("tooltip")) {
        setToolTip(value.toString());
    } else if (iKey == QLatin1String("user_data")) {
        setData(value);
    }
}

QVariant TAction::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("text"))
        return text();
    if (iKey == QLatin1String("icon"))
        return iconText();
    if (iKey == QLatin1String("tooltip"))
        return toolTip();
    return _getData(this, iKey, iOptions);
}
