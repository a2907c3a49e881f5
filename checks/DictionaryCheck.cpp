#include "checks/DictionaryCheck.h"

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

typedef CList<CQorDictWordElement*, CQorDictWordElement*> EntryList;

CQorDictionaryWord* MasterList(CQorDictionaryManager& manager, DICTMODE mode) {
    return mode == DICTMODE_SYSTEM ? manager.GetSysDictWord() : manager.GetProjectDictWord();
}

bool IsTranslated(const CQorDictWordElement* entry) { return entry && !entry->GetDisplayCharacter().IsEmpty(); }

}  // namespace

CDictionaryChecker::CDictionaryChecker(CQorDictionaryManager& manager) : m_manager(manager) {}

bool CDictionaryChecker::HasBegun(CQorLanguageDict* language, DICTMODE mode) {
    auto key = std::make_pair(language->GetLanguageID(), int(mode));
    auto found = m_begun.find(key);
    if (found != m_begun.end()) return found->second;
    bool begun = false;
    if (EntryList* entries = language->GetDictionaryList(mode))
        for (POSITION pos = entries->GetHeadPosition(); pos && !begun;) begun = IsTranslated(entries->GetNext(pos));
    m_begun[key] = begun;
    return begun;
}

void CDictionaryChecker::WalkMode(CQorLanguageDict* language, DICTMODE mode,
                                  const std::function<void(const CCheckedWord&)>& visit) {
    CQorDictionaryWord* master = MasterList(m_manager, mode);
    EntryList* words = master ? master->GetDictionaryList() : nullptr;
    auto* languages = m_manager.GetLanguageDictList();
    const bool begun = HasBegun(language, mode);

    CCheckedWord word;
    word.languageId = language->GetLanguageID();
    word.mode = mode;
    word.inMasterList = true;
    for (POSITION pos = words ? words->GetHeadPosition() : nullptr; pos;) {
        word.original = words->GetNext(pos)->GetOriginalCharacter();
        const CQorDictWordElement* entry = language->FindWord(mode, word.original);
        word.hasEntry = entry != nullptr;
        word.translation = entry ? entry->GetDisplayCharacter() : CString();
        CCheckContext context;
        context.hasEntry = word.hasEntry;
        // Only asked for when it matters: one look-up per other language.
        if (begun && word.translation.IsEmpty())
            for (POSITION other = languages->GetHeadPosition(); other && !context.translatedElsewhere;) {
                CQorLanguageDict* candidate = languages->GetNext(other);
                context.translatedElsewhere =
                    candidate != language && IsTranslated(candidate->FindWord(mode, word.original));
            }
        word.findings = QorCheckTranslation(word.original, word.translation, context);
        visit(word);
    }

    word.inMasterList = false;
    word.hasEntry = true;
    EntryList* entries = language->GetDictionaryList(mode);
    for (POSITION pos = entries ? entries->GetHeadPosition() : nullptr; pos;) {
        const CQorDictWordElement* entry = entries->GetNext(pos);
        word.original = entry->GetOriginalCharacter();
        if (master && master->FindWord(word.original)) continue;
        word.translation = entry->GetDisplayCharacter();
        word.findings = QorCheckTranslation(word.original, word.translation);
        visit(word);
    }
}

void CDictionaryChecker::ForEachWord(const CCheckScope& scope, const std::function<void(const CCheckedWord&)>& visit) {
    auto* languages = m_manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        if (scope.languageId && language->GetLanguageID() != scope.languageId) continue;
        if (scope.system) WalkMode(language, DICTMODE_SYSTEM, visit);
        if (scope.project) WalkMode(language, DICTMODE_PROJECT, visit);
    }
}

std::vector<CCheckFinding> CDictionaryChecker::CheckCell(DICTMODE mode, DWORD languageId, const CString& original) {
    CQorLanguageDict* language = m_manager.Find(languageId);
    const CQorDictWordElement* entry = language ? language->FindWord(mode, original) : nullptr;
    return CheckCell(mode, languageId, original, entry ? entry->GetDisplayCharacter() : CString());
}

std::vector<CCheckFinding> CDictionaryChecker::CheckCell(DICTMODE mode, DWORD languageId, const CString& original,
                                                         const CString& translation) {
    CQorLanguageDict* language = m_manager.Find(languageId);
    CCheckContext context;
    context.hasEntry = language && language->FindWord(mode, original);
    if (language && translation.IsEmpty() && HasBegun(language, mode)) {
        auto* languages = m_manager.GetLanguageDictList();
        for (POSITION pos = languages->GetHeadPosition(); pos && !context.translatedElsewhere;) {
            CQorLanguageDict* other = languages->GetNext(pos);
            context.translatedElsewhere = other != language && IsTranslated(other->FindWord(mode, original));
        }
    }
    return QorCheckTranslation(original, translation, context);
}
