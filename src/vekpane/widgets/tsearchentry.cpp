#include "tsearchentry.h"
#include "tsearchentry_p.h"

#include "tresource.h"
#include "ttheme.h"

#include <QAction>
#include <QActionGroup>
#include <QCompleter>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace {

QIcon buttonIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

QVariant optionValue(const QVariant &iOption, const QString &iKey)
{
    if (iOption.type() == QVariant::Hash)
        return iOption.toHash().value(iKey);
    if (iOption.type() == QVariant::Map)
        return iOption.toMap().value(iKey);
    return QVariant();
}

// Six-digit dates are read with the century this plant data lives in.
QDate readDate(const QString &iText)
{
    QDate date = QDate::fromString(iText, QStringLiteral("yyyy-MM-dd"));
    if (date.isValid())
        return date;
    date = QDate::fromString(iText, QStringLiteral("yyyyMMdd"));
    if (date.isValid())
        return date;
    date = QDate::fromString(iText, QStringLiteral("yyMMdd"));
    if (date.isValid())
        return date.addYears(100);
    return QDate();
}

QString dateClause(const QString &iColumn, const QString &iText)
{
    static const QRegularExpression separators(QStringLiteral("[ ~,]+"));
    const QStringList parts = iText.split(separators, Qt::KeepEmptyParts);
    const QDate start = readDate(parts.value(0));
    if (!start.isValid())
        return QString();
    QDate end = readDate(parts.value(1));
    if (!end.isValid())
        end = start.addDays(1);
    const QString format = QStringLiteral("yyyy-MM-dd");
    // Plain quoted ISO text: PostgreSQL, MariaDB and SQLite all compare it
    // with their date columns, and none of them reads the ODBC D'...' form.
    return QStringLiteral("(%1 >= '%2' AND %1 < '%3')").arg(iColumn, start.toString(format), end.toString(format));
}

QString clauseFor(const QString &iColumn, const QVariantMap &iUserData, const QString &iText, const QString &iLikeText)
{
    const QString kind = iUserData.value(QStringLiteral("type")).toString().toLower();
    if (kind == QLatin1String("int")) {
        bool ok = false;
        const qlonglong value = iText.toLongLong(&ok, 10);
        return ok ? iColumn + QLatin1String(" = ") + QString::number(value) : QString();
    }
    if (kind == QLatin1String("number")) {
        bool ok = false;
        const double value = iText.toDouble(&ok);
        // "nan" and "inf" read as doubles but are no SQL numbers.
        if (!ok || !std::isfinite(value))
            return QString();
        return iColumn + QLatin1String(" = ") + QString::number(value, 'g', QLocale::FloatingPointShortest);
    }
    if (kind == QLatin1String("date") || kind == QLatin1String("datetime"))
        return dateClause(iColumn, iText);
    if (iUserData.contains(QStringLiteral("caseSensitive"))
        && iUserData.value(QStringLiteral("caseSensitive")).toBool())
        return iColumn + QLatin1String(" LIKE '%") + iLikeText + QLatin1String("%'");
    return QLatin1String("LOWER(") + iColumn + QLatin1String(") LIKE '%") + iLikeText.toLower() + QLatin1String("%'");
}

} // namespace

void TSearchEntryPrivate::refreshPlaceholder()
{
    const QString names = optionMode == TSearchEntry::MultiOption ? activeTexts.join(QLatin1Char(',')) : activeText;
    if (!placeholderTemplate.isEmpty())
        lineEdit->setPlaceholderText(QString(placeholderTemplate).replace(QLatin1String("%1"), names));
}

QVariant TSearchEntryPrivate::activeFields() const
{
    if (optionMode == TSearchEntry::MultiOption)
        return activeNames;
    return activeName;
}

