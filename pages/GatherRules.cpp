#include "pages/GatherRules.h"

#include <memory>

#include "base/COleDateTime.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {
constexpr DWORD kChineseSimplifiedNeutral = 2048;

CQorDictionaryWord* MasterList(CQorDictionaryManager& manager, DICTMODE mode) {
    return mode == DICTMODE_SYSTEM ? manager.GetSysDictWord() : manager.GetProjectDictWord();
}

std::unique_ptr<CQorDictWordElement> NewEntry(const CString& original, const CString& display,
                                              const COleDateTime& time) {
    auto entry = std::make_unique<CQorDictWordElement>();
    entry->SetOriginalCharacter(original);
    entry->SetDisplayCharacter(display);
    entry->SetUpdateDateTime(time);
    return entry;
}

// AddWord takes ownership only when it accepts.
bool Offer(CQorLanguageDict& language, DICTMODE mode, std::unique_ptr<CQorDictWordElement> entry) {
    if (!language.AddWord(mode, entry.get())) return false;
    entry.release();
    return true;
}
}  // namespace

GatherCounts MergeGatheredTexts(CQorDictionaryManager& manager, DICTMODE mode, const std::vector<DWORD>& columns,
                                const CString* texts, std::size_t count) {
    GatherCounts counts;
    CQorDictionaryWord* master = MasterList(manager, mode);
    if (!master) return counts;
    // One time for the call: callers merge in slices of milliseconds.
    const COleDateTime now = COleDateTime::GetCurrentTime();
    for (std::size_t i = 0; i < count; ++i) {
        const CString& text = texts[i];
        auto word = NewEntry(text, CString(), now);
        if (!master->AddWord(word.get())) continue;  // empty or already known
        word.release();
        ++counts.wordsAdded;
        for (DWORD id : columns) {
            CQorLanguageDict* language = manager.Find(id);
            if (!language || language->FindWord(mode, text)) continue;
            if (Offer(*language, mode, NewEntry(text, CString(), now))) ++counts.entriesAdded;
        }
    }
    return counts;
}

DWORD FunctionDiagramTargetLanguage(CQorDictionaryManager& manager, const std::vector<DWORD>& columns) {
    if (columns.empty()) return manager.GetSysDefaultLanguageLCID();
    return manager.Find(columns.front()) ? columns.front() : kChineseSimplifiedNeutral;
}

DiagramPairResult MergeFunctionDiagramPair(CQorDictionaryManager& manager, DWORD targetLanguage, const CString& text,
                                           const CString& translation) {
    DiagramPairResult result;
    CQorDictionaryWord* master = manager.GetSysDictWord();
    if (!master) return result;
    // A text the master list refuses (empty) still serves as the pattern of
    // the language's entry, which refuses it in turn.
    std::unique_ptr<CQorDictWordElement> refused;
    CQorDictWordElement* word = master->FindWord(text);
    if (!word) {
        auto entry = NewEntry(text, CString(), COleDateTime::GetCurrentTime());
        word = entry.get();
        if (master->AddWord(word)) {
            entry.release();
            result.wordAdded = true;
        } else {
            refused = std::move(entry);
        }
    }
    CQorLanguageDict* language = manager.Find(targetLanguage);
    if (!language) return result;
    if (CQorDictWordElement* existing = language->FindWord(DICTMODE_SYSTEM, text)) {
        if (existing->GetDisplayCharacter() == translation) return result;
        existing->SetDisplayCharacter(translation);
        result.translated = true;
        return result;
    }
    result.translated = Offer(*language, DICTMODE_SYSTEM,
                              NewEntry(word->GetOriginalCharacter(), translation, word->GetUpdateDateTime()));
    return result;
}
