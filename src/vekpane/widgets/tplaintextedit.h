#ifndef TPLAINTEXTEDIT_H
#define TPLAINTEXTEDIT_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QPlainTextEdit>

#include <memory>

class TPlainTextEditPrivate;

/*!
 * A plain multi-line text field that sizes its height to its lines between a
 * minimum and a maximum number of rows, and can cap its text at a number of
 * bytes in the local 8-bit encoding: an edit that goes over is cut back at
 * the cursor.
 *
 * Own keys: "value", "min_row_count", "max_row_count", "max_byte_count",
 * "vertical_scroll_bar_policy", "horizontal_scroll_bar_policy". Each accepts
 * only its own value type (text, or int); other values are ignored.
 */
class VEKPANE_EXPORT TPlainTextEdit : public QPlainTextEdit, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int minRowCount READ minRowCount WRITE setMinRowCount)
    Q_PROPERTY(int maxRowCount READ maxRowCount WRITE setMaxRowCount)
    Q_PROPERTY(int maxByteCount READ maxByteCount WRITE setMaxByteCount)
public:
    explicit TPlainTextEdit(QWidget *iParent = nullptr);
    ~TPlainTextEdit() override;

public Q_SLOTS:
    //! Common keys first, then the own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Own keys first, then the common reader.
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
    //! The most bytes the text may take in the local encoding; -1: no limit.
    int maxByteCount() const;
    //! Sets the byte limit; it applies from the next change of the text.
    void setMaxByteCount(int iCountInt);

    TUI_INTERFACE_SLOTS
    //! Focus left the field.
    void editingFinished();

protected:
    void paintEvent(QPaintEvent *iEvent) override;
    void resizeEvent(QResizeEvent *iEvent) override;
    void focusOutEvent(QFocusEvent *iEvent) override;

private Q_SLOTS:
    void adjustTextAreaHeight();
    void onTextChange();

private:
    Q_DISABLE_COPY(TPlainTextEdit)
    Q_DECLARE_PRIVATE_D(d, TPlainTextEdit)
    const std::unique_ptr<TPlainTextEditPrivate> d;
};

#endif // TPLAINTEXTEDIT_H
