#include "sheets/ZipPartReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "sheets/SheetError.h"

namespace {

[[noreturn]] void Fail(const std::string& reason) { throw CSheetException(reason); }

[[noreturn]] void FailTotal(std::uint64_t limit) {
    Fail("the parts of the workbook inflate to more than " + std::to_string(limit >> 20) +
         " MiB in all, and it is refused as a zip bomb");
}

}  // namespace

void CZipPartReader::InflateEnd::operator()(z_stream* stream) const noexcept {
    inflateEnd(stream);
    delete stream;
}

CZipPartReader::CZipPartReader(const CZipReader::Entry& entry, const unsigned char* input, const CZipLimits& limits,
                               std::uint64_t& total)
    : m_input(input),
      m_stored(entry.method == 0 ? entry.compressedSize : 0),
      m_declared(entry.size),
      m_expectedCrc(entry.crc),
      // A hostile file may lie about its sizes: these bound what comes out.
      m_limit(std::min<std::uint64_t>(limits.maxPartSize,
                                      std::max(limits.ratioGrace, entry.compressedSize * limits.maxRatio))),
      m_totalLimit(limits.maxTotalSize),
      m_checkCrc(limits.checkCrc),
      m_total(total),
      m_crc(std::uint32_t(crc32(0, nullptr, 0))),
      m_what("the part \"" + entry.name + "\" of the workbook") {
    if (entry.size > limits.maxPartSize) Fail(m_what + " is too large to read");
    if (entry.size > m_limit) Fail(m_what + " inflates far beyond its compressed size and is refused as a zip bomb");
    if (m_total + entry.size > m_totalLimit) FailTotal(m_totalLimit);
    if (entry.method == 0) return;
    std::unique_ptr<z_stream> stream(new z_stream{});
    if (inflateInit2(stream.get(), -MAX_WBITS) != Z_OK) Fail("the decompressor could not be started");
    m_stream.reset(stream.release());
    m_stream->next_in = const_cast<Bytef*>(input);
    m_stream->avail_in = uInt(std::min<std::uint64_t>(entry.compressedSize, 0x7FFFFFFF));
}

CZipPartReader::~CZipPartReader() = default;

std::size_t CZipPartReader::Read(char* buffer, std::size_t size) {
    if (m_done || size == 0) return 0;
    // One byte over the limit is enough to know that it is exceeded.
    const std::size_t room = std::size_t(std::min<std::uint64_t>({size, m_limit + 1 - m_produced, 1u << 30}));
    if (!m_stream) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(room, m_stored));
        if (n == 0) {
            Finish();
            return 0;
        }
        std::memcpy(buffer, m_input, n);
        m_input += n;
        m_stored -= n;
        Account(buffer, n);
        return n;
    }
    if (m_ended) {
        Finish();
        return 0;
    }
    for (;;) {
        m_stream->next_out = reinterpret_cast<Bytef*>(buffer);
        m_stream->avail_out = uInt(room);
        const int result = inflate(m_stream.get(), Z_NO_FLUSH);
        const std::size_t n = room - m_stream->avail_out;
        if (result == Z_STREAM_END) {
            m_ended = true;
            Account(buffer, n);
            if (n == 0) Finish();
            return n;
        }
        if (result == Z_BUF_ERROR && m_stream->avail_in == 0) Fail("the workbook is truncated at " + m_what);
        if (result != Z_OK && result != Z_BUF_ERROR) Fail("the workbook is damaged at " + m_what);
        if (n > 0) {
            Account(buffer, n);
            return n;
        }
    }
}

void CZipPartReader::Account(const char* bytes, std::size_t produced) {
    if (m_checkCrc && produced > 0) m_crc = std::uint32_t(crc32(m_crc, reinterpret_cast<const Bytef*>(bytes), uInt(produced)));
    m_produced += produced;
    m_total += produced;
    if (m_produced > m_limit) Fail(m_what + " inflates far beyond its compressed size and is refused as a zip bomb");
    if (m_total > m_totalLimit) FailTotal(m_totalLimit);
}

void CZipPartReader::Finish() {
    m_done = true;
    if (m_produced != m_declared) Fail("the workbook is damaged at " + m_what + ": its size does not match");
    if (m_checkCrc && m_crc != m_expectedCrc) Fail("the workbook is damaged at " + m_what + ": its checksum does not match");
}
