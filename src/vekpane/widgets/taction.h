#ifndef TACTION_H
#define TACTION_H

#include "tuiwrapper.h"

#include <QAction>

class TActionPrivate;

/*!
 * The action of the widget library, set and read by attribute name. Own keys:
 * "text", "icon" (an icon name, trimmed), "shortcut" (key-sequence text),
 * "tooltip" and "user_data" (also the action's data). "icon" reads back the
 * action's icon text, not the name given.
 */
class VEKPANE_EXPORT TAction : public QAction, public TUiInterface
{
    Q_OBJECT
public:
    explicit TAction(QObject *iParent = nullptr);
    TAction(const QString &iText, QObject *iParent = nullptr);
    TAction(const QIcon &iIcon, const QString &iText, QObject *iParent = nullptr);

    TUI_WRAPPER(TAction)
};

#endif // TACTION_H
