#include "sheets/SheetData.h"

#include <algorithm>

namespace {

bool Before(const CSheetData::Cell& a, const CSheetData::Cell& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

}  // namespace

void CSheetData::Seal() {
    if (!std::is_sorted(m_cells.begin(), m_cells.end(), Before)) std::stable_sort(m_cells.begin(), m_cells.end(), Before);
    // Of cells at the same place the last one listed wins (the sort is stable).
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (kept > 0 && m_cells[kept - 1].row == m_cells[i].row && m_cells[kept - 1].column == m_cells[i].column)
            m_cells[kept - 1] = std::move(m_cells[i]);
        else if (kept++ != i)
            m_cells[kept - 1] = std::move(m_cells[i]);
    }
    m_cells.resize(kept);

    if (m_cells.empty()) {
        m_firstRow = m_firstColumn = m_rowCount = m_columnCount = 0;
        return;
    }
    long lastColumn = m_cells.front().column;
    m_firstColumn = lastColumn;
    for (const Cell& cell : m_cells) {
        m_firstColumn = std::min(m_firstColumn, cell.column);
        lastColumn = std::max(lastColumn, cell.column);
    }
    m_firstRow = m_cells.front().row;
    m_rowCount = m_cells.back().row - m_firstRow + 1;
    m_columnCount = lastColumn - m_firstColumn + 1;
}

const CString& CSheetData::GetText(long row, long column) const {
    static const CString kEmpty;
    const Cell probe{row, column, CString()};
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), probe, Before);
    if (it == m_cells.end() || it->row != row || it->column != column) return kEmpty;
    return it->text;
}
