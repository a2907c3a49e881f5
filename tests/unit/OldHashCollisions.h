#pragma once

// Keys that all share one value of the word index's former hash (FNV-1a over
// the upper-cased code units, then a bijective mix), found the way an attacker
// would: FNV's state after a block depends only on the state before it, so one
// colliding pair of three-unit blocks per position gives 2^positions keys with
// one state.

#include <cstdint>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/CString.h"

inline std::uint32_t OldWordIndexHash(const CString& text) {
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < text.GetLength(); ++i) {
        h ^= std::uint32_t(QorToUpper(text[i]));
        h *= 16777619u;
    }
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    return h;
}

class OldHashCollisions {
public:
    // Keys are the prefix followed by one of two CJK blocks per position.
    OldHashCollisions(const CString& prefix, int positions) : m_prefix(prefix) {
        std::uint32_t state = 2166136261u;
        for (int i = 0; i < prefix.GetLength(); ++i) state = Step(state, QorToUpper(prefix[i]));
        // After a block (a, b, c) the state is (y ^ c) * P with y the state
        // after (a, b); two blocks whose y agree above the low 10 bits collide
        // once their third units make up the difference in those bits.
        for (int p = 0; p < positions; ++p) {
            std::unordered_map<std::uint32_t, std::uint32_t> seen;
            for (std::uint32_t n = 0; n < 65536 && int(m_blocks.size()) == p; ++n) {
                WCHAR a = WCHAR(0x4E00 + n % 4096), b = WCHAR(0x4E00 + n / 4096);
                std::uint32_t y = Step(Step(state, a), b);
                auto hit = seen.emplace(y >> 10, n);
                if (hit.second) continue;
                std::uint32_t m = hit.first->second;
                WCHAR a0 = WCHAR(0x4E00 + m % 4096), b0 = WCHAR(0x4E00 + m / 4096);
                WCHAR difference = WCHAR((Step(Step(state, a0), b0) ^ y) & 1023);
                m_blocks.push_back({Block{{a0, b0, WCHAR(0x5000)}}, Block{{a, b, WCHAR(0x5000 ^ difference)}}});
                state = Step(y, WCHAR(0x5000 ^ difference));
            }
            if (int(m_blocks.size()) != p + 1) throw std::runtime_error("no colliding block found");
        }
    }

    std::size_t Count() const { return std::size_t(1) << m_blocks.size(); }

    // Key number k: bit p picks the block of position p.
    CString Key(std::size_t k) const {
        CString key = m_prefix;
        for (std::size_t p = 0; p < m_blocks.size(); ++p) {
            const Block& block = (k >> p & 1) ? m_blocks[p].second : m_blocks[p].first;
            key.Append(block.units, 3);
        }
        return key;
    }

private:
    struct Block {
        WCHAR units[3];
    };
    static std::uint32_t Step(std::uint32_t h, WCHAR unit) { return (h ^ std::uint32_t(unit)) * 16777619u; }

    CString m_prefix;
    std::vector<std::pair<Block, Block>> m_blocks;
};
