// Style-sheet preprocessing and icon lookup against their plain-Qt baselines.
// Run by hand: build/bench/bench_ttheme [rounds]
#include "tresource.h"
#include "ttheme.h"

#include "benchtiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using benchtiming::bestMs;
using benchtiming::medianMs;

QVariantMap themeValues(int iCount)
{
    QVariantMap values;
    for (int i = 0; i < iCount; ++i) {
        const QString key = QStringLiteral("KEY_%1").arg(i, 3, 10, QLatin1Char('0'));
        switch (i % 3) {
        case 0:
            values.insert(key, QStringLiteral("#%1%2%3AF")
                                       .arg(i % 256, 2, 16, QLatin1Char('0'))
                                       .arg((i * 7) % 256, 2, 16, QLatin1Char('0'))
                                       .arg((i * 13) % 256, 2, 16, QLatin1Char('0')));
            break;
        case 1:
            values.insert(key, QStringLiteral("#%1").arg(i * 4099 % 0xffffff, 6, 16, QLatin1Char('0')));
            break;
        default:
            values.insert(key, QString::number(i % 40));
            break;
        }
    }
    values.insert(QStringLiteral("BG_TYPE"), QStringLiteral("DARK"));
    return values;
}

QString themeTemplate(int iBytes, int iKeys)
{
    QString qss;
    int n = 0;
    while (qss.size() < iBytes) {
        auto key = [&](int k) { return QStringLiteral("${KEY_%1}").arg((n * 7 + k) % iKeys, 3, 10, QLatin1Char('0')); };
        if (n % 20 == 0)
            qss += QLatin1String(n % 40 == 0 ? "#IF DARK\n" : "#IF LIGHT\n");
        qss += QStringLiteral("QWidget#w%1[SS_kind=\"x\"] {\n    color: %2;\n    background: %3;\n"
                              "    border: $DP(1) solid %4;\n    padding: $DP(%5) $DP(4);\n    min-height: %6px;\n}\n")
                       .arg(n)
                       .arg(key(0), key(1), key(2))
                       .arg(n % 12)
                       .arg(key(3));
        if (n % 25 == 0)
            qss += QStringLiteral("QLabel#l%1 { color: $ALPHA(%2, 0.5); }\n").arg(n).arg(key(6));
        if (n % 20 == 19)
            qss += QStringLiteral("#ENDIF\n");
        ++n;
    }
    return qss;
}

// A rule per few lines, each with one colour function: the shape that used to
// cost text size times number of calls.
QString functionTemplate(int iBytes, int iKeys)
{
    static const char *const functions[] = {"$ALPHA(%1, 0.5)", "$LIGHTER(%1, 120)", "$DARKER(%1, 150)"};
    QString qss;
    for (int n = 0; qss.size() < iBytes; ++n) {
        const QString key = QStringLiteral("${KEY_%1}").arg(n % iKeys, 3, 10, QLatin1Char('0'));
        qss += QStringLiteral("QWidget#f%1 {\n    color: %2;\n    border: $DP(1) solid %3;\n}\n")
                       .arg(n)
                       .arg(QString::fromLatin1(functions[n % 3]).arg(n % 3 == 0 ? key : QStringLiteral("#3f82b0")))
                       .arg(key);
    }
    return qss;
}

// Page faults the process has taken so far: on a virtual machine where the
// first touch of a page costs tens of microseconds they can outweigh the work.
long pageFaults()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// The baseline: one regular-expression pass that puts in each key's value.
QString singlePass(const QString &iQss, const QHash<QString, QString> &iValues)
{
    static const QRegularExpression re(QStringLiteral("\\$\\{(\\w+)\\}"));
    QString out;
    out.reserve(iQss.size());
    int last = 0;
    QRegularExpressionMatchIterator it = re.globalMatch(iQss);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += iQss.midRef(last, m.capturedStart() - last);
        out += iValues.value(m.captured(1), m.captured(0));
        last = m.capturedEnd();
    }
    out += iQss.midRef(last);
    return out;
}

