#ifndef TTEXTAUTOHEIGHT_P_H
#define TTEXTAUTOHEIGHT_P_H

class QAbstractScrollArea;

/*
 * The height rules of the auto-height text edits. Each edit works out the
 * height its content needs; a rule turns that into a fixed or a minimum height
 * between a minimum and a maximum number of text rows.
 */
namespace TTextAutoHeight {

// The height that iRows rows of the edit's font take, with the document
// margins and the frame.
int rowsHeight(const QAbstractScrollArea *iEdit, int iRows);

// The frame around the content, both sides.
int frameHeight(const QAbstractScrollArea *iEdit);

// Fixed height between the row bounds; above the minimum without a maximum,
// the edit grows only when its vertical scroll bar is always off.
void applyFixedRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded);

// Minimum height (fixed while within the bounds); a maximum row count below
// one means no maximum.
void applyMinimumRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded);

} // namespace TTextAutoHeight

#endif // TTEXTAUTOHEIGHT_P_H
