#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "checks/DictionaryCheck.h"
#include "checks/PseudoLanguage.h"
#include "checks/PseudoText.h"
#include "checks/TranslationStats.h"
#include "checks/UiTextTokens.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "tools/sampledict/WordListCsv.h"

namespace {

void AddWord(CQorDictionaryWord* list, const char* original) {
    auto* entry = new CQorDictWordElement;
    entry->SetOriginalCharacter(S(original));
    ASSERT_TRUE(list->AddWord(entry));
}

CQorLanguageDict* AddLanguage(CQorDictionaryManager& manager, DWORD id,
                              const std::vector<std::pair<const char*, const char*>>& systemWords) {
    auto* language = new CQorLanguageDict;
    language->SetLanguageID(id);
    for (const auto& word : systemWords) {
        auto* entry = new CQorDictWordElement;
        entry->SetOriginalCharacter(S(word.first));
        entry->SetDisplayCharacter(S(word.second));
        language->AddWord(DICTMODE_SYSTEM, entry);
    }
    EXPECT_TRUE(manager.Add(language));
    return language;
}

// zh-CN holds the originals and no translation; en-US and de-DE are half done.
void BuildSmall(CQorDictionaryManager& manager) {
    for (const char* word : {"文件(&F)", "保存", "共%d个"}) AddWord(manager.GetSysDictWord(), word);
    AddWord(manager.GetProjectDictWord(), "项目名称");
    AddLanguage(manager, 0x0804, {{"保存", ""}});
    AddLanguage(manager, 0x0409, {{"文件(&F)", "File"}, {"保存", "Save"}, {"旧的", "&Old &"}});
    CQorLanguageDict* german = AddLanguage(manager, 0x0407, {{"保存", ""}, {"共%d个", "%d Stück"}});
    auto* project = new CQorDictWordElement;
    project->SetOriginalCharacter(S("项目名称"));
    project->SetDisplayCharacter(S("Projektname"));
    german->AddWord(DICTMODE_PROJECT, project);
}

std::vector<std::string> Walk(CQorDictionaryManager& manager, const CCheckScope& scope) {
    std::vector<std::string> lines;
    CDictionaryChecker(manager).ForEachWord(scope, [&](const CCheckedWord& word) {
        for (const CCheckFinding& finding : word.findings)
            lines.push_back(std::to_string(word.languageId) + " " + std::to_string(int(word.mode)) + " " +
                            word.original.ToUtf8() + ": " + finding.message.ToUtf8());
    });
    return lines;
}

std::string ReadText(const char* path) {
    std::vector<unsigned char> bytes = ReadBytes(S(path));
    return std::string(bytes.begin(), bytes.end());
}

void BuildSample(CQorDictionaryManager& manager) {
    CsvRows languages, words;
    std::string error;
    ASSERT_TRUE(ParseCsv(ReadText(QOR_TEST_DATA_DIR "/../../demo/sample/languages.csv"), languages, error));
    ASSERT_TRUE(ParseCsv(ReadText(QOR_TEST_DATA_DIR "/../../demo/sample/words.csv"), words, error));
    ASSERT_TRUE(BuildSampleDictionary(languages, words, manager, error)) << error;
    ASSERT_GT(manager.GetSysDictWord()->GetDictionaryList()->GetCount(), 50);
}

}  // namespace

TEST(DictionaryChecker, WalksLanguagesModesAndWordsOutsideTheMasterList) {
    CQorDictionaryManager manager;
    BuildSmall(manager);
    // zh-CN translates nothing, so it is not told word by word that it is untranslated.
    EXPECT_EQ(Walk(manager, CCheckScope()),
              (std::vector<std::string>{"1033 0 文件(&F): accelerator count differs",
                                        "1033 0 共%d个: no translation; other languages have one",
                                        "1033 0 旧的: accelerator at the end",
                                        "1033 0 旧的: accelerator count differs",
                                        "1031 0 文件(&F): no translation; other languages have one",
                                        "1031 0 保存: empty translation; other languages have one"}));
    CCheckScope scope;
    scope.languageId = 0x0407;
    scope.system = false;
    EXPECT_TRUE(Walk(manager, scope).empty());

    // A cell costs a look-up per language and says what the walk says.
    CDictionaryChecker checker(manager);
    auto cell = checker.CheckCell(DICTMODE_SYSTEM, 0x0407, S("保存"));
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell[0].kind, CheckKind::Untranslated);
    EXPECT_TRUE(checker.CheckCell(DICTMODE_SYSTEM, 0x0804, S("保存")).empty());
    cell = checker.CheckCell(DICTMODE_SYSTEM, 0x0407, S("共%d个"), S("%s Stück"));
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell[0].message, S("placeholder %d became %s"));
}

