// The word pages' rules without the grid: columns, cell texts, the effect of
// an edit, the search and removing rows.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/COleDateTime.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "pages/WordPageRules.h"

namespace {

class WordPageRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        english = AddLanguage(1033, 1);
        german = AddLanguage(1031, 0);
        french = AddLanguage(1036, 1);
        manager.SetSysDefaultLanguageLCID(1033);
        for (const char* word : {"Motor", "motor speed", "Drive", "Speed limit", "abc"}) Word(word);
    }
    CQorLanguageDict* AddLanguage(DWORD id, int enabled) {
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(id);
        language->SetEnable(enabled);
        EXPECT_TRUE(manager.Add(language));
        return language;
    }
    CQorDictWordElement* Word(const char* original) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(original));
        entry->SetUpdateDateTime(COleDateTime(2024, 5, 6, 7, 8, 9));
        EXPECT_TRUE(Master().AddWord(entry));
        return entry;
    }
    void Translate(CQorLanguageDict* language, const char* original, const char* display) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(original));
        entry->SetDisplayCharacter(S(display));
        EXPECT_TRUE(language->AddWord(DICTMODE_SYSTEM, entry));
    }
    CQorDictionaryWord& Master() { return *manager.GetSysDictWord(); }
    CString Cell(int row, int column) {
        return WordCellText(manager, WordAtRow(Master(), row), column, LanguageColumnsOf(manager), DICTMODE_SYSTEM);
    }

    CQorDictionaryManager manager;
    CQorLanguageDict* english = nullptr;
    CQorLanguageDict* german = nullptr;
    CQorLanguageDict* french = nullptr;
};

}  // namespace

TEST_F(WordPageRulesTest, ColumnsAreTheEnabledLanguagesOnlyWithASystemLanguage) {
    EXPECT_EQ(LanguageColumnsOf(manager), (std::vector<DWORD>{1033, 1036}));
    manager.SetSysDefaultLanguageLCID(1031);  // disabled, but it exists
    EXPECT_EQ(LanguageColumnsOf(manager), (std::vector<DWORD>{1033, 1036}));
    manager.SetSysDefaultLanguageLCID(1041);
    EXPECT_TRUE(LanguageColumnsOf(manager).empty());
}

TEST_F(WordPageRulesTest, CellsShowTimeOriginalAndTranslationsAndNothingOutside) {
    Translate(french, "MOTOR", "Moteur");
    EXPECT_EQ(Cell(0, 0), S("2024-05-06 07:08:09"));
    EXPECT_EQ(Cell(0, 1), S("Motor"));
    EXPECT_EQ(Cell(0, 2), S(""));
    EXPECT_EQ(Cell(0, 3), S("Moteur")) << "found in any letter case";
    EXPECT_EQ(Cell(0, 4), S(""));
    EXPECT_EQ(Cell(5, 1), S(""));
    EXPECT_EQ(Cell(-1, 1), S(""));
    EXPECT_EQ(UpdateTimeText(COleDateTime(0.0, COleDateTime::invalid)), S("-001--1--1 -1:-1:-1"));

    // A column whose language went is empty, not a dangling read.
    const std::vector<DWORD> columns = LanguageColumnsOf(manager);
    ASSERT_TRUE(manager.Remove(french));
    EXPECT_EQ(WordCellText(manager, WordAtRow(Master(), 0), 3, columns, DICTMODE_SYSTEM), S(""));
}

TEST_F(WordPageRulesTest, RenamingTheOriginalCarriesTheTranslationsAlong) {
    Translate(english, "Drive", "Drive (en)");
    Translate(german, "Drive", "Antrieb");
    const std::vector<DWORD> columns = LanguageColumnsOf(manager);
    CQorDictWordElement* drive = WordAtRow(Master(), 2);
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), drive, 1, S("DRIVE"), columns, DICTMODE_SYSTEM))
        << "letter case only";
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), drive, 0, S("2020-01-01"), columns, DICTMODE_SYSTEM));
    EXPECT_TRUE(ApplyWordCellEdit(manager, Master(), drive, 1, S("Main drive"), columns, DICTMODE_SYSTEM));
    EXPECT_EQ(Master().FindWord(S("main DRIVE")), drive);
    EXPECT_EQ(Master().FindWord(S("Drive")), nullptr);
    ASSERT_NE(english->FindWord(DICTMODE_SYSTEM, S("Main drive")), nullptr);
    EXPECT_EQ(english->FindWord(DICTMODE_SYSTEM, S("Main drive"))->GetDisplayCharacter(), S("Drive (en)"));
    EXPECT_NE(german->FindWord(DICTMODE_SYSTEM, S("Drive")), nullptr) << "a disabled language is left as it was";
    EXPECT_EQ(drive->GetUpdateDateTime(), COleDateTime(2024, 5, 6, 7, 8, 9));
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), drive, 1, S("MOTOR"), columns, DICTMODE_SYSTEM))
        << "a name another word has is refused";
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), drive, 1, S(""), columns, DICTMODE_SYSTEM));
    EXPECT_EQ(Master().FindWord(S("Motor")), WordAtRow(Master(), 0));
    EXPECT_EQ(drive->GetOriginalCharacter(), S("Main drive"));
}

