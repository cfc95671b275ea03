#ifndef TCHIPS_P_H
#define TCHIPS_P_H

#include "tchips.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TFlowLayout;

class ChipItemPrivate
{
    Q_DECLARE_PUBLIC(ChipItem)
public:
    explicit ChipItemPrivate(ChipItem *iPublic)
        : q_ptr(iPublic)
    {}

    QToolButton *closeButton = nullptr;
    QLabel *label = nullptr;
    ChipItem *q_ptr;
};

class TChipsPrivate
{
    Q_DECLARE_PUBLIC(TChips)
public:
    explicit TChipsPrivate(TChips *iPublic)
        : q_ptr(iPublic)
    {}

    // Takes the chip out of the list and the layout; it deletes itself later.
    void dropChip(int iIndex);

    TFlowLayout *flow = nullptr;
    QList<ChipItem *> chips;
    QLineEdit *entry = nullptr;
    QWidget *mainWidget = nullptr;
    int chipHeight = 30;
    // Backspace removes a chip only when pressed in an already empty entry,
    // not when it erased the entry's last character.
    bool backspaceOnEmpty = false;
    TChips *q_ptr;
};

#endif // TCHIPS_P_H
