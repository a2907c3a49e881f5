#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/QorApi.h"

// Limits against archives built to exhaust memory or time: a part may
// inflate to at most maxPartSize bytes, and beyond the first ratioGrace bytes
// to at most maxRatio times its compressed size; all parts read from one
// archive together to at most maxTotalSize bytes. maxCellMemory bounds what
// the cells and shared strings of a workbook read from it may take.
struct CZipLimits {
    std::uint64_t maxPartSize = 512ull << 20;
    std::uint64_t maxTotalSize = 512ull << 20;
    std::uint64_t maxRatio = 400;
    std::uint64_t ratioGrace = 1ull << 20;
    std::size_t maxEntries = 10000;
    std::uint64_t maxCellMemory = 128ull << 20;
    // Off only for fuzzing, so that mutated bytes reach the XML.
    bool checkCrc = true;
};

class CZipPartReader;

// Reads the parts of a zip archive held in memory. Every failure throws
// CSheetException naming what is wrong (not a zip, truncated, damaged,
// encrypted, an unsupported method, a part over the limits).
class QOR_API CZipReader {
public:
    CZipReader(const unsigned char* data, std::size_t size, CZipLimits limits = CZipLimits());
    ~CZipReader();
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    // Whether a part exists; part names compare without regard to the case of
    // ASCII letters, as package part names do.
    bool Has(const std::string& name) const;
    // The part inflated piece by piece (CSheetException when it is missing).
    // Its bytes count against the archive's total as they come.
    std::unique_ptr<CZipPartReader> Open(const std::string& name);
    // The whole part at once, for small ones.
    std::string Extract(const std::string& name);

    struct Entry {
        std::string name;
        std::uint16_t flags;
        std::uint16_t method;
        std::uint32_t crc;
        std::uint64_t compressedSize;
        std::uint64_t size;
        std::uint64_t headerOffset;
    };

private:
    const Entry* Find(const std::string& name) const;

    const unsigned char* m_data;
    std::size_t m_size;
    CZipLimits m_limits;
    std::vector<Entry> m_entries;
    std::uint64_t m_inflated = 0;  // by every part opened so far
};
