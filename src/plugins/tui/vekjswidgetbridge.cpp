#include "vekjswidgetbridge.h"
#include "vekjswidgetbridge_p.h"

#include "tcombobox.h"
#include "tdataparse.h"
#include "tfileio.h"
#include "tformlayout.h"
#include "tgridlayout.h"
#include "thboxlayout.h"
#include "tlineedit.h"
#include "tlogger.h"
#include "tmainwindow.h"
#include "tpushbutton.h"
#include "tresource.h"
#include "ttextimages_p.h"
#include "ttheme.h"
#include "tuicommonattrs_p.h"
#include "tvboxlayout.h"
#include "vekpane.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJSEngine>
#include <QQmlEngine>
#include <QScreen>
#include <QtCore/private/qobject_p.h>
#include <QtQml/qqmlprivate.h>

namespace {

constexpr int kDesignWidth = 1920;

// The object whose signal is being delivered to a slot or a script handler
// of iObj right now, null when none is. A script's handler of an object's
// signal runs with that object as receiver, also when the script gives it
// another "this". QObject::sender() will not do: it answers null once the
// handler's connection is gone, and a run-once handler disconnects itself
// before it deletes.
QObject *currentSender(QObject *iObj)
{
    const QObjectPrivate::ConnectionData *connections = QObjectPrivate::get(iObj)->connections.loadRelaxed();
    return connections && connections->currentSender ? connections->currentSender->sender : nullptr;
}

// What a script passed in place of an object, for the error.
QString kindOf(const QJSValue &iValue)
{
    if (iValue.isString())
        return QStringLiteral("string");
    if (iValue.isNumber())
        return QStringLiteral("number");
    if (iValue.isBool())
        return QStringLiteral("boolean");
    if (iValue.isCallable())
        return QStringLiteral("function");
    if (iValue.isArray())
        return QStringLiteral("array");
    return QStringLiteral("script object");
}

} // namespace

QList<QObject *> VekJsWidgetBridgePrivate::subtree(QObject *iRoot)
{
    QList<QObject *> all {iRoot};
    for (int i = 0; i < all.size(); ++i)
        all.append(all.at(i)->children());
    return all;
}

bool VekJsWidgetBridgePrivate::isInOwnSignal(const QList<QObject *> &iSubtree)
{
    for (QObject *object : iSubtree) {
        if (currentSender(object))
            return true;
    }
    return false;
}

void VekJsWidgetBridgePrivate::retire(QObject *iObj, const QList<QObject *> &iSubtree)
{
    // Still on the stack: Qt and the widget go on using the object once the
    // script's handler returns (the next signals of the same change, the
    // rest of an event handler). It goes when control is back in the event
    // loop; until then it is hidden and sends the script nothing more.
    for (QObject *object : iSubtree) {
        if (made.remove(object)) {
            retired.insert(object);
            object->blockSignals(true);
        }
    }
    // For the script it is gone now: the engine's wrappers of an object marked
    // so, and of everything below it, answer undefined to every property and
    // make every call a TypeError, as they do once it is deleted. This is the
    // mark every QML type's destructor sets before its object goes.
    QQmlPrivate::qdeclarativeelement_destructor(iObj);
    if (iObj->isWidgetType())
        static_cast<QWidget *>(iObj)->hide();
    iObj->deleteLater();
}

VekJsWidgetBridge::VekJsWidgetBridge(QObject *iParent)
    : QObject(iParent)
    , d(new VekJsWidgetBridgePrivate)
{}

VekJsWidgetBridge::~VekJsWidgetBridge() = default;

QString VekJsWidgetBridge::baseDir(const QString &iAppDir)
{
    QDir dir(iAppDir);
    if (dir.dirName() == QLatin1String("MacOS")) {
        // <folder>/<name>.app/Contents/MacOS: the product lies beside the bundle.
        dir.setPath(dir.filePath(QStringLiteral("../../..")));
    }
    return QDir::cleanPath(dir.absolutePath());
}

