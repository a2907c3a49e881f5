#pragma once

#include "base/CList.h"
#include "base/CString.h"
#include "model/WordIndex.h"

class CArchive;
class CQorDictWordElement;

typedef CList<CQorDictWordElement*, CQorDictWordElement*> CWordElementList;

// A word list: entries in insertion order, owned, with the case-insensitive
// index. Languages hold these directly; CQorDictionaryWord wraps one.
class CDictionaryWordList {
public:
    CDictionaryWordList() = default;
    CDictionaryWordList(const CDictionaryWordList&) = delete;
    CDictionaryWordList& operator=(const CDictionaryWordList&) = delete;
    ~CDictionaryWordList() { Clean(); }

    int AddWord(CQorDictWordElement* entry);
    int RemoveWord(CQorDictWordElement* entry);
    int RemoveWord(const CString& original);
    CQorDictWordElement* FindWord(const CString& original) const noexcept { return m_index.Find(original); }
    int RenameOriginalCharacter(CQorDictWordElement* entry, const CString& newOriginal);
    int RenameOriginalCharacter(const CString& oldOriginal, const CString& newOriginal);
    CString GetDisplayCharacter(const CString& original) const;
    // Deep copy without checks: later duplicates take the index over.
    void CopyFrom(const CDictionaryWordList& source);
    void Clean() noexcept;
    // The word list record of the dictionary file.
    void Serialize(CArchive& ar);
    void Store(CArchive& ar) const;

    CWordElementList m_entries;
    CWordIndex m_index;
};
