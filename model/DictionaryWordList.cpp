#include "model/DictionaryWordList.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/CArchive.h"
#include "model/QorDictWordElement.h"

int CDictionaryWordList::AddWord(CQorDictWordElement* entry) {
    if (!entry) return 0;
    CString original = entry->GetOriginalCharacter();
    if (original.IsEmpty() || !m_index.Insert(original, entry)) return 0;
    try {
        m_entries.AddTail(entry);
    } catch (...) {
        m_index.Erase(original);  // the caller keeps the entry
        throw;
    }
    return 1;
}

int CDictionaryWordList::RemoveWord(CQorDictWordElement* entry) {
    if (!entry) return 0;
    POSITION pos = m_entries.Find(entry);
    if (!pos) return 0;
    m_index.Erase(entry->GetOriginalCharacter());
    m_entries.RemoveAt(pos);
    delete entry;
    return 1;
}

int CDictionaryWordList::RemoveWord(const CString& original) {
    CQorDictWordElement* entry = m_index.Find(original);
    return entry ? RemoveWord(entry) : 0;
}

int CDictionaryWordList::RenameOriginalCharacter(CQorDictWordElement* entry, const CString& newOriginal) {
    if (!entry) return 0;
    CString oldOriginal = entry->GetOriginalCharacter();
    if (oldOriginal.Compare(newOriginal) == 0) return 0;
    entry->SetOriginalCharacter(newOriginal);
    m_index.Erase(oldOriginal);
    m_index.Set(newOriginal, entry);
    return 1;
}

int CDictionaryWordList::RenameOriginalCharacter(const CString& oldOriginal, const CString& newOriginal) {
    CQorDictWordElement* entry = m_index.Find(oldOriginal);
    return entry ? RenameOriginalCharacter(entry, newOriginal) : 0;
}

CString CDictionaryWordList::GetDisplayCharacter(const CString& original) const {
    const CQorDictWordElement* entry = m_index.Find(original);
    if (!entry) return original;
    CString display = entry->GetDisplayCharacter();
    return display.IsEmpty() ? original : display;
}

void CDictionaryWordList::CopyFrom(const CDictionaryWordList& source) {
    if (this == &source) return;
    Clean();
    m_index.Reserve(std::size_t(source.m_entries.GetCount()));
    for (POSITION pos = source.m_entries.GetHeadPosition(); pos;) {
        const CQorDictWordElement* from = source.m_entries.GetNext(pos);
        std::unique_ptr<CQorDictWordElement> copy(new CQorDictWordElement);
        *copy = *from;
        CQorDictWordElement* entry = copy.release();
        m_entries.AddTail(entry);
        m_index.Set(entry->GetOriginalCharacter(), entry);
    }
}

void CDictionaryWordList::Clean() noexcept {
    // The index first: then the strings die in the entries' order, which is
    // the order they were made in.
    m_index.Clear();
    while (!m_entries.IsEmpty()) delete m_entries.RemoveHead();
}

void CDictionaryWordList::Store(CArchive& ar) const {
    ar << 1 << int(m_entries.GetCount());
    for (POSITION pos = m_entries.GetHeadPosition(); pos;) m_entries.GetNext(pos)->Serialize(ar);
}

void CDictionaryWordList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }
    Clean();
    int marker, count;
    ar >> marker;
    if (marker < 1) return;
    ar >> count;
    ar.CheckCount(count, 4, "entries");
    // All entries are read before any is indexed, so that the index is sized
    // once by what the file holds rather than grown step by step or sized by
    // the count it claims. What the index does not keep is deleted here.
    std::vector<CQorDictWordElement*> read;
    struct DeleteUnkept {
        std::vector<CQorDictWordElement*>& entries;
        ~DeleteUnkept() {
            for (CQorDictWordElement* entry : entries) delete entry;
        }
    } deleteUnkept{read};
    if (count > 0) read.reserve(std::size_t(count));  // bounded above; a negative count reads as none
    for (int i = 0; i < count; ++i) {
        CArchiveContext where(ar, "entry", i);
        std::unique_ptr<CQorDictWordElement> entry(new CQorDictWordElement);
        entry->Serialize(ar);
        read.push_back(entry.release());
    }
    std::vector<char> kept;
    try {
        // The first of several entries with one key wins; one without a key is dropped.
        m_index.InsertAll(read, kept);
        for (std::size_t i = 0; i < read.size(); ++i) {
            if (!kept[i]) continue;
            m_entries.AddTail(read[i]);
            read[i] = nullptr;
        }
    } catch (...) {
        Clean();  // the index may name entries that read still owns
        throw;
    }
}
