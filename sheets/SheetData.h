#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

class CSheetCells;

// One worksheet as read from a file: its name, its used range and the text of
// its cells, kept sparse (a cell far away costs one entry, not the rows and
// columns before it, and an empty cell costs nothing). Copies share the cells.
class QOR_API CSheetData {
public:
    struct Cell {
        long row;     // 0-based
        long column;  // 0-based
        CString text;
    };
    // Returns false to stop.
    using CellVisitor = std::function<bool(long row, long column, const CString& text)>;
    using RowVisitor = std::function<bool(long row, const std::vector<CString>& texts)>;

    // Cells kept in another form and read when asked for, as CSV records.
    class QOR_API Source {
    public:
        virtual ~Source() = default;
        // The cells with a value from firstRow on, row by row and left to right,
        // until visit returns false. Never throws: the text was checked.
        virtual void VisitCells(long firstRow, const CellVisitor& visit) const = 0;
    };

    CSheetData();
    explicit CSheetData(const CString& name);
    // A sheet over a source, whose used range the reader has found.
    CSheetData(const CString& name, std::shared_ptr<const Source> source, long firstRow, long firstColumn, long rows,
               long columns);
    ~CSheetData();
    CSheetData(const CSheetData&);
    CSheetData(CSheetData&&) noexcept;
    CSheetData& operator=(const CSheetData&);
    CSheetData& operator=(CSheetData&&) noexcept;

    const CString& GetName() const noexcept { return m_name; }
    void SetName(const CString& name) { m_name = name; }

    // Cells may come in any order; a later cell replaces an earlier one at
    // the same place. A cell with an empty text is kept like any other; one
    // listed without a value only widens the used range (and erases what was
    // listed at its place), so that it costs nothing. Call Seal once all are in.
    void AddCell(long row, long column, const CString& text);
    void AddEmptyCell(long row, long column);
    void Seal();

    // The used range: the smallest block holding every cell the file lists,
    // empty ones included (a cell the file lists exists, as in a spreadsheet
    // program, even with nothing in it). 0 by 0 without any cell.
    long GetFirstRow() const noexcept { return m_firstRow; }
    long GetFirstColumn() const noexcept { return m_firstColumn; }
    long GetUsedRowCount() const noexcept { return m_rowCount; }
    long GetUsedColumnCount() const noexcept { return m_columnCount; }

    // The text at a 0-based place; empty where there is no cell.
    CString GetText(long row, long column) const;
    // The cells with a value (an empty text too), row by row.
    std::vector<Cell> GetCells() const;
    void VisitCells(long firstRow, const CellVisitor& visit) const;
    // Each row from firstRow up to endRow, empty ones too, with the texts of
    // its columns 0 to columns - 1 ("" where there is no cell), in order,
    // until visit returns false. Rows are read as they are visited.
    void VisitRows(long firstRow, long endRow, long columns, const RowVisitor& visit) const;

private:
    CSheetCells& Cells();
    void Widen(long row, long column);

    CString m_name;
    std::shared_ptr<CSheetCells> m_cells;
    std::shared_ptr<const Source> m_source;
    long m_firstRow = 0;
    long m_firstColumn = 0;
    long m_rowCount = 0;
    long m_columnCount = 0;
};

// Every worksheet of a workbook, in the workbook's order.
struct CWorkbookData {
    std::vector<CSheetData> sheets;
};
