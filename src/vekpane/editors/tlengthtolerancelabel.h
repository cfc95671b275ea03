#ifndef TLENGTHTOLERANCELABEL_H
#define TLENGTHTOLERANCELABEL_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QLabel>

#include <memory>

class TLengthValueEntry;
class TLengthToleranceLabelPrivate;

/*!
 * A label that prints a tolerance, or the range it gives, from three length
 * entries: the nominal value, the minus and the plus tolerance. Tolerance
 * entries may be in another unit than the nominal value or in "%" of it.
 *
 * Each placeholder "${TYPE,UNITS[,PRECISION]}" of the format string is
 * replaced: TYPE "TOL" gives "+plus/-minus", or a plus-minus sign and the
 * number when both are equal; TYPE "RANGE" gives "low~high". UNITS is a
 * length unit or "%" (the tolerance, or the range, in percent of the nominal
 * value); PRECISION is 6 when empty. Placeholders of another type stay as
 * written. The text follows every change of the three entries' texts once
 * all three are set, and is announced as "value_changed".
 *
 * Own keys: "value" (the label's text) and "formatString".
 */
class VEKPANE_EXPORT TLengthToleranceLabel : public QLabel, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString formatString READ formatString WRITE setFormatString)
public:
    explicit TLengthToleranceLabel(QWidget *iParent = nullptr);
    ~TLengthToleranceLabel() override;

public Q_SLOTS:
    //! Sets the format and reads its placeholders; the text follows at the entries' next change.
    void setFormatString(const QString &iFormatStr);
    //! The format as given.
    QString formatString() const;
    //! Follows \a iEntry (not owned) as the nominal value; null stops following it.
    void setBaseValueEntry(TLengthValueEntry *iEntry);
    //! The nominal-value entry; null when none or when it was destroyed.
    TLengthValueEntry *baseValueEntry() const;
    //! Follows \a iEntry (not owned) as the minus tolerance; null stops following it.
    void setMinTolValueEntry(TLengthValueEntry *iEntry);
    //! The minus-tolerance entry; null when none or when it was destroyed.
    TLengthValueEntry *minTolValueEntry() const;
    //! Follows \a iEntry (not owned) as the plus tolerance; null stops following it.
    void setMaxTolValueEntry(TLengthValueEntry *iEntry);
    //! The plus-tolerance entry; null when none or when it was destroyed.
    TLengthValueEntry *maxTolValueEntry() const;

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
    Q_DISABLE_COPY(TLengthToleranceLabel)
    Q_DECLARE_PRIVATE_D(d, TLengthToleranceLabel)
    const std::unique_ptr<TLengthToleranceLabelPrivate> d;
};

#endif // TLENGTHTOLERANCELABEL_H
