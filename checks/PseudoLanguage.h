#pragma once

#include "base/QorApi.h"
#include "base/Types.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// Windows' own pseudo-locale, qps-ploc.
constexpr DWORD LCID_PSEUDO = 0x0501;

struct CPseudoLanguageReport {
    bool created = false;  // the language was added; otherwise its words were replaced
    long systemWords = 0;
    long projectWords = 0;
};

// True when every translation the language holds, in both modes, reads as a
// pseudo-translation: replacing its words then loses nothing a translator wrote.
QOR_API bool QorIsPseudoLanguage(CQorLanguageDict& language);

// Gives language lcid (added, enabled, with the font of the system default
// language, when missing) exactly one entry per word
// of each master list, its pseudo-translation; entries for words the master
// lists no longer hold are dropped. Font and enable flag of an existing
// language stay.
QOR_API CPseudoLanguageReport QorMakePseudoLanguage(CQorDictionaryManager& manager, DWORD lcid, int expandPercent);
