#include "sheets/ZipWriter.h"

#include <zlib.h>

#include "base/CFile.h"
#include "sheets/SheetError.h"

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kDataDescriptor = 0x08074b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kFlags = 0x0808;  // sizes in a data descriptor; names in UTF-8
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest zip date
constexpr std::size_t kOutputChunk = 256 * 1024;

void Put16(std::string& out, std::uint32_t value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint64_t value) {
    Put16(out, std::uint32_t(value & 0xFFFF));
    Put16(out, std::uint32_t((value >> 16) & 0xFFFF));
}

}  // namespace

CZipWriter::CZipWriter(CFile& file, int level) : m_file(file), m_level(level), m_deflated(64 * 1024) {}

void CZipWriter::DeflateEnd::operator()(z_stream* stream) const noexcept {
    deflateEnd(stream);
    delete stream;
}

CZipWriter::~CZipWriter() = default;

void CZipWriter::BeginEntry(const std::string& name) {
    if (m_inEntry) EndEntry();
    if (!m_stream) {
        std::unique_ptr<z_stream> stream(new z_stream{});
        if (deflateInit2(stream.get(), m_level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw CSheetException("the compressor could not be started");
        m_stream.reset(stream.release());
    } else {
        deflateReset(m_stream.get());
    }
    m_entries.push_back(Entry{name, std::uint32_t(crc32(0, nullptr, 0)), 0, 0, m_offset});
    m_inEntry = true;

    std::string header;
    Put32(header, kLocalHeader);
    Put16(header, kVersion);
    Put16(header, kFlags);
    Put16(header, kDeflated);
    Put16(header, 0);
    Put16(header, kDosDate);
    Put32(header, 0);  // CRC and sizes: in the data descriptor
    Put32(header, 0);
    Put32(header, 0);
    Put16(header, std::uint32_t(name.size()));
    Put16(header, 0);
    header += name;
    Emit(header.data(), header.size());
}

void CZipWriter::Write(const void* data, std::size_t size) {
    if (!m_inEntry || size == 0) return;
    Entry& entry = m_entries.back();
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    // crc32 takes a 32-bit length.
    for (std::size_t done = 0; done < size;) {
        const std::size_t part = std::min<std::size_t>(size - done, 1u << 30);
        entry.crc = std::uint32_t(crc32(entry.crc, bytes + done, uInt(part)));
        Deflate(bytes + done, part, Z_NO_FLUSH);
        done += part;
    }
    entry.size += size;
}

void CZipWriter::EndEntry() {
    if (!m_inEntry) return;
    Deflate(nullptr, 0, Z_FINISH);
    m_inEntry = false;
    Entry& entry = m_entries.back();
    entry.compressedSize = m_offset - entry.offset - 30 - entry.name.size();
    if (entry.size > 0xFFFFFFFFu || entry.compressedSize > 0xFFFFFFFFu)
        throw CSheetException("the workbook is too large: a part exceeds 4 GiB");
    std::string descriptor;
    Put32(descriptor, kDataDescriptor);
    Put32(descriptor, entry.crc);
    Put32(descriptor, entry.compressedSize);
    Put32(descriptor, entry.size);
    Emit(descriptor.data(), descriptor.size());
}

void CZipWriter::Finish() {
    EndEntry();
    const std::uint64_t directoryStart = m_offset;
    std::string directory;
    for (const Entry& entry : m_entries) {
        Put32(directory, kCentralHeader);
        Put16(directory, kVersion);
        Put16(directory, kVersion);
        Put16(directory, kFlags);
        Put16(directory, kDeflated);
        Put16(directory, 0);
        Put16(directory, kDosDate);
        Put32(directory, entry.crc);
        Put32(directory, entry.compressedSize);
        Put32(directory, entry.size);
        Put16(directory, std::uint32_t(entry.name.size()));
        Put16(directory, 0);  // extra field
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, entry.offset);
        directory += entry.name;
    }
    Emit(directory.data(), directory.size());
    if (m_offset > 0xFFFFFFFFu || m_entries.size() > 0xFFFF)
        throw CSheetException("the workbook is too large: it exceeds 4 GiB");
    std::string end;
    Put32(end, kEndOfDirectory);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, std::uint32_t(m_entries.size()));
    Put16(end, std::uint32_t(m_entries.size()));
    Put32(end, directory.size());
    Put32(end, directoryStart);
    Put16(end, 0);
    Emit(end.data(), end.size());
    FlushOutput();
}

void CZipWriter::Deflate(const unsigned char* data, std::size_t size, int flush) {
    m_stream->next_in = const_cast<Bytef*>(data);
    m_stream->avail_in = uInt(size);
    for (;;) {
        m_stream->next_out = m_deflated.data();
        m_stream->avail_out = uInt(m_deflated.size());
        const int result = deflate(m_stream.get(), flush);
        if (result == Z_STREAM_ERROR) throw CSheetException("the compressor failed");
        Emit(m_deflated.data(), m_deflated.size() - m_stream->avail_out);
        if (flush == Z_FINISH ? result == Z_STREAM_END : (m_stream->avail_in == 0 && m_stream->avail_out != 0))
            break;
    }
}

void CZipWriter::Emit(const void* data, std::size_t size) {
    m_pending.append(static_cast<const char*>(data), size);
    m_offset += size;
    if (m_pending.size() >= kOutputChunk) FlushOutput();
}

void CZipWriter::FlushOutput() {
    if (m_pending.empty()) return;
    m_file.Write(m_pending.data(), m_pending.size());
    m_pending.clear();
}
