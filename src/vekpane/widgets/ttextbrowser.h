#ifndef TTEXTBROWSER_H
#define TTEXTBROWSER_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QTextBrowser>

#include <memory>

class TTextBrowserPrivate;

/*!
 * A rich-text display that sizes its height to its content between a minimum
 * and a maximum number of rows.
 *
 * Own keys: "value" (text only), "min" and "max" (row counts, ints only).
 * Leaving it sends "editing_finished", then "value_changed".
 */
class VEKPANE_EXPORT TTextBrowser : public QTextBrowser, public TUiInterface
{
    Q_OBJECT
public:
    explicit TTextBrowser(QWidget *iParent = nullptr);
    ~TTextBrowser() override;

    //! An image of the text is decoded within the image budget; a refused
    //! one shows as broken. Other resources as the base loads them.
    QVariant loadResource(int iType, const QUrl &iName) override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader; "value" is the plain text.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The fewest rows it is high, 1 at first.
    int minRowCount() const;
    //! Sets the fewest rows; the height follows at the next paint.
    void setMinRowCount(int iCountInt);
    //! The most rows it grows to; below one: no maximum.
    int maxRowCount() const;
    //! Sets the most rows; the height follows at the next paint.
    void setMaxRowCount(int iCountInt);

    TUI_INTERFACE_SLOTS

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;

private Q_SLOTS:
    void adjustTextAreaHeight();

private:
    Q_DISABLE_COPY(TTextBrowser)
    Q_DECLARE_PRIVATE_D(d, TTextBrowser)
    const std::unique_ptr<TTextBrowserPrivate> d;
};

#endif // TTEXTBROWSER_H
