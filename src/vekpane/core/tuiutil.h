#ifndef TUIUTIL_H
#define TUIUTIL_H

#include "vekpane_export.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QSizePolicy>
#include <QString>
#include <QVariant>

/*!
 * Text to Qt enumeration converters for the widgets built on TUiInterface.
 *
 * Scripts and UI descriptions name Qt settings as text ("Expanding",
 * "AlignLeft|AlignTop", "QFrame::Box"). Every converter is case-insensitive,
 * never trims, never fails: text it does not recognise gives its default.
 */
class VEKPANE_EXPORT TUiUtil
{
public:
    //! Union of the flags named by the "|"-separated tokens; each token adds
    //! the first of Left, Right, HCenter, Justify, Top, Bottom, VCenter it ends with.
    static Qt::Alignment str2alignment(const QString &iStr);
    //! Role by suffix, also from a standard-button name; "Role" (exact case) is ignored.
    static QDialogButtonBox::ButtonRole str2buttonRole(const QString &iStr);
    //! First area word found anywhere in the text; LeftDockWidgetArea otherwise.
    static Qt::DockWidgetArea str2dockWidgetArea(const QString &iStr);
    //! Whole-word match; Normal otherwise.
    static QLineEdit::EchoMode str2echoMode(const QString &iStr);
    //! Vertical when the text ends with "Vertical"; Horizontal otherwise.
    static Qt::Orientation str2orientation(const QString &iStr);
    //! Whole-word match; Interactive otherwise.
    static QHeaderView::ResizeMode str2resizeMode(const QString &iStr);
    //! Whole-word match; ScrollBarAsNeeded otherwise.
    static Qt::ScrollBarPolicy str2scrollBarPolicy(const QString &iStr);
    //! Whole-word match; Plain otherwise.
    static QFrame::Shadow str2shadow(const QString &iStr);
    //! Whole-word match; NoFrame otherwise.
    static QFrame::Shape str2shape(const QString &iStr);
    //! Policy by suffix; Fixed otherwise.
    static QSizePolicy::Policy str2sizePolicy(const QString &iStr);
    //! Button by suffix; NoButton otherwise.
    static QDialogButtonBox::StandardButton str2standardButton(const QString &iStr);
    //! First area word found anywhere in the text; TopToolBarArea otherwise.
    static Qt::ToolBarArea str2toolbarArea(const QString &iStr);

    /*!
     * Writes the property \a iPropName of \a iTarget. When the property holds a
     * QSize, \a iValue may give width and height as "w,h" text, a [w, h] list or
     * a {width, height} map, and only the dimensions it gives change; any other
     * property takes the value unchanged. A null target or one that is not a
     * widget is ignored.
     */
    static void setWidgetSizeProperty(QObject *iTarget, const QString &iPropName, const QVariant &iValue);

private:
    TUiUtil() = delete;
};

#endif // TUIUTIL_H
