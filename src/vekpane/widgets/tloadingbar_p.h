#ifndef TLOADINGBAR_P_H
#define TLOADINGBAR_P_H

#include "tloadingbar.h"
#include "tuiwrapper_p.h"

class QFrame;
class QLabel;
class TLoadingIndicator;

class TLoadingBarPrivate
{
    Q_DECLARE_PUBLIC(TLoadingBar)
public:
    explicit TLoadingBarPrivate(TLoadingBar *iPublic)
        : q_ptr(iPublic)
    {}

    void build();
    void placeOverParent();
    void apply(const QString &iKey, const QVariant &iValue);

    TLoadingIndicator *busyIndicator = nullptr;
    QWidget *iconBox = nullptr;
    TLoadingIndicator *progressLine = nullptr;
    QLabel *textLabel = nullptr;
    QLabel *remarkLabel = nullptr;
    QFrame *strip = nullptr;
    QFrame *mask = nullptr;
    TLoadingBar *q_ptr;
};

#endif // TLOADINGBAR_P_H
