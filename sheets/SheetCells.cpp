#include "sheets/SheetCells.h"

#include <algorithm>

namespace {

// 20 bits of row and 14 of column (kQorMaxRows, kQorMaxColumns), 29 of
// listing order and one that marks an erasure.
constexpr int kLowBits = 30;
constexpr std::uint64_t kMaxOrder = (1ull << (kLowBits - 1)) - 1;
constexpr std::uint64_t kErases = 1;
constexpr std::size_t kSmallErasures = 4096;

std::uint64_t Place(long row, long column) { return std::uint64_t(row) << 14 | std::uint64_t(column); }
std::uint64_t PlaceOf(std::uint64_t key) { return key >> kLowBits; }

}  // namespace

void CSheetCells::Add(long row, long column, const CString& text) {
    const std::uint64_t place = Place(row, column);
    m_lastKeptPlace = std::max(m_lastKeptPlace, std::int64_t(place));
    Push(place, text, false);
}

void CSheetCells::Erase(long row, long column) {
    const std::uint64_t place = Place(row, column);
    // Nothing with a value was listed there: nothing to erase.
    if (std::int64_t(place) > m_lastKeptPlace) return;
    ++m_erasures;
    Push(place, CString(), true);
}

void CSheetCells::Push(std::uint64_t place, const CString& text, bool erases) {
    if (!m_cells.empty() && PlaceOf(m_cells.back().key) >= place) m_sorted = false;
    m_cells.push_back(Stored{place << kLowBits | m_order++ << 1 | (erases ? kErases : 0), text});
    // Erasures never outgrow the cells they may erase.
    if (m_erasures > std::max(kSmallErasures, m_cells.size() - m_erasures) || m_order > kMaxOrder) Seal();
}

void CSheetCells::Seal() {
    if (!m_sorted || m_erasures > 0) {
        std::sort(m_cells.begin(), m_cells.end(), [](const Stored& a, const Stored& b) { return a.key < b.key; });
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_cells.size();) {
            std::size_t last = i;
            while (last + 1 < m_cells.size() && PlaceOf(m_cells[last + 1].key) == PlaceOf(m_cells[i].key)) ++last;
            if (!(m_cells[last].key & kErases)) {
                m_cells[kept].key = PlaceOf(m_cells[last].key) << kLowBits;
                if (kept != last) m_cells[kept].text = std::move(m_cells[last].text);
                ++kept;
            }
            i = last + 1;
        }
        m_cells.erase(m_cells.begin() + std::ptrdiff_t(kept), m_cells.end());
    }
    // What is kept is older than anything listed from now on.
    m_order = 1;
    m_erasures = 0;
    m_sorted = true;
    m_lastKeptPlace = m_cells.empty() ? -1 : std::int64_t(PlaceOf(m_cells.back().key));
}

const CString* CSheetCells::Find(long row, long column) const {
    const std::uint64_t place = Place(row, column);
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), place, [](const Stored& cell, std::uint64_t p) { return PlaceOf(cell.key) < p; });
    if (it == m_cells.end() || PlaceOf(it->key) != place) return nullptr;
    return &it->text;
}

void CSheetCells::Visit(long firstRow, const CSheetData::CellVisitor& visit) const {
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), Place(firstRow, 0), [](const Stored& cell, std::uint64_t p) { return PlaceOf(cell.key) < p; });
    for (; it != m_cells.end(); ++it) {
        const std::uint64_t place = PlaceOf(it->key);
        if (!visit(long(place >> 14), long(place & 0x3FFF), it->text)) return;
    }
}