// The preprocessing of templates with a colour function in every rule against
// the one-pass regex, median of paired rounds.
int colourFunctions(int argc, char **argv)
{
#ifdef __GLIBC__
    // Freed memory stays with the process for both sides. On a virtual
    // machine where the first touch of a page costs tens of microseconds,
    // returning it to the system made every round pay for fresh pages, and
    // the side that allocates more buffers paid more of what is the
    // machine's cost, not the passes'.
    if (argc > 2 && qstrcmp(argv[2], "--keep-memory") == 0) {
        mallopt(M_MMAP_THRESHOLD, 256 << 20);
        mallopt(M_TRIM_THRESHOLD, 512 << 20);
    }
#endif
    QCoreApplication app(argc, argv);
    const QVariantMap values = themeValues(300);
    QHash<QString, QString> styleValues;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        styleValues.insert(it.key(), TTheme::html2StyleSheetColor(it.value().toString()));
    TTheme *theme = TTheme::instance();
    theme->setValueMap(values);
    printf("colour functions in every rule, preprocessing only, median of 9 rounds%s:\n",
           argc > 2 ? ", freed memory kept by the process" : "");
    for (const int kb : {50, 200, 800}) {
        const QString functions = functionTemplate(kb * 1024, 300);
        theme->setQssStr(functions);
        const long faultsBefore = pageFaults();
        const double preprocessing = medianMs(9, [&] { theme->applyTheme(); });
        const long faultsBetween = pageFaults();
        const double onePass = medianMs(9, [&] { singlePass(functions, styleValues); });
        const long faultsAfter = pageFaults();
        printf("  %4d KB: applyTheme %8.3f ms, regex single pass %8.3f ms, ratio %.2f"
               " (page faults per round %ld and %ld)\n",
               kb, preprocessing, onePass, preprocessing / onePass, (faultsBetween - faultsBefore) / 9,
               (faultsAfter - faultsBetween) / 9);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--functions") == 0)
        return colourFunctions(argc, argv);
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20;

    // Template preprocessing.
    const QVariantMap values = themeValues(300);
    const QString qss = themeTemplate(200 * 1024, 300);
    QHash<QString, QString> styleValues;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        styleValues.insert(it.key(), TTheme::html2StyleSheetColor(it.value().toString()));

    TTheme *theme = TTheme::instance();
    theme->setValueMap(values);
    theme->setQssStr(qss);
    const double apply = bestMs(rounds, [&] { theme->applyTheme(); });
    const QString processed = qApp->styleSheet();
    const double install = bestMs(rounds, [&] {
        qApp->setStyleSheet(QString());
        qApp->setStyleSheet(processed);
    });
    const double regex = bestMs(rounds, [&] { qApp->setStyleSheet(singlePass(qss, styleValues)); });
    const double regexOnly = bestMs(rounds, [&] { singlePass(qss, styleValues); });
    printf("template: %d characters, %d keys, best of %d rounds\n", int(qss.size()), 300, rounds);
    printf("  TTheme::applyTheme                    %8.3f ms\n", apply);
    printf("  regex single pass + setStyleSheet     %8.3f ms   (ratio %.2f)\n", regex, apply / regex);
    printf("  preprocessing alone (apply - install) %8.3f ms\n", apply - install);
    printf("  regex single pass alone               %8.3f ms   (ratio %.2f)\n", regexOnly,
           (apply - install) / regexOnly);

    // A colour function in every rule, at three sizes. Measured in a child
    // without a widget application, where applyTheme only preprocesses:
    // subtracting a style sheet install of the same size from a full apply
    // left mostly the noise of the install.
    for (const QStringList &arguments : {QStringList {QStringLiteral("--functions")},
                                         QStringList {QStringLiteral("--functions"), QStringLiteral("--keep-memory")}}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        if (!child.waitForFinished(300000) || child.exitCode() != 0)
            printf("colour functions: the measuring child failed\n");
    }
    fflush(stdout);

    theme->setQssStr(qss);

    // Icon lookup.
    QTemporaryDir dir;
    QFile svg(dir.filePath(QStringLiteral("info-circle.svg")));
    if (!svg.open(QIODevice::WriteOnly))
        return 1;
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\" viewBox=\"0 0 24 24\">"
              "<circle cx=\"12\" cy=\"12\" r=\"10\" fill=\"#000\"/><rect x=\"11\" y=\"6\" width=\"2\" height=\"8\" "
              "fill=\"#fff\"/></svg>");
    svg.close();
    TResource *res = TResource::instance();
    res->appendIconPath(dir.path());
    const QString name = QStringLiteral("info-circle.#3F82B0");
    const QString file = dir.filePath(QStringLiteral("info-circle.svg"));
    const int calls = 1000;
    if (res->icon(name).isNull()) {
        printf("icon did not load: is Qt's SVG image plug-in installed?\n");
        return 1;
    }
    const double lookup = bestMs(3, [&] {
        for (int i = 0; i < calls; ++i)
            res->icon(name);
    });
    const double plain = bestMs(3, [&] {
        for (int i = 0; i < calls; ++i)
            QIcon icon(file);
    });
    const double plainLoaded = bestMs(3, [&] {
        for (int i = 0; i < calls; ++i)
            QIcon(file).pixmap(24, 24);
    });
    printf("icons: %d calls of TResource::icon(\"%s\")\n", calls, qPrintable(name));
    printf("  TResource::icon                       %8.3f ms   (%.2fx QIcon(file))\n", lookup, lookup / plain);
    printf("  QIcon(file)                           %8.3f ms\n", plain);
    printf("  QIcon(file).pixmap(24, 24)            %8.3f ms\n", plainLoaded);
    return 0;
}
