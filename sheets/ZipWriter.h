#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/QorApi.h"

class CFile;
typedef struct z_stream_s z_stream;

// Writes a zip archive front to back without seeking, so that an entry of any
// size streams through a fixed buffer: sizes and CRC follow each entry in a
// data descriptor. Entries are deflated; times are fixed so that the same
// content gives the same bytes. Failures of the file throw CFileException,
// an archive over 4 GiB throws CSheetException (no Zip64).
class QOR_API CZipWriter {
public:
    explicit CZipWriter(CFile& file, int level = 6);
    ~CZipWriter();
    CZipWriter(const CZipWriter&) = delete;
    CZipWriter& operator=(const CZipWriter&) = delete;

    void BeginEntry(const std::string& name);
    void Write(const void* data, std::size_t size);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    void EndEntry();
    // Writes the central directory; the archive is complete after this.
    void Finish();

private:
    struct Entry {
        std::string name;
        std::uint32_t crc;
        std::uint64_t compressedSize;
        std::uint64_t size;
        std::uint64_t offset;
    };
    void Deflate(const unsigned char* data, std::size_t size, int flush);
    void Emit(const void* data, std::size_t size);
    void FlushOutput();

    CFile& m_file;
    int m_level;
    struct DeflateEnd {
        void operator()(z_stream* stream) const noexcept;
    };
    std::unique_ptr<z_stream, DeflateEnd> m_stream;  // started on first use
    std::vector<Entry> m_entries;
    bool m_inEntry = false;
    std::uint64_t m_offset = 0;
    std::vector<unsigned char> m_deflated;  // deflate's output window
    std::string m_pending;                  // bytes waiting for the file
};
