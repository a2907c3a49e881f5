#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/CFile.h"
#include "base/Exceptions.h"

namespace {

std::string Describe(const CString& path, const char* what, int error) {
    return "cannot " + std::string(what) + " '" + path.ToUtf8() + "': " + std::strerror(error);
}

}  // namespace

CFile::~CFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool CFile::Open(const CString& path, unsigned flags) {
    Close();
    int mode = (flags & modeWrite) ? O_WRONLY : O_RDONLY;
    if (flags & modeCreate) mode |= O_CREAT | O_TRUNC;
    mode |= O_CLOEXEC;
    int fd;
    do {
        fd = ::open(path.ToUtf8().c_str(), mode, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_openError = Describe(path, "open", errno);
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        m_openError = Describe(path, "open", EISDIR);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_openError.clear();
    return true;
}

bool CFile::IsOpen() const noexcept { return m_fd >= 0; }

void CFile::Close() {
    if (m_fd >= 0) {
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) throw CFileException(Describe(m_path, "close", errno));
    }
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        ssize_t got = ::read(m_fd, out + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw CFileException(Describe(m_path, "read", errno));
        if (got == 0) break;
        total += std::size_t(got);
    }
    return total;
}

void CFile::Write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t put = ::write(m_fd, in, count);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) throw CFileException(Describe(m_path, "write", errno));
        in += put;
        count -= std::size_t(put);
    }
}

void CFile::Flush() {
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
        throw CFileException(Describe(m_path, "flush", errno));
}

std::uint64_t CFile::GetLength() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0) throw CFileException(Describe(m_path, "measure", errno));
    return std::uint64_t(info.st_size);
}

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CString& target) {
    Discard();
    static std::atomic<unsigned> counter{0};
    CString temporary;
    temporary.Format(QSTR("%s.%d-%u.tmp"), target.GetString(), int(::getpid()), counter.fetch_add(1));
    int fd;
    do {
        fd = ::open(temporary.ToUtf8().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_error = Describe(target, "write", errno);
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    struct stat info;
    if (::stat(target.ToUtf8().c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            ::close(fd);
            ::unlink(temporary.ToUtf8().c_str());
            m_error = Describe(target, "write", EISDIR);
            return false;
        }
        (void)::fchmod(fd, info.st_mode & 07777);
    }
    ::close(fd);
    if (!m_file.Open(temporary, CFile::modeWrite)) {
        ::unlink(temporary.ToUtf8().c_str());
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
    if (::rename(m_temporary.ToUtf8().c_str(), m_target.ToUtf8().c_str()) != 0)
        throw CFileException(Describe(m_target, "replace", errno));
    m_open = false;
    // Make the rename itself durable.
    CString folder = m_target;
    int slash = -1;
    for (int i = 0; i < folder.GetLength(); ++i)
        if (folder[i] == '/') slash = i;
    std::string dir = slash > 0 ? folder.Left(slash).ToUtf8() : (slash == 0 ? "/" : ".");
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
}

void CAtomicFileWriter::Discard() noexcept {
    if (!m_open) return;
    m_open = false;
    try {
        m_file.Close();
    } catch (const CException&) {
    }
    ::unlink(m_temporary.ToUtf8().c_str());
}
