#include <cstdio>

#include "Command.h"
#include "model/LocaleNames.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace qordict {
namespace {

std::string Language(DWORD lcid) {
    char text[64];
    const char* name = QorLocaleName(lcid);
    std::snprintf(text, sizeof text, "0x%04X (%s)", unsigned(lcid), name ? name : "unknown locale");
    return text;
}

std::string Count(long long n, const char* what) { return std::to_string(n) + " " + what; }

long long WordCount(CQorDictionaryWord* list) {
    return list && list->GetDictionaryList() ? list->GetDictionaryList()->GetCount() : 0;
}

int RunInfo(Arguments args) {
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("info takes exactly one FILE");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    auto* languages = manager.GetLanguageDictList();
    std::string out;
    out += "file:                     " + args[0] + "\n";
    out += "version:                  " + manager.GetVersion().ToUtf8() + "\n";
    out += "translation:              " + std::string(manager.IsEnable() ? "enabled" : "disabled") + "\n";
    out += "font switching:           " + std::string(manager.IsEnableFont() ? "enabled" : "disabled") + "\n";
    out += "system default language:  " + Language(manager.GetSysDefaultLanguageLCID()) + "\n";
    out += "project default language: " + Language(manager.GetProjectDefaultLanguageLCID()) + "\n";
    out += "languages:                " + std::to_string(languages->GetCount()) + "\n";
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        out += "  " + Language(language->GetLanguageID()) + "  " +
               (language->IsEnable() ? "enabled " : "disabled") + "  " +
               Count(language->GetDictionaryList(DICTMODE_SYSTEM)->GetCount(), "system words") + ", " +
               Count(language->GetDictionaryList(DICTMODE_PROJECT)->GetCount(), "project words") + "\n";
    }
    out += "master lists:             " + Count(WordCount(manager.GetSysDictWord()), "system words") + ", " +
           Count(WordCount(manager.GetProjectDictWord()), "project words") + "\n";
    WriteOut(out);
    return kSuccess;
}

const Registration registration{{"info", "FILE", "summarise a dictionary: settings, languages, word counts", RunInfo}};

}  // namespace
}  // namespace qordict
