#ifndef TSQLWHERECOMPSITEV2_H
#define TSQLWHERECOMPSITEV2_H

#include "tsqlwhereabsv2.h"

#include <QList>
#include <QVariant>

class TSqlWhereCompsiteV2Private;

/*!
 * A group of conditions joined with AND, OR, or negated as NOT (... AND ...).
 * The composite owns its children; copies are deep. A composite without
 * children, or whose children all render empty, renders the empty text.
 */
class VEKSQL_EXPORT TSqlWhereCompsiteV2 : public TSqlWhereAbsV2
{
public:
    enum Logic : int { And = 0, Or = 1, Not = 2 };

    TSqlWhereCompsiteV2();
    TSqlWhereCompsiteV2(const TSqlWhereCompsiteV2 &iOther);
    TSqlWhereCompsiteV2 &operator=(const TSqlWhereCompsiteV2 &iOther);
    ~TSqlWhereCompsiteV2() override;

    //! Appends a raw SQL condition.
    TSqlWhereCompsiteV2 &append(const QString &iSql);
    //! Appends a comparison of \a iField with \a iValue by \a iOperator.
    TSqlWhereCompsiteV2 &append(const QString &iField, const QVariant &iValue, QString iOperator);
    //! Appends a clone of \a iNode; the caller keeps \a iNode.
    TSqlWhereCompsiteV2 &append(const TSqlWhereAbsV2 &iNode);

    //! The children; they stay owned by the composite.
    QList<TSqlWhereAbsV2 *> items() const;
    //! Clones of the children, in order; the caller owns them.
    QList<TSqlWhereAbsV2 *> cloneItems() const;
    //! Destroys the current children and takes ownership of \a iItems.
    TSqlWhereCompsiteV2 &setItems(QList<TSqlWhereAbsV2 *> iItems);
    bool isEmpty() const;
    //! Destroys all children and sets the logic back to And.
    TSqlWhereCompsiteV2 &clear();

    Logic logic() const;
    TSqlWhereCompsiteV2 &setLogic(Logic iLogic);

    static QString logicToString(Logic iLogic);
    static Logic logicFromString(const QString &iStr);

    TSqlWhereAbsV2 *clone() const override;
    QString toSql() const override;
    QString toSql(const QString &iDatabaseType) const override;

private:
    TSqlWhereCompsiteV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlWhereCompsiteV2)
};

#endif // TSQLWHERECOMPSITEV2_H
