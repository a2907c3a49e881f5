#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/Types.h"

class CQorDictionaryManager;

// Random user-interface texts for the benchmarks: ASCII, Chinese or a mix of
// both, 3 to 30 code units, all different even when letter case is ignored,
// so that every word is a distinct dictionary key. The same seed gives the
// same words.
struct Vocabulary {
    std::vector<CString> originals;  // the words in the dictionary
    std::vector<CString> displays;   // their translations, never empty
    std::vector<CString> strangers;  // words that are not in it
};

Vocabulary MakeVocabulary(std::size_t words, std::size_t strangers, std::uint32_t seed);

// Texts of the same kinds without the uniqueness check (translations).
CString RandomText(std::uint64_t& state);

// A random permutation of 0..count-1.
std::vector<std::size_t> RandomOrder(std::size_t count, std::uint32_t seed);

// Gives the manager a language of the given ID holding every word with its
// translation as a system word, and makes it the system default. False when
// the manager refuses a word or the language.
bool AddVocabularyLanguage(CQorDictionaryManager& manager, const Vocabulary& words, DWORD id);
