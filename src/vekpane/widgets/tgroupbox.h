#ifndef TGROUPBOX_H
#define TGROUPBOX_H

#include "tuiwrapper.h"

#include <QGroupBox>

class TGroupBoxPrivate;

/*!
 * The group box of the widget library. Own keys: "title" (read and written), "alignment" (written).
 */
class VEKPANE_EXPORT TGroupBox : public QGroupBox, public TUiInterface
{
    Q_OBJECT
public:
    explicit TGroupBox(QWidget *iParent = nullptr);

    TUI_WRAPPER(TGroupBox)
};

#endif // TGROUPBOX_H
