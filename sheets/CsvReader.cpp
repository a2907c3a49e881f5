#include "sheets/CsvReader.h"

#include <string>

#include "sheets/CellReference.h"
#include "sheets/SheetError.h"

CWorkbookData QorReadCsv(const unsigned char* bytes, std::size_t size, const CString& sheetName) {
    const char* data = reinterpret_cast<const char*>(bytes);
    std::size_t i = size >= 3 && data[0] == '\xEF' && data[1] == '\xBB' && data[2] == '\xBF' ? 3 : 0;
    CSheetData sheet(sheetName);
    long row = 0;
    long column = 0;
    std::string field;
    while (i < size) {
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
                field += data[i++];
            }
        }
        // Unquoted text, or what follows a closing quote, up to the delimiter.
        while (i < size && data[i] != ',' && data[i] != '\r' && data[i] != '\n') field += data[i++];
        if (column >= kQorMaxColumns) throw CSheetException("the CSV file has more columns than a worksheet holds");
        if (row >= kQorMaxRows) throw CSheetException("the CSV file has more rows than a worksheet holds");
        if (!field.empty()) sheet.AddCell(row, column, CString::FromUtf8(field));
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
    sheet.Seal();
    CWorkbookData workbook;
    workbook.sheets.push_back(std::move(sheet));
    return workbook;
}
