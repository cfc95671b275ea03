#include "tdoubleclickcalendarwiget.h"
#include "tdoubleclickcalendarwiget_p.h"

#include <QEvent>

bool TDoubleClickCalendarWigetPrivate::pressSeen = false;
bool TDoubleClickCalendarWigetPrivate::layoutSeen = false;

TDoubleClickCalendarWiget::TDoubleClickCalendarWiget(QWidget *iParent)
    : TCalendarWidget(nullptr)
    , d(new TDoubleClickCalendarWigetPrivate(this))
{
    Q_UNUSED(iParent)
}

TDoubleClickCalendarWiget::~TDoubleClickCalendarWiget() = default;

bool TDoubleClickCalendarWiget::event(QEvent *iEvent)
{
    switch (iEvent->type()) {
    case QEvent::MouseButtonPress:
        TDoubleClickCalendarWigetPrivate::pressSeen = true;
        return true;
    case QEvent::LayoutRequest:
        TDoubleClickCalendarWigetPrivate::layoutSeen = true;
        return true;
    case QEvent::MouseButtonRelease:
        if (TDoubleClickCalendarWigetPrivate::pressSeen) {
            TDoubleClickCalendarWigetPrivate::pressSeen = false;
        } else if (TDoubleClickCalendarWigetPrivate::layoutSeen) {
            TDoubleClickCalendarWigetPrivate::layoutSeen = false;
        } else {
            Q_EMIT doubleClick(selectedDate());
        }
        return true;
    case QEvent::Timer:
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
    case QEvent::ChildRemoved:
    case QEvent::DeferredDelete:
    case QEvent::MetaCall:
    case QEvent::ThreadChange:
        // Object-level events: swallowing them would stall deleteLater(),
        // queued calls and timers of the calendar.
        return QObject::event(iEvent);
    default:
        return true;
    }
}
