// Theme templates. The input is theme values as JSON, a NUL byte, then the
// template; without a NUL byte it is the template alone over a fixed set of
// values with a doubling chain and colour keys.

#include "fuzzcommon.h"

#include "tdataparse.h"
#include "ttheme.h"

#include <QApplication>

namespace {

QVariantMap fixedValues()
{
    QVariantMap values {{QStringLiteral("BG_TYPE"), QStringLiteral("DARK")},
                        {QStringLiteral("C"), QStringLiteral("#3F82B0AF")},
                        {QStringLiteral("D"), QStringLiteral("$DP(2)")},
                        {QStringLiteral("E"), QString()},
                        {QStringLiteral("F"), QStringLiteral("${G}{")}};
    for (int i = 0; i < 30; ++i)
        values.insert(QStringLiteral("K%1").arg(i, 2, 10, QLatin1Char('0')),
                      QStringLiteral("${K%1}${K%1}").arg(i + 1, 2, 10, QLatin1Char('0')));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    static int argc = 1;
    static char name[] = "fuzz_theme";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    Q_UNUSED(app)

    const QByteArray bytes = fuzzBytes(iData, iSize);
    const int nul = bytes.indexOf('\0');
    QVariantMap values = fixedValues();
    QString qss = QString::fromUtf8(bytes);
    if (nul >= 0) {
        values = TDataParse::jsonStr2Variant(QString::fromUtf8(bytes.left(nul))).toMap();
        qss = QString::fromUtf8(bytes.mid(nul + 1));
    }
    TTheme *theme = TTheme::instance();
    theme->setDpRatio(1.5);
    theme->setValueMap(values);
    theme->setQssStr(qss);
    theme->applyTheme();
    // Expansion is bounded: no style sheet far beyond the output limit.
    FUZZ_CHECK(qApp->styleSheet().size() <= 3 * ((1 << 22) + qss.size()) + 64);
    return 0;
}
