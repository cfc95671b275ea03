#ifndef TLENGTHVALUELABEL_H
#define TLENGTHVALUELABEL_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QLabel>

#include <memory>

class TLengthValueEntry;
class TLengthValueLabelPrivate;

/*!
 * A label that prints the value of a length entry through a format string.
 *
 * Each placeholder "${UNITS[,PRECISION[,FORMAT]]}" becomes the entry's value
 * converted into UNITS (as the entry's own unit when empty or not a length
 * unit), written with PRECISION (6 when empty) and FORMAT "g" (at most that
 * many significant digits, the default) or anything else for fixed decimals.
 * The text follows every change of the entry's text and is announced as
 * "value_changed".
 *
 * Own keys: "value" (the label's text) and "formatString".
 */
class VEKPANE_EXPORT TLengthValueLabel : public QLabel, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString formatString READ formatString WRITE setFormatString)
public:
    explicit TLengthValueLabel(QWidget *iParent = nullptr);
    ~TLengthValueLabel() override;

public Q_SLOTS:
    //! Sets the format and reads its placeholders; the text follows at the entry's next change.
    void setFormatString(const QString &iFormatStr);
    //! The format as given.
    QString formatString() const;
    //! Follows \a iEntry (not owned) instead of the previous one and shows its value at once; null stops following.
    void setValueEntry(TLengthValueEntry *iEntry);
    //! The entry followed; null when none or when it was destroyed.
    TLengthValueEntry *valueEntry() const;

    //! Applies a common key, then "value" (a string) or "formatString" (a string).
    void setAttr(const QString &iKey, const QVariant &iData) override;
    //! Reads "value" or "formatString"; other keys go to the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey);
    //! The label's text, as getAttr("value").
    QVariant getAttr();

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onValueEntryChanged();

private:
    Q_DISABLE_COPY(TLengthValueLabel)
    Q_DECLARE_PRIVATE_D(d, TLengthValueLabel)
    const std::unique_ptr<TLengthValueLabelPrivate> d;
};

#endif // TLENGTHVALUELABEL_H
