#include "widgets/GridGeometry.h"

#include <algorithm>

void GridGeometry::SetClientSize(int width, int height) {
    m_clientWidth = std::max(0, width);
    m_clientHeight = std::max(0, height);
    Clamp();
}

void GridGeometry::SetRowHeight(int height) {
    m_rowHeight = std::max(1, height);
    Clamp();
}

void GridGeometry::SetHeaderHeight(int height) {
    m_headerHeight = std::max(0, height);
    Clamp();
}

void GridGeometry::SetRowHeaderWidth(int width) {
    m_rowHeaderWidth = std::max(0, width);
    Clamp();
}

void GridGeometry::SetRowCount(int count) {
    m_rowCount = std::max(0, count);
    Clamp();
}

void GridGeometry::SetFrozenColumns(int count) {
    m_frozen = std::max(0, count);
    Clamp();
}

void GridGeometry::InsertColumn(int position, int width) {
    if (position < 0 || position > GetColumnCount()) position = GetColumnCount();
    m_widths.insert(m_widths.begin() + position, std::max(kMinColumnWidth, width));
    Clamp();
}

void GridGeometry::DeleteAllColumns() {
    m_widths.clear();
    m_scrollX = 0;
}

void GridGeometry::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= GetColumnCount()) return;
    m_widths[std::size_t(column)] = std::max(kMinColumnWidth, width);
    Clamp();
}

int GridGeometry::GetColumnWidth(int column) const {
    return column >= 0 && column < GetColumnCount() ? m_widths[std::size_t(column)] : 0;
}

int GridGeometry::GetFrozenColumns() const { return std::min(m_frozen, GetColumnCount()); }

int GridGeometry::GetPageRows() const {
    return std::max(1, (m_clientHeight - m_headerHeight) / m_rowHeight);
}

int GridGeometry::GetVisibleRowSlots() const {
    const int area = std::max(0, m_clientHeight - m_headerHeight);
    return (area + m_rowHeight - 1) / m_rowHeight;
}

int GridGeometry::GetMaxTopRow() const { return std::max(0, m_rowCount - GetPageRows()); }

void GridGeometry::SetTopRow(int row) {
    m_topRow = std::max(0, std::min(row, GetMaxTopRow()));
}

int GridGeometry::GetLastVisibleRow() const {
    if (m_rowCount == 0 || GetVisibleRowSlots() == 0) return -1;
    // int arithmetic stays safe: the top row is at most the row count.
    return std::min(m_rowCount - 1, m_topRow + GetVisibleRowSlots() - 1);
}

int GridGeometry::GetScrollableWidth() const {
    int width = 0;
    for (int c = GetFrozenColumns(); c < GetColumnCount(); ++c) width += m_widths[std::size_t(c)];
    return width;
}

int GridGeometry::GetScrollAreaLeft() const {
    int left = m_rowHeaderWidth;
    for (int c = 0; c < GetFrozenColumns(); ++c) left += m_widths[std::size_t(c)];
    return left;
}

int GridGeometry::GetScrollAreaWidth() const { return std::max(0, m_clientWidth - GetScrollAreaLeft()); }

int GridGeometry::GetMaxScrollX() const { return std::max(0, GetScrollableWidth() - GetScrollAreaWidth()); }

void GridGeometry::SetScrollX(int x) { m_scrollX = std::max(0, std::min(x, GetMaxScrollX())); }

void GridGeometry::Clamp() {
    SetTopRow(m_topRow);
    SetScrollX(m_scrollX);
}

int GridGeometry::ColumnOffset(int column) const {
    const int first = column < GetFrozenColumns() ? 0 : GetFrozenColumns();
    int offset = 0;
    for (int c = first; c < column; ++c) offset += m_widths[std::size_t(c)];
    return offset;
}

int GridGeometry::GetColumnLeft(int column) const {
    if (column < GetFrozenColumns()) return m_rowHeaderWidth + ColumnOffset(column);
    return GetScrollAreaLeft() + ColumnOffset(column) - m_scrollX;
}

std::vector<GridVisibleColumn> GridGeometry::GetVisibleColumns() const {
    std::vector<GridVisibleColumn> columns;
    const int frozen = GetFrozenColumns();
    const int scrollLeft = GetScrollAreaLeft();
    for (int c = 0; c < GetColumnCount(); ++c) {
        GridVisibleColumn column;
        column.column = c;
        column.left = GetColumnLeft(c);
        column.right = column.left + m_widths[std::size_t(c)];
        const int bandLeft = c < frozen ? m_rowHeaderWidth : scrollLeft;
        column.clipLeft = std::max(column.left, bandLeft);
        column.clipRight = std::min(column.right, m_clientWidth);
        if (column.clipLeft < column.clipRight) columns.push_back(column);
        else if (c >= frozen && column.left >= m_clientWidth) break;
    }
    return columns;
}

PixelRect GridGeometry::GetCellRect(int row, int column) const {
    const int left = GetColumnLeft(column);
    // 64-bit: a row far below the top must not overflow on the way.
    const long long top = m_headerHeight + (static_cast<long long>(row) - m_topRow) * m_rowHeight;
    const int clampedTop = int(std::max<long long>(-(1 << 29), std::min<long long>(top, 1 << 29)));
    return PixelRect{left, clampedTop, left + GetColumnWidth(column), clampedTop + m_rowHeight};
}

GridHit GridGeometry::HitTest(int x, int y) const {
    GridHit hit;
    if (x < 0 || y < 0 || x >= m_clientWidth || y >= m_clientHeight) return hit;
    if (y >= m_headerHeight) {
        const int row = m_topRow + (y - m_headerHeight) / m_rowHeight;
        if (row < m_rowCount) hit.row = row;
    }
    for (const GridVisibleColumn& column : GetVisibleColumns()) {
        if (x >= column.clipLeft && x < column.clipRight) hit.column = column.column;
    }
    if (y < m_headerHeight) {
        if (x < m_rowHeaderWidth) {
            hit.area = GridHitArea::Corner;
            return hit;
        }
        // A divider wins over the heading under it, so a narrow column stays resizable.
        for (const GridVisibleColumn& column : GetVisibleColumns()) {
            if (column.right >= column.clipLeft && x >= column.right - kDividerGrip &&
                x <= column.right + kDividerGrip) {
                hit.area = GridHitArea::ColumnDivider;
                hit.column = column.column;
            }
        }
        if (hit.area == GridHitArea::None && hit.column >= 0) hit.area = GridHitArea::ColumnHeader;
        return hit;
    }
    if (hit.row < 0) return hit;
    if (x < m_rowHeaderWidth) hit.area = GridHitArea::RowHeader;
    else if (hit.column >= 0) hit.area = GridHitArea::Cell;
    return hit;
}

bool GridGeometry::EnsureRowVisible(int row) {
    if (row < 0 || row >= m_rowCount) return false;
    const int before = m_topRow;
    if (row < m_topRow) SetTopRow(row);
    else if (row > m_topRow + GetPageRows() - 1) SetTopRow(row - GetPageRows() + 1);
    return m_topRow != before;
}

bool GridGeometry::EnsureColumnVisible(int column) {
    if (column < GetFrozenColumns() || column >= GetColumnCount()) return false;
    const int before = m_scrollX;
    const int left = ColumnOffset(column);
    const int right = left + m_widths[std::size_t(column)];
    if (left < m_scrollX) SetScrollX(left);
    else if (right > m_scrollX + GetScrollAreaWidth()) SetScrollX(std::min(left, right - GetScrollAreaWidth()));
    return m_scrollX != before;
}
