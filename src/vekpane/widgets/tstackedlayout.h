#ifndef TSTACKEDLAYOUT_H
#define TSTACKEDLAYOUT_H

#include "vekpane_export.h"

#include <QStackedLayout>

#include <memory>

class TStackedLayoutPrivate;

/*!
 * The stacked layout of the widget library: a QStackedLayout with a
 * meta-object of its own, so that scripts and the UI loader know it by name.
 */
class VEKPANE_EXPORT TStackedLayout : public QStackedLayout
{
    Q_OBJECT
public:
    explicit TStackedLayout(QWidget *iParent = nullptr);
    ~TStackedLayout() override;

private:
    Q_DISABLE_COPY(TStackedLayout)
    Q_DECLARE_PRIVATE_D(d, TStackedLayout)
    const std::unique_ptr<TStackedLayoutPrivate> d;
};

#endif // TSTACKEDLAYOUT_H
