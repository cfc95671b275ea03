#include "tuiutil.h"

#include "tuicommonattrs_p.h"

#include <iterator>

namespace {

enum class Match { Suffix, WholeWord, Contains };

struct Word
{
    const char *text;
    int value;
};

// The tables are tested in order and the first hit wins, so a longer word
// must come before a shorter one it ends with or contains.
template<std::size_t N>
int firstMatch(const QString &iText, Match iMatch, const Word (&iWords)[N], int iDefault)
{
    const QString upper = iMatch == Match::WholeWord ? iText.toUpper() : QString();
    for (const Word &w : iWords) {
        const QLatin1String word(w.text);
        bool hit = false;
        switch (iMatch) {
        case Match::Suffix:
            hit = iText.endsWith(word, Qt::CaseInsensitive);
            break;
        case Match::WholeWord:
            hit = upper == QString(word).toUpper();
            break;
        case Match::Contains:
            hit = iText.contains(word, Qt::CaseInsensitive);
            break;
        }
        if (hit)
            return w.value;
    }
    return iDefault;
}

const Word alignmentWords[] = {
        {"Left", Qt::AlignLeft},       {"Right", Qt::AlignRight}, {"HCenter", Qt::AlignHCenter},
        {"Justify", Qt::AlignJustify}, {"Top", Qt::AlignTop},     {"Bottom", Qt::AlignBottom},
        {"VCenter", Qt::AlignVCenter},
};

const Word buttonRoleWords[] = {
        {"Accept", QDialogButtonBox::AcceptRole},
        {"Reject", QDialogButtonBox::RejectRole},
        {"Destructive", QDialogButtonBox::DestructiveRole},
        {"Action", QDialogButtonBox::ActionRole},
        {"Help", QDialogButtonBox::HelpRole},
        {"Yes", QDialogButtonBox::YesRole},
        {"No", QDialogButtonBox::NoRole},
        {"Apply", QDialogButtonBox::ApplyRole},
        {"Reset", QDialogButtonBox::ResetRole},
        // Standard buttons, by the role they take in a button box.
        {"Ok", QDialogButtonBox::AcceptRole},
        {"Open", QDialogButtonBox::AcceptRole},
        {"Save", QDialogButtonBox::AcceptRole},
        {"Cancel", QDialogButtonBox::RejectRole},
        {"Close", QDialogButtonBox::RejectRole},
        {"Discard", QDialogButtonBox::DestructiveRole},
        {"RestoreDefaults", QDialogButtonBox::ResetRole},
        {"SaveAll", QDialogButtonBox::AcceptRole},
        {"YesToAll", QDialogButtonBox::YesRole},
        {"NoToAll", QDialogButtonBox::NoRole},
        {"Abort", QDialogButtonBox::RejectRole},
        {"Retry", QDialogButtonBox::AcceptRole},
        {"Ignore", QDialogButtonBox::AcceptRole},
};

const Word dockAreaWords[] = {
        {"Left", Qt::LeftDockWidgetArea},     {"Right", Qt::RightDockWidgetArea}, {"Top", Qt::TopDockWidgetArea},
        {"Bottom", Qt::BottomDockWidgetArea}, {"All", Qt::AllDockWidgetAreas},    {"No", Qt::NoDockWidgetArea},
};

const Word toolbarAreaWords[] = {
        {"Left", Qt::LeftToolBarArea},     {"Right", Qt::RightToolBarArea}, {"Top", Qt::TopToolBarArea},
        {"Bottom", Qt::BottomToolBarArea}, {"All", Qt::AllToolBarAreas},    {"No", Qt::NoToolBarArea},
};

const Word echoModeWords[] = {
        {"Normal", QLineEdit::Normal},
        {"NoEcho", QLineEdit::NoEcho},
        {"Password", QLineEdit::Password},
        {"PasswordEchoOnEdit", QLineEdit::PasswordEchoOnEdit},
};

const Word orientationWords[] = {
        {"Vertical", Qt::Vertical},
};

const Word resizeModeWords[] = {
        {"Fixed", QHeaderView::Fixed},
        {"Stretch", QHeaderView::Stretch},
        {"ResizeToContents", QHeaderView::ResizeToContents},
};

const Word scrollBarPolicyWords[] = {
        {"ScrollBarAsNeeded", Qt::ScrollBarAsNeeded},
        {"ScrollBarAlwaysOff", Qt::ScrollBarAlwaysOff},
        {"ScrollBarAlwaysOn", Qt::ScrollBarAlwaysOn},
};

const Word shadowWords[] = {
        {"Plain", QFrame::Plain},
        {"Raised", QFrame::Raised},
        {"Sunken", QFrame::Sunken},
};

const Word shapeWords[] = {
        {"NoFrame", QFrame::NoFrame},         {"Box", QFrame::Box},     {"Panel", QFrame::Panel},
        {"WinPanel", QFrame::WinPanel},       {"HLine", QFrame::HLine}, {"VLine", QFrame::VLine},
        {"StyledPanel", QFrame::StyledPanel},
};

const Word sizePolicyWords[] = {
        {"Fixed", QSizePolicy::Fixed},
        {"Minimum", QSizePolicy::Minimum},
        {"Maximum", QSizePolicy::Maximum},
        {"Preferred", QSizePolicy::Preferred},
        {"MinimumExpanding", QSizePolicy::MinimumExpanding},
        {"Expanding", QSizePolicy::Expanding},
        {"Ignored", QSizePolicy::Ignored},
};

const Word standardButtonWords[] = {
        {"Ok", QDialogButtonBox::Ok},
        {"Open", QDialogButtonBox::Open},
        {"Save", QDialogButtonBox::Save},
        {"Cancel", QDialogButtonBox::Cancel},
        {"Close", QDialogButtonBox::Close},
        {"Discard", QDialogButtonBox::Discard},
        {"Apply", QDialogButtonBox::Apply},
        {"Reset", QDialogButtonBox::Reset},
        {"RestoreDefaults", QDialogButtonBox::RestoreDefaults},
        {"Help", QDialogButtonBox::Help},
        {"SaveAll", QDialogButtonBox::SaveAll},
        {"Yes", QDialogButtonBox::Yes},
        {"YesToAll", QDialogButtonBox::YesToAll},
        {"No", QDialogButtonBox::No},
        {"NoToAll", QDialogButtonBox::NoToAll},
        {"Abort", QDialogButtonBox::Abort},
        {"Retry", QDialogButtonBox::Retry},
        {"Ignore", QDialogButtonBox::Ignore},
};

} // namespace

