#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

CQorLanguageDict* NewLanguage(DWORD id, int enable = 1) {
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(id);
    language->SetEnable(enable);
    return language;
}

void AddTranslation(CQorLanguageDict* language, DICTMODE mode, const char* original, const char* display) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    entry->SetDisplayCharacter(S(display));
    ASSERT_EQ(language->AddWord(mode, entry), 1);
}

}  // namespace

TEST(Manager, FreshManagerDefaults) {
    CQorDictionaryManager manager;
    EXPECT_EQ(manager.GetVersion(), S("1.0.0.0"));
    EXPECT_EQ(manager.IsEnable(), 1);
    EXPECT_EQ(manager.IsEnableFont(), 0);
    EXPECT_EQ(manager.GetSysDefaultLanguageLCID(), 2057u);
    EXPECT_EQ(manager.GetProjectDefaultLanguageLCID(), 2057u);
    EXPECT_TRUE(manager.GetFile().IsEmpty());
    EXPECT_EQ(manager.Save(), 0);
    EXPECT_FALSE(manager.GetLastFileError().IsEmpty());
    ASSERT_NE(manager.GetSysDictWord(), nullptr);
    ASSERT_NE(manager.GetProjectDictWord(), nullptr);
    EXPECT_NE(manager.GetSysDictWord(), manager.GetProjectDictWord());
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 0);
}

TEST(Manager, LanguagesAreUniqueByIdAndOwnedOnlyOnSuccess) {
    CQorDictionaryManager manager;
    CQorLanguageDict* english = NewLanguage(2057);
    ASSERT_EQ(manager.Add(english), 1);
    std::unique_ptr<CQorLanguageDict> twin(NewLanguage(2057));
    EXPECT_EQ(manager.Add(twin.get()), 0);
    EXPECT_EQ(manager.Add(english), 0);  // the same object again
    EXPECT_EQ(manager.Add(nullptr), 0);
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 1);
    EXPECT_EQ(manager.Find(2057), english);
    EXPECT_EQ(manager.Find(1031), nullptr);

    CQorLanguageDict* german = NewLanguage(1031);
    manager.Add(german);
    EXPECT_EQ(manager.Remove(twin.get()), 0);
    EXPECT_EQ(manager.Remove(DWORD(1040)), 0);
    EXPECT_EQ(manager.Remove(DWORD(2057)), 1);
    EXPECT_EQ(manager.GetLanguageDictList()->GetHead(), german);
    EXPECT_EQ(manager.Remove(german), 1);
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 0);

    manager.Add(NewLanguage(1));
    manager.Add(NewLanguage(2));
    std::unique_ptr<CQorDictWordElement> empty(new CQorDictWordElement);
    EXPECT_EQ(manager.GetSysDictWord()->AddWord(empty.get()), 0);
    auto* kept = new CQorDictWordElement;
    kept->SetOriginalCharacter(S("kept"));
    manager.GetSysDictWord()->AddWord(kept);
    manager.RemoveAll();
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 0);
    EXPECT_EQ(manager.GetSysDictWord()->FindWord(S("kept")), kept);
}

TEST(ManagerDisplay, FollowsTheChainFromModeToLanguageToList) {
    CQorDictionaryManager manager;
    CQorLanguageDict* chinese = NewLanguage(2052);
    CQorLanguageDict* english = NewLanguage(2057);
    AddTranslation(chinese, DICTMODE_SYSTEM, "Open", "打开");
    AddTranslation(chinese, DICTMODE_PROJECT, "Pump", "泵");
    AddTranslation(english, DICTMODE_SYSTEM, "Open", "Open (en)");
    AddTranslation(english, DICTMODE_PROJECT, "Pump", "Pump (en)");
    manager.Add(chinese);
    manager.Add(english);
    manager.SetSysDefaultLanguageLCID(2052);
    manager.SetProjectDefaultLanguageLCID(2057);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("open")), S("打开"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_PROJECT, S("pump")), S("Pump (en)"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("pump")), S("pump"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE(5), S("open")), S("open"));

    chinese->SetEnable(0);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Open")), S("Open"));
    chinese->SetEnable(1);
    manager.SetEnable(0);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Open")), S("Open"));
    manager.SetEnable(1);
    manager.SetSysDefaultLanguageLCID(1031);  // no such language
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("Open")), S("Open"));
}

TEST(Manager, ModeLanguageIsTheDefaultOfThatModeWhateverTheEnableFlags) {
    CQorDictionaryManager manager;
    CQorLanguageDict* german = NewLanguage(0x0407, 0);
    CQorLanguageDict* french = NewLanguage(0x040C);
    ASSERT_EQ(manager.Add(german), 1);
    ASSERT_EQ(manager.Add(french), 1);
    manager.SetSysDefaultLanguageLCID(0x0407);
    manager.SetProjectDefaultLanguageLCID(0x040C);
    EXPECT_EQ(manager.GetModeLanguage(DICTMODE_SYSTEM), german);  // disabled, still the mode's language
    EXPECT_EQ(manager.GetModeLanguage(DICTMODE_PROJECT), french);
    EXPECT_EQ(manager.GetModeLanguage(DICTMODE(2)), nullptr);
    manager.SetProjectDefaultLanguageLCID(0x0409);
    EXPECT_EQ(manager.GetModeLanguage(DICTMODE_PROJECT), nullptr);
}
