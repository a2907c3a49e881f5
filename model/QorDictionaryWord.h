#pragma once

#include <memory>

#include "base/CList.h"
#include "base/CString.h"
#include "base/QorApi.h"

class CArchive;
class CDictionaryWordList;
class CQorDictWordElement;

// A word list: entries in insertion order, found by original string without
// regard to the letter case of a-z. The list owns its entries.
class QOR_API CQorDictionaryWord {
public:
    CQorDictionaryWord();
    ~CQorDictionaryWord();
    CQorDictionaryWord(const CQorDictionaryWord&) = delete;
    void operator=(const CQorDictionaryWord& source);

    void Serialize(CArchive& ar);

    // 1 when appended (the list owns the entry now); 0 for null, an empty
    // original string or a key already present (the caller still owns it).
    int AddWord(CQorDictWordElement* entry);
    int RemoveWord(CQorDictWordElement* entry);
    int RemoveWord(CString original);
    CQorDictWordElement* FindWord(CString original) const;
    int RenameOriginalCharacter(CQorDictWordElement* entry, CString newOriginal);
    int RenameOriginalCharacter(const CString& oldOriginal, const CString& newOriginal);
    // The live list, for iteration and positional access; change it only
    // through the operations above.
    CList<CQorDictWordElement*, CQorDictWordElement*>* GetDictionaryList();
    CString GetDisplayCharacter(const CString& original) const;

private:
    void Clean();

    std::unique_ptr<CDictionaryWordList> m_pList;
};
