// Catalogues exchanged with a dictionary: what the exporter marks, how an
// import merges, and which files and languages are taken.
#include <gtest/gtest.h>

#include <filesystem>

#include "SheetTestSupport.h"
#include "catalogs/CatalogExchange.h"
#include "catalogs/CatalogLanguage.h"
#include "catalogs/PrintfFormat.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {

using Pairs = std::vector<std::pair<const char*, const char*>>;

const CCatalogMessage* Find(const CCatalog& catalog, const char* original) {
    for (const CCatalogMessage& message : catalog.messages)
        if (message.original == S(original)) return &message;
    return nullptr;
}

CCatalogMessage Message(const char* original, const char* translation, bool fuzzy = false) {
    CCatalogMessage message;
    message.original = S(original);
    message.translation = S(translation);
    message.fuzzy = fuzzy;
    return message;
}

// The pairs msgfmt judges are in tests/tools/test_catalogs.py; here the forms
// it accepts that differ in spelling, and those it is not trusted with.
TEST(PrintfFormat, ComparesArgumentsAsMsgfmtDoes) {
    const Pairs same = {{"%s: %d", "%2$d: %1$s"}, {"%lld", "%qd"}, {"%ls", "%S"}, {"%lc", "%C"}, {"%Lf", "%llf"},
                        {"%d", "%i"}, {"%'d", "%d"}};
    for (const auto& pair : same) EXPECT_TRUE(QorSamePrintfArguments(S(pair.first), S(pair.second))) << pair.first;
    const Pairs different = {{"%s", "%S"}, {"%d%s", "%2$d"}, {"%s", "%s%1$s"}, {"%s", "% s"}, {"%d", "%n"}};
    for (const auto& pair : different)
        EXPECT_FALSE(QorSamePrintfArguments(S(pair.first), S(pair.second))) << pair.first << " / " << pair.second;
    for (const char* format : {"%s", "%d个", "%5.1f%%", "%2$s %1$s"}) EXPECT_TRUE(QorIsPrintfFormat(S(format))) << format;
    for (const char* text : {"100%%", "'%1' ...", "100% sure", "%", "50%。", "%I64d", "%2$s", "%d %1$d", "%m"})
        EXPECT_FALSE(QorIsPrintfFormat(S(text))) << text;
}

TEST(CatalogExchange, ExportMarksFormatsAndFuzzyTranslationsAndLeavesOutWhatPoCannotHold) {
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Delete %d words?", {{0x0407, "%d Wörter löschen?"}});
    AddWord(*manager, DICTMODE_SYSTEM, "'%s' exists", {{0x0407, "'%d' gibt es"}});
    AddWord(*manager, DICTMODE_SYSTEM, "Line\n", {{0x0407, "Zeile"}});
    AddWord(*manager, DICTMODE_SYSTEM, "Open", {{0x040C, "Ouvrir"}});
    const WCHAR nul[] = {'N', 0, 'L'};
    auto word = std::make_unique<CQorDictWordElement>();
    word->SetOriginalCharacter(CString(nul, 3));
    ASSERT_TRUE(manager->GetSysDictWord()->AddWord(word.release()));
    AddWord(*manager, DICTMODE_PROJECT, "Project only");

    CCatalogExportResult result;
    const CCatalog po =
        QorBuildCatalog(*manager, DICTMODE_SYSTEM, *manager->Find(0x0407), 0x0804, CCatalogKind::Po, result);
    EXPECT_EQ(po.sourceLanguage, S("zh_CN"));
    EXPECT_EQ(po.targetLanguage, S("de_DE"));
    ASSERT_EQ(po.messages.size(), 4u);
    EXPECT_EQ((std::vector<long>{result.messages, result.translated, result.markedFuzzy, result.leftOut}),
              (std::vector<long>{4, 3, 2, 1}));
    EXPECT_TRUE(Find(po, "Line\n")->fuzzy);
    EXPECT_TRUE(Find(po, "Open")->translation.IsEmpty());  // French only
    EXPECT_EQ(Find(po, "Open")->updated, manager->GetSysDictWord()->FindWord(QSTR("Open"))->GetUpdateDateTime());

    const CCatalog xliff =
        QorBuildCatalog(*manager, DICTMODE_SYSTEM, *manager->Find(0x0407), 0x0804, CCatalogKind::Xliff, result);
    EXPECT_EQ(xliff.targetLanguage, S("de-DE"));
    EXPECT_EQ(result.leftOut, 0);  // XLIFF writes the NUL as <cp>
    EXPECT_EQ(xliff.messages.size(), 5u);
}

