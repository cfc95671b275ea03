#ifndef TITEMDATAROLE_H
#define TITEMDATAROLE_H

#include "vekpane_export.h"

#include <QString>

#include <memory>

class TItemDataRolePrivate;

/*!
 * Role names of the item models and views.
 *
 * Scripts and column descriptions name roles ("display", "toolTip",
 * "checkState", "type", …) instead of using Qt's role numbers. This class is
 * the one table between the two: Qt's standard item roles keep their numbers,
 * the library's own roles ("type", "name", "min", "max", "property", "flags")
 * follow Qt::UserRole. The table is fixed; every operation is static and
 * needs no locking.
 */
class VEKPANE_EXPORT TItemDataRole
{
public:
    TItemDataRole();
    virtual ~TItemDataRole();

    //! The number of a role name (case-sensitive); Qt::UserRole (256) for any name not in the table.
    static int value(const QString &iName);
    //! The first name, in name order, whose number is \a iRole; empty when none. 1 gives "decoration".
    static QString key(int iRole);
    /*!
     * Item flags from "|"-separated flag names: each part adds the flag of the
     * first name it ends with, compared case-insensitively ("Qt::ItemIsEnabled"
     * and "itemisenabled" both give Qt::ItemIsEnabled). Parts are not trimmed.
     */
    static Qt::ItemFlags str2itemFlags(const QString &iText);

private:
    Q_DISABLE_COPY(TItemDataRole)
    Q_DECLARE_PRIVATE_D(d, TItemDataRole)
    const std::unique_ptr<TItemDataRolePrivate> d;
};

#endif // TITEMDATAROLE_H
