#ifndef TPICKLISTSUPPORT_P_H
#define TPICKLISTSUPPORT_P_H

#include <QIcon>
#include <QString>
#include <QVariantMap>

#include <functional>

class QAbstractButton;
class TDialog;
class TDialogButtonBox;
class TPageTool;
class TSearchEntry;

// What the table and tree pick-list dialogs share.
namespace TPickListSupport {

// The title bar row: icon, title, then the window buttons at the top edge.
void layOutTitleBar(TDialog *iDialog);

// The icon of a name for buttons on the body; no icon at all for the empty name.
QIcon icon(const QString &iName);

// Shows the icon in the title bar (the button only when there is one) and as the window icon.
void setDialogIcon(TDialog *iDialog, const QString &iName);

// The request the search callback receives for one page.
QVariantMap request(TSearchEntry *iEntry, const QStringList &iSearchKeys, TPageTool *iPager);

} // namespace TPickListSupport

#endif // TPICKLISTSUPPORT_P_H