TSearchEntry::TSearchEntry(QWidget *iParent)
    : QWidget(iParent)
    , d(new TSearchEntryPrivate(this))
{
    TTheme *theme = TTheme::instance();
    d->placeholderTemplate = tr("Search %1");

    d->delayTimer = new QTimer(this);
    d->delayTimer->setSingleShot(true);

    auto *mainLayout = new QHBoxLayout(this);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    d->label = new QLabel(this);
    d->label->hide();
    d->lineEdit = new QLineEdit(this);
    d->lineEdit->setMinimumWidth(theme->dp(72));
    setFocusProxy(d->lineEdit);
    mainLayout->addWidget(d->label, 0, Qt::AlignLeft);
    mainLayout->addWidget(d->lineEdit);

    d->optionButton = new QToolButton(d->lineEdit);
    d->optionButton->setIcon(buttonIcon(QStringLiteral("search")));
    d->optionButton->setFocusPolicy(Qt::NoFocus);
    d->optionButton->setEnabled(false);

    d->clearButton = new QToolButton(d->lineEdit);
    d->clearButton->setObjectName(QStringLiteral("CLEAR_BUTTON"));
    d->clearButton->setIcon(buttonIcon(QStringLiteral("times-circle")));
    d->clearButton->setFocusPolicy(Qt::NoFocus);
    d->clearButton->setEnabled(false);
    d->clearButton->hide();

    d->actionGroup = new QActionGroup(this);
    d->actionGroup->setExclusive(true);

    auto *innerLayout = new QHBoxLayout(d->lineEdit);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->setSpacing(0);
    innerLayout->addSpacing(theme->dp(1));
    innerLayout->addWidget(d->optionButton, 0, Qt::AlignCenter);
    innerLayout->addStretch(1);
    innerLayout->addWidget(d->clearButton, 0, Qt::AlignCenter);
    innerLayout->addSpacing(theme->dp(1));
    d->optionButton->adjustSize();
    d->clearButton->adjustSize();
    d->lineEdit->setTextMargins(d->optionButton->width(), 0, d->clearButton->width(), 0);

    QFont font = d->lineEdit->font();
    font.setPixelSize(qMax(1, d->lineEdit->height() * 7 / 10));
    d->lineEdit->setFont(font);

    connect(d->optionButton, &QToolButton::clicked, this, &TSearchEntry::showFieldSelection);
    connect(d->clearButton, &QToolButton::clicked, this, &TSearchEntry::clearText);
    // Queued: a listener may delete the entry, which must not happen while the
    // line edit is still inside its own key handling.
    connect(d->lineEdit, &QLineEdit::returnPressed, this, &TSearchEntry::doSearchAction, Qt::QueuedConnection);
    connect(d->lineEdit, &QLineEdit::textChanged, this, &TSearchEntry::onTextChanged);
    connect(d->delayTimer, &QTimer::timeout, this, &TSearchEntry::doSearchAction);
}

TSearchEntry::~TSearchEntry() = default;

QString TSearchEntry::label() const { return d->label->text(); }

void TSearchEntry::setLabel(const QString &iLabelStr)
{
    d->label->setText(iLabelStr);
    d->label->setVisible(!iLabelStr.isEmpty());
}

void TSearchEntry::setPlaceholderText(const QString &iTemplateStr) { d->placeholderTemplate = iTemplateStr; }

void TSearchEntry::setOptionList(const QVariantList &iOptionList)
{
    d->optionList = iOptionList;
    qDeleteAll(d->optionActions);
    d->optionActions.clear();
    d->optionButton->setEnabled(!iOptionList.isEmpty());

    // The button holds one menu at a time; an open old menu goes at the next event loop turn.
    if (d->optionMenu)
        d->optionMenu->deleteLater();
    d->optionMenu = new QMenu(this);
    for (const QVariant &option : iOptionList) {
        auto *action = new QAction(optionValue(option, QStringLiteral("text")).toString(), this);
        action->setCheckable(true);
        action->setObjectName(optionValue(option, QStringLiteral("name")).toString());
        const QString iconName = optionValue(option, QStringLiteral("icon")).toString();
        if (!iconName.isEmpty())
            action->setIcon(buttonIcon(iconName));
        action->setData(optionValue(option, QStringLiteral("userData")));
        if (d->optionMode == SingleOption)
            d->actionGroup->addAction(action);
        connect(action, &QAction::triggered, this, &TSearchEntry::changeSearchOption);
        d->optionMenu->addAction(action);
        d->optionActions.append(action);
    }
    d->optionButton->setMenu(d->optionMenu);
    d->optionButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: None; }"));
}

QVariantList TSearchEntry::optionList() const { return d->optionList; }

void TSearchEntry::setOptionMode(OptionMode iMode)
{
    d->optionMode = iMode;
    if (iMode == MultiOption) {
        for (QAction *action : qAsConst(d->optionActions))
            d->actionGroup->removeAction(action);
    } else if (iMode == SingleOption) {
        for (QAction *action : qAsConst(d->optionActions))
            d->actionGroup->addAction(action);
    }
}

TSearchEntry::OptionMode TSearchEntry::optionMode() const { return d->optionMode; }

void TSearchEntry::setActiveOption(const QString &iNameStr)
{
    if (d->optionMode != SingleOption)
        return;
    for (QAction *action : qAsConst(d->optionActions)) {
        if (action->objectName() == iNameStr) {
            d->activeName = action->objectName();
            d->activeText = action->text();
            d->refreshPlaceholder();
            return;
        }
    }
}

QString TSearchEntry::activeOption() const { return d->activeName; }

