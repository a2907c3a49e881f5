#pragma once

#include <atomic>
#include <cstddef>

#include "base/QorApi.h"

// Bulk storage for what a dictionary load creates: millions of small strings
// and entries that are made together and usually die together. While a
// CLoadArena lives on a thread, ArenaAllocate carves memory from
// large blocks instead of the heap; afterwards it goes to the heap as usual.
// Every piece can still be freed on its own, on any thread, with ArenaFree:
// a block counts its live pieces and goes back to the heap with the last one.
// So nothing is ever freed early (a string the host still holds keeps its
// block), and freeing a whole dictionary returns a few large blocks instead of
// millions of small chunks that the allocator would have to coalesce later.

// Memory for an object of the given size (8-byte aligned); never null,
// throws std::bad_alloc.
QOR_API void* ArenaAllocate(std::size_t bytes);
// Frees what ArenaAllocate gave, arena or heap; null is ignored.
QOR_API void ArenaFree(void* memory) noexcept;

// While one lives, ArenaAllocate on its thread carves from it; the one it
// replaced, if any, comes back when it dies. A block whose last piece is freed
// on that thread meanwhile, or on a thread inside a CArenaRecycling for it, is
// kept for the arena's own use rather than given back: a reload frees the old
// dictionary while it reads the new one and refills memory that is already
// mapped instead of faulting in fresh pages. What it has not reused goes back
// to the heap when it dies.
class QOR_API CLoadArena {
public:
    CLoadArena() noexcept;
    ~CLoadArena();
    CLoadArena(const CLoadArena&) = delete;
    CLoadArena& operator=(const CLoadArena&) = delete;

    struct Block;
    // ArenaAllocate's way in, for pieces small enough to share a block.
    void* Allocate(std::size_t bytes);
    // ArenaFree's way out for a dead block; any thread.
    void Keep(Block* block) noexcept;

private:
    void CloseBlock() noexcept;
    void* NewBlockMemory();

    CLoadArena* m_previous;
    Block* m_block = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_carved = 0;  // pieces cut from m_block so far
    // Dead blocks: m_kept as they come in from any thread, m_spare once this
    // thread has taken them over.
    std::atomic<Block*> m_kept{nullptr};
    Block* m_spare = nullptr;
};

// While one lives on a thread, blocks that die there go to the given arena,
// which must outlive it, instead of the heap.
class QOR_API CArenaRecycling {
public:
    explicit CArenaRecycling(CLoadArena& arena) noexcept;
    ~CArenaRecycling();
    CArenaRecycling(const CArenaRecycling&) = delete;
    CArenaRecycling& operator=(const CArenaRecycling&) = delete;

private:
    CLoadArena* m_previous;
};
