#ifndef TTEXTAUTOHEIGHT_P_H
#define TTEXTAUTOHEIGHT_P_H

class QAbstractScrollArea;
class QPlainTextEdit;
class QTextEdit;

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

// The height the content needs: the document's pixel height and the frame.
int neededHeight(const QTextEdit *iEdit);

// The same for a plain-text edit, whose document measures its height in lines.
int neededHeight(const QPlainTextEdit *iEdit);

// Fixed height between the row bounds; above the minimum without a maximum,
// the edit grows only when its vertical scroll bar is always off.
void applyFixedRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded);

// Minimum height (fixed while within the bounds); a maximum row count below
// one means no maximum.
void applyMinimumRule(QAbstractScrollArea *iEdit, int iMinRows, int iMaxRows, int iNeeded);

} // namespace TTextAutoHeight

#endif // TTEXTAUTOHEIGHT_P_H
