#ifndef TEDITABLECOMBOBOX_P_H
#define TEDITABLECOMBOBOX_P_H

#include "teditablecombobox.h"

#include <QPointer>

class QCompleter;

class TEditableComboBoxPrivate
{
    Q_DECLARE_PUBLIC(TEditableComboBox)
public:
    explicit TEditableComboBoxPrivate(TEditableComboBox *iPublic)
        : q_ptr(iPublic)
    {}

    bool wheelEnabled = false;
    QStringList itemList;
    // Ours (a child of the box); the one made for the latest item list.
    QPointer<QCompleter> completer;
    TEditableComboBox *q_ptr;
};

#endif // TEDITABLECOMBOBOX_P_H
