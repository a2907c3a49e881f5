#include "base/CArchive.h"

#include <climits>

#include "base/AnsiCodePage.h"
#include "base/CFile.h"
#include "base/Exceptions.h"

CArchive::CArchive(CFile* file, Mode mode, unsigned bufferSize)
    : m_file(file), m_mode(mode), m_buffer(bufferSize ? bufferSize : kDefaultBufferSize) {
    m_cur = m_buffer.data();
    // A loading buffer starts empty; a storing buffer starts with all of it free.
    m_end = mode == load ? m_cur : m_cur + m_buffer.size();
    if (mode == load) m_fileLength = m_file->GetLength();
}

CArchive::~CArchive() = default;

void CArchive::Close() {
    if (m_mode == store) FlushBuffer();
}

std::uint64_t CArchive::BytesLeft() const noexcept {
    std::uint64_t position = GetPosition();
    return position < m_fileLength ? m_fileLength - position : 0;
}

void CArchive::FillBuffer() {
    m_consumed += std::uint64_t(m_cur - m_buffer.data());
    std::size_t got = m_file->Read(m_buffer.data(), m_buffer.size());
    m_cur = m_buffer.data();
    m_end = m_cur + got;
}

void CArchive::FlushBuffer() {
    std::size_t used = std::size_t(m_cur - m_buffer.data());
    if (used) m_file->Write(m_buffer.data(), used);
    m_consumed += used;
    m_cur = m_buffer.data();
}

std::size_t CArchive::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        if (m_cur == m_end) {
            FillBuffer();
            if (m_cur == m_end) break;
        }
        std::size_t chunk = std::size_t(m_end - m_cur);
        if (chunk > count - total) chunk = count - total;
        std::memcpy(out + total, m_cur, chunk);
        m_cur += chunk;
        total += chunk;
    }
    return total;
}

void CArchive::Write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        if (m_cur == m_end) FlushBuffer();
        std::size_t chunk = std::size_t(m_end - m_cur);
        if (chunk > count) chunk = count;
        std::memcpy(m_cur, in, chunk);
        m_cur += chunk;
        in += chunk;
        count -= chunk;
    }
}

void CArchive::CheckCount(long long count, unsigned minimumBytes, const char* records) {
    if (count > 0 && std::uint64_t(count) > BytesLeft() / minimumBytes)
        Fail(CArchiveException::badLength, "a count of " + std::to_string(count) + " " + records +
                                               " is more than the rest of the file can hold");
}

void CArchive::Fail(int cause, const std::string& what, std::uint64_t at) {
    std::string message = what + " at byte " + std::to_string(at);
    for (auto it = m_context.rbegin(); it != m_context.rend(); ++it) {
        message += it == m_context.rbegin() ? ", inside " : " of ";
        message += it->record;
        if (it->index >= 0) message += " " + std::to_string(it->index + 1);
    }
    throw CArchiveException(CArchiveException::Cause(cause), message);
}

CArchive& CArchive::operator<<(const CString& value) {
    // The Unicode tag, then the shortest length form, then the code units.
    const unsigned char tag[3] = {0xFF, 0xFE, 0xFF};
    Write(tag, 3);
    std::uint64_t n = std::uint64_t(value.GetLength());
    if (n < 0xFF) {
        *this << BYTE(n);
    } else if (n < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(n);
    } else if (n < 0xFFFFFFFF) {
        *this << BYTE(0xFF) << WORD(0xFFFF) << unsigned(n);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << unsigned(0xFFFFFFFF);
        WriteScalar(n);
    }
    const WCHAR* chars = value.GetString();
    if (IsLittleEndian()) {
        Write(chars, std::size_t(n) * 2);
    } else {
        for (std::uint64_t i = 0; i < n; ++i) *this << WORD(chars[i]);
    }
    return *this;
}

std::uint64_t CArchive::ReadStringLength(bool& wide) {
    wide = false;
    BYTE byteLength;
    *this >> byteLength;
    if (byteLength < 0xFF) return byteLength;
    WORD wordLength;
    *this >> wordLength;
    if (wordLength == 0xFFFE) {
        wide = true;
        *this >> byteLength;
        if (byteLength < 0xFF) return byteLength;
        *this >> wordLength;
    }
    // A 16-bit 0xFFFE after the tag is taken as a plain length, as the
    // framework reads it; the writer never produces it.
    if (wordLength < 0xFFFF) return wordLength;
    unsigned longLength;
    *this >> longLength;
    if (longLength < 0xFFFFFFFF) return longLength;
    std::uint64_t hugeLength;
    ReadScalar(hugeLength);
    return hugeLength;
}

CArchive& CArchive::operator>>(CString& value) {
    // Nearly every string of a dictionary is UTF-16 with a one-byte length and
    // lies whole in the buffer: take it from there without the general path.
    if (m_end - m_cur >= 4 && m_cur[0] == 0xFF && m_cur[1] == 0xFE && m_cur[2] == 0xFF && m_cur[3] < 0xFF) {
        int length = m_cur[3];
        std::size_t bytes = std::size_t(length) * 2;
        if (std::size_t(m_end - m_cur) - 4 >= bytes) {
            value = CString::FromLittleEndianUtf16(m_cur + 4, length);
            m_cur += 4 + bytes;
            return *this;
        }
    }
    bool wide;
    std::uint64_t n = ReadStringLength(wide);
    std::uint64_t unit = wide ? 2 : 1;
    if (n > BytesLeft() / unit) Fail(CArchiveException::badLength, "a string of " + std::to_string(n) + (wide ? " UTF-16 code units" : " bytes") + " is longer than the rest of the file");
    if (n > std::uint64_t(INT_MAX) / 2) Fail(CArchiveException::badLength, "a string of " + std::to_string(n) + " characters is too long for memory");
    int length = int(n);
    if (length == 0) {
        value.Empty();
    } else if (wide) {
        CString text;
        WCHAR* buffer = text.GetBuffer(length);
        if (Read(buffer, std::size_t(length) * 2) != std::size_t(length) * 2) {
            text.ReleaseBuffer(0);
            Fail(CArchiveException::endOfFile, "the file ends inside a string");
        }
        if (!IsLittleEndian()) {
            for (int i = 0; i < length; ++i) buffer[i] = WCHAR(LoadLittleEndian<std::uint16_t>(reinterpret_cast<unsigned char*>(buffer + i)));
        }
        text.ReleaseBuffer(length);
        value = std::move(text);
    } else {
        std::string bytes(std::size_t(length), '\0');
        if (Read(&bytes[0], bytes.size()) != bytes.size()) Fail(CArchiveException::endOfFile, "the file ends inside a string");
        value = QorAnsiToString(bytes.data(), bytes.size());
    }
    return *this;
}

CArchive& CArchive::operator<<(const COleDateTime& value) {
    *this << int(value.GetStatus());
    return *this << value.GetValue();
}

CArchive& CArchive::operator>>(COleDateTime& value) {
    int status;
    double dt;
    *this >> status >> dt;
    value.m_status = COleDateTime::DateTimeStatus(status);
    value.m_dt = dt;
    return *this;
}
