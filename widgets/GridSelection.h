#pragma once

#include <vector>

#include "base/QorApi.h"

// Rows first..last, both included.
struct GridRowRange {
    int first = 0;
    int last = 0;
    bool operator==(const GridRowRange& other) const { return first == other.first && last == other.last; }
};

// Rows whose selected state changed, and to what.
struct GridSelectionChange {
    GridRowRange rows;
    bool selected = false;
    bool operator==(const GridSelectionChange& other) const {
        return rows == other.rows && selected == other.selected;
    }
};

using GridSelectionChanges = std::vector<GridSelectionChange>;

enum class GridKey { Up, Down, Left, Right, PageUp, PageDown, Home, End };

// Which rows of a virtual grid are selected, kept as sorted disjoint ranges so
// that selecting a million rows costs one range; plus the current cell and
// the anchor a Shift-extension starts from. Every change reports the ranges
// that changed state.
class QOR_API GridSelection {
public:
    void SetRowCount(int count);  // rows beyond the end leave the selection
    void SetColumnCount(int count);
    int GetRowCount() const { return m_rowCount; }

    bool IsSelected(int row) const;
    long long GetSelectedCount() const;
    const std::vector<GridRowRange>& GetRanges() const { return m_ranges; }

    int GetCurrentRow() const { return m_currentRow; }  // -1: none
    int GetCurrentColumn() const { return m_currentColumn; }
    int GetAnchorRow() const { return m_anchorRow; }
    // Moves the current cell alone; the selection stays.
    void SetCurrent(int row, int column);

    // A click on a cell (or, column -1, on a row's number).
    GridSelectionChanges Click(int row, int column, bool shift, bool ctrl);
    // A key press: moves the current cell; Shift extends from the anchor, Ctrl
    // moves without touching the selection.
    GridSelectionChanges Navigate(GridKey key, int pageRows, bool shift, bool ctrl);
    GridSelectionChanges SelectAll();
    GridSelectionChanges Clear();
    GridSelectionChanges SelectOnly(int row);
    GridSelectionChanges AddRow(int row);

    // The cell a key leads to from the current one, inside the grid.
    void Target(GridKey key, int pageRows, int& row, int& column) const;

private:
    GridSelectionChanges Replace(std::vector<GridRowRange> ranges);
    bool ValidRow(int row) const { return row >= 0 && row < m_rowCount; }
    int ClampColumn(int column) const;

    std::vector<GridRowRange> m_ranges;
    int m_rowCount = 0;
    int m_columnCount = 0;
    int m_currentRow = -1;
    int m_currentColumn = -1;
    int m_anchorRow = -1;
};

// Range-set arithmetic the selection is built on (sorted, disjoint, merged).
QOR_API std::vector<GridRowRange> GridRangesWith(std::vector<GridRowRange> ranges, GridRowRange added);
QOR_API std::vector<GridRowRange> GridRangesWithout(const std::vector<GridRowRange>& ranges, GridRowRange removed);
QOR_API GridSelectionChanges GridRangesDiff(const std::vector<GridRowRange>& before,
                                            const std::vector<GridRowRange>& after);
