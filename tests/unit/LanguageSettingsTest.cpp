// The settings page's rules without its windows: seeding an empty
// dictionary, which languages may go, what the default-language combos offer,
// when the settings are refused and the language dialog's ID rule.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "editor/BuiltInLanguageTable.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"
#include "pages/LanguageSettingsRules.h"

namespace {

CQorLanguageDict* AddLanguage(CQorDictionaryManager& manager, DWORD id, int enabled) {
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(id);
    language->SetEnable(enabled);
    EXPECT_TRUE(manager.Add(language));
    return language;
}

}  // namespace

TEST(LanguageSettings, AnEmptyDictionaryIsSeededWithTheBuiltInLanguagesOnlyOnce) {
    CQorDictionaryManager manager;
    EXPECT_EQ(SeedBuiltInLanguages(manager, S("Times New Roman")), 61);
    auto* list = manager.GetLanguageDictList();
    ASSERT_EQ(list->GetCount(), 61);
    const DWORD* expected = BuiltInLanguageTable::begin();
    int enabled = 0;
    for (POSITION pos = list->GetHeadPosition(); pos; ++expected) {
        CQorLanguageDict* language = list->GetNext(pos);
        EXPECT_EQ(language->GetLanguageID(), *expected);
        const bool shouldBeOn = *expected == 2057 || *expected == 2052;
        EXPECT_EQ(language->IsEnable() != 0, shouldBeOn) << *expected;
        enabled += language->IsEnable() != 0;
        LOGFONTW font;
        language->GetFont(font);
        EXPECT_EQ(font.lfHeight, -12);
        EXPECT_EQ(font.lfWeight, 500);
        EXPECT_EQ(font.lfCharSet, 134);
        EXPECT_EQ(CString(font.lfFaceName), S("Times New Roman"));
    }
    EXPECT_EQ(enabled, 2);
    EXPECT_EQ(SeedBuiltInLanguages(manager, S("Arial")), 0) << "a dictionary with languages is left alone";

    CQorDictionaryManager one;
    AddLanguage(one, 1033, 0);
    EXPECT_EQ(SeedBuiltInLanguages(one, S("Arial")), 0);
    EXPECT_EQ(one.GetLanguageDictList()->GetCount(), 1);

    // The face is cut to what a font record holds.
    CQorDictionaryManager longFace;
    SeedBuiltInLanguages(longFace, S("A face name far longer than thirty-one characters"));
    LOGFONTW font;
    longFace.GetLanguageDictList()->GetHead()->GetFont(font);
    EXPECT_EQ(CString(font.lfFaceName), S("A face name far longer than thi"));
}

TEST(LanguageSettings, EnabledLanguagesStayWhenDeletedOthersGo) {
    CQorDictionaryManager manager;
    CQorLanguageDict* english = AddLanguage(manager, 1033, 1);
    CQorLanguageDict* german = AddLanguage(manager, 1031, 0);
    CQorLanguageDict* french = AddLanguage(manager, 1036, 1);
    AddLanguage(manager, 1040, 0);
    const std::vector<CQorLanguageDict*> kept = DeleteDisabledLanguages(manager, {english, german, french});
    EXPECT_EQ(kept, (std::vector<CQorLanguageDict*>{english, french}));
    EXPECT_EQ(manager.GetLanguageDictList()->GetCount(), 3);
    EXPECT_EQ(manager.Find(1031), nullptr);
    EXPECT_NE(manager.Find(1040), nullptr) << "only chosen languages go";
    EXPECT_TRUE(DeleteDisabledLanguages(manager, {}).empty());
}

TEST(LanguageSettings, CombosOfferEnabledLanguagesAndNeedASystemDefault) {
    CQorDictionaryManager manager;
    AddLanguage(manager, 1033, 1);
    AddLanguage(manager, 1031, 0);
    CQorLanguageDict* french = AddLanguage(manager, 1036, 1);
    manager.SetSysDefaultLanguageLCID(1036);
    manager.SetProjectDefaultLanguageLCID(1033);
    DefaultLanguageChoices choices = ListDefaultLanguageChoices(manager);
    ASSERT_EQ(choices.languages.size(), 2u);
    EXPECT_EQ(choices.languages[1], french);
    EXPECT_EQ(choices.systemIndex, 1);
    EXPECT_EQ(choices.projectIndex, 0);

    // A disabled default is no choice, and without a system choice the
    // project combo shows none either.
    manager.SetSysDefaultLanguageLCID(1031);
    choices = ListDefaultLanguageChoices(manager);
    EXPECT_EQ(choices.systemIndex, -1);
    EXPECT_EQ(choices.projectIndex, -1);
    EXPECT_EQ(choices.languages.size(), 2u);
}

TEST(LanguageSettings, DefaultsAreRequiredOnlyWithTranslationAndThePresentProject) {
    EXPECT_EQ(CheckDefaultLanguages(false, false, false, 1), SettingsCheck::kValid);
    EXPECT_EQ(CheckDefaultLanguages(true, false, true, 1), SettingsCheck::kNoSystemLanguage);
    EXPECT_EQ(CheckDefaultLanguages(true, true, false, 1), SettingsCheck::kNoProjectLanguage);
    EXPECT_EQ(CheckDefaultLanguages(true, true, false, 0), SettingsCheck::kValid);
    EXPECT_EQ(CheckDefaultLanguages(true, true, false, 2), SettingsCheck::kValid) << "only 1 means a project";
    EXPECT_EQ(CheckDefaultLanguages(true, true, true, 1), SettingsCheck::kValid);
}

TEST(LanguageSettings, AChangedIdMustNotBeAnotherLanguages) {
    CQorDictionaryManager manager;
    CQorLanguageDict* english = AddLanguage(manager, 1033, 1);
    AddLanguage(manager, 1031, 0);
    EXPECT_TRUE(LanguageIdTaken(manager, english, 1031));
    EXPECT_FALSE(LanguageIdTaken(manager, english, 1033)) << "keeping the ID is never a clash";
    EXPECT_FALSE(LanguageIdTaken(manager, english, 1036));
    CQorLanguageDict fresh;  // a new language, not yet in the dictionary
    fresh.SetLanguageID(2048);
    EXPECT_TRUE(LanguageIdTaken(manager, &fresh, 1033));
    EXPECT_FALSE(LanguageIdTaken(manager, nullptr, 1033));

    DWORD id = 7;
    EXPECT_TRUE(ParseLanguageId(S(" 1031 "), id));
    EXPECT_EQ(id, 1031u);
    EXPECT_TRUE(ParseLanguageId(S("4294967295"), id));
    EXPECT_EQ(id, 0xFFFFFFFFu);
    for (const char* bad : {"", " ", "-1", "10 31", "0x0407", "4294967296", "12a"}) {
        id = 7;
        EXPECT_FALSE(ParseLanguageId(S(bad), id)) << bad;
        EXPECT_EQ(id, 7u) << "a refused text leaves the ID";
    }

    EXPECT_EQ(HexLanguageId(2052), S("0x0804"));
    EXPECT_EQ(HexLanguageId(7), S("0x0007"));
    EXPECT_EQ(HexLanguageId(0x12345), S("0x12345"));
}
