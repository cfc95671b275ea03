#ifndef TCODEEDIT_H
#define TCODEEDIT_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QTextEdit>

#include <memory>

class TCodeEditPrivate;

/*!
 * An editor for JavaScript source: a text edit whose document is coloured by
 * syntax and whose height follows its content between a minimum and a
 * maximum number of rows.
 *
 * Own keys: "value", "min_row_count", "max_row_count",
 * "vertical_scroll_bar_policy", "horizontal_scroll_bar_policy",
 * "tab_stop_width". The row counts read back under "min" and "max". Leaving
 * the editor sends "editing_finished", then "value_changed".
 */
class VEKPANE_EXPORT TCodeEdit : public QTextEdit, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int minRowCount READ minRowCount WRITE setMinRowCount)
    Q_PROPERTY(int maxRowCount READ maxRowCount WRITE setMaxRowCount)
public:
    explicit TCodeEdit(QWidget *iParent = nullptr);
    ~TCodeEdit() override;

    //! An image of the text is decoded within the image budget; a refused
    //! one shows as broken. Other resources as the base loads them.
    QVariant loadResource(int iType, const QUrl &iName) override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! "value" (the plain text), "min", "max"; other keys go to the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The fewest rows the editor is high, 1 at first.
    int minRowCount() const;
    //! Sets the fewest rows; the height follows at the next change or paint.
    void setMinRowCount(int iCountInt);
    //! The most rows it grows to; below one: no maximum.
    int maxRowCount() const;
    //! Sets the most rows; the height follows at the next change or paint.
    void setMaxRowCount(int iCountInt);

    TUI_INTERFACE_SLOTS

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;

private Q_SLOTS:
    void adjustTextAreaHeight();

private:
    Q_DISABLE_COPY(TCodeEdit)
    Q_DECLARE_PRIVATE_D(d, TCodeEdit)
    const std::unique_ptr<TCodeEditPrivate> d;
};

#endif // TCODEEDIT_H
