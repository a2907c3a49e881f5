#include "sheets/ZipReader.h"

#include <algorithm>

#include "sheets/SheetError.h"
#include "sheets/ZipPartReader.h"

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::size_t kEndSize = 22;

std::uint32_t Get16(const unsigned char* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t Get32(const unsigned char* p) { return Get16(p) | Get16(p + 2) << 16; }

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y) return false;
    }
    return true;
}

[[noreturn]] void Fail(const std::string& reason) { throw CSheetException(reason); }

}  // namespace

CZipReader::CZipReader(const unsigned char* data, std::size_t size, CZipLimits limits)
    : m_data(data), m_size(size), m_limits(limits) {
    if (size < kEndSize || Get32(data) != kLocalHeader) Fail("the file is not a workbook: it is not a zip archive");
    // The end record sits at the end, before a comment of up to 64 KiB.
    std::size_t end = std::size_t(-1);
    const std::size_t lowest = size > kEndSize + 0xFFFF ? size - kEndSize - 0xFFFF : 0;
    for (std::size_t at = size - kEndSize + 1; at-- > lowest;) {
        if (Get32(data + at) == kEndOfDirectory && at + kEndSize + Get16(data + at + 20) == size) {
            end = at;
            break;
        }
    }
    if (end == std::size_t(-1)) Fail("the workbook is damaged or truncated: its zip directory is missing");
    const unsigned char* record = data + end;
    const std::size_t count = Get16(record + 10);
    const std::uint64_t directorySize = Get32(record + 12);
    const std::uint64_t directoryOffset = Get32(record + 16);
    if (Get16(record + 4) != 0 || Get16(record + 6) != 0 || Get16(record + 8) != count)
        Fail("the workbook is split over several files, which is not supported");
    if (directoryOffset == 0xFFFFFFFFu || count == 0xFFFF)
        Fail("the workbook uses 64-bit zip records, which are not supported");
    if (directoryOffset + directorySize > end) Fail("the workbook is damaged or truncated: its zip directory is cut");
    if (count > m_limits.maxEntries) Fail("the workbook has too many parts");

    std::size_t at = std::size_t(directoryOffset);
    const std::size_t directoryEnd = std::size_t(directoryOffset + directorySize);
    for (std::size_t i = 0; i < count; ++i) {
        if (at + 46 > directoryEnd || Get32(data + at) != kCentralHeader)
            Fail("the workbook is damaged: its zip directory is malformed");
        const unsigned char* h = data + at;
        Entry entry;
        entry.flags = std::uint16_t(Get16(h + 8));
        entry.method = std::uint16_t(Get16(h + 10));
        entry.crc = Get32(h + 16);
        entry.compressedSize = Get32(h + 20);
        entry.size = Get32(h + 24);
        const std::size_t nameLength = Get16(h + 28);
        const std::size_t extraLength = Get16(h + 30);
        const std::size_t commentLength = Get16(h + 32);
        entry.headerOffset = Get32(h + 42);
        if (at + 46 + nameLength + extraLength + commentLength > directoryEnd)
            Fail("the workbook is damaged: its zip directory is malformed");
        entry.name.assign(reinterpret_cast<const char*>(h + 46), nameLength);
        if (entry.compressedSize == 0xFFFFFFFFu || entry.size == 0xFFFFFFFFu || entry.headerOffset == 0xFFFFFFFFu)
            Fail("the workbook uses 64-bit zip records, which are not supported");
        m_entries.push_back(std::move(entry));
        at += 46 + nameLength + extraLength + commentLength;
    }
}

CZipReader::~CZipReader() = default;

const CZipReader::Entry* CZipReader::Find(const std::string& name) const {
    for (const Entry& entry : m_entries)
        if (SameName(entry.name, name)) return &entry;
    return nullptr;
}

bool CZipReader::Has(const std::string& name) const { return Find(name) != nullptr; }

std::unique_ptr<CZipPartReader> CZipReader::Open(const std::string& name) {
    const Entry* entry = Find(name);
    if (!entry) Fail("the workbook has no part \"" + name + "\"");
    const std::string what = "the part \"" + name + "\" of the workbook";
    if (entry->flags & 0x1) Fail(what + " is encrypted");
    if (entry->method != 0 && entry->method != 8) Fail(what + " uses a compression method other than deflate");
    if (entry->headerOffset + 30 > m_size || Get32(m_data + entry->headerOffset) != kLocalHeader)
        Fail("the workbook is damaged or truncated at " + what);
    const unsigned char* local = m_data + entry->headerOffset;
    const std::uint64_t start = entry->headerOffset + 30 + Get16(local + 26) + Get16(local + 28);
    if (start > m_size || entry->compressedSize > m_size - start) Fail("the workbook is truncated at " + what);
    return std::make_unique<CZipPartReader>(*entry, m_data + start, m_limits, m_inflated);
}

std::string CZipReader::Extract(const std::string& name) {
    std::unique_ptr<CZipPartReader> part = Open(name);
    std::string out;
    std::size_t produced = 0;
    for (;;) {
        if (out.size() - produced < 16384) out.resize(std::max<std::size_t>(out.size() * 2, 65536));
        const std::size_t n = part->Read(&out[produced], out.size() - produced);
        if (n == 0) break;
        produced += n;
    }
    out.resize(produced);
    return out;
}
