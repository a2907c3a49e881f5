#include "pages/LanguageSettingsRules.h"

#include <cstring>
#include <memory>

#include "editor/BuiltInLanguageTable.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace {
constexpr DWORD kEnglishUnitedKingdom = 2057;
constexpr DWORD kChinesePrc = 2052;
constexpr unsigned char kGb2312Charset = 134;

LOGFONTW SeedFont(const CString& face) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -12;
    font.lfWeight = 500;
    font.lfCharSet = kGb2312Charset;
    const int length = face.GetLength() < LF_FACESIZE - 1 ? face.GetLength() : LF_FACESIZE - 1;
    for (int i = 0; i < length; ++i) font.lfFaceName[i] = face[i];
    return font;
}

template <class Visit>
void ForEachLanguage(CQorDictionaryManager& manager, Visit visit) {
    auto* languages = manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;)
        if (CQorLanguageDict* language = languages->GetNext(pos)) visit(language);
}
}  // namespace

int SeedBuiltInLanguages(CQorDictionaryManager& manager, const CString& face) {
    if (manager.GetLanguageDictList()->GetCount() > 0) return 0;
    const LOGFONTW font = SeedFont(face);
    int added = 0;
    for (const DWORD id : BuiltInLanguageTable()) {
        if (manager.Find(id)) continue;
        auto language = std::make_unique<CQorLanguageDict>();
        language->SetLanguageID(id);
        language->SetFont(font);
        language->SetEnable(id == kEnglishUnitedKingdom || id == kChinesePrc ? 1 : 0);
        if (manager.Add(language.get())) {
            language.release();
            ++added;
        }
    }
    return added;
}

std::vector<CQorLanguageDict*> DeleteDisabledLanguages(CQorDictionaryManager& manager,
                                                        const std::vector<CQorLanguageDict*>& chosen) {
    std::vector<CQorLanguageDict*> kept;
    for (CQorLanguageDict* language : chosen) {
        if (language->IsEnable())
            kept.push_back(language);
        else
            manager.Remove(language);
    }
    return kept;
}

DefaultLanguageChoices ListDefaultLanguageChoices(CQorDictionaryManager& manager) {
    DefaultLanguageChoices choices;
    const DWORD system = manager.GetSysDefaultLanguageLCID();
    const DWORD project = manager.GetProjectDefaultLanguageLCID();
    ForEachLanguage(manager, [&](CQorLanguageDict* language) {
        if (!language->IsEnable()) return;
        const int index = int(choices.languages.size());
        choices.languages.push_back(language);
        if (language->GetLanguageID() == system) choices.systemIndex = index;
        if (language->GetLanguageID() == project) choices.projectIndex = index;
    });
    if (choices.systemIndex < 0) choices.projectIndex = -1;
    return choices;
}

SettingsCheck CheckDefaultLanguages(bool multilingual, bool systemChosen, bool projectChosen, unsigned projectFlag) {
    if (!multilingual) return SettingsCheck::kValid;
    if (!systemChosen) return SettingsCheck::kNoSystemLanguage;
    if (projectFlag == 1 && !projectChosen) return SettingsCheck::kNoProjectLanguage;
    return SettingsCheck::kValid;
}

bool LanguageIdTaken(CQorDictionaryManager& manager, const CQorLanguageDict* language, DWORD enteredId) {
    if (!language || language->GetLanguageID() == enteredId) return false;
    bool taken = false;
    ForEachLanguage(manager, [&](CQorLanguageDict* other) { taken = taken || other->GetLanguageID() == enteredId; });
    return taken;
}

bool ParseLanguageId(const CString& text, DWORD& id) {
    int at = 0;
    const int length = text.GetLength();
    while (at < length && text[at] == ' ') ++at;
    unsigned long long value = 0;
    int digits = 0;
    for (; at < length && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
        value = value * 10 + unsigned(text[at] - '0');
        if (value > 0xFFFFFFFFull) return false;
    }
    while (at < length && text[at] == ' ') ++at;
    if (digits == 0 || at != length) return false;
    id = DWORD(value);
    return true;
}

CString HexLanguageId(DWORD languageId) {
    CString text;
    text.Format(QSTR("0x%04x"), unsigned(languageId));
    return text;
}
