#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/COleDateTime.h"
#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"

class CFile;

// A buffered binary stream over a CFile in the framework's CArchive byte
// layout (little-endian scalars, length-prefixed UTF-16 strings, OLE dates).
// Every checked read throws CArchiveException when the file ends inside it;
// a string length that cannot fit in the bytes left in the file fails at once,
// before anything is allocated for it.
class QOR_API CArchive {
public:
    enum Mode { store = 0, load = 1 };
    static constexpr unsigned kDefaultBufferSize = 4096;

    CArchive(CFile* file, Mode mode, unsigned bufferSize = kDefaultBufferSize);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();  // abandons unwritten data; call Close to keep it

    bool IsStoring() const noexcept { return m_mode == store; }
    bool IsLoading() const noexcept { return m_mode == load; }
    void Close();  // writes out the buffer when storing
    std::uint64_t GetPosition() const noexcept { return m_consumed + std::uint64_t(m_cur - m_buffer.data()); }
    // Bytes between the read position and the end of the file (loading only).
    std::uint64_t BytesLeft() const noexcept;

    // Unchecked read: fewer bytes than asked at the end of the file.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);

    CArchive& operator<<(int value) { return WriteScalar(std::int32_t(value)); }
    CArchive& operator<<(unsigned value) { return WriteScalar(std::uint32_t(value)); }
#if defined(_WIN32)
    CArchive& operator<<(unsigned long value) { return WriteScalar(std::uint32_t(value)); }
#endif
    CArchive& operator<<(BYTE value) { return WriteScalar(value); }
    CArchive& operator<<(WORD value) { return WriteScalar(value); }
    CArchive& operator<<(double value) { return WriteScalar(value); }
    CArchive& operator<<(const CString& value);
    CArchive& operator<<(const COleDateTime& value);

    CArchive& operator>>(int& value) { return ReadScalar(value); }
    CArchive& operator>>(unsigned& value) { return ReadScalar(value); }
#if defined(_WIN32)
    CArchive& operator>>(unsigned long& value) {
        std::uint32_t raw;
        ReadScalar(raw);
        value = raw;
        return *this;
    }
#endif
    CArchive& operator>>(BYTE& value) { return ReadScalar(value); }
    CArchive& operator>>(WORD& value) { return ReadScalar(value); }
    CArchive& operator>>(double& value) { return ReadScalar(value); }
    CArchive& operator>>(CString& value);
    CArchive& operator>>(COleDateTime& value);

    // Fails at once when a count of records, each at least minimumBytes long,
    // cannot fit in the rest of the file.
    void CheckCount(long long count, unsigned minimumBytes, const char* records);

    // Where the reader is, for messages: the records being read, innermost last.
    void PushContext(const char* record, long long index) { m_context.push_back({record, index}); }
    void PopContext() noexcept { m_context.pop_back(); }
    [[noreturn]] void Fail(int cause, const std::string& what) { Fail(cause, what, GetPosition()); }
    [[noreturn]] void Fail(int cause, const std::string& what, std::uint64_t at);

private:
    template <class T>
    CArchive& WriteScalar(T value) {
        if (std::size_t(m_end - m_cur) >= sizeof(T)) {
            StoreLittleEndian(m_cur, value);
            m_cur += sizeof(T);
        } else {
            unsigned char bytes[sizeof(T)];
            StoreLittleEndian(bytes, value);
            Write(bytes, sizeof(T));
        }
        return *this;
    }
    template <class T>
    CArchive& ReadScalar(T& value) {
        if (std::size_t(m_end - m_cur) >= sizeof(T)) {
            value = LoadLittleEndian<T>(m_cur);
            m_cur += sizeof(T);
        } else {
            unsigned char bytes[sizeof(T)];
            std::uint64_t start = GetPosition();
            if (Read(bytes, sizeof(T)) != sizeof(T)) Fail(0, "the file ends inside a value", start);
            value = LoadLittleEndian<T>(bytes);
        }
        return *this;
    }
    template <class T>
    static void StoreLittleEndian(unsigned char* out, T value) {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        for (std::size_t i = 0; i < sizeof(T); ++i) out[i] = raw[IsLittleEndian() ? i : sizeof(T) - 1 - i];
    }
    template <class T>
    static T LoadLittleEndian(const unsigned char* in) {
        unsigned char raw[sizeof(T)];
        for (std::size_t i = 0; i < sizeof(T); ++i) raw[IsLittleEndian() ? i : sizeof(T) - 1 - i] = in[i];
        T value;
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }
    static bool IsLittleEndian() noexcept {
        const std::uint16_t probe = 1;
        unsigned char first;
        std::memcpy(&first, &probe, 1);
        return first == 1;
    }

    std::uint64_t ReadStringLength(bool& wide);
    void FillBuffer();
    void FlushBuffer();

    CFile* m_file;
    Mode m_mode;
    std::vector<unsigned char> m_buffer;
    unsigned char* m_cur;
    unsigned char* m_end;
    std::uint64_t m_consumed = 0;  // bytes before the buffer's start
    std::uint64_t m_fileLength = 0;
    struct Context {
        const char* record;
        long long index;
    };
    std::vector<Context> m_context;
};

// Names the record being read for the length of a scope.
class CArchiveContext {
public:
    CArchiveContext(CArchive& archive, const char* record, long long index = -1) : m_archive(archive) {
        m_archive.PushContext(record, index);
    }
    ~CArchiveContext() { m_archive.PopContext(); }
    CArchiveContext(const CArchiveContext&) = delete;
    CArchiveContext& operator=(const CArchiveContext&) = delete;

private:
    CArchive& m_archive;
};
