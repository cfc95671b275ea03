#ifndef TMULTICOMBOBOX_P_H
#define TMULTICOMBOBOX_P_H

#include "tmulticombobox.h"

class TMultiComboBoxPriListWgt;
class TToolTip;

class TMultiComboBoxPrivate
{
    Q_DECLARE_PUBLIC(TMultiComboBox)
public:
    explicit TMultiComboBoxPrivate(TMultiComboBox *iPublic)
        : q_ptr(iPublic)
    {}

    static QString texts(const QVariantList &iMaps);
    QString toolTipHtml() const;
    void showToolTip();

    QString nameFormat = QStringLiteral("A,B");
    QVariantList currentSelection;
    // The combo box owns it once it is its view.
    TMultiComboBoxPriListWgt *listWidget = nullptr;
    TToolTip *toolTip = nullptr;
    TMultiComboBox *q_ptr;
};

#endif // TMULTICOMBOBOX_P_H
