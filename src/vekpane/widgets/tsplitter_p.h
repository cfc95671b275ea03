#ifndef TSPLITTER_P_H
#define TSPLITTER_P_H

#include "tsplitter.h"
#include "tuiwrapper_p.h"

class QVariantAnimation;

class TSplitterPrivate
{
    Q_DECLARE_PUBLIC(TSplitter)
public:
    explicit TSplitterPrivate(TSplitter *iPublic)
        : q_ptr(iPublic)
    {}

    // The sizes with pane iIndex at iSize and the neighbour absorbing the difference.
    static QList<int> redistribute(const QList<int> &iSizes, int iIndex, int iSize);

    QVariantAnimation *animation = nullptr;
    QList<int> baseSizes;
    int animatedIndex = 0;
    QList<int> cachedSizes;
    TSplitter *q_ptr;
};

#endif // TSPLITTER_P_H
