#ifndef TUIHELPER_H
#define TUIHELPER_H

#include "vekpane_export.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QSizePolicy>
#include <QString>
#include <QVariant>

class QWidget;

/*!
 * Converters for the widgets built on TuiAbstract and the UI loader, plus the
 * common attribute keys for any plain QWidget. The converters behave exactly
 * as their TUiUtil namesakes.
 */
class VEKPANE_EXPORT TuiHelper
{
public:
    static Qt::Alignment str2alignment(const QString &iStr);
    static QDialogButtonBox::ButtonRole str2buttonRole(const QString &iStr);
    static Qt::DockWidgetArea str2dockWidgetArea(const QString &iStr);
    static QLineEdit::EchoMode str2echoMode(const QString &iStr);
    static Qt::Orientation str2orientation(const QString &iStr);
    static QHeaderView::ResizeMode str2resizeMode(const QString &iStr);
    static Qt::ScrollBarPolicy str2scrollBarPolicy(const QString &iStr);
    static QFrame::Shadow str2shadow(const QString &iStr);
    static QFrame::Shape str2shape(const QString &iStr);
    static QSizePolicy::Policy str2sizePolicy(const QString &iStr);
    static QDialogButtonBox::StandardButton str2standardButton(const QString &iStr);
    static Qt::ToolBarArea str2toolbarArea(const QString &iStr);

    //! The word str2echoMode reads back; "Normal" for any unknown mode.
    static QString echoMode2str(QLineEdit::EchoMode iMode);

    //! As TUiUtil::setWidgetSizeProperty, for a widget.
    static void setWidgetSizeProperty(QWidget *iWidget, const QString &iPropName, const QVariant &iValue);

    /*!
     * Applies one common attribute key ("enabled", "style", "size", "tool_tip",
     * "user_data", ...) to \a iWidget. Unlike the attribute interfaces it sends
     * no "validation_state_changed". A null widget or an unknown key does nothing.
     */
    static void setWidgetAttr(QWidget *iWidget, const QString &iKey, const QVariant &iValue);

    /*!
     * Reads "enabled", "style", "validation_state", "stylesheet" or "user_data"
     * of \a iWidget; any other key, the empty one included, gives an invalid
     * value. \a iOptions is not read.
     */
    static QVariant getWidgetAttr(QWidget *iWidget, const QString &iKey, const QVariant &iOptions = QVariant());

private:
    TuiHelper();
};

#endif // TUIHELPER_H
