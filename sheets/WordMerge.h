#pragma once

#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CQorDictWordElement;
class CQorDictionaryWord;
class CQorLanguageDict;

// The rules by which imported words and translations join a dictionary,
// shared by workbook and translation-catalogue imports.
struct QOR_API CWordMergeCounts {
    long wordsAdded = 0;
    long translationsAdded = 0;
    long translationsChanged = 0;

    long Total() const noexcept { return wordsAdded + translationsAdded + translationsChanged; }
};

// The master entry of original: the one the list has (compared ignoring the
// case of a-z), or a new one with the current time. Null for an empty original
// or one the list refuses.
QOR_API CQorDictWordElement* QorMergeWord(CQorDictionaryWord& master, const CString& original,
                                          CWordMergeCounts& counts);

// The translation of original in a language, with every "***" taken out:
// replaces the entry's display string when it differs or, where the language
// has no entry, becomes a new entry copied from the master entry word.
QOR_API void QorMergeTranslation(CQorLanguageDict& language, DICTMODE mode, const CQorDictWordElement& word,
                                 const CString& original, CString text, CWordMergeCounts& counts);
