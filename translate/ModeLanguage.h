#pragma once

#include "model/DictMode.h"

class CQorDictionaryManager;
class CQorLanguageDict;

// The language a mode relabels into: the manager's language whose ID is the
// mode's default LCID; null for a missing manager, another mode or no such
// language.
CQorLanguageDict* FindModeLanguage(const CQorDictionaryManager* manager, DICTMODE mode);
