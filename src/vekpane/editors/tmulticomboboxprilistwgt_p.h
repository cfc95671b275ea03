#ifndef TMULTICOMBOBOXPRILISTWGT_P_H
#define TMULTICOMBOBOXPRILISTWGT_P_H

#include "tmulticomboboxprilistwgt.h"

#include <QHash>
#include <QPointer>

class QCheckBox;

class TMultiComboBoxPriListWgtPrivate
{
    Q_DECLARE_PUBLIC(TMultiComboBoxPriListWgt)
public:
    explicit TMultiComboBoxPriListWgtPrivate(TMultiComboBoxPriListWgt *iPublic)
        : q_ptr(iPublic)
    {}

    void rebuildRows();
    void addHeaderRow();
    // Rows before the header row.
    int itemRowCount() const;
    // The item behind a row (entries that are no map have no row).
    QVariantMap itemOfRow(int iRow) const;
    void setRowChecked(int iRow, bool iChecked);

    QVariantList items;
    // Made with each rebuild; the view owns it.
    QPointer<QCheckBox> selectAllBox;
    bool cancelFlag = false;
    QVariantList committed;
    // Row of the first item of each name: lookups stay linear for large lists.
    QHash<QString, int> rowOfName;
    TMultiComboBoxPriListWgt *q_ptr;
};

#endif // TMULTICOMBOBOXPRILISTWGT_P_H
