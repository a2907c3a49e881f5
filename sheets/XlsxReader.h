#pragma once

#include <cstddef>

#include "base/QorApi.h"
#include "sheets/SheetData.h"
#include "sheets/ZipReader.h"

// Reads every worksheet of an Office Open XML workbook held in memory, in the
// workbook's order, each cell as the text a spreadsheet program hands out for
// its value:
//   - text (shared, inline or rich text runs) as it is, without phonetic runs;
//   - a number as C's "%.15G" would print it: at most 15 significant digits,
//     no trailing zeros, a point as the decimal separator, and the exponent
//     form from 1E+15 up and below 1E-4 ("42", "0.1", "-2.5", "1E+15",
//     "1.5E-05"); a date is a number too (its serial day count);
//   - a boolean as "True" or "False";
//   - an error value and an ISO 8601 date cell as the text the file holds;
//   - an empty cell as "".
// Chart and dialog sheets are not worksheets and are passed over. A package
// whose main part is not a spreadsheet's workbook (by its relationships,
// content type and root element), or that has no worksheet, is refused, and
// so is one that names a worksheet part twice. Parts are inflated as they are
// scanned, never held whole; the limits bound what they inflate to and what
// the cells kept take. Throws CSheetException for a file that cannot be read,
// and then gives nothing.
QOR_API CWorkbookData QorReadXlsx(const unsigned char* data, std::size_t size, CZipLimits limits = CZipLimits());
