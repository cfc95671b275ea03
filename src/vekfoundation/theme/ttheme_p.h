#ifndef TTHEME_P_H
#define TTHEME_P_H

#include "tautotestexport.h"
#include "ttheme.h"
#include "vekfoundation_export.h"

#include <QColor>
#include <QMap>

class VEK_AUTOTEST_EXPORT(VEKFOUNDATION_EXPORT) TThemePrivate
{
    Q_DECLARE_PUBLIC(TTheme)
public:
    explicit TThemePrivate(TTheme *qptr);

    // Rewrites the style-sheet template; split from applyTheme() so that the
    // passes can be read one by one.
    QString filterConditionalLines(const QString &iQss) const;
    QString substituteValues(const QString &iText) const;
    QString substituteScaledPixels(const QString &iText) const;
    enum ColorFunction { Alpha, Lighter, Darker };
    QString substituteColorFunction(const QString &iText, ColorFunction iFunction) const;
    // The four call passes above ($DP, then the colour functions in turn)
    // done in one scan. A call whose arguments hold a "$" may depend on the
    // order of the passes; then the passes themselves are run.
    QString substituteCalls(const QString &iText) const;
    // The scan behind all of them: replaces the calls of the kinds in iKinds
    // into oOut. With several kinds it gives up (false) at a call whose
    // arguments hold a "$".
    enum CallKind { AlphaCall = 1 << Alpha, LighterCall = 1 << Lighter, DarkerCall = 1 << Darker, ScaledPixelsCall = 8 };
    bool scanCalls(const QString &iText, int iKinds, QString &oOut) const;

    void valuesChanged();

    double dpRatio {1.0};
    TTheme::BgType bgType {TTheme::Light};
    QVariantMap valueMap;
    QMap<QString, QString> ssColorCache;
    QString qssStr;
    QString style;
    TTheme *q_ptr;
};

// Reads a theme colour text: #RRGGBBAA (alpha last), an "rgba(r, g, b, a)"
// text, or anything QColor::setNamedColor() knows. Unreadable text gives an
// invalid colour.
QColor vekThemeColor(const QString &iText);

#endif // TTHEME_P_H
