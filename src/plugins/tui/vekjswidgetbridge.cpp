#include "vekjswidgetbridge.h"

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
    const QString text = QStringLiteral("tui: %1 needs a widget application; this runner has none "
                                        "(started without DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM)")
                                 .arg(QLatin1String(iWhat));
    if (jsEngine)
        jsEngine->throwError(text);
    else
        qWarning("%s", qPrintable(text));
    return false;
}

template<class T>
QObject *VekJsWidgetBridge::make(QObject *iParent, const char *iWhat)
{
    if (!requireWidgets(iWhat))
        return nullptr;
    QWidget *parent = iParent && iParent->isWidgetType() ? static_cast<QWidget *>(iParent) : nullptr;
    T *object = new T(parent);
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

QObject *VekJsWidgetBridge::newMainWindow(QObject *iParent) { return make<TMainWindow>(iParent, "newMainWindow"); }
QObject *VekJsWidgetBridge::newMainWindow() { return newMainWindow(nullptr); }
QObject *VekJsWidgetBridge::newLineEdit(QObject *iParent) { return make<TLineEdit>(iParent, "newLineEdit"); }
QObject *VekJsWidgetBridge::newLineEdit() { return newLineEdit(nullptr); }
QObject *VekJsWidgetBridge::newPushButton(QObject *iParent) { return make<TPushButton>(iParent, "newPushButton"); }
QObject *VekJsWidgetBridge::newPushButton() { return newPushButton(nullptr); }
QObject *VekJsWidgetBridge::newHBoxLayout(QObject *iParent) { return make<THBoxLayout>(iParent, "newHBoxLayout"); }
QObject *VekJsWidgetBridge::newHBoxLayout() { return newHBoxLayout(nullptr); }
QObject *VekJsWidgetBridge::newWidget(QObject *iParent) { return make<VekPane>(iParent, "newWidget"); }
QObject *VekJsWidgetBridge::newWidget() { return newWidget(nullptr); }
QObject *VekJsWidgetBridge::newVBoxLayout(QObject *iParent) { return make<TVBoxLayout>(iParent, "newVBoxLayout"); }
QObject *VekJsWidgetBridge::newVBoxLayout() { return newVBoxLayout(nullptr); }
QObject *VekJsWidgetBridge::newGridLayout(QObject *iParent) { return make<TGridLayout>(iParent, "newGridLayout"); }
QObject *VekJsWidgetBridge::newGridLayout() { return newGridLayout(nullptr); }
QObject *VekJsWidgetBridge::newFormLayout(QObject *iParent) { return make<TFormLayout>(iParent, "newFormLayout"); }
QObject *VekJsWidgetBridge::newFormLayout() { return newFormLayout(nullptr); }
QObject *VekJsWidgetBridge::newComboBox(QObject *iParent) { return make<TComboBox>(iParent, "newComboBox"); }
QObject *VekJsWidgetBridge::newComboBox() { return newComboBox(nullptr); }

void VekJsWidgetBridge::deleteObject(QObject *iObj) { delete iObj; }

void VekJsWidgetBridge::exec()
{
    if (requireWidgets("exec"))
        QApplication::exec();
}

void VekJsWidgetBridge::exit() { QCoreApplication::exit(0); }
