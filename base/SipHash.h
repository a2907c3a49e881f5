#pragma once

#include <cstdint>

// SipHash with C compression and D finalisation rounds, fed whole 64-bit
// little-endian words so that callers can fold or widen their input on the
// fly without a buffer. The last word carries the remaining bytes and the
// total length in its top byte, as the algorithm defines it.
template <int C, int D>
class SipHasher {
public:
    SipHasher(std::uint64_t k0, std::uint64_t k1) noexcept
        : v0(k0 ^ 0x736f6d6570736575u), v1(k1 ^ 0x646f72616e646f6du),
          v2(k0 ^ 0x6c7967656e657261u), v3(k1 ^ 0x7465646279746573u) {}

    void Absorb(std::uint64_t word) noexcept {
        v3 ^= word;
        for (int i = 0; i < C; ++i) Round();
        v0 ^= word;
    }

    // tail: the 0-7 bytes after the last whole word, in its low bytes.
    std::uint64_t Finish(std::uint64_t tail, std::uint64_t totalBytes) noexcept {
        Absorb(tail | (totalBytes & 0xffu) << 56);
        v2 ^= 0xff;
        for (int i = 0; i < D; ++i) Round();
        return v0 ^ v1 ^ v2 ^ v3;
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int r) noexcept { return (x << r) | (x >> (64 - r)); }
    void Round() noexcept {
        v0 += v1; v1 = Rotl(v1, 13); v1 ^= v0; v0 = Rotl(v0, 32);
        v2 += v3; v3 = Rotl(v3, 16); v3 ^= v2;
        v0 += v3; v3 = Rotl(v3, 21); v3 ^= v0;
        v2 += v1; v1 = Rotl(v1, 17); v1 ^= v2; v2 = Rotl(v2, 32);
    }
    std::uint64_t v0, v1, v2, v3;
};
