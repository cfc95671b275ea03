#include "tuihelper.h"

#include "tuicommonattrs_p.h"
#include "tuiutil.h"

#include <QWidget>

Qt::Alignment TuiHelper::str2alignment(const QString &iStr) { return TUiUtil::str2alignment(iStr); }

QDialogButtonBox::ButtonRole TuiHelper::str2buttonRole(const QString &iStr) { return TUiUtil::str2buttonRole(iStr); }

Qt::DockWidgetArea TuiHelper::str2dockWidgetArea(const QString &iStr) { return TUiUtil::str2dockWidgetArea(iStr); }

QLineEdit::EchoMode TuiHelper::str2echoMode(const QString &iStr) { return TUiUtil::str2echoMode(iStr); }

Qt::Orientation TuiHelper::str2orientation(const QString &iStr) { return TUiUtil::str2orientation(iStr); }

QHeaderView::ResizeMode TuiHelper::str2resizeMode(const QString &iStr) { return TUiUtil::str2resizeMode(iStr); }

Qt::ScrollBarPolicy TuiHelper::str2scrollBarPolicy(const QString &iStr) { return TUiUtil::str2scrollBarPolicy(iStr); }

QFrame::Shadow TuiHelper::str2shadow(const QString &iStr) { return TUiUtil::str2shadow(iStr); }

QFrame::Shape TuiHelper::str2shape(const QString &iStr) { return TUiUtil::str2shape(iStr); }

QSizePolicy::Policy TuiHelper::str2sizePolicy(const QString &iStr) { return TUiUtil::str2sizePolicy(iStr); }

QDialogButtonBox::StandardButton TuiHelper::str2standardButton(const QString &iStr)
{
    return TUiUtil::str2standardButton(iStr);
}

Qt::ToolBarArea TuiHelper::str2toolbarArea(const QString &iStr) { return TUiUtil::str2toolbarArea(iStr); }

QString TuiHelper::echoMode2str(QLineEdit::EchoMode iMode)
{
    switch (iMode) {
    case QLineEdit::NoEcho:
        return QStringLiteral("NoEcho");
    case QLineEdit::Password:
        return QStringLiteral("Password");
    case QLineEdit::PasswordEchoOnEdit:
        return QStringLiteral("PasswordEchoOnEdit");
    default:
        return QStringLiteral("Normal");
    }
}

void TuiHelper::setWidgetSizeProperty(QWidget *iWidget, const QString &iPropName, const QVariant &iValue)
{
    if (!iWidget)
        return;
    TUiCommonAttrs::mergeSizeProperty(iWidget, iPropName, iValue);
}

void TuiHelper::setWidgetAttr(QWidget *iWidget, const QString &iKey, const QVariant &iValue)
{
    TUiCommonAttrs::write(iWidget, iKey, iValue, TUiCommonAttrs::EventSink());
}

QVariant TuiHelper::getWidgetAttr(QWidget *iWidget, const QString &iKey, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    return TUiCommonAttrs::read(iWidget, iKey);
}
