#pragma once

#include <cstdint>
#include <deque>

#include "base/CString.h"
#include "sheets/SheetData.h"

// The cells of a worksheet that have a value, sparse, in 16 bytes and the
// text's own buffer each. A later cell replaces an earlier one at the same
// place; a cell without a value erases what was there and costs nothing
// unless it does. Blocks, not one array, so that growing never holds the old
// and the new copy at once.
class CSheetCells {
public:
    void Add(long row, long column, const CString& text);
    void Erase(long row, long column);
    // Sorts and settles replacements; Find and Visit need it.
    void Seal();
    const CString* Find(long row, long column) const;
    void Visit(long firstRow, const CSheetData::CellVisitor& visit) const;

private:
    struct Stored {
        std::uint64_t key;  // place (row, then column), the order of listing, whether it erases
        CString text;
    };
    void Push(std::uint64_t place, const CString& text, bool erases);

    std::deque<Stored> m_cells;
    std::int64_t m_lastKeptPlace = -1;  // the highest place of a cell with a value
    std::uint64_t m_order = 0;
    std::size_t m_erasures = 0;
    bool m_sorted = true;
};
