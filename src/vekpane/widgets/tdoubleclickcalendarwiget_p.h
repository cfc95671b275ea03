#ifndef TDOUBLECLICKCALENDARWIGET_P_H
#define TDOUBLECLICKCALENDARWIGET_P_H

#include "tdoubleclickcalendarwiget.h"

class TDoubleClickCalendarWigetPrivate
{
    Q_DECLARE_PUBLIC(TDoubleClickCalendarWiget)
public:
    explicit TDoubleClickCalendarWigetPrivate(TDoubleClickCalendarWiget *iPublic)
        : q_ptr(iPublic)
    {}

    // Shared by every calendar of the process: a release that follows a press
    // or a relayout seen by any calendar is swallowed once.
    static bool pressSeen;
    static bool layoutSeen;

    TDoubleClickCalendarWiget *q_ptr;
};

#endif // TDOUBLECLICKCALENDARWIGET_P_H
