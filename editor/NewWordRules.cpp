#include "editor/NewWordRules.h"

#include "model/QorDictionaryWord.h"

NewWordCheck CheckNewWord(const CString& text, const CQorDictionaryWord* wordList) {
    if (text.IsEmpty()) return NewWordCheck::kEmpty;
    if (wordList && wordList->FindWord(text)) return NewWordCheck::kAlreadyKnown;
    return NewWordCheck::kAccepted;
}
