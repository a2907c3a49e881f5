#include "BenchWords.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

const unsigned kLanguages[] = {0x0407, 0x040C, 0x0411, 0x0804};

CString U(const std::string& text) { return CString::FromUtf8(text); }

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::char_traits<char>::length(field));
    return -1;
}

}  // namespace

std::unique_ptr<CQorDictionaryManager> MakeBenchDictionary(long words) {
    auto manager = std::make_unique<CQorDictionaryManager>();
    for (unsigned id : kLanguages) {
        auto language = std::make_unique<CQorLanguageDict>();
        language->SetLanguageID(id);
        language->SetEnable(1);
        if (manager->Add(language.get())) language.release();
    }
    manager->SetSysDefaultLanguageLCID(0x0804);
    const char* const suffix[] = {" (Deutsch)", " (français)", " (日本語)", " (中文)"};
    for (long i = 0; i < words; ++i) {
        const std::string original = "Parameter " + std::to_string(i) + ": motor speed limit " + std::to_string(i % 97);
        auto word = std::make_unique<CQorDictWordElement>();
        word->SetOriginalCharacter(U(original));
        if (manager->GetSysDictWord()->AddWord(word.get())) word.release();
        for (int l = 0; l < 4; ++l) {
            auto entry = std::make_unique<CQorDictWordElement>();
            entry->SetOriginalCharacter(U(original));
            entry->SetDisplayCharacter(U("Übersetzung " + std::to_string(i) + suffix[l]));
            if (manager->Find(kLanguages[l])->AddWord(DICTMODE_SYSTEM, entry.get())) entry.release();
        }
    }
    return manager;
}

long PeakMemoryKiB() { return StatusKiB("VmHWM:"); }
long CurrentMemoryKiB() { return StatusKiB("VmRSS:"); }
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
