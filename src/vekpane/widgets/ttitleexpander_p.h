#ifndef TTITLEEXPANDER_P_H
#define TTITLEEXPANDER_P_H

#include "ttitleexpander.h"

#include <QPixmap>
#include <QPointer>

class QHBoxLayout;
class QVBoxLayout;

class TTitleExpanderPrivate
{
    Q_DECLARE_PUBLIC(TTitleExpander)
public:
    explicit TTitleExpanderPrivate(TTitleExpander *iPublic)
        : q_ptr(iPublic)
    {}

    void showIndicator();

    bool expanded = false;
    QString iconName;
    QString expandedIconName;
    QString collapsedIconName;
    QSize iconSize = QSize(16, 16);
    QLabel *iconLabel = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *indicatorLabel = nullptr;
    QVBoxLayout *mainLayout = nullptr;
    QHBoxLayout *titleRow = nullptr;
    QFrame *titleFrame = nullptr;
    // Guarded: both belong to the caller, who may delete them.
    QPointer<QAbstractButton> toggleButton;
    QPointer<QWidget> body;
    QPixmap collapsedPixmap;
    QPixmap expandedPixmap;
    bool collapsible = true;
    TTitleExpander *q_ptr;
};

#endif // TTITLEEXPANDER_P_H
