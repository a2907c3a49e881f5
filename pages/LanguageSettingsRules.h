#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// The settings page's rules, apart from its windows.

// An empty dictionary gets the built-in languages, in table order, each with
// the seed font of face `face`; only English (United Kingdom) and Chinese
// (PRC) are enabled. A dictionary with any language gets nothing. The number
// of languages added.
QOR_API int SeedBuiltInLanguages(CQorDictionaryManager& manager, const CString& face);

// Removes the given languages from the manager, except enabled ones, which a
// host may be showing: those are returned, in the given order, for the user
// to be told.
QOR_API std::vector<CQorLanguageDict*> DeleteDisabledLanguages(CQorDictionaryManager& manager,
                                                                const std::vector<CQorLanguageDict*>& chosen);

// What the default-language combos offer: the enabled languages in list
// order, and which of them is the system and the project default. Without a
// system default among them neither combo has a choice.
struct DefaultLanguageChoices {
    std::vector<CQorLanguageDict*> languages;
    int systemIndex = -1;
    int projectIndex = -1;
};
QOR_API DefaultLanguageChoices ListDefaultLanguageChoices(CQorDictionaryManager& manager);

// Whether the settings can be applied: with translation on, a system default
// must be chosen, and with the project dictionary in use (flag exactly 1) a
// project default as well.
enum class SettingsCheck { kValid, kNoSystemLanguage, kNoProjectLanguage };
QOR_API SettingsCheck CheckDefaultLanguages(bool multilingual, bool systemChosen, bool projectChosen,
                                            unsigned projectFlag);

// The language dialog's ID rule: an ID that changed must not be another
// language's. A language keeping its ID is never compared.
QOR_API bool LanguageIdTaken(CQorDictionaryManager& manager, const CQorLanguageDict* language,
                             DWORD enteredId);

// The ID typed into the language dialog: an unsigned decimal number,
// blanks around it allowed. false for anything else.
QOR_API bool ParseLanguageId(const CString& text, DWORD& id);

// A language ID as the editor writes it: "0x0804".
QOR_API CString HexLanguageId(DWORD languageId);
