#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "base/CString.h"
#include "base/FoldedTextHash.h"
#include "model/DictMode.h"

class CQorLanguageDict;

// The texts that look-ups found no translation for, for a host that wants to
// know what its translators still lack. Each text is kept once (two texts are
// the same when they are equal after upper-casing a-z, as dictionary keys
// are), in the order first seen, up to a bound; what comes after the bound is
// only counted. Held by the manager, which keeps the switch; any thread may
// look up while another records or reads.
class CMissRecorder {
public:
    CMissRecorder();
    CMissRecorder(const CMissRecorder&) = delete;
    CMissRecorder& operator=(const CMissRecorder&) = delete;

    // A smaller bound drops nothing already kept.
    void SetMaxTexts(std::size_t maxTexts);

    // The language's answer for the text; records the text when the language
    // is enabled and holds no translation for it (no entry, or an empty one).
    CString LookUp(const CQorLanguageDict& language, DICTMODE mode, const CString& text);

    std::vector<CString> GetTexts() const;
    // Misses not kept because the bound was reached; a text missed again
    // counts again, since nothing remembers it.
    std::size_t GetDroppedCount() const;
    void Clear();

private:
    // An open-addressing table over m_order: one probe usually settles a
    // repeat, and the texts are not copied.
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t position = 0;  // in m_order, plus one; 0 marks a free slot
    };
    std::uint64_t Hash(const CString& text) const noexcept;
    bool Contains(const CString& text, std::uint64_t hash) const noexcept;
    void Rehash(std::size_t size);
    void Insert(const CString& text, std::uint64_t hash);

    const CFoldedTextHashKey m_key;
    mutable std::mutex m_mutex;
    std::size_t m_maxTexts = 0;
    std::vector<CString> m_order;
    std::vector<Slot> m_slots;  // size zero or a power of two, at most half full
    std::size_t m_dropped = 0;
};