TEST(DictionaryChecker, StatsCountEveryLanguageAndMode) {
    CQorDictionaryManager manager;
    BuildSmall(manager);
    std::vector<CTranslationStats> rows = QorTranslationStats(manager);
    ASSERT_EQ(rows.size(), 6u);
    auto figures = [](const CTranslationStats& r) {
        return std::vector<long>{long(r.languageId), r.mode,    r.words,   r.translated,
                                 r.empty,            r.missing, r.failing, r.warned};
    };
    EXPECT_EQ(figures(rows[0]), (std::vector<long>{0x0804, 0, 3, 0, 1, 2, 0, 0}));
    EXPECT_EQ(figures(rows[2]), (std::vector<long>{0x0409, 0, 3, 2, 0, 1, 2, 1}));
    EXPECT_EQ(figures(rows[3]), (std::vector<long>{0x0409, 1, 1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(figures(rows[4]), (std::vector<long>{0x0407, 0, 3, 1, 1, 1, 0, 2}));
    EXPECT_EQ(figures(rows[5]), (std::vector<long>{0x0407, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_NEAR(rows[2].PercentTranslated(), 66.67, 0.01);
    CTranslationStats total = QorTotalStats(rows);
    EXPECT_EQ(figures(total), (std::vector<long>{0, 0, 12, 4, 2, 6, 2, 3}));
}

TEST(PseudoText, KeepsWhatTheChecksLookAtAndStretchesTheRest) {
    EXPECT_EQ(QorPseudoTranslate(S("&Open\tCtrl+O"), 30), S("[&Oþéñ~~~~]\tCtrl+O"));
    EXPECT_EQ(QorPseudoTranslate(S("Save &"), 30), S("[Šåvé ~~]&"));
    EXPECT_EQ(QorPseudoTranslate(S("  %d files\r\n"), 30), S("  [%d ƒîļéš~~~~]\r\n"));
    EXPECT_EQ(QorPseudoTranslate(S("R&&D {0}"), 0), S("[Ŕ&&Ð {0}]"));
    EXPECT_EQ(QorPseudoTranslate(S(" "), 30), S(" "));
    const char* const crafted[] = {"", "&", "& x", "x & ", "&&", "%", "%%", "%1!d!%2", "{0:N2}%", "{{0}}",
                                   "\tCtrl+O", "a\tb", "\xF0\x9F\x98\x80&\xF0\x9F\x98\x80", "50% off", "100%",
                                   "&x&&y", "%ly%lu", "%1!x", "Line\r\nNext\n", "Ctrl+S\tCtrl+S"};
    for (const char* text : crafted)
        for (const CCheckFinding& finding : QorCheckTranslation(S(text), QorPseudoTranslate(S(text), 30)))
            EXPECT_EQ(finding.severity, CheckSeverity::Warning) << text << ": " << finding.message.ToUtf8();
}

TEST(PseudoText, EverySampleTextPassesTheChecks) {
    CQorDictionaryManager manager;
    BuildSample(manager);
    // The sample's own translations are clean: the checks raise no false error on real texts.
    CDictionaryChecker(manager).ForEachWord(CCheckScope(), [](const CCheckedWord& word) {
        for (const CCheckFinding& finding : word.findings)
            EXPECT_EQ(finding.severity, CheckSeverity::Warning) << word.original.ToUtf8();
        // Letters to replace: the English and German texts as originals too.
        if (word.translation.IsEmpty()) return;
        const CString pseudo = QorPseudoTranslate(word.translation, 30);
        for (const CCheckFinding& finding : QorCheckTranslation(word.translation, pseudo))
            EXPECT_EQ(finding.severity, CheckSeverity::Warning) << word.translation.ToUtf8();
        const int shown = QorShownLength(word.translation);
        EXPECT_EQ(QorShownLength(pseudo), shown + 2 + (shown * 30 + 99) / 100) << pseudo.ToUtf8();
        // Letters left as they were belong to placeholders, accelerators and
        // shortcuts, or have no accented form in the usual UI fonts.
        for (const CUiToken& token : QorTokenizeUiText(pseudo))
            for (int i = token.start; token.kind == UiTokenKind::Text && i < token.start + token.length; ++i) {
                const bool letter = (pseudo[i] | 0x20) >= 'a' && (pseudo[i] | 0x20) <= 'z';
                EXPECT_FALSE(letter && !std::strchr("bBFmMqQvVxX", char(pseudo[i]))) << pseudo.ToUtf8();
                EXPECT_TRUE(pseudo[i] < 0x0200 || word.translation.Find(pseudo[i]) >= 0)
                    << "a look-alike outside Latin-1 and Latin Extended-A: " << pseudo.ToUtf8();
            }
    });

    CPseudoLanguageReport report = QorMakePseudoLanguage(manager, LCID_PSEUDO, 30);
    EXPECT_TRUE(report.created);
    CQorLanguageDict* pseudo = manager.Find(LCID_PSEUDO);
    ASSERT_NE(pseudo, nullptr);
    LOGFONTW font, shownFont;
    pseudo->GetFont(font);
    manager.Find(manager.GetSysDefaultLanguageLCID())->GetFont(shownFont);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)),
              std::u16string(reinterpret_cast<const char16_t*>(shownFont.lfFaceName)));
    EXPECT_EQ(report.systemWords, manager.GetSysDictWord()->GetDictionaryList()->GetCount());
    CCheckScope scope;
    scope.languageId = LCID_PSEUDO;
    long words = 0;
    CDictionaryChecker(manager).ForEachWord(scope, [&](const CCheckedWord& word) {
        ++words;
        EXPECT_TRUE(word.inMasterList && word.hasEntry);
        for (const CCheckFinding& finding : word.findings)
            EXPECT_EQ(finding.severity, CheckSeverity::Warning) << word.original.ToUtf8();
    });
    EXPECT_EQ(words, report.systemWords);
    EXPECT_TRUE(QorIsPseudoLanguage(*pseudo));
    EXPECT_FALSE(QorIsPseudoLanguage(*manager.Find(0x0407)));

    // A refresh keeps nothing of a word the master list dropped.
    ASSERT_TRUE(manager.GetSysDictWord()->RemoveWord(S("保存")));
    report = QorMakePseudoLanguage(manager, LCID_PSEUDO, 0);
    EXPECT_FALSE(report.created);
    EXPECT_EQ(pseudo->FindWord(DICTMODE_SYSTEM, S("保存")), nullptr);
    EXPECT_EQ(pseudo->GetDisplayCharacter(DICTMODE_SYSTEM, S("文件(&F)")), S("[文件(&F)]"));
    EXPECT_EQ(report.systemWords, manager.GetSysDictWord()->GetDictionaryList()->GetCount());
}
