#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"

// Streams one worksheet of text cells to a file, row by row: a heading row,
// then data rows. The file appears under its name only when Finish succeeds;
// until then an existing file of that name is left as it was. Failures throw
// CException (CFileException, CSheetException) with a reason for the user.
class QOR_API ISheetWriter {
public:
    virtual ~ISheetWriter() = default;
    virtual void Begin(const CString& path, const CString& sheetName, const std::vector<CString>& headings) = 0;
    // Cells beyond the heading count are dropped; missing ones stay empty.
    virtual void AddRow(const std::vector<CString>& cells) = 0;
    virtual void Finish() = 0;
};
