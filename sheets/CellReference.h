#pragma once

#include <string>

#include "base/QorApi.h"

// Worksheet limits of Office Open XML (Excel 2007 and later).
constexpr long kQorMaxRows = 1048576;
constexpr long kQorMaxColumns = 16384;

// Column letters of a 0-based column index: 0 "A", 25 "Z", 26 "AA", 16383 "XFD".
QOR_API std::string QorColumnName(long column);

// Parses a cell reference such as "B12" (letters, then a row number without
// leading zeros, both inside the worksheet limits) into 0-based indexes.
// False for anything else. A reference that names only a column (as some
// writers do when they leave the row to the enclosing row) is refused too.
QOR_API bool QorParseCellReference(const char* text, std::size_t length, long& row, long& column);
