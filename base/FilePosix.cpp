#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/CFile.h"
#include "base/Exceptions.h"

namespace {

std::string Describe(const CString& path, const char* what, int error) {
    return "cannot " + std::string(what) + " '" + path.ToNativeText() + "': " + std::strerror(error);
}

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A write past the file-size limit raises SIGXFSZ, which kills the process
// and leaves a temporary file behind. Blocked on this thread for the call,
// the write fails with EFBIG instead, and the signal it raised is consumed.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld() noexcept {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_previous);
        sigset_t pending;
        m_wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    }
    ~FileSizeSignalHeld() {
        if (!m_wasPending) {
            sigset_t pending;
            const timespec now{0, 0};
            while (sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1 &&
                   sigtimedwait(&m_set, nullptr, &now) == SIGXFSZ) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }

private:
    sigset_t m_set, m_previous;
    bool m_wasPending = false;
};

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links by their text, so that a dangling link still leads
// to the name to create. Fails with ELOOP as the system would.
bool FollowLinks(std::string& path, int& error) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(std::size_t(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        ssize_t length = ::readlink(path.c_str(), &link[0], link.size());
        if (length < 0) {
            error = errno;
            return false;
        }
        link.resize(std::size_t(length));
        path = (!link.empty() && link[0] == '/') ? link : FolderOf(path) + "/" + link;
    }
    error = ELOOP;
    return false;
}

// Short names, so that a target near the length limit still has room.
std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    unsigned long long seed = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                              (std::uint64_t(::getpid()) << 32) ^ (std::uint64_t(counter.fetch_add(1)) * 0x9e3779b97f4a7c15u);
    std::string suffix;
    for (int i = 0; i < 6; ++i, seed /= 36) suffix += digits[seed % 36];
    return suffix;
}

