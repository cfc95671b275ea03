#include "titemdatarole.h"
#include "titemdatarole_p.h"

#include "tresource.h"
#include "tuiutil.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStringList>

QMap<QString, int> TItemDataRolePrivate::initRoleMap()
{
    return QMap<QString, int> {
            {QStringLiteral("display"), Qt::DisplayRole},
            {QStringLiteral("decoration"), Qt::DecorationRole},
            {QStringLiteral("icon"), Qt::DecorationRole},
            {QStringLiteral("edit"), Qt::EditRole},
            {QStringLiteral("toolTip"), Qt::ToolTipRole},
            {QStringLiteral("statusTip"), Qt::StatusTipRole},
            {QStringLiteral("whatsThis"), Qt::WhatsThisRole},
            {QStringLiteral("font"), Qt::FontRole},
            {QStringLiteral("textAlignment"), Qt::TextAlignmentRole},
            {QStringLiteral("background"), Qt::BackgroundRole},
            {QStringLiteral("foreground"), Qt::ForegroundRole},
            {QStringLiteral("checkState"), Qt::CheckStateRole},
            {QStringLiteral("accessibleText"), Qt::AccessibleTextRole},
            {QStringLiteral("accessibleDescription"), Qt::AccessibleDescriptionRole},
            {QStringLiteral("sizeHint"), Qt::SizeHintRole},
            {QStringLiteral("initialSortOrder"), Qt::InitialSortOrderRole},
            {QStringLiteral("user"), Qt::UserRole},
            {QStringLiteral("type"), Qt::UserRole + 1},
            {QStringLiteral("name"), Qt::UserRole + 2},
            {QStringLiteral("min"), Qt::UserRole + 3},
            {QStringLiteral("max"), Qt::UserRole + 4},
            {QStringLiteral("property"), Qt::UserRole + 5},
            {QStringLiteral("flags"), Qt::UserRole + 6},
    };
}

const QMap<QString, int> &TItemDataRolePrivate::roleMap()
{
    static const QMap<QString, int> map = initRoleMap();
    return map;
}

TItemDataRole::TItemDataRole()
    : d(new TItemDataRolePrivate(this))
{}

TItemDataRole::~TItemDataRole() = default;

int TItemDataRole::value(const QString &iName) { return TItemDataRolePrivate::roleMap().value(iName, Qt::UserRole); }

QString TItemDataRole::key(int iRole)
{
    const QMap<QString, int> &map = TItemDataRolePrivate::roleMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.value() == iRole)
            return it.key();
    }
    return QString();
}

Qt::ItemFlags TItemDataRole::str2itemFlags(const QString &iText)
{
    static const struct
    {
        QLatin1String name;
        Qt::ItemFlags flag;
    } names[] = {
            {QLatin1String("NoItemFlags"), Qt::NoItemFlags},
            {QLatin1String("ItemIsSelectable"), Qt::ItemIsSelectable},
            {QLatin1String("ItemIsEditable"), Qt::ItemIsEditable},
            {QLatin1String("ItemIsDragEnabled"), Qt::ItemIsDragEnabled},
            {QLatin1String("ItemIsDropEnabled"), Qt::ItemIsDropEnabled},
            {QLatin1String("ItemIsUserCheckable"), Qt::ItemIsUserCheckable},
            {QLatin1String("ItemIsEnabled"), Qt::ItemIsEnabled},
            {QLatin1String("ItemIsTristate"), Qt::ItemIsAutoTristate},
            {QLatin1String("ItemNeverHasChildren"), Qt::ItemNeverHasChildren},
    };
    Qt::ItemFlags flags = Qt::NoItemFlags;
    if (iText.isEmpty())
        return flags;
    const QStringList parts = iText.split(QLatin1Char('|'));
    for (const QString &part : parts) {
        for (const auto &entry : names) {
            if (part.endsWith(entry.name, Qt::CaseInsensitive)) {
                flags |= entry.flag;
                break;
            }
        }
    }
    return flags;
}

QVariant TItemDataRolePrivate::convert(int iRole, const QVariant &iValue)
{
    if (!iValue.isValid()) {
        if (iRole == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant();
    }
    const bool isText = iValue.userType() == QMetaType::QString;
    switch (iRole) {
    case Qt::DecorationRole:
        if (isText)
            return TResource::instance()->icon(iValue.toString(), QStringLiteral("button"), QStringLiteral("body"));
        break;
    case Qt::FontRole:
        if (isText) {
            QFont font;
            font.fromString(iValue.toString());
            return font;
        }
        break;
    case Qt::TextAlignmentRole:
        if (isText)
            return int(TUiUtil::str2alignment(iValue.toString()));
        break;
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (isText) {
            QColor colour;
            colour.setNamedColor(iValue.toString());
            return QBrush(colour);
        }
        break;
    case Qt::CheckStateRole: {
        const int state = iValue.toInt();
        return int(state == 1 ? Qt::Checked : state == -1 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    default:
        break;
    }
    return iValue;
}
