#ifndef TLENGTHVALUEENTRY_H
#define TLENGTHVALUEENTRY_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QLineEdit>

#include <memory>

class TLengthValueEntryPrivate;

/*!
 * A one-line entry for a length in its own unit ("mm", "mil", "in", "inch",
 * "um") or for a percentage ("%") of a base entry.
 *
 * The user may type the number with a unit of its own (0.1in, 4 mil, 50%);
 * when editing finishes the entry converts it into its own unit, rounds it to
 * precision() decimals, writes the plain number back and sends
 * "editing_finished" followed by "value_changed". An entry without a unit
 * word leaves its text alone and sends nothing.
 *
 * Own keys: "value" (the text, set only from a string), "units" and
 * "precision".
 */
class VEKPANE_EXPORT TLengthValueEntry : public QLineEdit, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(QString units READ units WRITE setUnits)
    Q_PROPERTY(int precision READ precision WRITE setPrecision)
public:
    explicit TLengthValueEntry(QWidget *iParent = nullptr);
    ~TLengthValueEntry() override;

public Q_SLOTS:
    //! Sets the entry's own unit word; any text, compared with others upper-cased.
    void setUnits(const QString &iUnits);
    //! The unit word as given.
    QString units() const;
    //! Sets the number of decimals the value is rounded to.
    void setPrecision(int iPrecision);
    //! The number of decimals the value is rounded to (6 at first).
    int precision() const;
    //! Sets the length a percentage refers to; null clears it. The entry is not owned.
    void setBaseValueEntry(TLengthValueEntry *iEntry);
    //! The length a percentage refers to; null when none or when it was destroyed.
    TLengthValueEntry *baseValueEntry() const;

    //! Applies a common key, then "value", "units" or "precision"; a value of the wrong type is ignored.
    void setAttr(const QString &iKey, const QVariant &iData) override;
    //! Reads "value", "units" or "precision"; other keys go to the common reader.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;
    //! getAttr() without options.
    QVariant getAttr(const QString &iKey);
    //! The text, as getAttr("value").
    QVariant getAttr();

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onEditingFinished();

private:
    Q_DISABLE_COPY(TLengthValueEntry)
    Q_DECLARE_PRIVATE_D(d, TLengthValueEntry)
    const std::unique_ptr<TLengthValueEntryPrivate> d;
};

#endif // TLENGTHVALUEENTRY_H
