#include "vekjjournalbridge.h"

VekJJournalBridge::VekJJournalBridge(QObject *iParent)
    : QObject(iParent)
{}
