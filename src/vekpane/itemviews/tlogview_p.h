#ifndef TLOGVIEW_P_H
#define TLOGVIEW_P_H

#include "tlogview.h"

#include <QStringList>
#include <QVariantMap>

class TComboBox;
class TSearchEntry;
class TTableView;

class TLogViewPrivate
{
    Q_DECLARE_PUBLIC(TLogView)
public:
    explicit TLogViewPrivate(TLogView *iPublic)
        : q_ptr(iPublic)
    {}

    void initTable();
    void initSearchEntry();
    void initLabelMap();
    void refreshComboBoxItem();

    TTableView *tableView = nullptr;
    QStringList defaultSearchKeys;
    TSearchEntry *searchEntry = nullptr;
    TComboBox *categoryBox = nullptr;
    QStringList categories;
    QStringList dataKeys;
    QVariantMap labelMap;
    TLogView *const q_ptr;
};

#endif // TLOGVIEW_P_H
