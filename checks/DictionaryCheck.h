#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "checks/TranslationCheck.h"
#include "model/DictMode.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// Which part of a dictionary to check.
struct CCheckScope {
    DWORD languageId = 0;  // 0: every language
    bool system = true;
    bool project = true;
};

// One word of one language and mode, as the checks saw it.
struct CCheckedWord {
    DWORD languageId = 0;
    DICTMODE mode = DICTMODE_SYSTEM;
    CString original;
    CString translation;        // empty when the language has none
    bool hasEntry = false;      // the language has an entry, perhaps an empty one
    bool inMasterList = false;  // false for an entry whose word the master list lacks
    std::vector<CCheckFinding> findings;
};

// Checks a dictionary's translations against their originals. A language with
// no translation at all in a mode (the originals' own language, or one not
// begun) is not told it is untranslated word by word. The checker remembers
// which languages have begun: make a new one after the dictionary changed
// (it costs nothing until asked).
class QOR_API CDictionaryChecker {
public:
    explicit CDictionaryChecker(CQorDictionaryManager& manager);

    // Every word in scope: languages in list order, system before project; the
    // master list's words in order, then the entries of the language that the
    // master list lacks (they are shown all the same).
    void ForEachWord(const CCheckScope& scope, const std::function<void(const CCheckedWord&)>& visit);

    // One cell of a word grid: a look-up in each language, no walk.
    std::vector<CCheckFinding> CheckCell(DICTMODE mode, DWORD languageId, const CString& original);
    // The same for a translation not stored yet (a cell being edited).
    std::vector<CCheckFinding> CheckCell(DICTMODE mode, DWORD languageId, const CString& original,
                                         const CString& translation);

private:
    bool HasBegun(CQorLanguageDict* language, DICTMODE mode);
    void WalkMode(CQorLanguageDict* language, DICTMODE mode, const std::function<void(const CCheckedWord&)>& visit);

    CQorDictionaryManager& m_manager;
    std::map<std::pair<DWORD, int>, bool> m_begun;
};
