#include "sheets/CsvReader.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "sheets/CellReference.h"
#include "sheets/SheetError.h"

namespace {

// Walks the fields from the record that starts at `at`, row `row`: onRecord(row,
// at) at each record, onField(row, column, text) for each field with text,
// until onField returns false.
template <class OnRecord, class OnField>
void ParseCsv(std::string_view data, std::size_t at, long row, OnRecord onRecord, OnField onField) {
    const std::size_t size = data.size();
    std::size_t i = at;
    long column = 0;
    std::string field;
    while (i < size) {
        if (column == 0) onRecord(row, i);
        field.clear();
        if (data[i] == '"') {
            ++i;
            for (;;) {
                if (i >= size) throw CSheetException("the CSV file ends inside a quoted field");
                if (data[i] == '"') {
                    if (i + 1 < size && data[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                // Up to the next quote at once.
                const std::size_t quote = std::min(data.find('"', i), size);
                field.append(data.data() + i, quote - i);
                i = quote;
            }
        }
        // Unquoted text, or what follows a closing quote, up to the delimiter.
        const std::size_t end = std::min(data.find_first_of(",\r\n", i), size);
        field.append(data.data() + i, end - i);
        i = end;
        if (column >= kQorMaxColumns) throw CSheetException("the CSV file has more columns than a worksheet holds");
        if (row >= kQorMaxRows) throw CSheetException("the CSV file has more rows than a worksheet holds");
        if (!field.empty() && !onField(row, column, field)) return;
        if (i < size && data[i] == ',') {
            ++i;
            ++column;
            if (i == size) break;  // a trailing comma ends with an empty field
            continue;
        }
        if (i < size && data[i] == '\r') ++i;
        if (i < size && data[i] == '\n') ++i;
        ++row;
        column = 0;
    }
}

class CCsvSource final : public CSheetData::Source {
public:
    CCsvSource(std::string text, std::vector<std::uint32_t> recordStarts)
        : m_text(std::move(text)), m_recordStarts(std::move(recordStarts)) {}

    void VisitCells(long firstRow, const CSheetData::CellVisitor& visit) const override {
        if (firstRow < 0) firstRow = 0;
        if (std::size_t(firstRow) >= m_recordStarts.size()) return;
        ParseCsv(m_text, m_recordStarts[std::size_t(firstRow)], firstRow, [](long, std::size_t) {},
                 [&](long row, long column, const std::string& field) {
                     return visit(row, column, CString::FromUtf8(field));
                 });
    }

private:
    std::string m_text;
    std::vector<std::uint32_t> m_recordStarts;  // by row
};

}  // namespace

CWorkbookData QorReadCsv(std::string text, const CString& sheetName) {
    if (text.size() > UINT32_MAX) throw CSheetException("the CSV file is too large to read");
    const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::vector<std::uint32_t> recordStarts;
    long firstRow = -1, lastRow = -1, firstColumn = -1, lastColumn = -1;
    ParseCsv(text, start, 0, [&](long, std::size_t at) { recordStarts.push_back(std::uint32_t(at)); },
             [&](long row, long column, const std::string&) {
                 if (firstRow < 0) firstRow = row, firstColumn = lastColumn = column;
                 lastRow = row;
                 firstColumn = std::min(firstColumn, column);
                 lastColumn = std::max(lastColumn, column);
                 return true;
             });
    recordStarts.shrink_to_fit();
    auto source = std::make_shared<CCsvSource>(std::move(text), std::move(recordStarts));
    CWorkbookData workbook;
    if (firstRow < 0)
        workbook.sheets.emplace_back(sheetName);
    else
        workbook.sheets.emplace_back(sheetName, std::move(source), firstRow, firstColumn, lastRow - firstRow + 1,
                                     lastColumn - firstColumn + 1);
    return workbook;
}

CWorkbookData QorReadCsv(const unsigned char* data, std::size_t size, const CString& sheetName) {
    return QorReadCsv(std::string(reinterpret_cast<const char*>(data), size), sheetName);
}
