#ifndef TTHEME_H
#define TTHEME_H

#include "vekfoundation_export.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class QGraphicsDropShadowEffect;
class TThemePrivate;

/*!
 * The process-wide theme: theme values, widget style, style-sheet template
 * and the DPI ratio by which pixel sizes are scaled. applyTheme() runs the
 * template through the template language and installs the result on the
 * application. Lives on the GUI thread; takes no locks.
 */
class VEKFOUNDATION_EXPORT TTheme : public QObject
{
    Q_OBJECT
public:
    enum BgType { Light = 0, Dark = 1 };

    static TTheme *instance();
    ~TTheme() override;

    /*!
     * A #RRGGBBAA text (alpha last) rewritten as "rgba(r, g, b, alpha)" with
     * the alpha as a fraction; any other text comes back unchanged.
     */
    static QString html2StyleSheetColor(const QString &iColorStr);

public Q_SLOTS:
    /*! Sets the factor of dp() and of every shadow size. */
    void setDpRatio(double iRatio);
    /*! The factor of dp() and of every shadow size. */
    double dpRatio() const;
    /*!
     * A new drop shadow for depth 0 to 5 and a direction (LEFT, TOP, RIGHT,
     * BOTTOM or anything else for centred), or null for other depths. The
     * caller owns it.
     */
    QGraphicsDropShadowEffect *getShadowEffect(int iDepth, const QString &iDirection = QStringLiteral("center"));
    /*! The pixel size scaled by the DPI ratio, exact. */
    double dp(double iPix) const;
    /*! The pixel size scaled by the DPI ratio, truncated toward zero. */
    int dp(int iPix) const;
    /*! Reads a theme file (JSON object); false and a log line when it is unreadable. */
    bool loadThemeConfig(const QString &iFile);
    /*! The theme value of a key (case-sensitive), invalid when absent. */
    QVariant value(const QString &iKeyStr) const;
    /*! Replaces the theme values whole. */
    void setValueMap(const QVariantMap &iValueMap);
    /*! A theme colour in style-sheet form, a #RRGGBBAA value with its alpha as a percentage. */
    QString getSsColor(const QString &iKeyStr);
    /*! Sets the Qt widget style name used by the next applyTheme(). */
    void setStyle(const QString &iStyleStr);
    /*! Sets the style-sheet template. */
    void setQssStr(const QString &iQssStr);
    /*! The style-sheet template as set, unprocessed. */
    QString qssStr() const;
    /*! Sets the widget style and installs the processed template as the application's style sheet. */
    void applyTheme();
    /*! The background kind of the last theme file loaded. */
    TTheme::BgType bgType() const;

private:
    TTheme();
    Q_DISABLE_COPY(TTheme)

    Q_DECLARE_PRIVATE_D(d, TTheme)
    const std::unique_ptr<TThemePrivate> d;
};

#endif // TTHEME_H
