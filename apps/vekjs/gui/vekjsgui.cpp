// The runner's widget support, loaded at run time only when there is a
// display, so that runs without one never load the widget libraries.

#include <QApplication>

extern "C" Q_DECL_EXPORT QCoreApplication *vekJsCreateGuiApplication(int &argc, char **argv)
{
    return new QApplication(argc, argv);
}
