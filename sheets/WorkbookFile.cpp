#include "sheets/WorkbookFile.h"

#include <string>

#include "base/WholeFile.h"
#include "sheets/CsvReader.h"
#include "sheets/CsvWriter.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"
#include "sheets/XlsxWriter.h"

namespace {

// A workbook is held while it is read, its cells besides (CZipLimits); a CSV
// file's text is what its sheet keeps. Both bound the memory a file can take.
constexpr std::uint64_t kMaxWorkbookSize = 128ull << 20;
constexpr std::uint64_t kMaxCsvSize = 256ull << 20;

CString BaseName(const CString& path) {
    int start = 0;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '/' || path[i] == '\\') start = i + 1;
    CString name = path.Mid(start);
    for (int i = name.GetLength() - 1; i > 0; --i)
        if (name[i] == '.') return name.Left(i);
    return name;
}

}  // namespace

bool QorIsCsvPath(const CString& path) {
    const int n = path.GetLength();
    return n >= 4 && path.Right(4).CompareNoCase(QSTR(".csv")) == 0;
}

bool QorReadWorkbookFile(const CString& path, CWorkbookData& out, CString& error) {
    out.sheets.clear();
    const bool csv = QorIsCsvPath(path);
    const bool read = QorParseWholeFile(path, csv ? kMaxCsvSize : kMaxWorkbookSize, [&](std::string&& bytes) {
        if (csv) {
            out = QorReadCsv(std::move(bytes), BaseName(path).Left(31));
        } else {
            out = QorReadXlsx(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        }
    }, error);
    if (!read) out.sheets.clear();
    return read;
}

std::unique_ptr<ISheetWriter> QorCreateSheetWriter(const CString& path) {
    if (QorIsCsvPath(path)) return std::make_unique<CCsvWriter>();
    return std::make_unique<CXlsxWriter>();
}
