#ifndef TBOXLAYOUT_P_H
#define TBOXLAYOUT_P_H

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"

/*
 * The row and the column layout are twins: apart from their Qt base and the
 * word of their trace lines, which their constructors and destructors write,
 * they are one class. TUI_BOX_LAYOUT_SLOTS(Class) defines the script-visible
 * slots they share; write it once in the class's source file.
 */
#define TUI_BOX_LAYOUT_SLOTS(Class)                                                                                    \
    void Class::set(const QString &iKey, const QVariant &iValue)                                                       \
    {                                                                                                                  \
        if (!TLayoutAttrs::write(this, iKey, iValue))                                                                  \
            TuiAbstract::set(iKey, iValue);                                                                            \
    }                                                                                                                  \
                                                                                                                       \
    QVariant Class::get(const QString &iKey, const QVariant &iOptions)                                                 \
    {                                                                                                                  \
        QVariant value;                                                                                                \
        return TLayoutAttrs::read(this, iKey, value) ? value : TuiAbstract::get(iKey, iOptions);                       \
    }                                                                                                                  \
                                                                                                                       \
    void Class::packWidget(QObject *iWgt, int iStretch, const QString &iAlignment)                                     \
    {                                                                                                                  \
        TLayoutAttrs::packWidget(this, iWgt, iStretch, iAlignment);                                                    \
    }                                                                                                                  \
                                                                                                                       \
    void Class::packLayout(QObject *iLayout, int iStretch) { TLayoutAttrs::packLayout(this, iLayout, iStretch); }      \
                                                                                                                       \
    void Class::packStretch(int iStretch) { TLayoutAttrs::packStretch(this, iStretch); }                               \
                                                                                                                       \
    void Class::packSpacing(int iSpacing) { TLayoutAttrs::packSpacing(this, iSpacing); }

#endif // TBOXLAYOUT_P_H
