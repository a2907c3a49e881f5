#pragma once

#include <cstddef>
#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"
#include "model/DictMode.h"

class CQorDictionaryManager;

// How gathered texts join a dictionary, apart from where they come from:
// the word page's worker, the function-diagram plug-in and `qordict gather`
// all merge with these rules.

struct GatherCounts {
    int wordsAdded = 0;    // new words in the master list
    int entriesAdded = 0;  // empty entries made for the column languages
};

// Adds each text the master list of `mode` does not know in any letter case,
// with an empty entry (same update time) in every column language whose word
// list of that mode lacks it. Empty and known texts add nothing; languages
// without a column get nothing.
QOR_API GatherCounts MergeGatheredTexts(CQorDictionaryManager& manager, DICTMODE mode,
                                        const std::vector<DWORD>& languageColumns, const CString* texts,
                                        std::size_t count);

// The language that receives function-diagram translations: the first
// column's when there are columns (2048 if it no longer exists), else the
// system default language.
QOR_API DWORD FunctionDiagramTargetLanguage(CQorDictionaryManager& manager,
                                            const std::vector<DWORD>& languageColumns);

struct DiagramPairResult {
    bool wordAdded = false;    // the text is new to the system master list
    bool translated = false;   // the target language's translation was set or changed
};

// One plug-in pair: the text joins the system master list if new, and its
// translation in `targetLanguage` becomes `translation`. A language that
// does not exist takes nothing; an equal translation changes nothing.
QOR_API DiagramPairResult MergeFunctionDiagramPair(CQorDictionaryManager& manager, DWORD targetLanguage,
                                                   const CString& text, const CString& translation);
