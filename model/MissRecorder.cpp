#include "model/MissRecorder.h"

#include <new>

#include "base/FoldedTextHash.h"
#include "model/QorDictWordElement.h"
#include "model/QorLanguageDict.h"

std::uint64_t CMissRecorder::Hash(const CString& text) const noexcept { return HashFoldedText(text, m_key); }

bool CMissRecorder::Contains(const CString& text, std::uint64_t hash) const noexcept {
    if (m_slots.empty()) return false;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (!slot.position) return false;
        if (slot.hash == hash) {
            const CString& kept = m_order[slot.position - 1];
            if (kept.GetLength() == text.GetLength() && kept.CompareNoCase(text) == 0) return true;
        }
    }
}

void CMissRecorder::Rehash(std::size_t size) {
    std::vector<Slot> slots(size);
    const std::size_t mask = size - 1;
    for (const Slot& slot : m_slots) {
        if (!slot.position) continue;
        std::size_t i = std::size_t(slot.hash) & mask;
        while (slots[i].position) i = (i + 1) & mask;
        slots[i] = slot;
    }
    m_slots.swap(slots);
}

CMissRecorder::CMissRecorder() : m_key(MakeFoldedTextHashKey()) {}

void CMissRecorder::SetMaxTexts(std::size_t maxTexts) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_maxTexts = maxTexts;
}

CString CMissRecorder::LookUp(const CQorLanguageDict& language, DICTMODE mode, const CString& text) {
    CString shown = language.GetDisplayCharacter(mode, text);
    // Without a translation the language hands the text itself back, so a
    // string of another buffer is a hit and needs no second look.
    if (shown.GetString() != text.GetString() || text.IsEmpty()) return shown;
    if ((mode != DICTMODE_SYSTEM && mode != DICTMODE_PROJECT) || !language.IsEnable()) return shown;
    const std::uint64_t hash = Hash(text);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (Contains(text, hash)) return shown;  // a repeat: no need to ask the language again
    }
    // A translation equal to the text and sharing its buffer looks like a miss.
    const CQorDictWordElement* entry = language.FindWord(mode, text);
    if (!entry || entry->GetDisplayCharacter().IsEmpty()) Insert(text, hash);
    return shown;
}

void CMissRecorder::Insert(const CString& text, std::uint64_t hash) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Contains(text, hash)) return;
    if (m_order.size() >= m_maxTexts) {
        ++m_dropped;
        return;
    }
    // Out of memory, the miss goes unrecorded and the look-up still answers.
    try {
        if ((m_order.size() + 1) * 2 > m_slots.size()) Rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
        m_order.push_back(text);
    } catch (const std::bad_alloc&) {
        ++m_dropped;
        return;
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = std::size_t(hash) & mask;
    while (m_slots[i].position) i = (i + 1) & mask;
    m_slots[i] = Slot{hash, m_order.size()};
}

std::vector<CString> CMissRecorder::GetTexts() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_order;
}

std::size_t CMissRecorder::GetDroppedCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dropped;
}

void CMissRecorder::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_slots.clear();
    m_order.clear();
    m_dropped = 0;
}
