#include "sheets/WorkbookFile.h"

#include <string>

#include "base/CFile.h"
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
    error.Empty();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        error = CString::FromNativeText(file.GetOpenError());
        return false;
    }
    try {
        const bool csv = QorIsCsvPath(path);
        const std::uint64_t length = file.GetLength();
        const std::uint64_t limit = csv ? kMaxCsvSize : kMaxWorkbookSize;
        if (length > limit)
            throw CSheetException("the file is too large to read (over " + std::to_string(limit >> 20) + " MiB)");
        std::string bytes(std::size_t(length), '\0');
        std::size_t got = 0;
        while (got < length) {
            const std::size_t n = file.Read(&bytes[got], std::size_t(length) - got);
            if (n == 0) break;
            got += n;
        }
        bytes.resize(got);
        if (csv) {
            out = QorReadCsv(std::move(bytes), BaseName(path).Left(31));
        } else {
            out = QorReadXlsx(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        }
        return true;
    } catch (const CFileException& e) {
        out.sheets.clear();
        error = CString::FromNativeText(e.GetReason());  // names the file already
        return false;
    } catch (const CException& e) {
        out.sheets.clear();
        error.Format(QSTR("cannot read '%s': %S"), path.GetString(), e.GetReason().c_str());
        return false;
    } catch (const std::bad_alloc&) {
        out.sheets.clear();
        error.Format(QSTR("cannot read '%s': not enough memory"), path.GetString());
        return false;
    }
}

std::unique_ptr<ISheetWriter> QorCreateSheetWriter(const CString& path) {
    if (QorIsCsvPath(path)) return std::make_unique<CCsvWriter>();
    return std::make_unique<CXlsxWriter>();
}