int CreateExclusive(const std::string& prefix, const std::string& ending, mode_t mode, std::string& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = prefix + UniqueSuffix() + ending;
        int fd = OpenRetrying(made, O_RDWR | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

}  // namespace

CFile::~CFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool CFile::Open(const CString& path, unsigned flags) { return OpenShown(path, flags, path); }

bool CFile::OpenShown(const CString& path, unsigned flags, const CString& shown) {
    Close();
    int mode = (flags & modeReadWrite) ? O_RDWR : (flags & modeWrite) ? O_WRONLY : O_RDONLY;
    if (flags & modeCreate) mode |= O_CREAT | O_TRUNC;
    int fd = OpenRetrying(path.ToNativeText(), mode, 0666);
    if (fd < 0) {
        m_openError = Describe(shown, "open", errno);
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        m_openError = Describe(shown, "open", EISDIR);
        return false;
    }
    Attach(fd, shown);
    return true;
}

void CFile::Attach(int fd, const CString& shown) {
    Close();
    m_fd = fd;
    m_path = shown;
    m_openError.clear();
}

bool CFile::IsOpen() const noexcept { return m_fd >= 0; }

void CFile::Close() {
    if (m_fd >= 0) {
        int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && errno != EINTR) throw CFileException(Describe(m_path, "close", errno));
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
    FileSizeSignalHeld held;
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
    // Pipes, terminals and some devices cannot be synchronised; that is no failure.
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        throw CFileException(Describe(m_path, "flush", errno));
}

std::uint64_t CFile::GetLength() const {
    struct stat info;
    if (::fstat(m_fd, &info) != 0) throw CFileException(Describe(m_path, "measure", errno));
    return std::uint64_t(info.st_size);
}

bool CFile::IsStream() const {
    struct stat info;
    return ::fstat(m_fd, &info) == 0 && !S_ISREG(info.st_mode);
}

void CFile::SeekToBegin() {
    if (::lseek(m_fd, 0, SEEK_SET) != 0) throw CFileException(Describe(m_path, "read", errno));
}

void CFile::SetLength(std::uint64_t length) {
    FileSizeSignalHeld held;
    int result;
    do {
        result = ::ftruncate(m_fd, off_t(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0) throw CFileException(Describe(m_path, "write", errno));
}

bool CAtomicFileWriter::CreateBackupFile(const CString& hint, CFile& file, CString& path, std::string& error) {
    std::string name = hint.ToNativeText().substr(0, 200);
    std::string made;
    int fd = CreateExclusive(TemporaryFolder() + "/" + name + ".backup-", "", 0600, made);
    if (fd < 0) {
        error = std::string("no room for a copy of the old content in ") + TemporaryFolder() + ": " + std::strerror(errno);
        return false;
    }
    path = CString::FromNativeText(made);
    file.Attach(fd, path);
    return true;
}

void CAtomicFileWriter::RemoveFile(const CString& path) noexcept { ::unlink(path.ToNativeText().c_str()); }

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CString& target) {
    Discard();
    m_shown = target;
    std::string real = target.ToNativeText();
    int error = 0;
    if (!FollowLinks(real, error)) {
        m_error = Describe(target, "write", error);
        return false;
    }
    struct stat info, given;
    bool exists = ::stat(real.c_str(), &info) == 0;
    if (::stat(m_shown.ToNativeText().c_str(), &given) == 0 &&
        (!exists || info.st_dev != given.st_dev || info.st_ino != given.st_ino)) {
        // A link whose text is no path, such as /dev/stdout's in /proc: only
        // the system can follow it, so the file is written through the name.
        real = m_shown.ToNativeText();
        info = given;
        exists = true;
        m_target = m_shown;
        if (S_ISREG(info.st_mode)) return OpenTemporaryElsewhere();
    }
    m_target = CString::FromNativeText(real);
    if (exists && S_ISDIR(info.st_mode)) {
        m_error = Describe(target, "write", EISDIR);
        return false;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or FIFO: the node must stay, so the data goes into it.
        int fd = OpenRetrying(real, O_WRONLY);
        if (fd < 0) {
            m_error = Describe(target, "write", errno);
            return false;
        }
        m_file.Attach(fd, target);
        m_way = Way::stream;
        m_open = true;
        return true;
    }
    if (!exists || info.st_nlink == 1) {
        if (OpenTemporaryBeside()) return true;
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        if (!exists || !folderRefuses) return false;
    }
    return OpenTemporaryElsewhere();
}

bool CAtomicFileWriter::OpenTemporaryBeside() {
    const std::string real = m_target.ToNativeText();
    std::string made;
    int fd = CreateExclusive(FolderOf(real) + "/.qor-", ".tmp", 0666, made);
    if (fd < 0) {
        int error = errno;
        m_error = Describe(m_shown, "write", error);
        errno = error;
        return false;
    }
    struct stat info;
    if (::stat(real.c_str(), &info) == 0) {
        // Owner first: changing it may clear the set-user-ID bits that fchmod restores.
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) (void)::fchown(fd, uid_t(-1), info.st_gid);
        (void)::fchmod(fd, info.st_mode & 07777);
    }
    m_temporary = CString::FromNativeText(made);
    m_file.Attach(fd, m_shown);
    m_way = Way::replace;
    m_open = true;
    return true;
}

bool CAtomicFileWriter::OpenTemporaryElsewhere() {
    // The target itself must take writing, or there is no point in preparing.
    int probe = OpenRetrying(m_target.ToNativeText(), O_WRONLY);
    if (probe < 0) {
        m_error = Describe(m_shown, "write", errno);
        return false;
    }
    ::close(probe);
    const std::string folder = TemporaryFolder();
    int fd = -1;
#ifdef O_TMPFILE
    fd = OpenRetrying(folder, O_RDWR | O_TMPFILE, 0600);
#endif
    if (fd < 0) {
        std::string made;
        fd = CreateExclusive(folder + "/qor-", ".tmp", 0600, made);
        if (fd >= 0) ::unlink(made.c_str());
    }
    if (fd < 0) {
        m_error = "cannot write '" + m_shown.ToNativeText() + "': no room for the new content in " + folder + ": " +
                  std::strerror(errno);
        return false;
    }
    m_temporary.Empty();
    m_file.Attach(fd, m_shown);
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
    const std::string real = m_target.ToNativeText();
    if (::rename(m_temporary.ToNativeText().c_str(), real.c_str()) != 0)
        throw CFileException(Describe(m_shown, "replace", errno));
    m_open = false;
    // Make the rename itself durable.
    int folder = OpenRetrying(FolderOf(real), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
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
