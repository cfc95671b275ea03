#include "tfiledialog.h"
#include "tfiledialog_p.h"

#include <QDebug>
#include <QHash>
#include <QUrl>

namespace {

// The enumerators scripts may name, compared exactly.
template<typename T>
bool lookUp(const QHash<QString, T> &iTable, const QString &iName, T *oValue)
{
    const auto it = iTable.constFind(iName);
    if (it == iTable.constEnd())
        return false;
    *oValue = it.value();
    return true;
}

const QHash<QString, QFileDialog::Option> &optionTable()
{
    static const QHash<QString, QFileDialog::Option> table {
            {QStringLiteral("ShowDirsOnly"), QFileDialog::ShowDirsOnly},
            {QStringLiteral("DontResolveSymlinks"), QFileDialog::DontResolveSymlinks},
            {QStringLiteral("DontConfirmOverwrite"), QFileDialog::DontConfirmOverwrite},
            // Deprecated in Qt, still honoured: named by value so scripts keep them.
            {QStringLiteral("DontUseSheet"), QFileDialog::Option(0x8)},
            {QStringLiteral("DontUseNativeDialog"), QFileDialog::DontUseNativeDialog},
            {QStringLiteral("ReadOnly"), QFileDialog::ReadOnly},
            {QStringLiteral("HideNameFilterDetails"), QFileDialog::HideNameFilterDetails}};
    return table;
}

} // namespace

TFileDialog::TFileDialog(const QString &iCaption, const QString &iDirectory, const QString &iFilter, QWidget *iParent)
    : QFileDialog(iParent, iCaption, iDirectory, iFilter)
    , d(new TFileDialogPrivate(this))
{}

TFileDialog::TFileDialog(QWidget *iParent)
    : TFileDialog(QString(), QString(), QString(), iParent)
{}

TFileDialog::~TFileDialog() = default;

void TFileDialog::selectFile(const QString &iFilenameStr)
{
    if (!iFilenameStr.isEmpty())
        QFileDialog::selectFile(iFilenameStr);
}

void TFileDialog::selectNameFilter(const QString &iFilterStr)
{
    if (!iFilterStr.isEmpty())
        QFileDialog::selectNameFilter(iFilterStr);
}

void TFileDialog::setNameFilter(const QString &iFilterStr)
{
    if (!iFilterStr.isEmpty())
        QFileDialog::setNameFilter(iFilterStr);
}

void TFileDialog::setNameFilters(const QStringList &iFilterStrLst)
{
    if (!iFilterStrLst.isEmpty())
        QFileDialog::setNameFilters(iFilterStrLst);
}

void TFileDialog::setDirectory(const QString &iDirectoryStr)
{
    if (!iDirectoryStr.isEmpty())
        QFileDialog::setDirectory(iDirectoryStr);
}

void TFileDialog::setHistory(const QStringList &iPathStrLst)
{
    if (!iPathStrLst.isEmpty())
        QFileDialog::setHistory(iPathStrLst);
}

void TFileDialog::setAcceptMode(const QString &iModeStr)
{
    static const QHash<QString, QFileDialog::AcceptMode> table {{QStringLiteral("AcceptOpen"), AcceptOpen},
                                                                {QStringLiteral("AcceptSave"), AcceptSave}};
    AcceptMode mode = AcceptOpen;
    if (lookUp(table, iModeStr, &mode))
        QFileDialog::setAcceptMode(mode);
}

void TFileDialog::setViewMode(const QString &iModeStr)
{
    static const QHash<QString, QFileDialog::ViewMode> table {{QStringLiteral("Detail"), Detail},
                                                              {QStringLiteral("List"), List}};
    ViewMode mode = Detail;
    if (lookUp(table, iModeStr, &mode))
        QFileDialog::setViewMode(mode);
}

void TFileDialog::setFileMode(const QString &iModeStr)
{
    static const QHash<QString, QFileDialog::FileMode> table {{QStringLiteral("AnyFile"), AnyFile},
                                                              {QStringLiteral("ExistingFile"), ExistingFile},
                                                              {QStringLiteral("Directory"), Directory},
                                                              {QStringLiteral("ExistingFiles"), ExistingFiles},
                                                              {QStringLiteral("DirectoryOnly"), FileMode(4)}};
    FileMode mode = AnyFile;
    if (lookUp(table, iModeStr, &mode))
        QFileDialog::setFileMode(mode);
}

void TFileDialog::setLabelText(const QString &iLabelStr, const QString &iTextStr)
{
    static const QHash<QString, QFileDialog::DialogLabel> table {{QStringLiteral("LookIn"), LookIn},
                                                                 {QStringLiteral("FileName"), FileName},
                                                                 {QStringLiteral("FileType"), FileType},
                                                                 {QStringLiteral("Accept"), Accept},
                                                                 {QStringLiteral("Reject"), Reject}};
    DialogLabel label = LookIn;
    if (!iTextStr.isEmpty() && lookUp(table, iLabelStr, &label))
        QFileDialog::setLabelText(label, iTextStr);
}

void TFileDialog::setOption(const QString &iOptionStr, bool iOnBol)
{
    Option option = ShowDirsOnly;
    if (lookUp(optionTable(), iOptionStr, &option))
        QFileDialog::setOption(option, iOnBol);
}

void TFileDialog::setOptions(const QString &iOptionStr)
{
    const QStringList parts = iOptionStr.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return;
    qDebug() << "optionlist" << parts;
    Options options;
    for (const QString &part : parts) {
        Option option = ShowDirsOnly;
        if (lookUp(optionTable(), part, &option))
            options |= option;
    }
    QFileDialog::setOptions(options);
}

void TFileDialog::setSidebarUrls(const QString &iUrlsStr)
{
    if (iUrlsStr.isEmpty())
        return;
    QList<QUrl> urls;
    const QStringList parts = iUrlsStr.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts)
        urls.append(QUrl::fromLocalFile(part));
    QFileDialog::setSidebarUrls(urls);
}

QStringList TFileDialog::history() const { return QFileDialog::history(); }

QStringList TFileDialog::selectedFiles() const { return QFileDialog::selectedFiles(); }

QString TFileDialog::directory() const { return QFileDialog::directory().absolutePath(); }

QStringList TFileDialog::run()
{
    if (exec() == QDialog::Accepted)
        return QFileDialog::selectedFiles();
    return QStringList();
}
