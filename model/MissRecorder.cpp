#include "model/MissRecorder.h"

#include <chrono>
#include <new>
#include <random>

#include "base/SipHash.h"
#include "model/QorDictWordElement.h"
#include "model/QorLanguageDict.h"

namespace {

// Texts come from the host's windows and from files anyone may write; a
// secret key keeps them from being chosen to pile up in one probe run.
std::uint64_t RandomWord(int salt) noexcept {
    std::uint64_t word = 0;
    try {
        std::random_device device;
        word = (std::uint64_t(device()) << 32) ^ device();
    } catch (...) {
    }
    return word ^ (std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) * (2 * salt + 1));
}

}  // namespace

std::uint64_t CMissRecorder::Hash(const CString& text) const noexcept {
    SipHasher<1, 3> hasher(m_k0, m_k1);
    const WCHAR* p = text.GetString();
    const int n = text.GetLength();
    int i = 0;
    for (; i + 4 <= n; i += 4)
        hasher.Absorb(std::uint64_t(QorToUpper(p[i])) | std::uint64_t(QorToUpper(p[i + 1])) << 16 |
                      std::uint64_t(QorToUpper(p[i + 2])) << 32 | std::uint64_t(QorToUpper(p[i + 3])) << 48);
    std::uint64_t tail = 0;
    for (int shift = 0; i < n; ++i, shift += 16) tail |= std::uint64_t(QorToUpper(p[i])) << shift;
    return hasher.Finish(tail, std::uint64_t(n) * 2);
}

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

CMissRecorder::CMissRecorder() : m_k0(RandomWord(1)), m_k1(RandomWord(2)) {}

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
