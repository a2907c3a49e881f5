// Writes the seed corpus of fuzz_load: small dictionary files that reach every
// kind of record, most saved by the model itself, a few written record by
// record for the forms only other writers produce (8-bit strings, empty
// markers, duplicate keys, trailing bytes). Times are fixed so that the
// output does not change from one run to the next.
//
//   make_load_corpus <folder>

#include <cstdio>
#include <string>

#include "base/CArchive.h"
#include "base/CFile.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

std::string g_folder;

CString PathOf(const char* name) { return CString::FromUtf8(g_folder + "/" + name); }

CString U(const char* utf8) { return CString::FromUtf8(std::string(utf8)); }

const COleDateTime kTime(2024, 5, 17, 9, 30, 0);

CQorDictWordElement* Entry(const CString& original, const CString& display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(original);
    entry->SetDisplayCharacter(display);
    entry->SetUpdateDateTime(kTime);
    return entry;
}

void AddMaster(CQorDictionaryWord* list, const char* original) {
    CQorDictWordElement* entry = Entry(U(original), CString());
    if (!list->AddWord(entry)) delete entry;
}

void AddTranslation(CQorLanguageDict* language, DICTMODE mode, const char* original, const char* display) {
    CQorDictWordElement* entry = Entry(U(original), U(display));
    if (!language->AddWord(mode, entry)) delete entry;
}

bool Save(CQorDictionaryManager& manager, const char* name) {
    if (manager.Save(PathOf(name))) return true;
    std::fprintf(stderr, "%s\n", manager.GetLastFileError().ToUtf8().c_str());
    return false;
}

// Writes raw records through the archive, for the byte forms Save never makes.
template <class Fill>
bool WriteRecords(const char* name, Fill fill) {
    CFile file;
    if (!file.Open(PathOf(name), CFile::modeCreate | CFile::modeWrite)) {
        std::fprintf(stderr, "%s\n", file.GetOpenError().c_str());
        return false;
    }
    CArchive ar(&file, CArchive::store);
    fill(ar);
    ar.Close();
    file.Close();
    return true;
}

void WriteAnsi(CArchive& ar, const char* text) {
    std::string bytes(text);
    ar << BYTE(bytes.size());
    ar.Write(bytes.data(), bytes.size());
}

void WriteManagerHead(CArchive& ar, int languages) {
    ar << 1 << CString(QSTR("1.0.0.0")) << 1 << 2052u << 2057u << 0 << languages;
}

void WriteEntry(CArchive& ar, const CString& original, const CString& display) {
    ar << 1 << original << display << kTime;
}

void WriteEmptyMasterLists(CArchive& ar) {
    for (int i = 0; i < 2; ++i) ar << 1 << 1 << 0;
}

bool TwoLanguages() {
    CQorDictionaryManager manager;
    manager.SetVersion(QSTR("2.1.0.7"));
    manager.SetEnableFont(1);
    manager.SetSysDefaultLanguageLCID(2052);
    manager.SetProjectDefaultLanguageLCID(1031);

    auto* chinese = new CQorLanguageDict;
    chinese->SetLanguageID(2052);
    chinese->SetEnable(1);
    AddTranslation(chinese, DICTMODE_SYSTEM, "Open", "打开");
    AddTranslation(chinese, DICTMODE_SYSTEM, "Save &As...", "另存为(&A)...");
    AddTranslation(chinese, DICTMODE_SYSTEM, "Speed [rpm]", "");
    AddTranslation(chinese, DICTMODE_PROJECT, "Pump 1", "泵 1");
    manager.Add(chinese);

    auto* german = new CQorLanguageDict;
    german->SetLanguageID(1031);
    LOGFONTW font;
    german->GetFont(font);
    font.lfHeight = -15;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 0;
    german->SetFont(font);
    german->SetFontColor(0x00336699);
    german->SetFontPointSize(95);
    AddTranslation(german, DICTMODE_SYSTEM, "Open", "Öffnen");
    AddTranslation(german, DICTMODE_PROJECT, "Pump 1", "Pumpe 1");
    manager.Add(german);

    for (const char* word : {"Open", "Save &As...", "Speed [rpm]"}) AddMaster(manager.GetSysDictWord(), word);
    AddMaster(manager.GetProjectDictWord(), "Pump 1");
    return Save(manager, "two-languages");
}

bool LongStrings() {
    // 255 code units take the 16-bit length form; 254 the last 1-byte one.
    CQorDictionaryManager manager;
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(2057);
    language->SetEnable(1);
    CQorDictWordElement* entry = Entry(CString(QSTR('x'), 255), CString(WCHAR(0x4E2D), 254));
    if (!language->AddWord(DICTMODE_SYSTEM, entry)) delete entry;
    manager.Add(language);
    return Save(manager, "long-strings");
}

bool WithoutMasterLists() {
    // A manager whose load failed has no master lists and saves without them.
    CQorDictionaryManager manager;
    if (!WriteRecords("cut", [](CArchive& ar) { WriteManagerHead(ar, 1); })) return false;
    manager.Load(PathOf("cut"));
    std::remove(PathOf("cut").ToUtf8().c_str());
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(1036);
    AddTranslation(language, DICTMODE_SYSTEM, "Close", "Fermer");
    manager.Add(language);
    return Save(manager, "without-master-lists");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_load_corpus <folder>\n");
        return 2;
    }
    g_folder = argv[1];

    CQorDictionaryManager fresh;
    bool ok = Save(fresh, "new-manager") && TwoLanguages() && LongStrings() && WithoutMasterLists();

    ok = ok && WriteRecords("empty-marker", [](CArchive& ar) { ar << 0; });
    ok = ok && WriteRecords("ansi-strings", [](CArchive& ar) {
        ar << 1;
        WriteAnsi(ar, "1.0.0.0");
        ar << 1 << 2057u << 2057u << 0 << 1;
        ar << 1 << 1 << 1 << 2057u;
        LOGFONTW font{};
        ar.Write(&font, sizeof font);
        ar << 0u << 110;
        ar << 1 << 1 << 1;  // system list with one entry of 8-bit strings
        WriteAnsi(ar, "Caf\xE9");
        WriteAnsi(ar, "\x80 Euro");
        ar << kTime;
        ar << 1 << 0;  // empty project list
        WriteEmptyMasterLists(ar);
    });
    ok = ok && WriteRecords("odd-records", [](CArchive& ar) {
        WriteManagerHead(ar, 2);
        ar << 0;  // a language without data: ID 2048, disabled
        ar << 1 << 1 << 1 << 2052u;
        LOGFONTW font{};
        ar.Write(&font, sizeof font);
        ar << 0u << 110;
        ar << 1 << 4;  // same key twice, an empty marker, an empty original string
        WriteEntry(ar, QSTR("Start"), U("启动"));
        WriteEntry(ar, QSTR("START"), U("开始"));
        ar << 0;
        WriteEntry(ar, CString(), QSTR("nothing"));
        ar << 0;  // project list without data
        ar << 1 << 1 << 1;
        WriteEntry(ar, QSTR("Start"), CString());
        ar << 0;  // project master list without data
        ar << 0x12345678;  // trailing bytes are ignored
    });
    return ok ? 0 : 1;
}
