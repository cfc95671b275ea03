// Opening a multi-choice combo box of 5,000 items, all of them chosen.
// Run by hand: build/bench/bench_multicombobox [rounds] [items]
#include "tmulticombobox.h"

#include "benchtiming.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using benchtiming::bestMs;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int count = argc > 2 ? std::max(1, atoi(argv[2])) : 5000;

    QVariantList items;
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("tool_%1").arg(i);
        items.append(QVariantMap {{QStringLiteral("name"), name},
                                  {QStringLiteral("text"), QStringLiteral("T%1").arg(i)},
                                  {QStringLiteral("user_data"), i}});
        names.append(name);
    }

    TMultiComboBox box;
    box.resize(300, 30);
    box.show();
    double fill = bestMs(rounds, [&]() {
        box.setItemList(items);
        box.setCurrentNames(names);
    });
    // Opening re-applies the choice to the drop-down before it shows.
    double open = bestMs(rounds, [&]() {
        box.showPopup();
        QCoreApplication::processEvents();
        box.hidePopup();
        QCoreApplication::processEvents();
    });
    std::printf("%d items, all chosen, best of %d rounds\n", count, rounds);
    std::printf("  set item list and choose all: %8.2f ms\n", fill);
    std::printf("  open and close the drop-down: %8.2f ms  (%d chosen)\n", open, int(box.currentNames().size()));
    return 0;
}
