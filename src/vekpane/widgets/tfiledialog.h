#ifndef TFILEDIALOG_H
#define TFILEDIALOG_H

#include "vekpane_export.h"

#include <QFileDialog>

#include <memory>

class TFileDialogPrivate;

/*!
 * A file dialog that scripts configure with plain strings: modes, options
 * and labels are chosen by the names of Qt's enumerators (matched exactly),
 * and every setter ignores an empty argument or an unknown name, so a script
 * may pass all its settings unconditionally. run() shows it modally.
 */
class VEKPANE_EXPORT TFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit TFileDialog(const QString &iCaption = QString(), const QString &iDirectory = QString(),
                         const QString &iFilter = QString(), QWidget *iParent = nullptr);
    explicit TFileDialog(QWidget *iParent);
    ~TFileDialog() override;

    //! Selects the file \a iFilenameStr.
    Q_INVOKABLE void selectFile(const QString &iFilenameStr);
    //! Selects the name filter \a iFilterStr.
    Q_INVOKABLE void selectNameFilter(const QString &iFilterStr);
    //! Sets one name filter, e.g. "Images (*.png *.jpg)".
    Q_INVOKABLE void setNameFilter(const QString &iFilterStr);
    //! Sets the name filters.
    Q_INVOKABLE void setNameFilters(const QStringList &iFilterStrLst);
    //! Opens the folder \a iDirectoryStr.
    Q_INVOKABLE void setDirectory(const QString &iDirectoryStr);
    //! Sets the browsing history.
    Q_INVOKABLE void setHistory(const QStringList &iPathStrLst);
    //! "AcceptOpen" or "AcceptSave".
    Q_INVOKABLE void setAcceptMode(const QString &iModeStr);
    //! "Detail" or "List".
    Q_INVOKABLE void setViewMode(const QString &iModeStr);
    //! "AnyFile", "ExistingFile", "Directory", "ExistingFiles" or "DirectoryOnly".
    Q_INVOKABLE void setFileMode(const QString &iModeStr);
    //! Gives the label "LookIn", "FileName", "FileType", "Accept" or "Reject" the text \a iTextStr.
    Q_INVOKABLE void setLabelText(const QString &iLabelStr, const QString &iTextStr);
    //! Switches the one named option on or off, leaving the others.
    Q_INVOKABLE void setOption(const QString &iOptionStr, bool iOnBol = true);
    //! Replaces the whole option set by the names joined with "|"; options not named are switched off.
    Q_INVOKABLE void setOptions(const QString &iOptionStr);
    //! Makes the local folders joined with ";" the sidebar; only separators empty it.
    Q_INVOKABLE void setSidebarUrls(const QString &iUrlsStr);
    //! The browsing history.
    Q_INVOKABLE QStringList history() const;
    //! The selected paths.
    Q_INVOKABLE QStringList selectedFiles() const;
    //! The absolute path of the current folder.
    Q_INVOKABLE QString directory() const;
    //! Shows the dialog modally: the chosen paths, or an empty list when cancelled.
    Q_INVOKABLE QStringList run();

private:
    Q_DISABLE_COPY(TFileDialog)
    Q_DECLARE_PRIVATE_D(d, TFileDialog)
    const std::unique_ptr<TFileDialogPrivate> d;
};

#endif // TFILEDIALOG_H