double VekJsWidgetBridge::dpRatioForWidth(int iWidth)
{
    return iWidth > kDesignWidth ? iWidth / double(kDesignWidth) : 1.0;
}

void VekJsWidgetBridge::initPlugin()
{
    // The desktop, the style and the style sheet need the widget
    // application; a runner without display has none.
    if (!requireWidgets("import"))
        return;

    const QString base = baseDir(QCoreApplication::applicationDirPath());
    const QString resourceDir = base + QStringLiteral("/../resource");

    VekJsApplicationFilter::install();

    TResource *resource = TResource::instance();
    resource->setRccDir(resourceDir + QStringLiteral("/res/"));
    // The bundle names the reason in the log; the windows still work,
    // without the product's icons.
    if (!resource->loadRcc(QStringLiteral("zul.rcc")))
        VEK_LOG(QStringLiteral("tui: going on without the icon bundle zul.rcc; named icons stay blank"), "warn", 0);

    const QVariantMap theme
            = TDataParse::jsonStr2Variant(TFileIo::readFileString(resourceDir + QStringLiteral("/theme/default.thm"),
                                                                  QStringLiteral("UTF-8")))
                      .toMap();

    const QString bundles = theme.contains(QStringLiteral("RESOURCES"))
                                    ? theme.value(QStringLiteral("RESOURCES")).toString()
                                    : QStringLiteral("default.rcc");
    // The theme's bundles are optional (the default names one the product
    // does not ship); one that is there is checked like the icon bundle.
    const QStringList bundleList = bundles.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &bundle : bundleList) {
        const QString path = QDir::cleanPath(resourceDir + QStringLiteral("/theme/") + bundle);
        if (QFileInfo::exists(path))
            resource->loadRcc(path);
    }

    // The primary screen's width; the desktop widget's per-screen calls are
    // deprecated and give the same number.
    const QScreen *screen = QGuiApplication::primaryScreen();
    TTheme *tt = TTheme::instance();
    tt->setDpRatio(dpRatioForWidth(screen ? screen->geometry().width() : 0));

    resource->appendIconPath(QStringLiteral(":/system/icon"));
    resource->prependIconPath(resourceDir + QStringLiteral("/res/icon"));
    resource->appendResourcePath(QStringLiteral(":/system/image"));
    resource->appendResourcePath(QStringLiteral(":/system/file"));
    resource->prependResourcePath(resourceDir + QStringLiteral("/image"));
    resource->prependResourcePath(resourceDir + QStringLiteral("/theme"));

    tt->setStyle(theme.value(QStringLiteral("STYLE")).toString());
    const QString qssFile = theme.value(QStringLiteral("QSS_FILE")).toString();
    if (!qssFile.isEmpty())
        tt->setQssStr(TFileIo::readFileString(resource->resourceFilePath(qssFile), QStringLiteral("UTF-8")));
    tt->setValueMap(theme);
    tt->applyTheme();
}

void VekJsApplicationFilter::install()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app->findChild<VekJsApplicationFilter *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new VekJsApplicationFilter(app));
}

bool VekJsApplicationFilter::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    // The same moments as the main window's own check: before a shown
    // window's backing store is sized, and after every change of size.
    const QEvent::Type type = iEvent->type();
    if ((type == QEvent::Resize || type == QEvent::Show || type == QEvent::LayoutRequest) && iWatched->isWidgetType()
        && static_cast<QWidget *>(iWatched)->isWindow())
        TUiCommonAttrs::boundWindow(static_cast<QWidget *>(iWatched));
    else if (type == QEvent::ChildAdded)
        TTextImages::watchLabels(iWatched, iEvent);
    return false;
}

bool VekJsWidgetBridge::requireWidgets(const char *iWhat)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    fail(QStringLiteral("tui: %1 needs a widget application; this runner has none "
                        "(started without DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)")
                 .arg(QLatin1String(iWhat)));
    return false;
}

