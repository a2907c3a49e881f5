// How gathered resource texts and function-diagram pairs join a dictionary.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "base/COleDateTime.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "pages/GatherRules.h"
#include "pages/WordPageRules.h"

namespace {

class GatherRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        english = AddLanguage(1033, 1);
        german = AddLanguage(1031, 1);
        french = AddLanguage(1036, 0);  // disabled: no column
        manager.SetSysDefaultLanguageLCID(1033);
        auto* known = new CQorDictWordElement;
        known->SetOriginalCharacter(S("打开"));
        ASSERT_TRUE(manager.GetSysDictWord()->AddWord(known));
        Translate(german, "Speed", "Drehzahl");
    }
    CQorLanguageDict* AddLanguage(DWORD id, int enabled) {
        auto* language = new CQorLanguageDict;
        language->SetLanguageID(id);
        language->SetEnable(enabled);
        EXPECT_TRUE(manager.Add(language));
        return language;
    }
    void Translate(CQorLanguageDict* language, const char* original, const char* display) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(original));
        entry->SetDisplayCharacter(S(display));
        ASSERT_TRUE(language->AddWord(DICTMODE_SYSTEM, entry));
    }
    GatherCounts Merge(std::vector<CString> texts) {
        return MergeGatheredTexts(manager, DICTMODE_SYSTEM, LanguageColumnsOf(manager), texts.data(), texts.size());
    }
    long MasterCount() { return long(manager.GetSysDictWord()->GetDictionaryList()->GetCount()); }
    long Count(CQorLanguageDict* language) { return long(language->GetDictionaryList(DICTMODE_SYSTEM)->GetCount()); }
    CString Translation(CQorLanguageDict* language, const char* original) {
        const CQorDictWordElement* entry = language->FindWord(DICTMODE_SYSTEM, S(original));
        return entry ? entry->GetDisplayCharacter() : S("<none>");
    }

    CQorDictionaryManager manager;
    CQorLanguageDict* english = nullptr;
    CQorLanguageDict* german = nullptr;
    CQorLanguageDict* french = nullptr;
};

TEST_F(GatherRulesTest, NewTextsGetAWordAndAnEmptyEntryPerColumnLanguage) {
    const GatherCounts counts = Merge({S("保存"), S(""), S("保存"), S("SPEED"), S("打开"), S("speed")});
    // "保存" once, "SPEED" once ("speed" is the same key); "" and the known "打开" refused.
    EXPECT_EQ(counts.wordsAdded, 2);
    EXPECT_EQ(MasterCount(), 3);
    EXPECT_EQ(Translation(english, "保存"), S(""));
    EXPECT_EQ(Translation(english, "speed"), S(""));
    EXPECT_EQ(Translation(german, "保存"), S(""));
    // German already knew the word in another letter case: kept as it was.
    EXPECT_EQ(Translation(german, "SPEED"), S("Drehzahl"));
    EXPECT_EQ(Count(german), 2);
    EXPECT_EQ(Count(french), 0);
    EXPECT_EQ(counts.entriesAdded, 3);
    const COleDateTime wordTime = manager.GetSysDictWord()->FindWord(S("保存"))->GetUpdateDateTime();
    EXPECT_EQ(english->FindWord(DICTMODE_SYSTEM, S("保存"))->GetUpdateDateTime(), wordTime);
}

TEST_F(GatherRulesTest, KnownTextsAndAMissingDefaultLanguageAddOnlyWhatIsDue) {
    Merge({S("保存"), S("关闭")});
    const GatherCounts again = Merge({S("保存"), S("关闭"), S("打开")});
    EXPECT_EQ(again.wordsAdded, 0);
    EXPECT_EQ(again.entriesAdded, 0);
    EXPECT_EQ(Count(english), 2);

    // Without the system default language there are no columns: words only.
    manager.SetSysDefaultLanguageLCID(2052);
    const GatherCounts words = Merge({S("新建")});
    EXPECT_EQ(words.wordsAdded, 1);
    EXPECT_EQ(words.entriesAdded, 0);
    EXPECT_EQ(Translation(english, "新建"), S("<none>"));

    // The project mode fills the project lists and leaves the system ones.
    const std::vector<CString> texts = {S("项目")};
    manager.SetSysDefaultLanguageLCID(1033);
    MergeGatheredTexts(manager, DICTMODE_PROJECT, LanguageColumnsOf(manager), texts.data(), texts.size());
    EXPECT_TRUE(manager.GetProjectDictWord()->FindWord(S("项目")));
    EXPECT_FALSE(manager.GetSysDictWord()->FindWord(S("项目")));
    EXPECT_TRUE(english->FindWord(DICTMODE_PROJECT, S("项目")));
}

TEST_F(GatherRulesTest, DiagramTranslationsGoToTheFirstColumnOrTheDefaultLanguage) {
    EXPECT_EQ(FunctionDiagramTargetLanguage(manager, {1031, 1033}), 1031u);
    EXPECT_EQ(FunctionDiagramTargetLanguage(manager, {}), 1033u);
    EXPECT_EQ(FunctionDiagramTargetLanguage(manager, {1049}), 2048u);  // that language is gone
}

TEST_F(GatherRulesTest, DiagramPairsAddWordsAndSetTranslationsOnlyWhenTheyDiffer) {
    DiagramPairResult result = MergeFunctionDiagramPair(manager, 1031, S("高选"), S("Maximum"));
    EXPECT_TRUE(result.wordAdded);
    EXPECT_TRUE(result.translated);
    EXPECT_EQ(Translation(german, "高选"), S("Maximum"));
    EXPECT_EQ(Translation(english, "高选"), S("<none>"));

    result = MergeFunctionDiagramPair(manager, 1031, S("高选"), S("Maximum"));
    EXPECT_FALSE(result.wordAdded);
    EXPECT_FALSE(result.translated);

    // Keys that differ in letter case are one word: the later pair's
    // translation replaces the earlier one's, and the word keeps its first spelling.
    MergeFunctionDiagramPair(manager, 1031, S("Max"), S("Maximum"));
    result = MergeFunctionDiagramPair(manager, 1031, S("MAX"), S("Höchstwert"));
    EXPECT_FALSE(result.wordAdded);
    EXPECT_TRUE(result.translated);
    EXPECT_EQ(Translation(german, "max"), S("Höchstwert"));
    EXPECT_EQ(manager.GetSysDictWord()->FindWord(S("max"))->GetOriginalCharacter(), S("Max"));

    // A known word gets its translation even though the master list refuses it.
    result = MergeFunctionDiagramPair(manager, 1033, S("打开"), S("Open"));
    EXPECT_FALSE(result.wordAdded);
    EXPECT_EQ(Translation(english, "打开"), S("Open"));

    // No such language: the word is still added, the translation dropped.
    const long languagesBefore = Count(english) + Count(german) + Count(french);
    result = MergeFunctionDiagramPair(manager, 1049, S("低选"), S("Минимум"));
    EXPECT_TRUE(result.wordAdded);
    EXPECT_FALSE(result.translated);
    EXPECT_EQ(Count(english) + Count(german) + Count(french), languagesBefore);

    // An empty text is nobody's word.
    result = MergeFunctionDiagramPair(manager, 1031, S(""), S("leer"));
    EXPECT_FALSE(result.wordAdded || result.translated);
    EXPECT_EQ(Translation(german, ""), S("<none>"));
}

}  // namespace
