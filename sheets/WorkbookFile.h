#pragma once

#include <memory>

#include "base/CString.h"
#include "base/QorApi.h"
#include "sheets/SheetData.h"
#include "sheets/SheetWriter.h"

// Workbook files by name: a name ending in ".csv" (any letter case) is CSV,
// any other name an Office Open XML workbook.
QOR_API bool QorIsCsvPath(const CString& path);

// Reads every worksheet of the file; a CSV file gives one sheet named after
// the file without its folder and extension, which keeps the file's text and
// parses its rows as they are visited. A workbook over 128 MiB or a CSV file
// over 256 MiB is refused. On failure returns false with one English sentence
// in error, and out is left empty.
QOR_API bool QorReadWorkbookFile(const CString& path, CWorkbookData& out, CString& error);

// A writer for the kind of file the name asks for.
QOR_API std::unique_ptr<ISheetWriter> QorCreateSheetWriter(const CString& path);
