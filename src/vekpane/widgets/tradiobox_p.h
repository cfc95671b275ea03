#ifndef TRADIOBOX_P_H
#define TRADIOBOX_P_H

#include "tradiobox.h"

#include <QPointer>

class QGridLayout;
class QRadioButton;

class TRadioBoxPrivate
{
    Q_DECLARE_PUBLIC(TRadioBox)
public:
    explicit TRadioBoxPrivate(TRadioBox *iPublic)
        : q_ptr(iPublic)
    {}

    void place(QAbstractButton *iButton, int iIndex);
    QAbstractButton *checkedButton() const;

    int columnCount = 4;
    QButtonGroup *buttonGroup = nullptr;
    QGridLayout *layout = nullptr;
    QVariantList itemList;
    QList<QAbstractButton *> buttons;
    QString lastValue;
    // Inside a button's click report: a listener may rebuild the buttons, and
    // the clicked one must outlive its own signal.
    int reporting = 0;
    // Checked, it shows that nothing is chosen.
    QRadioButton *emptyButton = nullptr;
    TRadioBox *q_ptr;
};

#endif // TRADIOBOX_P_H
