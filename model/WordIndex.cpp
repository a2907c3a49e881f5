#include "model/WordIndex.h"

#include "base/FoldedTextHash.h"
#include "model/QorDictWordElement.h"

#include <utility>

namespace {

constexpr std::size_t npos = std::size_t(-1);
// How far ahead the bulk operations fetch what they will touch.
constexpr std::size_t kAhead = 8;

const CFoldedTextHashKey& Secret() noexcept {
    static const CFoldedTextHashKey secret = MakeFoldedTextHashKey();
    return secret;
}

}  // namespace

std::uint64_t CWordIndex::Hash(const CString& text) noexcept { return HashFoldedText(text, Secret()); }

bool CWordIndex::SameKey(const CString& a, const CString& b) noexcept {
    int n = a.GetLength();
    if (n != b.GetLength()) return false;
    const WCHAR* x = a.GetString();
    const WCHAR* y = b.GetString();
    if (x == y) return true;
    for (int i = 0; i < n; ++i)
        if (x[i] != y[i] && QorToUpper(x[i]) != QorToUpper(y[i])) return false;
    return true;
}

std::size_t CWordIndex::FindSlot(const CString& text, std::uint64_t hash) const noexcept {
    if (m_slots.empty()) return npos;
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (!slot.entry) return npos;
        if (slot.hash == hash && SameKey(slot.key, text)) return i;
    }
}

CQorDictWordElement* CWordIndex::Find(const CString& text) const noexcept {
    std::size_t i = FindSlot(text, Hash(text));
    return i == npos ? nullptr : m_slots[i].entry;
}

std::size_t CWordIndex::Probe(const CString& key, std::uint64_t hash, bool& found) const noexcept {
    std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    for (; m_slots[i].entry; i = (i + 1) & mask) {
        if (m_slots[i].hash == hash && SameKey(m_slots[i].key, key)) {
            found = true;
            return i;
        }
    }
    found = false;
    return i;
}

void CWordIndex::Place(std::size_t slot, CString key, CQorDictWordElement* entry, std::uint64_t hash) noexcept {
    m_slots[slot].key = std::move(key);
    m_slots[slot].entry = entry;
    m_slots[slot].hash = hash;
    ++m_count;
}

void CWordIndex::MakeRoomForOneMore() {
    // Keep the table at most half full so probe runs stay short.
    if ((m_count + 1) * 2 > m_slots.size()) Grow((m_count + 1) * 2);
}

void CWordIndex::Set(const CString& key, CQorDictWordElement* entry) {
    MakeRoomForOneMore();
    std::uint64_t hash = Hash(key);
    bool found;
    std::size_t i = Probe(key, hash, found);
    if (found) m_slots[i].entry = entry;
    else Place(i, key, entry, hash);
}

bool CWordIndex::Insert(const CString& key, CQorDictWordElement* entry) {
    MakeRoomForOneMore();
    std::uint64_t hash = Hash(key);
    bool found;
    std::size_t i = Probe(key, hash, found);
    if (found) return false;
    Place(i, key, entry, hash);
    return true;
}

bool CWordIndex::Erase(const CString& key) noexcept {
    std::size_t i = FindSlot(key, Hash(key));
    if (i == npos) return false;
    // Backward-shift deletion: pull later members of the probe run into the
    // hole so that no tombstones are needed.
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t j = (i + 1) & mask; m_slots[j].entry; j = (j + 1) & mask) {
        std::size_t home = m_slots[j].hash & mask;
        bool movable = (j > i) ? (home <= i || home > j) : (home <= i && home > j);
        if (movable) {
            m_slots[i] = std::move(m_slots[j]);
            m_slots[j].entry = nullptr;
            i = j;
        }
    }
    m_slots[i].key.Empty();
    m_slots[i].entry = nullptr;
    --m_count;
    return true;
}

void CWordIndex::Clear() noexcept {
    // Dropping a key touches its string, and the strings lie in table order,
    // which is random: fetch a few ahead, as InsertAll does.
    const std::size_t n = m_slots.size();
    for (std::size_t i = 0; i < n; ++i) {
#if defined(__GNUC__)
        if (i + kAhead < n) __builtin_prefetch(m_slots[i + kAhead].key.GetString(), 1);
#endif
        m_slots[i].key.Empty();
    }
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_count = 0;
}

void CWordIndex::Reserve(std::size_t count) {
    if (count * 2 > m_slots.size()) Grow(count * 2);
}

void CWordIndex::InsertAll(const std::vector<CQorDictWordElement*>& entries, std::vector<char>& kept) {
    const std::size_t n = entries.size();
    kept.assign(n, 0);
    Reserve(m_count + n);
    std::vector<std::uint64_t> hashes(n);
    for (std::size_t i = 0; i < n; ++i) hashes[i] = Hash(entries[i]->GetOriginalCharacterRef());
    // Each insert lands at a random place in a table far larger than the
    // cache; asking for the slot a few keys ahead hides most of the wait.
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
#if defined(__GNUC__)
        if (i + kAhead < n) __builtin_prefetch(&m_slots[hashes[i + kAhead] & mask], 1);
#endif
        const CString& key = entries[i]->GetOriginalCharacterRef();
        if (key.IsEmpty()) continue;
        bool found;
        std::size_t slot = Probe(key, hashes[i], found);
        if (found) continue;
        Place(slot, key, entries[i], hashes[i]);
        kept[i] = 1;
    }
    // A list of duplicates must not keep the room its dropped entries needed.
    std::size_t fitting = 16;
    while (fitting < m_count * 2) fitting *= 2;
    if (fitting * 4 <= m_slots.size()) Rehash(fitting);
}

void CWordIndex::Grow(std::size_t minimumSlots) {
    std::size_t size = 16;
    while (size < minimumSlots) size *= 2;
    if (size > m_slots.size()) Rehash(size);
}

void CWordIndex::Rehash(std::size_t size) {
    std::vector<Slot> old(size);
    old.swap(m_slots);
    std::size_t mask = size - 1;
    for (Slot& slot : old) {
        if (!slot.entry) continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].entry) i = (i + 1) & mask;
        m_slots[i] = std::move(slot);
    }
}
