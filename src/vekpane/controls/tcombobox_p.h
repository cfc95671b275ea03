#ifndef TCOMBOBOX_P_H
#define TCOMBOBOX_P_H

#include "tcombobox.h"

#include <QHash>
#include <QVariantList>

class QFrame;
class QLineEdit;
class QListWidget;

class TComboBoxPrivate
{
    Q_DECLARE_PUBLIC(TComboBox)
public:
    // Role of a list item that remembers what setItemVisible() gave its row.
    static const int VisibleRole = 999;

    explicit TComboBoxPrivate(TComboBox *iPublic);

    void applySearchable(bool iYBol);
    // The row's name, or its text when the name is empty: what a row is known
    // by to currentName() and setCurrentName().
    QString effectiveName(int iRow) const;
    // Filters the pop-up rows by text and by name, ignoring case.
    void onDoSearch(const QString &text);

    bool wheelEnabled = false;
    bool searchable = false;
    QVariantList itemList;
    QHash<int, QString> rowNames;
    QListWidget *listWidget;
    QLineEdit *searchEntry;
    QFrame *searchFrame;
    TComboBox *q_ptr;
};

#endif // TCOMBOBOX_P_H
