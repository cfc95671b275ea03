#ifndef TPAGETOOL_P_H
#define TPAGETOOL_P_H

#include "tpagetool.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TSpinBox;

class TPageToolPrivate
{
    Q_DECLARE_PUBLIC(TPageTool)
public:
    explicit TPageToolPrivate(TPageTool *iPublic)
        : q_ptr(iPublic)
    {}

    int effectivePageSize() const;
    void remember();

    int rowCount = 0;
    QToolButton *firstButton = nullptr;
    QToolButton *previousButton = nullptr;
    QToolButton *nextButton = nullptr;
    QToolButton *lastButton = nullptr;
    TSpinBox *pageSpinBox = nullptr;
    QLineEdit *pageSizeEntry = nullptr;
    QLabel *pageSizeLabel = nullptr;
    int rememberedPage = 1;
    int rememberedPageSize = 100;
    TPageTool *const q_ptr;
};

#endif // TPAGETOOL_P_H
