#ifndef TPAGETOOL_H
#define TPAGETOOL_H

#include "vekpane_export.h"

#include <QWidget>

#include <memory>

class TPageToolPrivate;

/*!
 * The pager bar under a paged table: first, previous, next and last page
 * buttons, the current page with the page count, and an optional page-size
 * entry. The owner sets the total row count and reloads on pageChanged().
 *
 * The setters are silent unless asked otherwise; the buttons and the commit
 * of either entry report the page (after clamping) and the page size.
 */
class VEKPANE_EXPORT TPageTool : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int currentPage READ currentPage WRITE setCurrentPage NOTIFY currentPageChanged USER true)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount NOTIFY rowCountChanged)
    Q_PROPERTY(int pageSize READ pageSize WRITE setPageSize NOTIFY pageSizeChanged)
    Q_PROPERTY(bool pageSizeVisible READ isPageSizeVisible WRITE setPageSizeVisible)
public:
    explicit TPageTool(QWidget *iParent = nullptr);
    ~TPageTool() override;

public Q_SLOTS:
    //! The current page, from 1.
    int currentPage() const;
    //! Goes to \a iPageInt (clamped to the pages there are); silent unless \a iBlockPageChangedBol is false.
    void setCurrentPage(int iPageInt, bool iBlockPageChangedBol = true);
    //! The total number of rows paged.
    int rowCount() const;
    //! Sets the total number of rows and recounts the pages; silent unless \a iBlockPageChangedBol is false.
    void setRowCount(int iRowCountInt, bool iBlockPageChangedBol = true);
    //! Rows per page; 100 when the entry holds no number above 0.
    int pageSize() const;
    //! Sets the rows per page and recounts the pages; silent unless \a iBlockPageChangedBol is false.
    void setPageSize(int iPageSizeInt, bool iBlockPageChangedBol = true);
    //! Whether the page-size entry is shown.
    bool isPageSizeVisible() const;
    //! Shows or hides the page-size entry with its label.
    void setPageSizeVisible(bool iVisibleBol);
    //! Goes to the first page and reports it.
    void firstPage();
    //! Goes one page back and reports it.
    void previousPage();
    //! Goes one page on and reports it.
    void nextPage();
    //! Goes to the last page and reports it.
    void lastPage();
    //! Gives the buttons their theme icons again (after a theme change).
    void setIcon();

Q_SIGNALS:
    //! The page moved to \a iCurPageInt.
    void currentPageChanged(int iCurPageInt);
    //! The total row count changed.
    void rowCountChanged(int iRowCountInt);
    //! The rows per page changed.
    void pageSizeChanged(int iPageSizeInt);
    //! The page to load: \a iCurPageInt of \a iPageSizeInt rows.
    void pageChanged(int iCurPageInt, int iPageSizeInt);

private Q_SLOTS:
    void refreshButtonState(bool iBlockPageChangeBol = true);
    void refreshPageCount(bool iBlockPageChangeBol = true);
    void onCurPageSpinBoxChanged();
    void onPageSizeEntryChanged();

private:
    void goToPage(int iPageInt);

    Q_DISABLE_COPY(TPageTool)
    Q_DECLARE_PRIVATE_D(d, TPageTool)
    const std::unique_ptr<TPageToolPrivate> d;
};

#endif // TPAGETOOL_H
