#include "base/LoadArena.h"

#include <atomic>
#include <cstdlib>
#include <initializer_list>
#include <new>

namespace {

constexpr std::size_t kBlockBytes = std::size_t(64) << 10;
// Larger pieces go to the heap: they are few, and a block should hold many.
constexpr std::size_t kLargestPiece = kBlockBytes / 8;
// Added to a block's count while the arena still cuts from it, so that the
// count cannot reach zero before the arena has said how many pieces it made.
constexpr std::size_t kOpen = std::size_t(1) << (sizeof(std::size_t) * 8 - 2);

thread_local CLoadArena* t_current = nullptr;
thread_local CLoadArena* t_recycleTo = nullptr;

// Every piece starts with the block it came from, or null for the heap.
struct Piece {
    CLoadArena::Block* block;
};
static_assert(sizeof(Piece) == 8, "pieces keep 8-byte alignment");

constexpr std::size_t Rounded(std::size_t bytes) noexcept { return (bytes + 7) & ~std::size_t(7); }

}  // namespace

struct CLoadArena::Block {
    std::atomic<std::size_t> live{kOpen};
    Block* nextDead = nullptr;  // in an arena's list of blocks to reuse
    alignas(8) char pieces[1];
};

CLoadArena::CLoadArena() noexcept : m_previous(t_current) { t_current = this; }

CLoadArena::~CLoadArena() {
    CloseBlock();
    t_current = m_previous;
    for (Block* list : {m_spare, m_kept.exchange(nullptr, std::memory_order_acquire)}) {
        while (list) {
            Block* next = list->nextDead;
            std::free(list);
            list = next;
        }
    }
}

void CLoadArena::Keep(Block* block) noexcept {
    Block* head = m_kept.load(std::memory_order_relaxed);
    do {
        block->nextDead = head;
    } while (!m_kept.compare_exchange_weak(head, block, std::memory_order_release, std::memory_order_relaxed));
}

void* CLoadArena::NewBlockMemory() {
    if (!m_spare) m_spare = m_kept.exchange(nullptr, std::memory_order_acquire);
    if (m_spare) {
        Block* block = m_spare;
        m_spare = block->nextDead;
        return block;
    }
    void* memory = std::malloc(kBlockBytes);
    if (!memory) throw std::bad_alloc();
    return memory;
}

CArenaRecycling::CArenaRecycling(CLoadArena& arena) noexcept : m_previous(t_recycleTo) { t_recycleTo = &arena; }

CArenaRecycling::~CArenaRecycling() { t_recycleTo = m_previous; }

void CLoadArena::CloseBlock() noexcept {
    if (!m_block) return;
    // Unsigned arithmetic: adds the pieces made and takes the bias away.
    std::size_t before = m_block->live.fetch_add(m_carved - kOpen, std::memory_order_acq_rel);
    if (before + (m_carved - kOpen) == 0) Keep(m_block);
    m_block = nullptr;
    m_next = m_end = nullptr;
    m_carved = 0;
}

void* CLoadArena::Allocate(std::size_t bytes) {
    std::size_t need = sizeof(Piece) + Rounded(bytes);
    if (std::size_t(m_end - m_next) < need) {
        void* memory = NewBlockMemory();
        CloseBlock();
        m_block = new (memory) Block;
        m_next = m_block->pieces;
        m_end = static_cast<char*>(memory) + kBlockBytes;
    }
    auto* piece = reinterpret_cast<Piece*>(m_next);
    piece->block = m_block;
    m_next += need;
    ++m_carved;
    return piece + 1;
}

void* ArenaAllocate(std::size_t bytes) {
    CLoadArena* arena = t_current;
    if (arena && bytes <= kLargestPiece) return arena->Allocate(bytes);
    if (bytes > std::size_t(-1) - sizeof(Piece)) throw std::bad_alloc();
    auto* piece = static_cast<Piece*>(std::malloc(sizeof(Piece) + bytes));
    if (!piece) throw std::bad_alloc();
    piece->block = nullptr;
    return piece + 1;
}

void ArenaFree(void* memory) noexcept {
    if (!memory) return;
    Piece* piece = static_cast<Piece*>(memory) - 1;
    CLoadArena::Block* block = piece->block;
    if (!block) {
        std::free(piece);
        return;
    }
    if (block->live.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    if (CLoadArena* arena = t_recycleTo ? t_recycleTo : t_current) arena->Keep(block);
    else std::free(block);
}
