#include "PngWriter.h"

#include <zlib.h>

namespace {

void PutU32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(value >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char type[4], const std::vector<unsigned char>& data) {
    PutU32(out, std::uint32_t(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + start, uInt(out.size() - start));
    PutU32(out, std::uint32_t(crc));
}

}  // namespace

std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
    // Each row is preceded by its filter type; 0 (none) keeps this simple.
    std::size_t stride = std::size_t(width) * 3;
    std::vector<unsigned char> raw;
    raw.reserve((stride + 1) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + std::ptrdiff_t(stride * y), rgb.begin() + std::ptrdiff_t(stride * (y + 1)));
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK) return {};
    packed.resize(packedSize);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutU32(header, std::uint32_t(width));
    PutU32(header, std::uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}