TEST(CatalogExchange, ImportMergesByTheWorkbookRules) {
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_PROJECT, "Speed", {{0x0407, "Drehzahl"}});
    AddWord(*manager, DICTMODE_PROJECT, "Torque", {{0x0407, "Moment"}});
    AddWord(*manager, DICTMODE_PROJECT, "Power", {{0x0407, "Leistung"}});
    const COleDateTime before = COleDateTime::GetCurrentTime();
    CCatalog catalog;
    catalog.messages = {
        Message("SPEED", "Geschwindigkeit"),  // another case of a known word: a change
        Message("Torque", "Moment"),          // the same: nothing
        Message("Power", ""),                 // untranslated: kept as it was
        Message("Voltage", "Spann***ung"),    // new word and translation
        Message("Current", "Strom", true),    // fuzzy: the word only
        Message("", "nothing"),               // no original: skipped
    };
    const CCatalogImportResult result = QorMergeCatalog(*manager, DICTMODE_PROJECT, *manager->Find(0x0407), catalog);
    EXPECT_EQ(result.messages, 6);
    EXPECT_EQ(result.counts.wordsAdded, 2);
    EXPECT_EQ(result.counts.translationsAdded, 1);
    EXPECT_EQ(result.counts.translationsChanged, 1);
    EXPECT_EQ(result.fuzzy, 1);
    EXPECT_EQ(result.untranslated, 1);
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Speed"), "Geschwindigkeit");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Power"), "Leistung");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Voltage"), "Spannung");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Current"), "<none>");
    EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_PROJECT, "Voltage"), "<none>");  // other languages untouched
    EXPECT_EQ(manager->GetSysDictWord()->GetDictionaryList()->GetCount(), 0);
    const CQorDictWordElement* added = manager->GetProjectDictWord()->FindWord(QSTR("Current"));
    ASSERT_NE(added, nullptr);
    EXPECT_GE(added->GetUpdateDateTime().GetValue(), before.GetValue());
}

TEST(CatalogExchange, FilesAndLanguagesByName) {
    EXPECT_EQ(QorCatalogKindOf(S("a/de.PO")), CCatalogKind::Po);
    EXPECT_EQ(QorCatalogKindOf(S("de.pot")), CCatalogKind::Po);
    EXPECT_EQ(QorCatalogKindOf(S("de.xliff")), CCatalogKind::Xliff);
    EXPECT_EQ(QorCatalogKindOf(S("po")), CCatalogKind::None);
    EXPECT_EQ(QorPoLanguageName(0x0C1A), S("sr_CS@cyrillic"));
    EXPECT_TRUE(QorPoLanguageName(0x1234).IsEmpty());
    EXPECT_EQ(QorCatalogLanguageTag(0x1234), S("x-lcid-1234"));
    for (const char* fits : {"", "de_DE", "DE-de", "de", "de_DE.UTF-8@euro"})
        EXPECT_TRUE(QorCatalogLanguageFits(S(fits), 0x0407)) << fits;
    for (const char* wrong : {"de_AT", "en", "d", "deu"}) EXPECT_FALSE(QorCatalogLanguageFits(S(wrong), 0x0407)) << wrong;
    EXPECT_TRUE(QorCatalogLanguageFits(S("sr_CS@cyrillic"), 0x0C1A));
    EXPECT_TRUE(QorCatalogLanguageFits(S("x-lcid-1234"), 0x1234));
}

TEST(CatalogExchange, FilesThatCannotBeReadOrWrittenSayWhy) {
    ScratchDir dir;
    CCatalog catalog;
    CString error;
    const CString damaged = dir.Path("damaged.po");
    const std::string text = "msgid \"a\"\nmsgstr \"b\"\n\nmsgid \"c\\\"\n";
    WriteBytes(damaged, std::vector<unsigned char>(text.begin(), text.end()));
    EXPECT_FALSE(QorReadCatalogFile(damaged, catalog, error));
    EXPECT_TRUE(catalog.messages.empty());
    EXPECT_NE(error.ToUtf8().find("damaged.po': line 4: the string has no closing quote"), std::string::npos)
        << error.ToUtf8();

    const CString large = dir.Path("large.xlf");
    WriteBytes(large, {});
    std::filesystem::resize_file(std::filesystem::u8path(large.ToUtf8()), (256u << 20) + 1);  // sparse
    EXPECT_FALSE(QorReadCatalogFile(large, catalog, error));
    EXPECT_NE(error.ToUtf8().find("too large to read (over 256 MiB)"), std::string::npos) << error.ToUtf8();

    auto manager = MakeDictionary();
    CCatalogExportResult result;
    EXPECT_FALSE(QorExportCatalog(*manager, DICTMODE_SYSTEM, *manager->Find(0x040C), 0x0804,
                                  dir.Path("no such folder/fr.po"), result, error));
    EXPECT_NE(error.ToUtf8().find("no such folder"), std::string::npos) << error.ToUtf8();
}

}  // namespace