void TSearchEntry::setActiveOptions(const QStringList &iNameList)
{
    if (d->optionMode != MultiOption || iNameList.isEmpty())
        return;
    d->activeNames.clear();
    d->activeTexts.clear();
    for (QAction *action : qAsConst(d->optionActions)) {
        const bool active = iNameList.contains(action->objectName());
        action->setChecked(active);
        if (active) {
            d->activeNames.append(action->objectName());
            d->activeTexts.append(action->text());
        }
    }
    d->refreshPlaceholder();
}

QStringList TSearchEntry::activeOptions() const { return d->activeNames; }

void TSearchEntry::addCompleterList(const QStringList &iWordList)
{
    QCompleter *previous = d->lineEdit->completer();
    auto *completer = new QCompleter(iWordList, this);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    d->lineEdit->setCompleter(completer);
    // The line edit does not own what it was given; only our own completers are ours to free.
    if (previous && previous->parent() == this)
        previous->deleteLater();
}

int TSearchEntry::searchDelayTime() const { return d->searchDelay; }

void TSearchEntry::setSearchDelayTime(int iMsInt)
{
    d->searchDelay = iMsInt;
    if (d->searchDelay <= 0)
        d->delayTimer->stop();
}

void TSearchEntry::setText(const QString &iTextStr) { d->lineEdit->setText(iTextStr); }

QString TSearchEntry::text() const { return d->lineEdit->text(); }

void TSearchEntry::clearText()
{
    {
        const QSignalBlocker blocker(d->lineEdit);
        d->lineEdit->clear();
    }
    d->delayTimer->stop();
    d->clearButton->setEnabled(false);
    d->clearButton->hide();
    d->lineEdit->setFocus();
    const QPointer<TSearchEntry> alive(this);
    Q_EMIT textChanged(QString());
    if (alive)
        doSearchAction();
}

void TSearchEntry::selectAll() { d->lineEdit->selectAll(); }

QLineEdit *TSearchEntry::lineEdit() const { return d->lineEdit; }

QString TSearchEntry::sqlWhere() const
{
    const QString text = d->lineEdit->text();
    if (text.isEmpty())
        return QString();

    QStringList fields;
    if (d->optionMode == MultiOption)
        fields = d->activeNames;
    else if (!d->activeName.isEmpty())
        fields.append(d->activeName);

    // Backslashes are doubled too: servers that read them as escapes in
    // literals would otherwise let a trailing backslash end the quote.
    QString likeText = text;
    likeText.replace(QLatin1Char('*'), QLatin1Char('%'));
    likeText.replace(QLatin1Char('\''), QLatin1String("''"));
    likeText.replace(QLatin1Char('\\'), QLatin1String("\\\\"));

    QStringList clauses;
    for (QAction *action : qAsConst(d->optionActions)) {
        if (!fields.isEmpty() && !fields.contains(action->objectName()))
            continue;
        const QString clause = clauseFor(action->objectName(), action->data().toMap(), text, likeText);
        if (!clause.isEmpty())
            clauses.append(clause);
    }
    return clauses.join(QLatin1String(" OR "));
}

void TSearchEntry::keyPressEvent(QKeyEvent *iEvent)
{
    // Enter has started the search already; a dialog's default button must not see it too.
    if (iEvent->key() == Qt::Key_Return || iEvent->key() == Qt::Key_Enter) {
        iEvent->accept();
        return;
    }
    QWidget::keyPressEvent(iEvent);
}

void TSearchEntry::changeSearchOption()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString name = action->objectName();
    const QString optionText = action->text();
    if (d->optionMode == MultiOption) {
        if (action->isChecked()) {
            if (!d->activeNames.contains(name)) {
                d->activeNames.append(name);
                d->activeTexts.append(optionText);
            }
        } else {
            d->activeNames.removeOne(name);
            d->activeTexts.removeOne(optionText);
        }
    } else {
        d->activeName = name;
        d->activeText = optionText;
    }
    d->refreshPlaceholder();
}

void TSearchEntry::doSearchAction() { Q_EMIT search(text(), d->activeFields()); }

void TSearchEntry::showFieldSelection()
{
    if (d->optionMenu)
        d->optionMenu->popup(mapToGlobal(QPoint(0, d->optionButton->height())));
}

void TSearchEntry::onTextChanged(const QString &iTextStr)
{
    const bool hasText = !iTextStr.isEmpty();
    d->clearButton->setEnabled(hasText);
    d->clearButton->setVisible(hasText);
    if (d->searchDelay > 0)
        d->delayTimer->start(d->searchDelay);
    Q_EMIT textChanged(iTextStr);
}
