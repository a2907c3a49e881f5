#pragma once

#include <cstddef>
#include <new>
#include <vector>

#include "base/Types.h"

// An opaque iterator into a CList, as the framework's POSITION.
struct __POSITION {};
typedef __POSITION* POSITION;

// A doubly linked list with the framework's CList interface. Positions stay
// valid while other elements come and go. FindIndex is O(1): an array of the
// nodes in order is built at the first positional access, kept up to date by
// appends and removals at the tail, and dropped by any other insertion or
// removal until the next positional access, because the word grids address
// rows by index over lists of 100,000 words. A list that is only filled (a
// dictionary being loaded) never pays for the array. As in the framework,
// nodes come from blocks of ten, freed nodes are reused, and the blocks are
// released when the list becomes empty: one allocation per ten elements.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList {
    struct Node : __POSITION {
        Node* next;
        Node* prev;
        TYPE data;
        explicit Node(ARG_TYPE value) : next(nullptr), prev(nullptr), data(value) {}
    };
    static constexpr std::size_t kBlockSize = 10;
    union FreeSlot {
        FreeSlot* nextFree;
        alignas(Node) unsigned char storage[sizeof(Node)];
    };
    struct Block {
        Block* next;
        FreeSlot slots[kBlockSize];
    };

public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

    // Attributes
    std::ptrdiff_t GetCount() const noexcept { return m_count; }
    std::ptrdiff_t GetSize() const noexcept { return m_count; }
    bool IsEmpty() const noexcept { return m_count == 0; }
    TYPE& GetHead() { return m_head->data; }
    const TYPE& GetHead() const { return m_head->data; }
    TYPE& GetTail() { return m_tail->data; }
    const TYPE& GetTail() const { return m_tail->data; }

    // Iteration
    POSITION GetHeadPosition() const noexcept { return m_head; }
    POSITION GetTailPosition() const noexcept { return m_tail; }
    TYPE& GetNext(POSITION& pos) {
        Node* node = static_cast<Node*>(pos);
        pos = node->next;
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const {
        Node* node = static_cast<Node*>(pos);
        pos = node->next;
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos) {
        Node* node = static_cast<Node*>(pos);
        pos = node->prev;
        return node->data;
    }
    TYPE& GetAt(POSITION pos) { return static_cast<Node*>(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return static_cast<Node*>(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { static_cast<Node*>(pos)->data = value; }

    // Searching
    POSITION FindIndex(std::ptrdiff_t index) const {
        if (index < 0 || index >= m_count) return nullptr;
        if (m_indexStale) RebuildIndex();
        return m_byIndex[std::size_t(index)];
    }
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const {
        Node* node = startAfter ? static_cast<Node*>(startAfter)->next : m_head;
        for (; node; node = node->next)
            if (node->data == value) return node;
        return nullptr;
    }

    // Changes
    POSITION AddTail(ARG_TYPE value) {
        Node* node = NewNode(value);
        node->prev = m_tail;
        (m_tail ? m_tail->next : m_head) = node;
        m_tail = node;
        ++m_count;
        if (!m_indexStale) m_byIndex.push_back(node);
        return node;
    }
    POSITION AddHead(ARG_TYPE value) {
        Node* node = NewNode(value);
        node->next = m_head;
        (m_head ? m_head->prev : m_tail) = node;
        m_head = node;
        ++m_count;
        MarkStale();
        return node;
    }
    POSITION InsertBefore(POSITION pos, ARG_TYPE value) {
        if (!pos) return AddHead(value);
        Node* at = static_cast<Node*>(pos);
        Node* node = NewNode(value);
        node->next = at;
        node->prev = at->prev;
        (at->prev ? at->prev->next : m_head) = node;
        at->prev = node;
        ++m_count;
        MarkStale();
        return node;
    }
    void RemoveAt(POSITION pos) {
        Node* node = static_cast<Node*>(pos);
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        --m_count;
        if (!m_indexStale && node == (m_byIndex.empty() ? nullptr : m_byIndex.back()))
            m_byIndex.pop_back();
        else
            MarkStale();
        FreeNode(node);
    }
    TYPE RemoveHead() {
        TYPE value = m_head->data;
        RemoveAt(m_head);
        return value;
    }
    TYPE RemoveTail() {
        TYPE value = m_tail->data;
        RemoveAt(m_tail);
        return value;
    }
    void RemoveAll() noexcept {
        for (Node* node = m_head; node;) {
            Node* next = node->next;
            node->~Node();
            node = next;
        }
        ReleaseBlocks();
        m_head = m_tail = nullptr;
        m_count = 0;
        MarkStale();
    }

private:
    Node* NewNode(ARG_TYPE value) {
        if (!m_free) {
            Block* block = new Block;
            block->next = m_blocks;
            m_blocks = block;
            for (std::size_t i = kBlockSize; i-- > 0;) {  // handed out in address order
                block->slots[i].nextFree = m_free;
                m_free = &block->slots[i];
            }
        }
        FreeSlot* slot = m_free;
        m_free = slot->nextFree;
        try {
            return new (slot->storage) Node(value);
        } catch (...) {
            slot->nextFree = m_free;
            m_free = slot;
            throw;
        }
    }
    void FreeNode(Node* node) noexcept {
        node->~Node();
        auto* slot = reinterpret_cast<FreeSlot*>(node);
        slot->nextFree = m_free;
        m_free = slot;
        if (m_count == 0) ReleaseBlocks();
    }
    void ReleaseBlocks() noexcept {
        while (m_blocks) {
            Block* next = m_blocks->next;
            delete m_blocks;
            m_blocks = next;
        }
        m_free = nullptr;
    }
    void MarkStale() noexcept {
        m_indexStale = true;
        m_byIndex.clear();
    }
    void RebuildIndex() const {
        m_byIndex.clear();
        m_byIndex.reserve(std::size_t(m_count));
        for (Node* node = m_head; node; node = node->next) m_byIndex.push_back(node);
        m_indexStale = false;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    FreeSlot* m_free = nullptr;
    Block* m_blocks = nullptr;
    std::ptrdiff_t m_count = 0;
    mutable std::vector<POSITION> m_byIndex;
    mutable bool m_indexStale = true;
};

// The framework's growable arrays (CDWordArray holds the window handles of
// exception lists, which fit in 32 bits on Windows).
template <class TYPE>
class CArrayOf {
public:
    std::ptrdiff_t GetSize() const noexcept { return std::ptrdiff_t(m_items.size()); }
    std::ptrdiff_t GetCount() const noexcept { return GetSize(); }
    bool IsEmpty() const noexcept { return m_items.empty(); }
    TYPE GetAt(std::ptrdiff_t index) const { return m_items[std::size_t(index)]; }
    TYPE& operator[](std::ptrdiff_t index) { return m_items[std::size_t(index)]; }
    TYPE operator[](std::ptrdiff_t index) const { return m_items[std::size_t(index)]; }
    std::ptrdiff_t Add(TYPE value) {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    void RemoveAt(std::ptrdiff_t index) { m_items.erase(m_items.begin() + index); }
    void RemoveAll() noexcept { m_items.clear(); }

private:
    std::vector<TYPE> m_items;
};

typedef CArrayOf<DWORD> CDWordArray;
