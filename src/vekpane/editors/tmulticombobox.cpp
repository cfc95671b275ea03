#include "tmulticombobox.h"
#include "tmulticombobox_p.h"

#include "timagebudget.h"
#include "tmulticomboboxprilistwgt.h"
#include "tscriptvalue.h"
#include "ttooltip.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

QStringList splitNames(const QString &iText, const QString &iFormat)
{
    if (iFormat == QLatin1String("A,B"))
        return iText.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (iFormat == QLatin1String("A;B"))
        return iText.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (iFormat == QLatin1String("|A|B|"))
        return iText.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (iFormat.toUpper() == QLatin1String("JSON")) {
        static const QRegularExpression brackets(QStringLiteral("^\\[|\\]$"));
        static const QRegularExpression quotes(QStringLiteral("^\"|\"$"));
        QStringList names = QString(iText).remove(brackets).split(QLatin1Char(','), Qt::KeepEmptyParts);
        for (QString &name : names)
            name.remove(quotes);
        return names;
    }
    if (iFormat == QLatin1String("(A)(B)")) {
        static const QRegularExpression parens(QStringLiteral("^\\(|\\)$"));
        return QString(iText).remove(parens).split(QStringLiteral(")("), Qt::SkipEmptyParts);
    }
    return QStringList();
}

QString joinNames(const QStringList &iNames, const QString &iFormat)
{
    if (iFormat == QLatin1String("A,B"))
        return iNames.join(QLatin1Char(','));
    if (iFormat == QLatin1String("A;B"))
        return iNames.join(QLatin1Char(';'));
    if (iNames.isEmpty())
        return QString();
    if (iFormat == QLatin1String("|A|B|"))
        return QStringLiteral("|%1|").arg(iNames.join(QLatin1Char('|')));
    if (iFormat.toUpper() == QLatin1String("JSON")) {
        QStringList quoted;
        for (const QString &name : iNames)
            quoted.append(QStringLiteral("\"%1\"").arg(name));
        return QStringLiteral("[%1]").arg(quoted.join(QLatin1Char(',')));
    }
    if (iFormat == QLatin1String("(A)(B)")) {
        QString text;
        for (const QString &name : iNames)
            text += QStringLiteral("(%1)").arg(name);
        return text;
    }
    return QString();
}

} // namespace

QString TMultiComboBoxPrivate::texts(const QVariantList &iMaps)
{
    QStringList result;
    for (const QVariant &map : iMaps)
        result.append(map.toMap().value(QStringLiteral("text")).toString());
    return result.join(QLatin1Char(','));
}

QString TMultiComboBoxPrivate::toolTipHtml() const
{
    if (currentSelection.isEmpty())
        return QString();
    const QString size = QString::number(toolTip->fontSize());
    QString html = QStringLiteral("<table><tr>");
    for (const QVariant &entry : currentSelection) {
        const QVariantMap map = entry.toMap();
        // Item texts are data, not markup.
        html += QStringLiteral("<td><img src=\"%1\" width=\"%2\" height=\"%3\">%4</td><td>, </td>")
                        .arg(map.value(QStringLiteral("icon")).toString().toHtmlEscaped(), size, size,
                             map.value(QStringLiteral("text")).toString().toHtmlEscaped());
    }
    html.chop(QStringLiteral("<td>, </td>").size());
    return html + QStringLiteral("</tr></table>");
}

void TMultiComboBoxPrivate::showToolTip()
{
    Q_Q(TMultiComboBox);
    const QString html = toolTipHtml();
    if (html.isEmpty()) {
        if (toolTip->isVisible())
            toolTip->hide();
        return;
    }
    toolTip->setText(html);
    if (!toolTip->isVisible()) {
        toolTip->move(q->mapToGlobal(QPoint(0, 0)) - QPoint(0, 40));
        toolTip->show();
    }
}

TMultiComboBox::TMultiComboBox(QWidget *iParent)
    : QComboBox(iParent)
    , d(new TMultiComboBoxPrivate(this))
{
    d->toolTip = new TToolTip(this);
    d->listWidget = new TMultiComboBoxPriListWgt;
    setModel(d->listWidget->model());
    setView(d->listWidget);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    d->listWidget->installEventFilter(this);
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
    connect(d->listWidget, &TMultiComboBoxPriListWgt::selectChanged, this, &TMultiComboBox::doSelectChanged);
    connect(d->listWidget, &TMultiComboBoxPriListWgt::modelDataChanged, this, &TMultiComboBox::doModelDataChanged);
    connect(d->listWidget, &TMultiComboBoxPriListWgt::finish, this, &TMultiComboBox::hideListWidget);
    connect(lineEdit(), &QLineEdit::textChanged, this, &TMultiComboBox::onLineEditTextChanged);
    setCurrentIndex(-1);
}

TMultiComboBox::~TMultiComboBox()
{
    // The drop-down confirms on hide; nothing of this box may hear it now.
    disconnect(d->listWidget, nullptr, this, nullptr);
}

void TMultiComboBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value")) {
        const QString text = value.toString();
        if (text != currentName())
            setCurrentName(text);
    } else if (iKey == QLatin1String("item_list")) {
        setItemList(value.toList());
    } else if (iKey == QLatin1String("name_format")) {
        setNameFormat(value.toString());
    } else if (iKey == QLatin1String("current_names")) {
        setCurrentNames(value.toStringList());
    }
}

QVariant TMultiComboBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return currentName();
    if (iKey == QLatin1String("item_list"))
        return itemList();
    if (iKey == QLatin1String("current_names"))
        return currentNames();
    if (iKey == QLatin1String("row")) {
        if (currentIndex() < 0)
            return QVariant();
        const QVariant entry
                = itemList().value(view()->model()->index(currentIndex(), 0).data(Qt::UserRole + 1).toInt());
        QVariantMap item = entry.toMap();
        if (entry.userType() == QMetaType::QVariantHash) {
            const QVariantHash hash = entry.toHash();
            for (auto it = hash.cbegin(); it != hash.cend(); ++it)
                item.insert(it.key(), it.value());
        }
        if (!iOptions.isValid())
            return item;
        const QString option = iOptions.toString();
        if (option == QLatin1String("name") || option == QLatin1String("icon"))
            return item.value(option).toString();
        if (option == QLatin1String("user_data"))
            return item.value(option);
    }
    return _getData(this, iKey, iOptions);
}

QVariantList TMultiComboBox::itemList() const { return d->listWidget->data(); }

void TMultiComboBox::setItemList(const QVariantList &iItemLst)
{
    d->listWidget->setData(iItemLst);
    Q_EMIT itemListChanged();
    setCurrentIndex(-1);
}

QStringList TMultiComboBox::currentNames() const
{
    QStringList names;
    for (const QVariant &map : qAsConst(d->currentSelection))
        names.append(map.toMap().value(QStringLiteral("name")).toString());
    return names;
}

void TMultiComboBox::setCurrentNames(const QStringList &iCurNameStrLst)
{
    d->listWidget->setCurrentNames(iCurNameStrLst);
    d->currentSelection = d->listWidget->currentDatasMap();
}

QString TMultiComboBox::nameFormat() const { return d->nameFormat; }

void TMultiComboBox::setNameFormat(const QString &iFormatStr) { d->nameFormat = iFormatStr; }

QString TMultiComboBox::currentName() const { return joinNames(currentNames(), d->nameFormat); }

void TMultiComboBox::setCurrentName(const QString &iCurNameStr)
{
    setCurrentNames(splitNames(iCurNameStr, d->nameFormat));
}

QList<QIcon> TMultiComboBox::currentIcons() const
{
    QList<QIcon> icons;
    for (const QVariant &map : qAsConst(d->currentSelection))
        icons.append(TImageBudget::iconFile(map.toMap().value(QStringLiteral("icon")).toString()));
    return icons;
}

QVariantList TMultiComboBox::currentUserDatas() const
{
    QVariantList datas;
    for (const QVariant &map : qAsConst(d->currentSelection))
        datas.append(map.toMap().value(QStringLiteral("user_data")));
    return datas;
}

void TMultiComboBox::select(const QString &iNameStr, bool iFlagBol) { d->listWidget->select(iNameStr, iFlagBol); }

void TMultiComboBox::selectAll(bool iFlagBol) { d->listWidget->selectAll(iFlagBol); }

void TMultiComboBox::doSelectChanged(const QVariantList &iMapVarLst)
{
    lineEdit()->setText(TMultiComboBoxPrivate::texts(iMapVarLst));
}

void TMultiComboBox::doModelDataChanged(const QVariantList &iMapVarLst)
{
    d->currentSelection = iMapVarLst;
    QStringList names;
    for (const QVariant &map : iMapVarLst)
        names.append(map.toMap().value(QStringLiteral("name")).toString());
    Q_EMIT currentNamesChanged(names);
    hidePopup();
}

void TMultiComboBox::hideListWidget()
{
    hidePopup();
    lineEdit()->setText(TMultiComboBoxPrivate::texts(d->currentSelection));
}

bool TMultiComboBox::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    if (iWatched == d->listWidget) {
        if (iEvent->type() == QEvent::Show)
            setCurrentNames(currentNames());
    } else if (iWatched == this) {
        if (iEvent->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(iEvent)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down)
                return true;
        }
    } else if (iWatched == lineEdit()) {
        switch (iEvent->type()) {
        case QEvent::Enter:
            if (!d->listWidget->isVisible())
                d->showToolTip();
            break;
        case QEvent::Leave:
            if (!d->listWidget->isVisible())
                d->toolTip->hide();
            break;
        case QEvent::MouseButtonRelease:
            d->toolTip->hide();
            setCurrentNames(currentNames());
            showPopup();
            break;
        default:
            break;
        }
    }
    return QComboBox::eventFilter(iWatched, iEvent);
}

void TMultiComboBox::onLineEditTextChanged()
{
    const QString shown = TMultiComboBoxPrivate::texts(d->listWidget->currentDatasMap());
    if (lineEdit()->text() != shown)
        lineEdit()->setText(shown);
}
