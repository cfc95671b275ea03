#ifndef VEKJSWIDGETBRIDGE_H
#define VEKJSWIDGETBRIDGE_H

#include "vekjsplugin.h"

#include <QJSValue>
#include <QObject>

#include <memory>

class VekJsWidgetBridgePrivate;

/*!
 * The package "tui": importing it prepares the process for windows (the
 * product's resource bundle, the default theme, the DPI ratio, the icon and
 * resource search paths, the widget style and style sheet), and its slots
 * give scripts the theme, factories for windows, widgets and layouts of the
 * widget library, explicit deletion and the application's event loop.
 *
 * A factory uses its parent only when it is a widget. Every object it makes
 * is owned by C++, never by the script engine's garbage collector: a window
 * without parent lives until deleteObject() or the end of the process.
 *
 * Needs the widget application of the runner; without one (a runner started
 * with no display) the import and every factory throw a script error.
 */
class VekJsWidgetBridge : public QObject, public VekJsPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VekJsPlugin_iid)
    Q_INTERFACES(VekJsPlugin)
public:
    explicit VekJsWidgetBridge(QObject *iParent = nullptr);
    ~VekJsWidgetBridge() override;

    //! Loads the resource bundles and the default theme and applies the theme.
    void initPlugin() override;

    //! The base folder of the product for a program folder: the folder that
    //! holds an application bundle when the program folder is its "MacOS"
    //! folder (exact case), else the program folder itself; absolute.
    static QString baseDir(const QString &iAppDir);

    //! The DPI ratio for a primary screen iWidth pixels wide: iWidth / 1920
    //! above 1920, else 1.
    static double dpRatioForWidth(int iWidth);

public Q_SLOTS:
    //! The theme singleton; its own slots are script-visible.
    QObject *theme();

    //! A new TMainWindow; iParent is used only when it is a widget.
    QObject *newMainWindow(QObject *iParent);
    //! A new TMainWindow without parent.
    QObject *newMainWindow();
    //! A new TLineEdit; iParent is used only when it is a widget.
    QObject *newLineEdit(QObject *iParent);
    //! A new TLineEdit without parent.
    QObject *newLineEdit();
    //! A new TPushButton; iParent is used only when it is a widget.
    QObject *newPushButton(QObject *iParent);
    //! A new TPushButton without parent.
    QObject *newPushButton();
    //! A new THBoxLayout, set on iParent when it is a widget.
    QObject *newHBoxLayout(QObject *iParent);
    //! A new THBoxLayout without parent.
    QObject *newHBoxLayout();
    //! A new VekPane, the plain container; iParent is used only when it is a widget.
    QObject *newWidget(QObject *iParent);
    //! A new VekPane without parent.
    QObject *newWidget();
    //! A new TVBoxLayout, set on iParent when it is a widget.
    QObject *newVBoxLayout(QObject *iParent);
    //! A new TVBoxLayout without parent.
    QObject *newVBoxLayout();
    //! A new TGridLayout, set on iParent when it is a widget.
    QObject *newGridLayout(QObject *iParent);
    //! A new TGridLayout without parent.
    QObject *newGridLayout();
    //! A new TFormLayout, set on iParent when it is a widget.
    QObject *newFormLayout(QObject *iParent);
    //! A new TFormLayout without parent.
    QObject *newFormLayout();
    //! A new TComboBox; iParent is used only when it is a widget.
    QObject *newComboBox(QObject *iParent);
    //! A new TComboBox without parent.
    QObject *newComboBox();

    //! Deletes an object that a factory made, children with it; null does
    //! nothing. Anything else, and an object deleted before, is refused with
    //! a script error. From inside one of the object's own signals it is gone
    //! for the script at once and deleted when control is back in the event
    //! loop; otherwise it is deleted at once.
    void deleteObject(const QJSValue &iObj);

    //! Runs the application's event loop until exit() is called.
    void exec();

    //! Ends the event loop that exec() runs.
    void exit();

public:
    //! deleteObject() for C++ callers, who pass a live object or null.
    void deleteObject(QObject *iObj);

private:
    bool requireWidgets(const char *iWhat);
    void fail(const QString &iText);
    template<class T>
    QObject *make(QObject *iParent, const char *iWhat);

    Q_DISABLE_COPY(VekJsWidgetBridge)
    const std::unique_ptr<VekJsWidgetBridgePrivate> d;
};

#endif // VEKJSWIDGETBRIDGE_H
