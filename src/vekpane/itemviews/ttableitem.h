#ifndef TTABLEITEM_H
#define TTABLEITEM_H

#include "vekpane_export.h"

#include <QList>
#include <QMetaType>
#include <QVariant>

#include <memory>

class TTableItemPrivate;
class TTableModel;

/*!
 * One row of a TTableModel: its values, positional in the order of the
 * model's data key list, and its visibility flag. Rows never grow through
 * setData(int, QVariant); only a whole new value list changes their length.
 */
class VEKPANE_EXPORT TTableItem
{
public:
    TTableItem();
    explicit TTableItem(const QList<QVariant> &iValues);
    //! Copies the values, the visibility flag and the model.
    TTableItem(const TTableItem &iOther);
    TTableItem &operator=(const TTableItem &iOther);
    virtual ~TTableItem();

    QList<QVariant> data() const;
    //! The value at \a iIndex; invalid outside the row.
    QVariant data(int iIndex) const;
    void setData(const QList<QVariant> &iValues);
    //! Replaces the value at \a iIndex; nothing outside the row.
    void setData(int iIndex, const QVariant &iValue);

    bool visible() const;
    void setVisible(bool iVisible);

    TTableModel *model() const;
    void setModel(TTableModel *iModel);

    //! The row's position in its model; -1 without a model or when the model does not hold it.
    int row() const;

private:
    friend class TTableModel;
    friend class TTableModelPrivate;
    std::unique_ptr<TTableItemPrivate> d;
};

// Script calls of the model's slots that return rows get them as opaque values.
Q_DECLARE_METATYPE(TTableItem *)
Q_DECLARE_METATYPE(QList<TTableItem *>)

#endif // TTABLEITEM_H
