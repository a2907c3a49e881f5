#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "tools/sampledict/WordListCsv.h"

namespace {

const char kLanguages[] =
    "locale,lcid,font,points,enabled\n"
    "zh-CN,0x0804,Microsoft YaHei,9,1\n"
    "en-US,1033,Tahoma,9,1\n"
    "de-DE,0x0407,Arial,12,0\n";

CsvRows Parse(const std::string& text) {
    CsvRows rows;
    std::string error;
    EXPECT_TRUE(ParseCsv(text, rows, error)) << error;
    return rows;
}

}  // namespace

TEST(SampleDictionaryCsv, QuotesLineEndsAndByteOrderMark) {
    CsvRows rows = Parse("\xEF\xBB\xBFzh-CN,en-US\r\n\"a,b\",\"say \"\"hi\"\"\"\r\n\nx,\n,y");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"zh-CN", "en-US"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"a,b", "say \"hi\""}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"x"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"", "y"}));

    CsvRows broken;
    std::string error;
    EXPECT_FALSE(ParseCsv("a,\"open\nb", broken, error));
    EXPECT_FALSE(error.empty());
}

TEST(SampleDictionaryCsv, BuildsLanguagesWordsAndDefaults) {
    CQorDictionaryManager manager;
    std::string error;
    ASSERT_TRUE(BuildSampleDictionary(Parse(kLanguages),
                                      Parse("zh-CN,en-US,de-DE\n文件(&F),&File,&Datei\n保存,Save,\n"), manager,
                                      error))
        << error;
    EXPECT_EQ(manager.GetSysDefaultLanguageLCID(), 0x0804u);
    EXPECT_EQ(manager.GetProjectDefaultLanguageLCID(), 0x0804u);
    EXPECT_TRUE(manager.IsEnable());
    EXPECT_TRUE(manager.IsEnableFont());
    EXPECT_EQ(manager.GetSysDictWord()->GetDictionaryList()->GetCount(), 2);

    CQorLanguageDict* german = manager.Find(0x0407);
    ASSERT_NE(german, nullptr);
    EXPECT_FALSE(german->IsEnable());
    LOGFONTW font;
    german->GetFont(font);
    EXPECT_EQ(CString(font.lfFaceName), S("Arial"));
    EXPECT_EQ(font.lfHeight, -16);

    manager.SetSysDefaultLanguageLCID(0x0409);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件(&F)")), S("&File"));
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("保存")), S("Save"));
    german->SetEnable(1);
    manager.SetSysDefaultLanguageLCID(0x0407);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件(&F)")), S("&Datei"));
    // An empty cell is no translation.
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("保存")), S("保存"));
    // The original language holds no words: it shows every text as written.
    manager.SetSysDefaultLanguageLCID(0x0804);
    EXPECT_EQ(manager.GetDisplayCharacter(DICTMODE_SYSTEM, S("文件(&F)")), S("文件(&F)"));
}

TEST(SampleDictionaryCsv, RefusesTablesThatDoNotFit) {
    struct Case {
        const char* words;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"zh-CN,fr-FR\na,b\n", "fr-FR"},
        {"zh-CN,en-US\na,b,c\n", "row 2"},
        {"zh-CN,en-US\na,b\nA,c\n", "repeated"},
    };
    for (const Case& c : cases) {
        CQorDictionaryManager manager;
        std::string error;
        EXPECT_FALSE(BuildSampleDictionary(Parse(kLanguages), Parse(c.words), manager, error)) << c.words;
        EXPECT_NE(error.find(c.reasonPart), std::string::npos) << error;
    }
}