Qt::Alignment TUiUtil::str2alignment(const QString &iStr)
{
    Qt::Alignment flags;
    if (iStr.isEmpty())
        return flags;
    const QStringList tokens = iStr.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    for (const QString &token : tokens)
        flags |= Qt::Alignment(firstMatch(token, Match::Suffix, alignmentWords, 0));
    return flags;
}

QDialogButtonBox::ButtonRole TUiUtil::str2buttonRole(const QString &iStr)
{
    QString text = iStr;
    text.remove(QStringLiteral("Role"), Qt::CaseSensitive);
    return QDialogButtonBox::ButtonRole(firstMatch(text, Match::Suffix, buttonRoleWords, QDialogButtonBox::AcceptRole));
}

Qt::DockWidgetArea TUiUtil::str2dockWidgetArea(const QString &iStr)
{
    return Qt::DockWidgetArea(firstMatch(iStr, Match::Contains, dockAreaWords, Qt::LeftDockWidgetArea));
}

QLineEdit::EchoMode TUiUtil::str2echoMode(const QString &iStr)
{
    return QLineEdit::EchoMode(firstMatch(iStr, Match::WholeWord, echoModeWords, QLineEdit::Normal));
}

Qt::Orientation TUiUtil::str2orientation(const QString &iStr)
{
    return Qt::Orientation(firstMatch(iStr, Match::Suffix, orientationWords, Qt::Horizontal));
}

QHeaderView::ResizeMode TUiUtil::str2resizeMode(const QString &iStr)
{
    return QHeaderView::ResizeMode(firstMatch(iStr, Match::WholeWord, resizeModeWords, QHeaderView::Interactive));
}

Qt::ScrollBarPolicy TUiUtil::str2scrollBarPolicy(const QString &iStr)
{
    return Qt::ScrollBarPolicy(firstMatch(iStr, Match::WholeWord, scrollBarPolicyWords, Qt::ScrollBarAsNeeded));
}

QFrame::Shadow TUiUtil::str2shadow(const QString &iStr)
{
    return QFrame::Shadow(firstMatch(iStr, Match::WholeWord, shadowWords, QFrame::Plain));
}

QFrame::Shape TUiUtil::str2shape(const QString &iStr)
{
    return QFrame::Shape(firstMatch(iStr, Match::WholeWord, shapeWords, QFrame::NoFrame));
}

QSizePolicy::Policy TUiUtil::str2sizePolicy(const QString &iStr)
{
    return QSizePolicy::Policy(firstMatch(iStr, Match::Suffix, sizePolicyWords, QSizePolicy::Fixed));
}

QDialogButtonBox::StandardButton TUiUtil::str2standardButton(const QString &iStr)
{
    return QDialogButtonBox::StandardButton(
            firstMatch(iStr, Match::Suffix, standardButtonWords, QDialogButtonBox::NoButton));
}

Qt::ToolBarArea TUiUtil::str2toolbarArea(const QString &iStr)
{
    return Qt::ToolBarArea(firstMatch(iStr, Match::Contains, toolbarAreaWords, Qt::TopToolBarArea));
}

void TUiUtil::setWidgetSizeProperty(QObject *iTarget, const QString &iPropName, const QVariant &iValue)
{
    if (!iTarget || !iTarget->isWidgetType())
        return;
    TUiCommonAttrs::mergeSizeProperty(iTarget, iPropName, iValue);
}
