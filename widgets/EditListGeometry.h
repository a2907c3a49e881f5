#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "widgets/PixelRect.h"

// The rules of in-place editing in a report list, apart from its windows.
// Column widths are given in display order (left to right as the header
// shows them), with the column index each position holds.
struct ListColumnLayout {
    std::vector<int> order;   // column index at each display position
    std::vector<int> widths;  // width of each column, by column index

    int Count() const { return int(widths.size()); }
};

// The column under client x on a row whose bounds are rowBounds: walking the
// columns left to right from rowBounds.left, the first whose span
// [start, start + width] (both ends included) holds x. Count() when x lies
// past every column; 0 when the point is outside the row or there are no
// columns.
QOR_API int EditListColumnAt(const ListColumnLayout& columns, const PixelRect& rowBounds, int x, int y);

// Where an editor for a cell goes and how far the list must scroll first.
struct EditListCellPlacement {
    PixelRect cell;  // after the scroll, in client coordinates
    int scrollDx = 0;
};

// The cell of column `column` on a row with bounds rowBounds in a client
// area: scrolled so that a cell starting outside the client area starts at
// its left edge, and one reaching past the right edge ends there unless it
// is wider than the client area, which then starts at the left edge.
QOR_API EditListCellPlacement EditListCellRect(const ListColumnLayout& columns, int column, const PixelRect& rowBounds,
                                               const PixelRect& client);

// The rows a drop-down list spans below its cell: 10 more than its choices
// under ten choices, else 11.
QOR_API int EditListDropDownRows(int choices);
// The window rectangle of a drop-down list over cell: the cell's height
// grown by that many rows.
QOR_API PixelRect EditListDropDownRect(const PixelRect& cell, int choices);

// Whether a typed character may go into a cell whose column allows `valid`
// (empty: every character). Copy, backspace, paste and cut always pass.
QOR_API bool EditListCharAllowed(const CString& valid, WCHAR ch);
// text without the characters `valid` does not allow (pasted text).
QOR_API CString EditListFilterText(const CString& valid, const CString& text);
