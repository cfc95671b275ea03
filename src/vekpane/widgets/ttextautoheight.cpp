#include "ttextautoheight_p.h"

#include <QPlainTextEdit>
#include <QTextEdit>

int TTextAutoHeight::frameHeight(const QAbstractScrollArea *iEdit) { return 2 * iEdit->frameWidth(); }

int TTextAutoHeight::neededHeight(const QTextEdit *iEdit)
{
    return int(frameHeight(iEdit) + iEdit->document()->size().height());
}

int TTextAutoHeight::neededHeight(const QPlainTextEdit *iEdit)
{
    return int(frameHeight(iEdit) + iEdit->fontMetrics().height() * iEdit->document()->size().height() + 8);
}

int TTextAutoHeight::rowsHeight(const QAbstractScrollArea *iEdit, int iRows)
{
    return iRows * iEdit->fontMetrics().height() + 8 + frameHeight(iEdit);
}

void TTextAutoHeight::applyFixedRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded)
{
    if (iEdit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn || iNeeded == iEdit->height())
        return;
    const int minH = rowsHeight(iEdit, iMinRows);
    const int maxH = rowsHeight(iEdit, iMaxRows);
    // Content of no more than the minimum rows shows the minimum rows.
    if (iNeeded <= minH)
        iEdit->setFixedHeight(minH);
    else if (maxH > minH)
        iEdit->setFixedHeight(qMin(iNeeded, maxH));
    else if (iEdit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
        iEdit->setFixedHeight(iNeeded);
}

void TTextAutoHeight::applyMinimumRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded)
{
    if (iEdit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn || iNeeded == iEdit->height())
        return;
    const int minH = rowsHeight(iEdit, iMinRows);
    const int maxH = rowsHeight(iEdit, iMaxRows);
    if (iNeeded <= minH) {
        iEdit->setMinimumHeight(minH);
    } else if (iMaxRows > 0 && maxH > 0) {
        if (iNeeded > maxH)
            iEdit->setMinimumHeight(maxH);
        else
            iEdit->setFixedHeight(iNeeded);
    } else if (iEdit->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        iEdit->setMinimumHeight(iNeeded);
    }
}
