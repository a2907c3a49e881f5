#pragma once

#include <cstdint>
#include <vector>

#include "base/CString.h"

class CQorDictWordElement;

// The look-up index of a word list: maps a key to an entry, where two keys are
// the same when they are equal after upper-casing a-z. It gives exactly the
// answers of an ordered map keyed by the upper-cased text (replace on set,
// erase by key), but as an open-addressing hash table whose hash and equality
// fold case on the fly: a look-up neither copies nor allocates, and a stored
// key shares its buffer with the entry's original string. Keys come from files
// anyone may write, so the hash is keyed with a per-process random secret:
// without the secret nobody can choose keys that pile up in one probe run.
// A key is its whole length: an embedded NUL is a code unit like any other.
class CWordIndex {
public:
    CWordIndex() = default;
    CWordIndex(const CWordIndex&) = delete;
    CWordIndex& operator=(const CWordIndex&) = delete;

    CQorDictWordElement* Find(const CString& text) const noexcept;
    bool Contains(const CString& text) const noexcept { return Find(text) != nullptr; }
    // index[key] = entry, replacing whatever the key mapped to.
    void Set(const CString& key, CQorDictWordElement* entry);
    // index[key] = entry if the key is not there yet; false, changing nothing, if it is.
    bool Insert(const CString& key, CQorDictWordElement* entry);
    // Insert for each entry in turn under its original string, the first of
    // equal keys winning and an entry without one left out: kept[i] tells
    // whether entries[i] went in. Built for loading whole lists: the table is
    // sized once and probed with look-ahead, and afterwards shrunk if most
    // entries were duplicates.
    void InsertAll(const std::vector<CQorDictWordElement*>& entries, std::vector<char>& kept);
    bool Erase(const CString& key) noexcept;
    void Clear() noexcept;
    void Reserve(std::size_t count);
    std::size_t GetCount() const noexcept { return m_count; }

private:
    struct Slot {
        CString key;
        CQorDictWordElement* entry = nullptr;  // null marks a free slot
        std::uint64_t hash = 0;
    };
    static std::uint64_t Hash(const CString& text) noexcept;
    static bool SameKey(const CString& a, const CString& b) noexcept;
    std::size_t FindSlot(const CString& text, std::uint64_t hash) const noexcept;  // slot or npos
    // The slot holding the key, or else the free slot where it belongs.
    std::size_t Probe(const CString& key, std::uint64_t hash, bool& found) const noexcept;
    void Place(std::size_t slot, CString key, CQorDictWordElement* entry, std::uint64_t hash) noexcept;
    void MakeRoomForOneMore();
    void Grow(std::size_t minimumSlots);
    void Rehash(std::size_t slots);

    std::vector<Slot> m_slots;  // size is zero or a power of two
    std::size_t m_count = 0;
};
