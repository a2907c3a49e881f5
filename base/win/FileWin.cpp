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
    return "cannot " + std::string(what) + " '" + path.ToNativeText() + "': " + reason.ToUtf8();
}

}  // namespace

CFile::~CFile() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
}

bool CFile::Open(const CString& path, unsigned flags) { return OpenShown(path, flags, path); }

bool CFile::OpenShown(const CString& path, unsigned flags, const CString& shown) {
    Close();
    DWORD access = (flags & modeReadWrite) ? GENERIC_READ | GENERIC_WRITE : (flags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    DWORD share = (flags & shareDenyNone) ? (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) : 0;
    DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileW(path.GetString(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_openError = Describe(shown, "open", GetLastError());
        return false;
    }
    Attach(handle, shown);
    return true;
}

void CFile::Attach(void* handle, const CString& shown) {
    Close();
    m_handle = handle;
    m_path = shown;
    m_openError.clear();
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

bool CFile::IsStream() const { return GetFileType(m_handle) != FILE_TYPE_DISK; }

void CFile::SeekToBegin() {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(m_handle, zero, nullptr, FILE_BEGIN)) throw CFileException(Describe(m_path, "read", GetLastError()));
}

void CFile::SetLength(std::uint64_t length) {
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(length);
    if (!SetFilePointerEx(m_handle, end, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle))
        throw CFileException(Describe(m_path, "write", GetLastError()));
}

namespace {

CString FolderOf(const CString& path) {
    int slash = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (path[i] == '\\' || path[i] == '/') slash = i;
    return slash < 0 ? CString(L".") : path.Left(slash);  // "C:" for "C:\\x": the caller adds the separator
}

CString TemporaryFolder() {
    WCHAR buffer[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    CString folder = length ? CString(buffer, int(length)) : CString(L".");
    if (folder.GetLength() > 1 && (folder[folder.GetLength() - 1] == '\\')) folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

// Short names, so that a target near the length limit still has room.
HANDLE CreateExclusive(const CString& prefix, const CString& ending, DWORD flags, CString& made) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        made.Format(L"%s%08lx%s", prefix.GetString(),
                    (unsigned long)((GetTickCount() * 2654435761u) ^ (GetCurrentProcessId() << 16) ^ counter.fetch_add(1)),
                    ending.GetString());
        HANDLE handle = CreateFileW(made.GetString(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool CAtomicFileWriter::CreateBackupFile(const CString& hint, CFile& file, CString& path, std::string& error) {
    HANDLE handle = CreateExclusive(TemporaryFolder() + L"\\" + hint.Left(200) + L".backup-", CString(), 0, path);
    if (handle == INVALID_HANDLE_VALUE) {
        error = Describe(TemporaryFolder(), "write a copy of the old content into", GetLastError());
        return false;
    }
    file.Attach(handle, path);
    return true;
}

void CAtomicFileWriter::RemoveFile(const CString& path) noexcept { DeleteFileW(path.GetString()); }

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CString& target) {
    Discard();
    m_shown = target;
    m_target = target;
    // Opening the name follows links and reparse points; the final path is
    // what gets replaced.
    HANDLE probe = CreateFileW(target.GetString(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const bool exists = probe != INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info{};
    DWORD type = FILE_TYPE_DISK;
    if (exists) {
        type = GetFileType(probe);
        if (type == FILE_TYPE_DISK) {
            GetFileInformationByHandle(probe, &info);
            WCHAR final[32768];
            DWORD length = GetFinalPathNameByHandleW(probe, final, 32768, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            if (length > 0 && length < 32768) m_target = CString(final, int(length));
        }
        CloseHandle(probe);
    }
    if (exists && type == FILE_TYPE_DISK && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_error = Describe(target, "write", ERROR_DIRECTORY);
        return false;
    }
    if (exists && type != FILE_TYPE_DISK) {
        // A device or pipe such as NUL or CON: the data goes into it.
        if (!m_file.OpenShown(target, CFile::modeWrite | CFile::shareDenyNone, target)) {
            m_error = m_file.GetOpenError();
            return false;
        }
        m_way = Way::stream;
        m_open = true;
        return true;
    }
    if (!exists || info.nNumberOfLinks <= 1) {
        if (OpenTemporaryBeside()) return true;
        if (!exists || GetLastError() != ERROR_ACCESS_DENIED) return false;
    }
    return OpenTemporaryElsewhere();
}

bool CAtomicFileWriter::OpenTemporaryBeside() {
    CString made;
    HANDLE handle = CreateExclusive(FolderOf(m_target) + L"\\.qor-", L".tmp", 0, made);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        m_error = Describe(m_shown, "write", error);
        SetLastError(error);
        return false;
    }
    m_temporary = made;
    m_file.Attach(handle, m_shown);
    m_way = Way::replace;
    m_open = true;
    return true;
}

bool CAtomicFileWriter::OpenTemporaryElsewhere() {
    HANDLE probe = CreateFileW(m_target.GetString(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        m_error = Describe(m_shown, "write", GetLastError());
        return false;
    }
    CloseHandle(probe);
    CString made;
    HANDLE handle = CreateExclusive(TemporaryFolder() + L"\\qor-", L".tmp", FILE_FLAG_DELETE_ON_CLOSE, made);
    if (handle == INVALID_HANDLE_VALUE) {
        const std::string what = "write the new content of '" + m_shown.ToNativeText() + "' into";
        m_error = Describe(TemporaryFolder(), what.c_str(), GetLastError());
        return false;
    }
    m_temporary.Empty();  // gone with its handle
    m_file.Attach(handle, m_shown);
    m_way = Way::overwrite;
    m_open = true;
    return true;
}

void CAtomicFileWriter::Commit() {
    if (m_way == Way::overwrite) {
        Overwrite();
        m_file.Close();
        m_open = false;
        return;
    }
    m_file.Flush();
    m_file.Close();
    if (m_way == Way::stream) {
        m_open = false;
        return;
    }
    // A target someone holds open refuses the replacement; asked first, as
    // a failing ReplaceFileW may leave its own temporary file behind.
    HANDLE held = CreateFileW(m_target.GetString(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw CFileException(Describe(m_shown, "replace", GetLastError()));
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    // ReplaceFileW keeps the target's attributes and security descriptor.
    BOOL moved = GetFileAttributesW(m_target.GetString()) != INVALID_FILE_ATTRIBUTES
                     ? ReplaceFileW(m_target.GetString(), m_temporary.GetString(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)
                     : MoveFileExW(m_temporary.GetString(), m_target.GetString(), MOVEFILE_WRITE_THROUGH);
    if (!moved) throw CFileException(Describe(m_shown, "replace", GetLastError()));
    m_open = false;
}

void CAtomicFileWriter::Discard() noexcept {
    if (!m_open) return;
    m_open = false;
    try {
        m_file.Close();
    } catch (const CException&) {
    }
    if (m_way == Way::replace) RemoveFile(m_temporary);
}
