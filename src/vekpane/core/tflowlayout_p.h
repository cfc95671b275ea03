#ifndef TFLOWLAYOUT_P_H
#define TFLOWLAYOUT_P_H

#include "tflowlayout.h"

#include <QList>
#include <QStyle>

class TFlowLayoutPrivate
{
    Q_DECLARE_PUBLIC(TFlowLayout)
public:
    TFlowLayoutPrivate(TFlowLayout *iPublic, int iHSpacing, int iVSpacing)
        : hSpacing(iHSpacing)
        , vSpacing(iVSpacing)
        , q_ptr(iPublic)
    {}

    int parentSpacing(QStyle::PixelMetric iMetric) const;
    int itemSpacing(QLayoutItem *iItem, Qt::Orientation iOrientation) const;
    int arrangeItems(const QRect &iRect, bool iMeasureOnly) const;

    QList<QLayoutItem *> items;
    int hSpacing;
    int vSpacing;
    TFlowLayout *q_ptr;
};

#endif // TFLOWLAYOUT_P_H
