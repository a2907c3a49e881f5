#include "base/FoldedTextHash.h"

#include <chrono>
#include <cstring>
#include <random>

#include "base/SipHash.h"

namespace {

// a-z to A-Z in each of the four 16-bit lanes of a word at once: a lane is
// lower case when its top bit is clear and its low 15 bits lie in 'a'..'z'.
std::uint64_t FoldLanes(std::uint64_t lanes) noexcept {
    constexpr std::uint64_t kTop = 0x8000800080008000u;
    constexpr std::uint64_t kOne = 0x0001000100010001u;
    const std::uint64_t low = lanes & ~kTop;
    const std::uint64_t atLeastA = low + (0x8000 - 'a') * kOne;
    const std::uint64_t pastZ = low + (0x8000 - 'z' - 1) * kOne;
    const std::uint64_t lower = atLeastA & ~pastZ & ~lanes & kTop;
    return lanes - (lower >> 10);  // 0x8000 >> 10 is the 0x20 between the cases
}

}  // namespace

CFoldedTextHashKey MakeFoldedTextHashKey() noexcept {
    std::uint64_t a = 0, b = 0;
    try {
        std::random_device device;
        a = (std::uint64_t(device()) << 32) ^ device();
        b = (std::uint64_t(device()) << 32) ^ device();
    } catch (...) {
    }
    static int anchor;
    a ^= std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    b ^= std::uint64_t(reinterpret_cast<std::uintptr_t>(&anchor)) * 0x9e3779b97f4a7c15u;
    return {a, b};
}

std::uint64_t HashFoldedText(const CString& text, const CFoldedTextHashKey& key) noexcept {
    SipHasher<1, 3> hasher(key.k0, key.k1);
    const WCHAR* p = text.GetString();
    const int n = text.GetLength();
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        // In memory order: on a little-endian machine the UTF-16LE bytes.
        std::uint64_t lanes;
        std::memcpy(&lanes, p + i, sizeof lanes);
        hasher.Absorb(FoldLanes(lanes));
    }
    std::uint64_t tail = 0;
    for (int shift = 0; i < n; ++i, shift += 16) tail |= std::uint64_t(QorToUpper(p[i])) << shift;
    return hasher.Finish(tail, std::uint64_t(n) * 2);
}
