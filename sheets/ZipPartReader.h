#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/QorApi.h"
#include "sheets/ZipReader.h"

typedef struct z_stream_s z_stream;

// One part of a zip archive, inflated front to back into the caller's buffer,
// so that no part has to be held whole. The limits apply to what comes out,
// whatever the archive declares; size and CRC are checked at the end.
class QOR_API CZipPartReader {
public:
    // input: the part's stored bytes; total: what the archive's parts have
    // inflated to so far, which this part adds to.
    CZipPartReader(const CZipReader::Entry& entry, const unsigned char* input, const CZipLimits& limits,
                   std::uint64_t& total);
    ~CZipPartReader();
    CZipPartReader(const CZipPartReader&) = delete;
    CZipPartReader& operator=(const CZipPartReader&) = delete;

    // Up to size bytes; 0 only at the end of the part.
    std::size_t Read(char* buffer, std::size_t size);

private:
    void Account(const char* bytes, std::size_t produced);
    void Finish();

    struct InflateEnd {
        void operator()(z_stream* stream) const noexcept;
    };
    std::unique_ptr<z_stream, InflateEnd> m_stream;  // none for a stored part
    const unsigned char* m_input;
    std::uint64_t m_stored;       // bytes of a stored part not yet handed out
    std::uint64_t m_declared;
    std::uint32_t m_expectedCrc;
    std::uint64_t m_limit;
    std::uint64_t m_totalLimit;
    bool m_checkCrc;
    std::uint64_t& m_total;
    std::uint64_t m_produced = 0;
    std::uint32_t m_crc;
    bool m_ended = false;  // the deflate stream is complete
    bool m_done = false;
    std::string m_what;
};
