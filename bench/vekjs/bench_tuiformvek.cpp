// The form of bench_tuiformstartup built by a C++ host on the framework: the
// same theme, style sheet and icon bundle the package "tui" installs when a
// script imports it, and the same framework widgets the script makes (a main
// window whose body pane holds a form layout of N labelled line edits). Set
// against the plain Qt program it gives what the theme and the framework
// widgets cost; set against the script it gives what the script runtime costs.
//
//   bench_tuiformvek N [RESOURCE_DIR]
//
// RESOURCE_DIR defaults to the folder "resource" beside the program's folder,
// where a host finds it.

#include "tfileio.h"
#include "tformlayout.h"
#include "tlineedit.h"
#include "tmainwindow.h"
#include "tresource.h"
#include "ttheme.h"
#include "vekpane.h"

#include <QApplication>
#include <QPointer>
#include <QResource>
#include <QScreen>

namespace {

// The design width the product's pixel sizes are drawn for; wider screens
// scale them up.
constexpr int kDesignWidth = 1920;

// False when the icon bundle or the theme is missing: the form would not
// have the look it is measured for.
bool applyDefaultTheme(const QString &iResourceDir)
{
    TResource *resource = TResource::instance();
    resource->setRccDir(iResourceDir + QStringLiteral("/res/"));
    if (!resource->loadRcc(QStringLiteral("zul.rcc"))) {
        qWarning("bench_tuiformvek: the icon bundle zul.rcc is missing under %s/res", qPrintable(iResourceDir));
        return false;
    }

    TTheme *theme = TTheme::instance();
    if (!theme->loadThemeConfig(iResourceDir + QStringLiteral("/theme/default.thm"))) {
        qWarning("bench_tuiformvek: the default theme is missing under %s/theme", qPrintable(iResourceDir));
        return false;
    }
    const QString bundles = theme->value(QStringLiteral("RESOURCES")).isValid()
                                    ? theme->value(QStringLiteral("RESOURCES")).toString()
                                    : QStringLiteral("default.rcc");
    const QStringList bundleList = bundles.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &bundle : bundleList)
        QResource::registerResource(iResourceDir + QStringLiteral("/theme/") + bundle);

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int width = screen ? screen->geometry().width() : 0;
    theme->setDpRatio(width > kDesignWidth ? width / double(kDesignWidth) : 1.0);

    resource->appendIconPath(QStringLiteral(":/system/icon"));
    resource->prependIconPath(iResourceDir + QStringLiteral("/res/icon"));
    resource->appendResourcePath(QStringLiteral(":/system/image"));
    resource->appendResourcePath(QStringLiteral(":/system/file"));
    resource->prependResourcePath(iResourceDir + QStringLiteral("/image"));
    resource->prependResourcePath(iResourceDir + QStringLiteral("/theme"));

    const QString qssFile = theme->value(QStringLiteral("QSS_FILE")).toString();
    if (!qssFile.isEmpty())
        theme->setQssStr(TFileIo::readFileString(resource->resourceFilePath(qssFile), QStringLiteral("UTF-8")));
    theme->applyTheme();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int fields = argc > 1 ? qBound(1, QByteArray(argv[1]).toInt(), 10000) : 20;
    const QString resourceDir = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                         : QCoreApplication::applicationDirPath() + QStringLiteral("/../resource");
    if (!applyDefaultTheme(resourceDir))
        return 1;

    // Deletes itself when closed.
    QPointer<TMainWindow> window = new TMainWindow;
    auto *body = new VekPane;
    auto *form = new TFormLayout(body);
    for (int i = 0; i < fields; ++i)
        form->packWidget(new TLineEdit(body), QStringLiteral("Field %1").arg(i + 1), QString());
    window->setBodyWidget(body);
    window->show();
    const int code = QApplication::exec();
    delete window;
    return code;
}
