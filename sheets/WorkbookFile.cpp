#include "sheets/WorkbookFile.h"

#include <vector>

#include "base/CFile.h"
#include "sheets/CsvReader.h"
#include "sheets/CsvWriter.h"
#include "sheets/SheetError.h"
#include "sheets/XlsxReader.h"
#include "sheets/XlsxWriter.h"

namespace {

constexpr std::uint64_t kMaxFileSize = 1ull << 30;

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
        error = CString::FromUtf8(file.GetOpenError());
        return false;
    }
    try {
        const std::uint64_t length = file.GetLength();
        if (length > kMaxFileSize) throw CSheetException("the file is too large to read (over 1 GiB)");
        std::vector<unsigned char> bytes(std::size_t(length) + 1);  // +1: data() of an empty file
        std::size_t got = 0;
        while (got < length) {
            const std::size_t n = file.Read(bytes.data() + got, std::size_t(length) - got);
            if (n == 0) break;
            got += n;
        }
        out = QorIsCsvPath(path) ? QorReadCsv(bytes.data(), got, BaseName(path).Left(31))
                                 : QorReadXlsx(bytes.data(), got);
        return true;
    } catch (const CFileException& e) {
        out.sheets.clear();
        error = CString::FromUtf8(e.GetReason());  // names the file already
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
