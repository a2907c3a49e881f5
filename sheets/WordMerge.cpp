#include "sheets/WordMerge.h"

#include <memory>

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

CQorDictWordElement* QorMergeWord(CQorDictionaryWord& master, const CString& original, CWordMergeCounts& counts) {
    if (original.IsEmpty()) return nullptr;
    if (CQorDictWordElement* word = master.FindWord(original)) return word;
    auto added = std::make_unique<CQorDictWordElement>();
    added->SetOriginalCharacter(original);
    if (!master.AddWord(added.get())) return nullptr;
    ++counts.wordsAdded;
    return added.release();
}

void QorMergeTranslation(CQorLanguageDict& language, DICTMODE mode, const CQorDictWordElement& word,
                         const CString& original, CString text, CWordMergeCounts& counts) {
    text.Replace(QSTR("***"), QSTR(""));
    if (CQorDictWordElement* entry = language.FindWord(mode, original)) {
        if (entry->GetDisplayCharacter() != text) {
            entry->SetDisplayCharacter(text);
            ++counts.translationsChanged;
        }
        return;
    }
    auto copy = std::make_unique<CQorDictWordElement>();
    *copy = word;
    copy->SetDisplayCharacter(text);
    if (language.AddWord(mode, copy.get())) {
        copy.release();
        ++counts.translationsAdded;
    }
}
