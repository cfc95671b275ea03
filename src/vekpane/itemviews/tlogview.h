#ifndef TLOGVIEW_H
#define TLOGVIEW_H

#include "vekpane_export.h"

#include <QVariant>
#include <QWidget>

#include <memory>

class TLogViewPrivate;

/*!
 * A window listing operation-log records (who did what, when, where) in a
 * table, with a Refresh button, a search entry that filters the rows by a
 * wildcard pattern over the chosen fields, and a category box that narrows
 * them to one category. The host supplies the records with setLog() and
 * answers refreshLogInfo(); the view reads and writes no store itself.
 *
 * A record is a map with the keys "id", "row_id", "category", "action_time",
 * "user_name", "user_id", "action_type", "log_level", "site", "tags",
 * "remark", "detail" (and "icon" for the event's decoration), or a list of
 * the same values in that order, with "tags.text" between "tags" and
 * "remark". The window deletes itself when closed.
 */
class VEKPANE_EXPORT TLogView : public QWidget
{
    Q_OBJECT
public:
    explicit TLogView(QWidget *iParent = nullptr);
    ~TLogView() override;

Q_SIGNALS:
    //! The user asked for the records to be loaded again.
    void refreshLogInfo();

public Q_SLOTS:
    //! Replaces the records, adds their new categories to the category box (with "All" current) and filters.
    void setLog(const QVariantList &iLogLst);
    //! The placeholder template of the search entry ("%1" receives the chosen fields).
    void setSearchText(const QString &iText);
    //! Replaces the search entry's options (maps with "name" and "text").
    void setSearchOptions(const QVariantList &iOptionLst);
    //! Makes the category of that text current, or none; the rows are not filtered again.
    void setCategory(const QString &iCategoryStr);
    //! Shows the rows that match the search text and belong to the current category; hides the others.
    void applyFilter();
    //! The translation of one of the view's English field labels; empty for another text.
    QString getTransferedStr(const QString &iLabelStr);

protected Q_SLOTS:
    void onViewDetailBtnClicked();

private:
    Q_DISABLE_COPY(TLogView)
    Q_DECLARE_PRIVATE_D(d, TLogView)
    const std::unique_ptr<TLogViewPrivate> d;
};

#endif // TLOGVIEW_H
