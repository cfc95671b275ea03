#include "ticonselector.h"
#include "ticonselector_p.h"

#include "tpicklistsupport_p.h"
#include "tresource.h"
#include "tscriptvalue.h"
#include "tsearchentry.h"
#include "ttableview.h"
#include "ttableviewdialog.h"
#include "ttheme.h"

#include <QColorDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegExp>

QVariantList TIconSelectorPrivate::iconRows()
{
    QVariantList rows;
    const QStringList folders = TResource::instance()->iconPathList();
    for (const QString &folder : folders) {
        const QFileInfoList files
                = QDir(folder).entryInfoList({QStringLiteral("*.svg")}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &file : files) {
            const QString name = file.baseName();
            rows.append(QVariant(QVariantList {TPickListSupport::icon(name), name}));
        }
    }
    return rows;
}

TIconSelector::TIconSelector(QWidget *iParent)
    : QLineEdit(iParent)
    , TUiInterface()
    , d(new TIconSelectorPrivate(this))
{
    d->preview = new QLabel(this);
    d->iconButton = new QPushButton(this);
    d->colorButton = new QPushButton(this);
    d->iconButton->setIcon(TPickListSupport::icon(QStringLiteral("image")));
    d->colorButton->setIcon(TPickListSupport::icon(QStringLiteral("paint-brush")));
    d->iconButton->setFlat(true);
    d->colorButton->setFlat(true);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addSpacing(2);
    row->addWidget(d->preview);
    row->addStretch(1);
    row->addWidget(d->iconButton);
    row->addWidget(d->colorButton);

    // A new widget's own height is a placeholder (a top-level one starts 480
    // high): the parts are sized from the height the line asks for.
    const int side = qMax(1, sizeHint().height() - 6);
    for (QWidget *part : std::initializer_list<QWidget *> {d->preview, d->iconButton, d->colorButton})
        part->setFixedSize(side, side);
    setTextMargins(d->preview->width() + 4, 0, d->iconButton->width() + d->colorButton->width() + 4, 0);

    setIconBgColor(QStringLiteral("transparent"));

    connect(this, &QLineEdit::textChanged, this, &TIconSelector::onTextChanged);
    connect(d->iconButton, &QPushButton::clicked, this, &TIconSelector::onIconButtonClicked);
    connect(d->colorButton, &QPushButton::clicked, this, &TIconSelector::onColorButtonCicked);
}

TIconSelector::~TIconSelector() = default;

void TIconSelector::setAttr(const QString &iKey, const QVariant &iValue)
{
    _setData(this, iKey, TScriptValue::toPlain(iValue));
}

QVariant TIconSelector::getAttr(const QString &iKey, const QVariant &iOptions)
{
    return _getData(this, iKey, TScriptValue::toPlain(iOptions));
}

QString TIconSelector::iconBgColor() const { return d->iconBgColor; }

void TIconSelector::setIconBgColor(const QString &iColor)
{
    d->iconBgColor = iColor;
    d->preview->setStyleSheet(QStringLiteral("background:%1").arg(iColor));
}

void TIconSelector::onTextChanged(const QString &iText)
{
    const int side = height() - 8;
    d->preview->setPixmap(TPickListSupport::icon(iText).pixmap(side, side, QIcon::Normal, QIcon::Off));
}

void TIconSelector::onIconButtonClicked()
{
    TTheme *theme = TTheme::instance();
    QPointer<TTableViewDialog> dialog = new TTableViewDialog(this);
    dialog->resize(int(theme->dp(300)), int(theme->dp(400)));
    dialog->setIcon(QStringLiteral("picture1"));
    dialog->setTitle(tr("Select Icon"));
    const QVariantList header {QVariant(),
                               QVariantMap {{QStringLiteral("name"), QStringLiteral("name")},
                                            {QStringLiteral("display"), tr("Icon Name")},
                                            {QStringLiteral("decorationRole"), QStringLiteral("$icon")},
                                            {QStringLiteral("resizeMode"), QStringLiteral("Stretch")},
                                            {QStringLiteral("textAlignment"), QStringLiteral("HLeft|VCenter")},
                                            {QStringLiteral("displayRole"), QStringLiteral("$name")}}};
    dialog->setPrimaryKey(QStringLiteral("name"));
    dialog->setDataKeyList({QStringLiteral("icon"), QStringLiteral("name")});
    dialog->setHeaderItem(header);
    dialog->searchEntry()->setPlaceholderText(tr("Search"));
    dialog->setSearchDelayTime(1);
    dialog->setSearchKeys({QStringLiteral("name")});
    dialog->tableView()->verticalHeader()->hide();
    dialog->setSearchText(QString());
    dialog->setSelectionMode(QAbstractItemView::SingleSelection);
    dialog->loadData(TIconSelectorPrivate::iconRows());

    QPointer<TIconSelector> self(this);
    const QVariantList chosen = dialog->run(false, nullptr);
    // The selector (and the dialog with it) may be gone once the loop returns.
    if (!self)
        return;
    if (!chosen.isEmpty()) {
        const QString name = chosen.first().toMap().value(QStringLiteral("name")).toString();
        QString text = this->text();
        // Only the base name changes; a colour suffix stays.
        text.replace(QRegExp(QStringLiteral("^([^\\.]*)")), name);
        setText(text);
    }
    if (dialog)
        dialog->deleteLater();
}

void TIconSelector::onColorButtonCicked()
{
    const QRegExp suffix(QStringLiteral("\\.([^%]+)"), Qt::CaseSensitive);
    QString text = this->text();
    const int position = suffix.indexIn(text);
    const QString colorText = position >= 0 ? suffix.cap(1) : QString();

    QPointer<TIconSelector> self(this);
    QPointer<QColorDialog> dialog = new QColorDialog(QColor(colorText), this);
    dialog->setWindowTitle(QString());
    const int result = dialog->exec();
    if (!self)
        return;
    const QColor color = dialog ? dialog->selectedColor() : QColor();
    delete dialog;
    // A cancelled dialog leaves the name as it was.
    if (result != QDialog::Accepted || !color.isValid())
        return;
    if (colorText.isEmpty())
        text += QLatin1Char('.') + color.name();
    else
        text.replace(position, suffix.matchedLength(), QLatin1Char('.') + color.name());
    setText(text);
}
