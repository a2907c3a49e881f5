#pragma once

#include "base/QorApi.h"
#include "base/CString.h"

class CQorDictionaryWord;

// Why a new word's original string is refused, if it is.
enum class NewWordCheck {
    kAccepted,
    kEmpty,          // no text at all (blanks are text)
    kAlreadyKnown,   // the word list holds it, in any letter case of a-z
};

// A null word list checks emptiness only.
QOR_API NewWordCheck CheckNewWord(const CString& text, const CQorDictionaryWord* wordList);
