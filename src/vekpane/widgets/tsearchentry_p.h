#ifndef TSEARCHENTRY_P_H
#define TSEARCHENTRY_P_H

#include "tsearchentry.h"

#include <QPointer>
#include <QStringList>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

class TSearchEntryPrivate
{
    Q_DECLARE_PUBLIC(TSearchEntry)
public:
    explicit TSearchEntryPrivate(TSearchEntry *iPublic)
        : q_ptr(iPublic)
    {}

    void refreshPlaceholder();
    QVariant activeFields() const;

    QVariantList optionList;
    int searchDelay = 0;
    QTimer *delayTimer = nullptr;
    QLineEdit *lineEdit = nullptr;
    QLabel *label = nullptr;
    QString placeholderTemplate;
    QToolButton *optionButton = nullptr;
    QToolButton *clearButton = nullptr;
    QActionGroup *actionGroup = nullptr;
    QPointer<QMenu> optionMenu;
    QString activeName;
    QString activeText;
    QStringList activeNames;
    QStringList activeTexts;
    TSearchEntry::OptionMode optionMode = TSearchEntry::MultiOption;
    QList<QAction *> optionActions;
    TSearchEntry *const q_ptr;
};

#endif // TSEARCHENTRY_P_H
