#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"
#include "model/DictMode.h"

class CDictionaryChecker;
class CQorDictionaryManager;
class CQorDictWordElement;

// What the translation checks say about a word page's cell, for its colour
// and its tooltip: only language columns are checked.
enum class WordCellMark { None, Warning, Error };

struct WordCellCheck {
    WordCellMark mark = WordCellMark::None;
    CString tip;  // one finding per line, errors first, in the editor's language
};

QOR_API WordCellCheck CheckWordCell(CQorDictionaryManager& manager, CDictionaryChecker& checker,
                                    const CQorDictWordElement* entry, int column,
                                    const std::vector<DWORD>& languageColumns, DICTMODE mode);
