#ifndef TTHEME_P_H
#define TTHEME_P_H

#include "ttheme.h"

#include <QColor>
#include <QMap>

class TThemePrivate
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
