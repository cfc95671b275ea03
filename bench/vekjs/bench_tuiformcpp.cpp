// The plain C++ Qt form that bench_tuiformstartup sets against the same form
// built by a script with the package "tui": a main window whose body is a
// form layout of N labelled line edits.
//
//   bench_tuiformcpp N

#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int fields = argc > 1 ? qBound(1, QByteArray(argv[1]).toInt(), 10000) : 20;
    QMainWindow window;
    auto *body = new QWidget;
    auto *form = new QFormLayout(body);
    for (int i = 0; i < fields; ++i)
        form->addRow(QStringLiteral("Field %1").arg(i + 1), new QLineEdit);
    window.setCentralWidget(body);
    window.show();
    return app.exec();
}
