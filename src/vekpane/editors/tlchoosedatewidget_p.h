#ifndef TLCHOOSEDATEWIDGET_P_H
#define TLCHOOSEDATEWIDGET_P_H

#include "tlchoosedatewidget.h"

#include "tchoosersupport_p.h"

class QGridLayout;
class QHBoxLayout;
class TPushButton;

class TLChooseDateWidgetPrivate : public TChooserSupport::ChooserCore
{
    Q_DECLARE_PUBLIC(TLChooseDateWidget)
public:
    explicit TLChooseDateWidgetPrivate(TLChooseDateWidget *iPublic)
        : ChooserCore(iPublic)
        , q_ptr(iPublic)
    {}

    TChooserSupport::CalendarPart days;
    TPushButton *confirmButton = nullptr;
    TPushButton *cancelButton = nullptr;
    QHBoxLayout *emptyRow = nullptr;
    QHBoxLayout *buttonRow = nullptr;
    QGridLayout *grid = nullptr;
    QDate chosenDate;
    TLChooseDateWidget *q_ptr;

protected:
    void report() override;
};

#endif // TLCHOOSEDATEWIDGET_P_H
