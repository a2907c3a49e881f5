#pragma once

#include <cstddef>
#include <string>

#include "base/QorApi.h"
#include "sheets/SheetData.h"

// Reads comma-separated values in UTF-8 (a byte-order mark is skipped) as one
// worksheet of the given name: quoted fields may hold commas, doubled quotes
// and line breaks; records end in CR LF, LF or CR. Empty fields are no cells,
// as when a spreadsheet program opens the file. The whole text is checked
// here, but the sheet keeps it as it is and parses a row when it is visited:
// memory stays near the file's size, not one object per cell.
QOR_API CWorkbookData QorReadCsv(const unsigned char* data, std::size_t size, const CString& sheetName);
QOR_API CWorkbookData QorReadCsv(std::string text, const CString& sheetName);
