#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// One worksheet as read from a file: its name and its cells as text, kept
// sparse (a cell far away costs one entry, not the rows and columns before it).
class QOR_API CSheetData {
public:
    struct Cell {
        long row;     // 0-based
        long column;  // 0-based
        CString text;
    };

    CSheetData() = default;
    explicit CSheetData(const CString& name) : m_name(name) {}

    const CString& GetName() const noexcept { return m_name; }
    void SetName(const CString& name) { m_name = name; }

    // Cells may come in any order; a later cell replaces an earlier one at
    // the same place. Call Seal once all are in.
    void AddCell(long row, long column, const CString& text) { m_cells.push_back(Cell{row, column, text}); }
    void Seal();

    // The used range: the smallest block holding every cell the file lists,
    // empty ones included (a cell the file lists exists, as in a spreadsheet
    // program, even with nothing in it). 0 by 0 without any cell.
    long GetFirstRow() const noexcept { return m_firstRow; }
    long GetFirstColumn() const noexcept { return m_firstColumn; }
    long GetUsedRowCount() const noexcept { return m_rowCount; }
    long GetUsedColumnCount() const noexcept { return m_columnCount; }

    // The text at a 0-based place; empty where there is no cell.
    const CString& GetText(long row, long column) const;
    const std::vector<Cell>& GetCells() const noexcept { return m_cells; }

private:
    CString m_name;
    std::vector<Cell> m_cells;  // sorted by row, then column, after Seal
    long m_firstRow = 0;
    long m_firstColumn = 0;
    long m_rowCount = 0;
    long m_columnCount = 0;
};

// Every worksheet of a workbook, in the workbook's order.
struct CWorkbookData {
    std::vector<CSheetData> sheets;
};
