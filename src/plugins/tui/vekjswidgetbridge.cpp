#include "vekjswidgetbridge.h"
#include "vekjswidgetbridge_p.h"

#include "tcombobox.h"
#include "tdataparse.h"
#include "tfileio.h"
#include "tformlayout.h"
#include "tgridlayout.h"
#include "thboxlayout.h"
#include "tlineedit.h"
#include "tmainwindow.h"
#include "tpushbutton.h"
#include "tresource.h"
#include "ttheme.h"
#include "tvboxlayout.h"
#include "vekpane.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QJSEngine>
#include <QQmlEngine>
#include <QResource>
#include <QScreen>

namespace {

constexpr int kDesignWidth = 1920;

} // namespace

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

    TResource *resource = TResource::instance();
    resource->setRccDir(resourceDir + QStringLiteral("/res/"));
    resource->loadRcc(QStringLiteral("zul.rcc"));

    const QVariantMap theme
            = TDataParse::jsonStr2Variant(TFileIo::readFileString(resourceDir + QStringLiteral("/theme/default.thm"),
                                                                  QStringLiteral("UTF-8")))
                      .toMap();

    const QString bundles = theme.contains(QStringLiteral("RESOURCES"))
                                    ? theme.value(QStringLiteral("RESOURCES")).toString()
                                    : QStringLiteral("default.rcc");
    const QStringList bundleList = bundles.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &bundle : bundleList)
        QResource::registerResource(resourceDir + QStringLiteral("/theme/") + bundle);

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
    connect(object, &QObject::destroyed, this, [this](QObject *iGone) { d->made.remove(iGone); });
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

void VekJsWidgetBridge::deleteObject(QObject *iObj)
{
    if (!iObj)
        return;
    if (!d->made.contains(iObj)) {
        fail(QStringLiteral("tui: deleteObject deletes only what a tui factory made, not this %1")
                     .arg(QLatin1String(iObj->metaObject()->className())));
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
