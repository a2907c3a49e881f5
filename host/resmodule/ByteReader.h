#pragma once

#include <cstddef>
#include <cstdint>

// Little-endian reads from a byte range that never leave it: a read past the
// end yields zeros and marks the reader failed, so that a parser can read a
// whole record and ask once whether it was all there.
class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size, std::size_t offset = 0) noexcept
        : m_data(data), m_size(size), m_offset(offset) {
        if (offset > size) m_failed = true;
    }

    std::uint8_t U8() noexcept { return std::uint8_t(Take(1)); }
    std::uint16_t U16() noexcept { return std::uint16_t(Take(2)); }
    std::uint32_t U32() noexcept { return std::uint32_t(Take(4)); }
    void Skip(std::size_t count) noexcept {
        if (!Has(count)) Fail();
        else m_offset += count;
    }
    // Moves to the next multiple of four (resource data starts aligned); the
    // padding after the last record may be missing.
    void AlignTo4() noexcept {
        const std::size_t padding = (4 - m_offset % 4) % 4;
        m_offset = Has(padding) ? m_offset + padding : m_size;
    }
    bool Has(std::size_t count) const noexcept { return !m_failed && count <= m_size - m_offset; }
    bool AtEnd() const noexcept { return m_failed || m_offset == m_size; }
    std::size_t Offset() const noexcept { return m_offset; }
    bool Failed() const noexcept { return m_failed; }
    void Fail() noexcept {
        m_failed = true;
        m_offset = m_size;
    }

private:
    std::uint32_t Take(std::size_t bytes) noexcept {
        if (!Has(bytes)) {
            Fail();
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i) value |= std::uint32_t(m_data[m_offset + i]) << (8 * i);
        m_offset += bytes;
        return value;
    }

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_offset;
    bool m_failed = false;
};
