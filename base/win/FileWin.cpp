#include <windows.h>

#include <atomic>
#include <string>

#include "base/CFile.h"
#include "base/Exceptions.h"

namespace {

std::string Describe(const CString& path, const char* what, DWORD error) {
    WCHAR* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&message), 0, nullptr);
    CString reason = message ? CString(message) : CString();
    if (message) LocalFree(message);
    reason.Trim();
    if (reason.IsEmpty()) reason.Format(L"error %lu", error);
    return "cannot " + std::string(what) + " '" + path.ToUtf8() + "': " + reason.ToUtf8();
}

}  // namespace

CFile::~CFile() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
}

bool CFile::Open(const CString& path, unsigned flags) {
    Close();
    DWORD access = (flags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    DWORD share = (flags & shareDenyNone) ? (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) : 0;
    DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileW(path.GetString(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_openError = Describe(path, "open", GetLastError());
        return false;
    }
    m_handle = handle;
    m_path = path;
    m_openError.clear();
    return true;
}

bool CFile::IsOpen() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }

void CFile::Close() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) throw CFileException(Describe(m_path, "close", GetLastError()));
    }
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        DWORD chunk = DWORD(count - total > 0x40000000 ? 0x40000000 : count - total);
        DWORD got = 0;
        if (!ReadFile(m_handle, out + total, chunk, &got, nullptr))
            throw CFileException(Describe(m_path, "read", GetLastError()));
        if (got == 0) break;
        total += got;
    }
    return total;
}

void CFile::Write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD chunk = DWORD(count > 0x40000000 ? 0x40000000 : count);
        DWORD put = 0;
        if (!WriteFile(m_handle, in, chunk, &put, nullptr) || put == 0)
            throw CFileException(Describe(m_path, "write", GetLastError()));
        in += put;
        count -= put;
    }
}

void CFile::Flush() {
    if (m_handle != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_handle))
        throw CFileException(Describe(m_path, "flush", GetLastError()));
}

std::uint64_t CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_handle, &size)) throw CFileException(Describe(m_path, "measure", GetLastError()));
    return std::uint64_t(size.QuadPart);
}

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CString& target) {
    Discard();
    DWORD attributes = GetFileAttributesW(target.GetString());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = Describe(target, "write", ERROR_DIRECTORY);
        return false;
    }
    static std::atomic<unsigned> counter{0};
    CString temporary;
    temporary.Format(L"%s.%lu-%u.tmp", target.GetString(), GetCurrentProcessId(), counter.fetch_add(1));
    HANDLE handle = CreateFileW(temporary.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = Describe(target, "write", GetLastError());
        return false;
    }
    CloseHandle(handle);
    if (!m_file.Open(temporary, CFile::modeWrite)) {
        DeleteFileW(temporary.GetString());
        m_error = m_file.GetOpenError();
        return false;
    }
    m_target = target;
    m_temporary = temporary;
    m_open = true;
    return true;
}

void CAtomicFileWriter::Commit() {
    m_file.Flush();
    m_file.Close();
    if (!MoveFileExW(m_temporary.GetString(), m_target.GetString(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw CFileException(Describe(m_target, "replace", GetLastError()));
    m_open = false;
}

void CAtomicFileWriter::Discard() noexcept {
    if (!m_open) return;
    m_open = false;
    try {
        m_file.Close();
    } catch (const CException&) {
    }
    DeleteFileW(m_temporary.GetString());
}
