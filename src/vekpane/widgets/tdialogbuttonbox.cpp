#include "tdialogbuttonbox.h"
#include "tdialogbuttonbox_p.h"

#include "ttheme.h"

#include <QGraphicsDropShadowEffect>
#include <QPushButton>

namespace {

template<typename Value>
struct Word
{
    const char *word;
    Value value;
};

// Matched by the ending of the text, in table order, ignoring case.
template<typename Value, size_t N>
Value byEnding(const QString &iText, const Word<Value> (&iTable)[N], Value iNone)
{
    for (const Word<Value> &entry : iTable) {
        if (iText.endsWith(QLatin1String(entry.word), Qt::CaseInsensitive))
            return entry.value;
    }
    return iNone;
}

QString colourOfName(const QString &iName)
{
    const QString name = iName.toUpper();
    if (name == QLatin1String("OK") || name == QLatin1String("YES"))
        return QStringLiteral("PRIMARY");
    if (name == QLatin1String("NO") || name == QLatin1String("CANCEL"))
        return QStringLiteral("ERROR");
    if (name == QLatin1String("DISCARD"))
        return QStringLiteral("WARN");
    return QString();
}

} // namespace

QDialogButtonBox::StandardButton TDialogButtonBoxPrivate::str2standardButton(const QString &iStr)
{
    using B = QDialogButtonBox;
    static const Word<B::StandardButton> table[] = {
            {"Ok", B::Ok},
            {"Open", B::Open},
            {"Save", B::Save},
            {"Cancel", B::Cancel},
            {"Close", B::Close},
            {"Discard", B::Discard},
            {"Apply", B::Apply},
            {"Reset", B::Reset},
            {"RestoreDefaults", B::RestoreDefaults},
            {"Help", B::Help},
            {"SaveAll", B::SaveAll},
            {"Yes", B::Yes},
            {"YesToAll", B::YesToAll},
            {"No", B::No},
            {"NoToAll", B::NoToAll},
            {"Abort", B::Abort},
            {"Retry", B::Retry},
            {"Ignore", B::Ignore},
    };
    return byEnding(iStr, table, B::NoButton);
}

QDialogButtonBox::ButtonRole TDialogButtonBoxPrivate::str2buttonRole(const QString &iStr)
{
    using B = QDialogButtonBox;
    static const Word<B::ButtonRole> table[] = {
            {"Accept", B::AcceptRole},
            {"Reject", B::RejectRole},
            {"Destructive", B::DestructiveRole},
            {"Action", B::ActionRole},
            {"Help", B::HelpRole},
            {"Yes", B::YesRole},
            {"No", B::NoRole},
            {"Apply", B::ApplyRole},
            {"Reset", B::ResetRole},
            {"Ok", B::AcceptRole},
            {"Open", B::AcceptRole},
            {"Save", B::AcceptRole},
            {"Cancel", B::RejectRole},
            {"Close", B::RejectRole},
            {"Discard", B::DestructiveRole},
            {"RestoreDefaults", B::ResetRole},
            {"SaveAll", B::AcceptRole},
            {"YesToAll", B::YesRole},
            {"NoToAll", B::NoRole},
            {"Abort", B::RejectRole},
            {"Retry", B::AcceptRole},
            {"Ignore", B::AcceptRole},
    };
    QString text = iStr;
    text.remove(QLatin1String("Role"));
    return byEnding(text, table, B::AcceptRole);
}

TUI_WRAPPER_LIFETIME(TDialogButtonBox, QDialogButtonBox)
TUI_WRAPPER_COMMON_KEYS_ONLY(TDialogButtonBox)

void TDialogButtonBox::setButtons(const QStringList &iButtonStrLst)
{
    clear();
    TTheme *theme = TTheme::instance();
    for (const QString &buttonText : iButtonStrLst) {
        const QStringList fields = buttonText.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        const QString text = fields.value(0);
        const QString name = fields.value(1).isEmpty() ? text : fields.value(1);
        const QString role = fields.value(2).isEmpty() ? name : fields.value(2);
        const QString colour = fields.value(3).isEmpty() ? colourOfName(name) : fields.value(3);

        QPushButton *button = nullptr;
        const StandardButton standard = TDialogButtonBoxPrivate::str2standardButton(role);
        if (standard != NoButton)
            button = addButton(standard);
        else
            button = addButton(text, TDialogButtonBoxPrivate::str2buttonRole(role));
        if (!button)
            continue;

        button->setProperty("SS_TYPE", QStringLiteral("RAISED"));
        button->setProperty("SS_COLOR", colour.toUpper());
        auto *shadow = new QGraphicsDropShadowEffect(button);
        shadow->setOffset(0, 0);
        shadow->setBlurRadius(theme->dp(5));
        button->setGraphicsEffect(shadow);
        button->setObjectName(name);
        button->setText(text);
        // Re-applies the theme's selectors on the dynamic properties set above.
        button->setStyleSheet(QStringLiteral("QPushButton{}"));
        button->setMinimumWidth(theme->dp(120));
        button->setMinimumHeight(theme->dp(36));
    }
}
