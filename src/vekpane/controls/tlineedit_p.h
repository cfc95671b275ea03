#ifndef TLINEEDIT_P_H
#define TLINEEDIT_P_H

#include "tlineedit.h"

#include <QList>
#include <QPointer>

class QHBoxLayout;

class TLineEditPrivate
{
    Q_DECLARE_PUBLIC(TLineEdit)
public:
    explicit TLineEditPrivate(TLineEdit *iPublic)
        : q_ptr(iPublic)
    {}

    QHBoxLayout *sideLayout();
    void updateTextMargins();

    QString validMask;
    QHBoxLayout *layout = nullptr;
    // Guarded: a script may delete a side widget while the field lives on.
    QList<QPointer<QWidget>> prependedWidgets;
    QList<QPointer<QWidget>> appendedWidgets;
    TLineEdit *q_ptr;
};

#endif // TLINEEDIT_P_H
