#ifndef TICONSELECTOR_P_H
#define TICONSELECTOR_P_H

#include "ticonselector.h"

class QLabel;
class QPushButton;

class TIconSelectorPrivate
{
    Q_DECLARE_PUBLIC(TIconSelector)
public:
    explicit TIconSelectorPrivate(TIconSelector *iPublic)
        : q_ptr(iPublic)
    {}

    // One row per SVG file of every icon folder, in folder order.
    static QVariantList iconRows();

    QString iconBgColor = QStringLiteral("transparent");
    QLabel *preview = nullptr;
    QPushButton *iconButton = nullptr;
    QPushButton *colorButton = nullptr;
    TIconSelector *q_ptr;
};

#endif // TICONSELECTOR_P_H
