#pragma once

#include <vector>

#include "base/QorApi.h"
#include "base/Types.h"
#include "model/DictMode.h"

class CQorDictionaryManager;

// How far one language is in one mode. words = translated + empty + missing.
struct CTranslationStats {
    DWORD languageId = 0;    // 0 in a total
    DICTMODE mode = DICTMODE_SYSTEM;
    long words = 0;       // in the mode's master list
    long translated = 0;  // of those, with a translation
    long empty = 0;       // with an entry whose translation is empty
    long missing = 0;     // with no entry
    long failing = 0;     // words the checks find an error in (entries the master list lacks too)
    long warned = 0;      // words the checks warn about

    // 100 when there is nothing to translate.
    double PercentTranslated() const { return words ? 100.0 * double(translated) / double(words) : 100.0; }
};

// Languages in list order, system before project.
QOR_API std::vector<CTranslationStats> QorTranslationStats(CQorDictionaryManager& manager);
QOR_API CTranslationStats QorTotalStats(const std::vector<CTranslationStats>& rows);
