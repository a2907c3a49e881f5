// A host built only against the installed package: it writes a dictionary,
// reads it back into a second manager and expects the translations to return.
#include <cstdio>

#include "base/CString.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

#if defined(_WIN32)
#include "resources/DictionaryApp.h"
#include "resources/Resource.h"
#include "translate/TextHelpers.h"
#endif

namespace {

int failures = 0;

void Expect(const CString& got, const CString& want, const char* what) {
    if (got == want) return;
    std::fprintf(stderr, "%s: got \"%s\", want \"%s\"\n", what, got.ToUtf8().c_str(), want.ToUtf8().c_str());
    ++failures;
}

void AddWord(CQorLanguageDict* language, const CString& original, const CString& display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(original);
    entry->SetDisplayCharacter(display);
    language->AddWord(DICTMODE_SYSTEM, entry);
}

}  // namespace

int main(int argc, char** argv) {
    const CString path = CString::FromUtf8(argc > 1 ? argv[1] : "consumer.dict");
    const CString dictionaryText = CString::FromUtf8(u8"系统字典");  // IDS_SYSTEM_DICTIONARY's text
    {
        CQorDictionaryManager manager;
        manager.SetSysDefaultLanguageLCID(1031);
        auto* german = new CQorLanguageDict;
        german->SetLanguageID(1031);
        german->SetEnable(1);
        AddWord(german, QSTR("Open"), CString::FromUtf8(u8"Öffnen"));
        AddWord(german, dictionaryText, QSTR("Systemwörterbuch"));
        if (manager.Add(german) != 1) {
            std::fprintf(stderr, "the language was refused\n");
            return 1;
        }
        if (manager.Save(path) != 1) {
            std::fprintf(stderr, "save failed: %s\n", manager.GetLastFileError().ToUtf8().c_str());
            return 1;
        }
    }

    CQorDictionaryManager loaded;
    if (loaded.Load(path) != 1) {
        std::fprintf(stderr, "load failed: %s\n", loaded.GetLastFileError().ToUtf8().c_str());
        return 1;
    }
    Expect(loaded.GetDisplayCharacter(DICTMODE_SYSTEM, QSTR("Open")), CString::FromUtf8(u8"Öffnen"), "translation");
    Expect(loaded.GetDisplayCharacter(DICTMODE_SYSTEM, QSTR("Close")), QSTR("Close"), "untranslated text");
#if defined(_WIN32)
    // The DLL's own string table, found through its module handle and
    // translated by the loaded dictionary.
    Expect(LoadDictString(&loaded, QorGetModuleResourceHandle(), IDS_SYSTEM_DICTIONARY), QSTR("Systemwörterbuch"),
           "library string");
#endif
    if (failures == 0) std::printf("consumer: dictionary round trip ok\n");
    return failures == 0 ? 0 : 1;
}
