#pragma once

#include <vector>

#include "base/QorApi.h"
#include "widgets/PixelRect.h"

// Where a point of a grid's client area falls.
enum class GridHitArea { None, Corner, ColumnHeader, ColumnDivider, RowHeader, Cell };

struct GridHit {
    GridHitArea area = GridHitArea::None;
    int row = -1;     // -1 outside the rows
    int column = -1;  // -1 outside the columns; for a divider, the column it ends
};

// A column on screen: its full extent and the part of it that shows.
struct GridVisibleColumn {
    int column = 0;
    int left = 0;   // full extent, may lie outside the client area
    int right = 0;
    int clipLeft = 0;  // shown part
    int clipRight = 0;
};

// The layout of a virtual grid: a header band on top, a row-number band on
// the left, leading frozen columns that never scroll sideways, then the other
// columns scrolled by a pixel offset. Rows have one height and scroll by whole
// rows, so where any row lies is arithmetic, whatever the row count.
class QOR_API GridGeometry {
public:
    static constexpr int kMinColumnWidth = 8;
    static constexpr int kDividerGrip = 3;  // pixels either side of a header divider

    void SetClientSize(int width, int height);
    void SetRowHeight(int height);
    void SetHeaderHeight(int height);
    void SetRowHeaderWidth(int width);
    void SetRowCount(int count);
    void SetFrozenColumns(int count);

    void InsertColumn(int position, int width);  // position out of range appends
    void DeleteAllColumns();
    void SetColumnWidth(int column, int width);  // never below kMinColumnWidth

    int GetClientWidth() const { return m_clientWidth; }
    int GetClientHeight() const { return m_clientHeight; }
    int GetRowHeight() const { return m_rowHeight; }
    int GetHeaderHeight() const { return m_headerHeight; }
    int GetRowHeaderWidth() const { return m_rowHeaderWidth; }
    int GetRowCount() const { return m_rowCount; }
    int GetColumnCount() const { return int(m_widths.size()); }
    int GetColumnWidth(int column) const;
    // Frozen columns actually in effect (never more than there are columns).
    int GetFrozenColumns() const;

    // Rows that fit whole in the data area (at least 1), rows touched by it.
    int GetPageRows() const;
    int GetVisibleRowSlots() const;
    int GetTopRow() const { return m_topRow; }
    int GetMaxTopRow() const;
    void SetTopRow(int row);  // clamped
    // Last row drawn (partly or whole); -1 without rows.
    int GetLastVisibleRow() const;

    int GetScrollX() const { return m_scrollX; }
    int GetScrollableWidth() const;  // width of the non-frozen columns together
    int GetScrollAreaLeft() const;   // where scrolled columns start on screen
    int GetScrollAreaWidth() const;
    int GetMaxScrollX() const;
    void SetScrollX(int x);  // clamped

    // The columns that show, frozen ones first, each with its shown part.
    std::vector<GridVisibleColumn> GetVisibleColumns() const;
    // The whole cell of (row, column) on screen; may lie outside the client area.
    PixelRect GetCellRect(int row, int column) const;
    // Left and right edge of a column on screen, before clipping.
    int GetColumnLeft(int column) const;

    GridHit HitTest(int x, int y) const;

    // Scroll so that the row (the column) shows whole; true when it moved.
    bool EnsureRowVisible(int row);
    bool EnsureColumnVisible(int column);

private:
    void Clamp();
    int ColumnOffset(int column) const;  // from its band's start: frozen or scrolled

    std::vector<int> m_widths;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_rowHeight = 20;
    int m_headerHeight = 0;
    int m_rowHeaderWidth = 0;
    int m_rowCount = 0;
    int m_frozen = 0;
    int m_topRow = 0;
    int m_scrollX = 0;
};
