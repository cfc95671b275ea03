#include "vekcore.h"
#include "vekcore_p.h"

#include <QCoreApplication>

VekCore::VekCore()
    : QObject(nullptr)
    , d(new VekCorePrivate(this))
{
    QCoreApplication::setOrganizationName(QStringLiteral("Quendal"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("quendal.com"));
    QCoreApplication::setApplicationName(QStringLiteral("VekZUL7"));
}

VekCore::~VekCore() = default;

VekCore *VekCore::instance()
{
    // A function-local static: C++ guards its construction, so concurrent
    // first calls build it once.
    static VekCore core;
    return &core;
}
