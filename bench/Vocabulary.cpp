#include "Vocabulary.h"

#include <memory>
#include <unordered_set>
#include <utility>

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace {

std::uint64_t Next(std::uint64_t& state) {
    // splitmix64: fast, and the same sequence on every platform.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

unsigned Below(std::uint64_t& state, unsigned bound) { return unsigned(Next(state) % bound); }

WCHAR AsciiUnit(std::uint64_t& state) {
    static const char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789     .,:;-_()[]&%/\"\\";
    return WCHAR(kChars[Below(state, sizeof kChars - 1)]);
}

WCHAR CjkUnit(std::uint64_t& state) { return WCHAR(0x4E00 + Below(state, 0x9FA5 - 0x4E00 + 1)); }

std::u16string Key(const CString& text) {
    CString key = text;
    key.MakeUpper();
    return std::u16string(reinterpret_cast<const char16_t*>(key.GetString()), std::size_t(key.GetLength()));
}

}  // namespace

CString RandomText(std::uint64_t& state) {
    // Roughly: half English, a third Chinese, the rest mixed.
    unsigned kind = Below(state, 6);
    int length = kind < 3 ? 3 + int(Below(state, 28)) : 2 + int(Below(state, 12));
    CString text;
    WCHAR* units = text.GetBuffer(length);
    for (int i = 0; i < length; ++i) {
        bool cjk = kind == 3 || kind == 4 || (kind == 5 && Below(state, 2));
        units[i] = cjk ? CjkUnit(state) : AsciiUnit(state);
    }
    text.ReleaseBuffer(length);
    return text;
}

Vocabulary MakeVocabulary(std::size_t words, std::size_t strangers, std::uint32_t seed) {
    std::uint64_t state = seed;
    std::unordered_set<std::u16string> keys;
    keys.reserve(words + strangers);
    auto fresh = [&] {
        for (;;) {
            CString text = RandomText(state);
            if (keys.insert(Key(text)).second) return text;
        }
    };
    Vocabulary v;
    v.originals.reserve(words);
    v.displays.reserve(words);
    for (std::size_t i = 0; i < words; ++i) {
        v.originals.push_back(fresh());
        v.displays.push_back(RandomText(state));
    }
    v.strangers.reserve(strangers);
    for (std::size_t i = 0; i < strangers; ++i) v.strangers.push_back(fresh());
    return v;
}

std::vector<std::size_t> RandomOrder(std::size_t count, std::uint32_t seed) {
    std::uint64_t state = seed;
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = i;
    for (std::size_t i = count; i > 1; --i) std::swap(order[i - 1], order[Next(state) % i]);
    return order;
}

bool AddVocabularyLanguage(CQorDictionaryManager& manager, const Vocabulary& words, DWORD id) {
    auto language = std::make_unique<CQorLanguageDict>();
    language->SetLanguageID(id);
    language->SetEnable(1);
    for (std::size_t i = 0; i < words.originals.size(); ++i) {
        auto entry = std::make_unique<CQorDictWordElement>();
        entry->SetOriginalCharacter(words.originals[i]);
        entry->SetDisplayCharacter(words.displays[i]);
        if (!language->AddWord(DICTMODE_SYSTEM, entry.get())) return false;
        entry.release();  // the list owns it
    }
    if (!manager.Add(language.get())) return false;
    language.release();  // the manager owns it
    manager.SetSysDefaultLanguageLCID(id);
    return true;
}