void VekJsWidgetBridge::fail(const QString &iText)
{
    if (jsEngine)
        jsEngine->throwError(iText);
    else
        qWarning("%s", qPrintable(iText));
}

template<class T>
QObject *VekJsWidgetBridge::make(QObject *iParent, const char *iWhat)
{
    if (!requireWidgets(iWhat))
        return nullptr;
    QWidget *parent = iParent && iParent->isWidgetType() ? static_cast<QWidget *>(iParent) : nullptr;
    T *object = new T(parent);
    d->made.insert(object);
    connect(object, &QObject::destroyed, this, [this](QObject *iGone) {
        d->made.remove(iGone);
        d->retired.remove(iGone);
    });
    // Ours, not the collector's: a window the script shows must not vanish
    // when the script drops its last reference to it.
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

QObject *VekJsWidgetBridge::theme()
{
    // A parentless object handed to a script is the engine's to delete
    // unless claimed: the singleton lives until the process ends.
    TTheme *tt = TTheme::instance();
    QQmlEngine::setObjectOwnership(tt, QQmlEngine::CppOwnership);
    return tt;
}

// Every factory comes twice: with a parent, and without one, which passes null.
#define VEK_TUI_FACTORY(Name, Class)                                                                                   \
    QObject *VekJsWidgetBridge::Name(QObject *iParent) { return make<Class>(iParent, #Name); }                         \
    QObject *VekJsWidgetBridge::Name() { return Name(nullptr); }

VEK_TUI_FACTORY(newMainWindow, TMainWindow)
VEK_TUI_FACTORY(newLineEdit, TLineEdit)
VEK_TUI_FACTORY(newPushButton, TPushButton)
VEK_TUI_FACTORY(newHBoxLayout, THBoxLayout)
VEK_TUI_FACTORY(newWidget, VekPane)
VEK_TUI_FACTORY(newVBoxLayout, TVBoxLayout)
VEK_TUI_FACTORY(newGridLayout, TGridLayout)
VEK_TUI_FACTORY(newFormLayout, TFormLayout)
VEK_TUI_FACTORY(newComboBox, TComboBox)

#undef VEK_TUI_FACTORY

void VekJsWidgetBridge::deleteObject(const QJSValue &iObj)
{
    if (iObj.isNull() || iObj.isUndefined())
        return;
    if (!iObj.isQObject()) {
        fail(QStringLiteral("tui: deleteObject deletes only what a tui factory made, not this %1").arg(kindOf(iObj)));
        return;
    }
    // A script keeps its reference to an object that is gone; the engine
    // then answers null for it.
    QObject *object = iObj.toQObject();
    if (!object) {
        fail(QStringLiteral("tui: deleteObject: this object was deleted already"));
        return;
    }
    deleteObject(object);
}

void VekJsWidgetBridge::deleteObject(QObject *iObj)
{
    if (!iObj)
        return;
    if (d->retired.contains(iObj)) {
        fail(QStringLiteral("tui: deleteObject: this %1 was deleted already")
                     .arg(QLatin1String(iObj->metaObject()->className())));
        return;
    }
    if (!d->made.contains(iObj)) {
        fail(QStringLiteral("tui: deleteObject deletes only what a tui factory made, not this %1")
                     .arg(QLatin1String(iObj->metaObject()->className())));
        return;
    }
    const QList<QObject *> all = VekJsWidgetBridgePrivate::subtree(iObj);
    if (VekJsWidgetBridgePrivate::isInOwnSignal(all)) {
        d->retire(iObj, all);
        return;
    }
    delete iObj;
}

void VekJsWidgetBridge::exec()
{
    if (requireWidgets("exec"))
        QApplication::exec();
}

void VekJsWidgetBridge::exit() { QCoreApplication::exit(0); }
