// Reference for bench_vekjsstartup: a bare Qt script engine evaluating an
// empty script, which is the floor the runner's own start-up stands on.

#include <QCoreApplication>
#include <QJSEngine>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QJSEngine engine;
    return engine.evaluate(QString()).isError() ? 1 : 0;
}
