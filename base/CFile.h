#pragma once

#include <cstdint>
#include <string>

#include "base/CString.h"
#include "base/QorApi.h"

// Binary file access: an owned OS handle, closed by the destructor. Open
// reports failure by result and keeps the reason; Read, Write and Flush throw
// CFileException.
class QOR_API CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    bool Open(const CString& path, unsigned flags);
    virtual void Close();
    virtual std::size_t Read(void* buffer, std::size_t count);
    virtual void Write(const void* buffer, std::size_t count);
    // Pushes written data to the device, not only to the OS cache.
    virtual void Flush();
    virtual std::uint64_t GetLength() const;
    // A pipe, terminal or device: no length to know before its end.
    bool IsStream() const;
    void SeekToBegin();
    void SetLength(std::uint64_t length);  // cuts or extends at the end
    bool IsOpen() const noexcept;
    const std::string& GetOpenError() const noexcept { return m_openError; }
    const CString& GetFilePath() const noexcept { return m_path; }

protected:
    CString m_path;  // the name messages give

private:
    friend class CAtomicFileWriter;
    bool OpenShown(const CString& path, unsigned flags, const CString& shown);
#if defined(_WIN32)
    void Attach(void* handle, const CString& shown);
#else
    void Attach(int fd, const CString& shown);
#endif

#if defined(_WIN32)
    void* m_handle = reinterpret_cast<void*>(-1);
#else
    int m_fd = -1;
#endif
    std::string m_openError;
};

// A read-only file over bytes in memory (fuzzing and tests of the file layer).
class QOR_API CMemFile : public CFile {
public:
    CMemFile(const void* data, std::size_t size) : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}
    void Close() override {}
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void*, std::size_t) override;
    void Flush() override {}
    std::uint64_t GetLength() const override { return m_size; }

private:
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Saves a file without ever leaving it half-written and without changing
// what the name stands for:
// - a symbolic link (or a reparse point on Windows) is followed, and the file
//   it leads to is what gets replaced;
// - a regular file is replaced in one step by a complete temporary copy in
//   its folder, which takes over the file's permissions (and its owner and
//   group where the process may set them; on Windows ReplaceFileW keeps the
//   attributes and the security descriptor);
// - a file with other hard links, or one in a folder that takes no new files,
//   is overwritten in place once the new content is complete elsewhere, with
//   a copy of the old content kept in the temporary folder until the new one
//   is on the device (and written back should the overwrite fail);
// - a device, FIFO or other special file is written in place, as a stream.
// Until Commit succeeds a regular target is untouched; a writer destroyed
// without Commit leaves nothing behind. Messages name the caller's path.
class QOR_API CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;
    ~CAtomicFileWriter();

    bool Open(const CString& target);  // false with GetError() when the target cannot be written
    CFile& File() noexcept { return m_file; }
    void Commit();                      // throws CFileException; a regular target is unchanged then
    const std::string& GetError() const noexcept { return m_error; }

private:
    enum class Way { replace, overwrite, stream };
    bool OpenTemporaryBeside();   // Way::replace, in the target's folder
    bool OpenTemporaryElsewhere();  // Way::overwrite, in the temporary folder, nameless where possible
    void Overwrite();             // the in-place commit, shared by the platforms
    void WriteTargetFrom(CFile& content, std::uint64_t length);
    void Discard() noexcept;
    // A new empty file in the temporary folder whose name starts with hint.
    static bool CreateBackupFile(const CString& hint, CFile& file, CString& path, std::string& error);
    static void RemoveFile(const CString& path) noexcept;

    CString m_shown;      // as the caller named it
    CString m_target;     // after following links
    CString m_temporary;  // empty when the temporary file has no name
    CFile m_file;
    std::string m_error;
    Way m_way = Way::replace;
    bool m_open = false;
};