TEST_F(WordPageRulesTest, ATranslationIsAddedOnceThenChangedOnlyWhenItDiffers) {
    const std::vector<DWORD> columns = LanguageColumnsOf(manager);
    CQorDictWordElement* motor = WordAtRow(Master(), 0);
    EXPECT_TRUE(ApplyWordCellEdit(manager, Master(), motor, 3, S("Moteur"), columns, DICTMODE_SYSTEM));
    const CQorDictWordElement* added = french->FindWord(DICTMODE_SYSTEM, S("Motor"));
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, motor);
    EXPECT_EQ(added->GetDisplayCharacter(), S("Moteur"));
    EXPECT_EQ(added->GetUpdateDateTime(), motor->GetUpdateDateTime()) << "the row's time comes along";
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), motor, 3, S("Moteur"), columns, DICTMODE_SYSTEM));
    EXPECT_TRUE(ApplyWordCellEdit(manager, Master(), motor, 3, S("moteur"), columns, DICTMODE_SYSTEM));
    EXPECT_EQ(french->FindWord(DICTMODE_SYSTEM, S("Motor"))->GetDisplayCharacter(), S("moteur"));
    EXPECT_EQ(english->FindWord(DICTMODE_PROJECT, S("Motor")), nullptr);
    EXPECT_FALSE(ApplyWordCellEdit(manager, Master(), motor, 9, S("x"), columns, DICTMODE_SYSTEM));
}

TEST_F(WordPageRulesTest, SearchGoesOneWayWithoutWrapping) {
    // Rows: Motor, motor speed, Drive, Speed limit, abc.
    EXPECT_EQ(FindOriginalRow(Master(), S("speed"), kFindDown, 0), 1);
    EXPECT_EQ(FindOriginalRow(Master(), S("speed"), kFindDown, 2), 3);
    EXPECT_EQ(FindOriginalRow(Master(), S("speed"), kFindDown, 4), -1) << "no wrap";
    EXPECT_EQ(FindOriginalRow(Master(), S("speed"), 0, 4), 3) << "backward";
    EXPECT_EQ(FindOriginalRow(Master(), S("speed"), kFindDown | kFindMatchCase, 0), 1);
    EXPECT_EQ(FindOriginalRow(Master(), S("Speed"), kFindDown | kFindMatchCase, 0), 3);
    EXPECT_EQ(FindOriginalRow(Master(), S("MOTOR"), kFindDown | kFindWholeWord, 0), 0);
    EXPECT_EQ(FindOriginalRow(Master(), S("MOTOR"), kFindDown | kFindWholeWord, 1), -1);
    EXPECT_EQ(FindOriginalRow(Master(), S("MOTOR"), kFindDown | kFindWholeWord | kFindMatchCase, 0), -1);
    EXPECT_EQ(FindOriginalRow(Master(), S("abc"), kFindDown, 9), -1);
    EXPECT_EQ(FindOriginalRow(Master(), S("abc"), 0, 9), 4) << "up from past the end starts at the last row";
    EXPECT_EQ(FindOriginalRow(Master(), S("Motor"), kFindDown, -1), 0);
    EXPECT_EQ(FindOriginalRow(Master(), S("Motor"), 0, -1), -1);
}

TEST_F(WordPageRulesTest, RemovingRowsTakesExactlyThoseWordsInAnyOrder) {
    Translate(english, "Drive", "Drive (en)");
    EXPECT_EQ(RemoveWordRows(Master(), {4, 0, 2, 2, 17}), 3);
    ASSERT_EQ(Master().GetDictionaryList()->GetCount(), 2);
    EXPECT_EQ(Cell(0, 1), S("motor speed"));
    EXPECT_EQ(Cell(1, 1), S("Speed limit"));
    EXPECT_NE(english->FindWord(DICTMODE_SYSTEM, S("Drive")), nullptr) << "languages keep their entries";
}
