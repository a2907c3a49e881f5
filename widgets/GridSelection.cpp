#include "widgets/GridSelection.h"

#include <algorithm>

std::vector<GridRowRange> GridRangesWith(std::vector<GridRowRange> ranges, GridRowRange added) {
    if (added.first > added.last) return ranges;
    std::vector<GridRowRange> result;
    result.reserve(ranges.size() + 1);
    bool placed = false;
    for (const GridRowRange& range : ranges) {
        // Touching ranges merge (long long: last + 1 of INT_MAX must not wrap).
        if (static_cast<long long>(range.last) + 1 < added.first) {
            result.push_back(range);
        } else if (static_cast<long long>(added.last) + 1 < range.first) {
            if (!placed) result.push_back(added);
            placed = true;
            result.push_back(range);
        } else {
            added.first = std::min(added.first, range.first);
            added.last = std::max(added.last, range.last);
        }
    }
    if (!placed) result.push_back(added);
    return result;
}

std::vector<GridRowRange> GridRangesWithout(const std::vector<GridRowRange>& ranges, GridRowRange removed) {
    std::vector<GridRowRange> result;
    result.reserve(ranges.size() + 1);
    for (const GridRowRange& range : ranges) {
        if (range.last < removed.first || range.first > removed.last || removed.first > removed.last) {
            result.push_back(range);
            continue;
        }
        if (range.first < removed.first) result.push_back(GridRowRange{range.first, removed.first - 1});
        if (range.last > removed.last) result.push_back(GridRowRange{removed.last + 1, range.last});
    }
    return result;
}

namespace {
// a minus b, both sorted and disjoint, in one pass.
std::vector<GridRowRange> Minus(const std::vector<GridRowRange>& a, const std::vector<GridRowRange>& b) {
    std::vector<GridRowRange> result;
    std::size_t j = 0;
    for (GridRowRange piece : a) {
        while (j < b.size() && b[j].last < piece.first) ++j;
        std::size_t k = j;
        bool left = true;
        while (k < b.size() && b[k].first <= piece.last) {
            if (b[k].first > piece.first) result.push_back(GridRowRange{piece.first, b[k].first - 1});
            if (b[k].last >= piece.last) {
                left = false;
                break;
            }
            piece.first = b[k].last + 1;
            ++k;
        }
        if (left) result.push_back(piece);
    }
    return result;
}
}  // namespace

GridSelectionChanges GridRangesDiff(const std::vector<GridRowRange>& before, const std::vector<GridRowRange>& after) {
    GridSelectionChanges changes;
    for (const GridRowRange& range : Minus(before, after)) changes.push_back(GridSelectionChange{range, false});
    for (const GridRowRange& range : Minus(after, before)) changes.push_back(GridSelectionChange{range, true});
    return changes;
}

void GridSelection::SetRowCount(int count) {
    m_rowCount = std::max(0, count);
    if (m_rowCount == 0) {
        m_ranges.clear();
    } else {
        m_ranges = GridRangesWithout(m_ranges, GridRowRange{m_rowCount, 0x7fffffff});
    }
    if (m_currentRow >= m_rowCount) m_currentRow = m_rowCount - 1;
    if (m_anchorRow >= m_rowCount) m_anchorRow = m_rowCount - 1;
    if (m_currentRow < 0) m_currentColumn = -1;
}

void GridSelection::SetColumnCount(int count) {
    m_columnCount = std::max(0, count);
    if (m_currentColumn >= m_columnCount) m_currentColumn = m_columnCount - 1;
}

int GridSelection::ClampColumn(int column) const {
    if (m_columnCount == 0) return -1;
    return std::max(0, std::min(column, m_columnCount - 1));
}

bool GridSelection::IsSelected(int row) const {
    auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), row,
                               [](int value, const GridRowRange& range) { return value < range.first; });
    return it != m_ranges.begin() && (it - 1)->last >= row;
}

long long GridSelection::GetSelectedCount() const {
    long long count = 0;
    for (const GridRowRange& range : m_ranges) count += static_cast<long long>(range.last) - range.first + 1;
    return count;
}

void GridSelection::SetCurrent(int row, int column) {
    if (!ValidRow(row)) return;
    m_currentRow = row;
    m_currentColumn = ClampColumn(column);
}

GridSelectionChanges GridSelection::Replace(std::vector<GridRowRange> ranges) {
    GridSelectionChanges changes = GridRangesDiff(m_ranges, ranges);
    m_ranges = std::move(ranges);
    return changes;
}

GridSelectionChanges GridSelection::Click(int row, int column, bool shift, bool ctrl) {
    if (!ValidRow(row)) return {};
    SetCurrent(row, column < 0 ? m_currentColumn : column);
    if (shift) {
        if (!ValidRow(m_anchorRow)) m_anchorRow = row;
        const GridRowRange span{std::min(m_anchorRow, row), std::max(m_anchorRow, row)};
        return Replace(GridRangesWith(ctrl ? m_ranges : std::vector<GridRowRange>{}, span));
    }
    m_anchorRow = row;
    if (ctrl) {
        const GridRowRange one{row, row};
        return Replace(IsSelected(row) ? GridRangesWithout(m_ranges, one) : GridRangesWith(m_ranges, one));
    }
    return Replace({GridRowRange{row, row}});
}

void GridSelection::Target(GridKey key, int pageRows, int& row, int& column) const {
    row = m_currentRow;
    column = m_currentColumn;
    if (m_rowCount == 0) {
        row = -1;
        return;
    }
    if (row < 0) {
        // Nothing current yet: any key starts at the first cell.
        row = 0;
        column = ClampColumn(0);
        return;
    }
    const long long page = std::max(1, pageRows);
    long long target = row;
    switch (key) {
    case GridKey::Up: target = row - 1LL; break;
    case GridKey::Down: target = row + 1LL; break;
    case GridKey::PageUp: target = row - page; break;
    case GridKey::PageDown: target = row + page; break;
    case GridKey::Home: target = 0; break;
    case GridKey::End: target = m_rowCount - 1; break;
    case GridKey::Left: column = ClampColumn(column - 1); break;
    case GridKey::Right: column = ClampColumn(column + 1); break;
    }
    row = int(std::max(0LL, std::min(target, static_cast<long long>(m_rowCount) - 1)));
}

GridSelectionChanges GridSelection::Navigate(GridKey key, int pageRows, bool shift, bool ctrl) {
    int row = -1, column = -1;
    Target(key, pageRows, row, column);
    if (row < 0) return {};
    SetCurrent(row, column);
    if (ctrl && !shift) return {};
    if (shift) {
        if (!ValidRow(m_anchorRow)) m_anchorRow = row;
        return Replace({GridRowRange{std::min(m_anchorRow, row), std::max(m_anchorRow, row)}});
    }
    m_anchorRow = row;
    return Replace({GridRowRange{row, row}});
}

GridSelectionChanges GridSelection::SelectAll() {
    if (m_rowCount == 0) return {};
    return Replace({GridRowRange{0, m_rowCount - 1}});
}

GridSelectionChanges GridSelection::Clear() { return Replace({}); }

GridSelectionChanges GridSelection::SelectOnly(int row) {
    if (!ValidRow(row)) return {};
    m_anchorRow = row;
    return Replace({GridRowRange{row, row}});
}

GridSelectionChanges GridSelection::AddRow(int row) {
    if (!ValidRow(row)) return {};
    m_anchorRow = row;
    return Replace(GridRangesWith(m_ranges, GridRowRange{row, row}));
}
