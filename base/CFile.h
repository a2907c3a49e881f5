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
    bool IsOpen() const noexcept;
    const std::string& GetOpenError() const noexcept { return m_openError; }
    const CString& GetFilePath() const noexcept { return m_path; }

protected:
    CString m_path;

private:
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

// Replaces a file without ever leaving it half-written: the new content goes
// to a temporary file in the same folder, which is flushed to the device and
// then moved over the target in one step. Until Commit succeeds the target is
// untouched; a writer destroyed without Commit removes its temporary file.
class QOR_API CAtomicFileWriter {
public:
    CAtomicFileWriter() = default;
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;
    ~CAtomicFileWriter();

    bool Open(const CString& target);  // false with GetError() when the folder cannot take a file
    CFile& File() noexcept { return m_file; }
    void Commit();                      // throws CFileException; the target is unchanged then
    const std::string& GetError() const noexcept { return m_error; }

private:
    void Discard() noexcept;

    CString m_target;
    CString m_temporary;
    CFile m_file;
    std::string m_error;
    bool m_open = false;
};
