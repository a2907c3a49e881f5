#include "base/WholeFile.h"

#include <new>

#include "base/CFile.h"
#include "base/Exceptions.h"

bool QorParseWholeFile(const CString& path, std::uint64_t maxSize,
                       const std::function<void(std::string&& bytes)>& parse, CString& error) {
    error.Empty();
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        error = CString::FromNativeText(file.GetOpenError());
        return false;
    }
    try {
        const std::uint64_t length = file.GetLength();
        if (length > maxSize)
            throw CException("the file is too large to read (over " + std::to_string(maxSize >> 20) + " MiB)");
        std::string bytes(std::size_t(length), '\0');
        std::size_t got = 0;
        while (got < length) {
            const std::size_t n = file.Read(&bytes[got], std::size_t(length) - got);
            if (n == 0) break;
            got += n;
        }
        bytes.resize(got);
        parse(std::move(bytes));
        return true;
    } catch (const CFileException& e) {
        error = CString::FromNativeText(e.GetReason());  // names the file already
    } catch (const CException& e) {
        error.Format(QSTR("cannot read '%s': %S"), path.GetString(), e.GetReason().c_str());
    } catch (const std::bad_alloc&) {
        error.Format(QSTR("cannot read '%s': not enough memory"), path.GetString());
    }
    return false;
}
