#include "sheets/SheetData.h"

#include <algorithm>

#include "sheets/SheetCells.h"

CSheetData::CSheetData() = default;
CSheetData::CSheetData(const CString& name) : m_name(name) {}
CSheetData::CSheetData(const CString& name, std::shared_ptr<const Source> source, long firstRow, long firstColumn,
                       long rows, long columns)
    : m_name(name),
      m_source(std::move(source)),
      m_firstRow(firstRow),
      m_firstColumn(firstColumn),
      m_rowCount(rows),
      m_columnCount(columns) {}
CSheetData::~CSheetData() = default;
CSheetData::CSheetData(const CSheetData&) = default;
CSheetData::CSheetData(CSheetData&&) noexcept = default;
CSheetData& CSheetData::operator=(const CSheetData&) = default;
CSheetData& CSheetData::operator=(CSheetData&&) noexcept = default;

CSheetCells& CSheetData::Cells() {
    if (!m_cells) m_cells = std::make_shared<CSheetCells>();
    else if (m_cells.use_count() > 1) m_cells = std::make_shared<CSheetCells>(*m_cells);  // a copy keeps its cells
    return *m_cells;
}

void CSheetData::AddCell(long row, long column, const CString& text) {
    Cells().Add(row, column, text);
    Widen(row, column);
}

void CSheetData::AddEmptyCell(long row, long column) {
    Cells().Erase(row, column);
    Widen(row, column);
}

void CSheetData::Widen(long row, long column) {
    if (m_rowCount == 0) {
        m_firstRow = row;
        m_firstColumn = column;
        m_rowCount = m_columnCount = 1;
        return;
    }
    const long lastRow = std::max(m_firstRow + m_rowCount - 1, row);
    const long lastColumn = std::max(m_firstColumn + m_columnCount - 1, column);
    m_firstRow = std::min(m_firstRow, row);
    m_firstColumn = std::min(m_firstColumn, column);
    m_rowCount = lastRow - m_firstRow + 1;
    m_columnCount = lastColumn - m_firstColumn + 1;
}

void CSheetData::Seal() {
    if (m_cells) m_cells->Seal();
}

void CSheetData::VisitCells(long firstRow, const CellVisitor& visit) const {
    if (m_source) m_source->VisitCells(firstRow, visit);
    else if (m_cells) m_cells->Visit(firstRow, visit);
}

CString CSheetData::GetText(long row, long column) const {
    if (m_cells) {
        const CString* text = m_cells->Find(row, column);
        return text ? *text : CString();
    }
    CString found;
    VisitCells(row, [&](long r, long c, const CString& text) {
        if (r == row && c == column) found = text;
        return r == row && c < column;
    });
    return found;
}

std::vector<CSheetData::Cell> CSheetData::GetCells() const {
    std::vector<Cell> cells;
    VisitCells(0, [&](long row, long column, const CString& text) {
        cells.push_back(Cell{row, column, text});
        return true;
    });
    return cells;
}

void CSheetData::VisitRows(long firstRow, long endRow, long columns, const RowVisitor& visit) const {
    std::vector<CString> texts(std::size_t(std::max(columns, 0L)));
    long row = firstRow;
    bool stopped = false;
    // Hands over the rows before upTo; only the first of them has texts.
    auto visitUpTo = [&](long upTo) {
        for (; row < upTo && !stopped; ++row) {
            stopped = !visit(row, texts);
            for (CString& text : texts) text.Empty();
        }
    };
    if (firstRow >= endRow) return;
    VisitCells(firstRow, [&](long r, long c, const CString& text) {
        if (r >= endRow) return false;
        visitUpTo(r);
        if (stopped) return false;
        if (c < columns) texts[std::size_t(c)] = text;
        return true;
    });
    visitUpTo(endRow);
}
