#ifndef TTEXTEDIT_H
#define TTEXTEDIT_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QTextEdit>

#include <memory>

class TTextEditPrivate;

/*!
 * A rich or plain multi-line text field that sizes its height to its content
 * between a minimum and a maximum number of rows, and can cap its text at a
 * number of bytes in the local 8-bit encoding: an edit that goes over is cut
 * back at the cursor.
 *
 * Setting "value" and leaving the field send "value_changed" (true when the
 * plain text differs from the "value" default) and then "editing_finished".
 *
 * Own keys: "value", "min_row_count", "max_row_count", "max_byte_count",
 * "vertical_scroll_bar_policy", "horizontal_scroll_bar_policy",
 * "accept_rich_text", "read_only".
 */
class VEKPANE_EXPORT TTextEdit : public QTextEdit, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int minRowCount READ minRowCount WRITE setMinRowCount)
    Q_PROPERTY(int maxRowCount READ maxRowCount WRITE setMaxRowCount)
    Q_PROPERTY(int maxByteCount READ maxByteCount WRITE setMaxByteCount)
public:
    explicit TTextEdit(QWidget *iParent = nullptr);
    ~TTextEdit() override;

    //! An image of the text is decoded within the image budget; a refused
    //! one shows as broken. Other resources as the base loads them.
    QVariant loadResource(int iType, const QUrl &iName) override;

public Q_SLOTS:
    //! Common keys first, then the own keys. A "value" equal to the one set
    //! last is skipped while the text is unedited since then.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader; "value" is the plain text.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }
    //! The value.
    QVariant getAttr() { return getAttr(QString(), QVariant()); }
    //! The fewest rows the field is high, 1 at first.
    int minRowCount() const;
    //! Sets the fewest rows; the height follows at the next paint.
    void setMinRowCount(int iCountInt);
    //! The most rows the field grows to; not above the minimum: no maximum.
    int maxRowCount() const;
    //! Sets the most rows; the height follows at the next paint.
    void setMaxRowCount(int iCountInt);
    //! The most bytes the plain text may take in the local encoding; -1: no limit.
    int maxByteCount() const;
    //! Sets the byte limit; it applies from the next change of the text.
    void setMaxByteCount(int iCountInt);

    TUI_INTERFACE_SLOTS

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;

private Q_SLOTS:
    void adjustTextAreaHeight();
    void onTextChange();

private:
    Q_DISABLE_COPY(TTextEdit)
    Q_DECLARE_PRIVATE_D(d, TTextEdit)
    const std::unique_ptr<TTextEditPrivate> d;
};

#endif // TTEXTEDIT_H
