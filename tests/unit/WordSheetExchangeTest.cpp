// Export of a word page to .xlsx and .csv, read back, and imported again.
#include <gtest/gtest.h>

#include "SheetTestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/CsvWriter.h"
#include "sheets/SheetProgress.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"
#include "sheets/XlsxWriter.h"
#include "sheets/ZipReader.h"

namespace {

typedef std::vector<std::vector<std::string>> Rows;

Rows ExportAndRead(CQorDictionaryManager& manager, DICTMODE mode, const CString& path) {
    CWordSheetExporter exporter(&manager, mode, QorWordSheetLanguages(manager));
    CWordSheetExporter::Result result;
    CString error;
    auto writer = QorCreateSheetWriter(path);
    EXPECT_TRUE(exporter.Export(*writer, path, nullptr, result, error)) << error.ToUtf8();
    CWorkbookData workbook;
    EXPECT_TRUE(QorReadWorkbookFile(path, workbook, error)) << error.ToUtf8();
    if (workbook.sheets.size() != 1) return {};
    return Grid(workbook.sheets[0]);
}

// Texts that a spreadsheet file has to carry exactly.
const char* const kAwkward[] = {
    "0042", "1E5", "=SUM(A1:A2)", "'quoted", "2024-01-02", "TRUE", "  spaced  ", "a,b;\"c\"",
    "two\r\nlines", "tab\there", "bell\x07" "end", "_x0041_ literal", "<&>", "中文 Ελληνικά 😀", "-", "+1",
};

class WordSheetExchange : public ::testing::TestWithParam<const char*> {};

TEST_P(WordSheetExchange, ExportsTheLayoutAndReadsBackEveryText) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Open", {{0x0407, "Öffnen"}, {0x040C, "Ouvrir"}, {0x0409, "Open"}});
    AddWord(*manager, DICTMODE_SYSTEM, "Close", {{0x040C, "Fermer"}});
    for (const char* text : kAwkward) AddWord(*manager, DICTMODE_SYSTEM, text, {{0x0407, text}});
    // A word whose time is not valid prints every field as -1.
    manager->GetSysDictWord()->FindWord(QSTR("Close"))->SetUpdateDateTime(COleDateTime(0, COleDateTime::invalid));

    const Rows rows = ExportAndRead(*manager, DICTMODE_SYSTEM, dir.Path(GetParam()));
    ASSERT_EQ(rows.size(), 3u + std::size(kAwkward));
    // English is disabled: no column.
    EXPECT_EQ(rows[0], (std::vector<std::string>{"更新时间", "原始字符串", "Deutsch", "français"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"2024-03-05 14:07:09", "Open", "Öffnen", "Ouvrir"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"-001--1--1 -1:-1:-1", "Close", "", "Fermer"}));
    for (std::size_t i = 0; i < std::size(kAwkward); ++i)
        EXPECT_EQ(rows[3 + i], (std::vector<std::string>{"2024-03-05 14:07:09", kAwkward[i], kAwkward[i], ""}));
}

TEST_P(WordSheetExchange, ExportThenImportChangesNoDisplayString) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_PROJECT, "Speed", {{0x0407, "Drehzahl"}, {0x040C, "Vitesse"}});
    AddWord(*manager, DICTMODE_PROJECT, "Torque", {{0x040C, "Couple"}});
    for (const char* text : kAwkward) AddWord(*manager, DICTMODE_PROJECT, text, {{0x040C, text}});
    const CString path = dir.Path(GetParam());
    const Rows first = ExportAndRead(*manager, DICTMODE_PROJECT, path);

    CWorkbookData workbook;
    CString error;
    ASSERT_TRUE(QorReadWorkbookFile(path, workbook, error));
    CWordSheetImporter importer(manager.get(), DICTMODE_PROJECT, QorWordSheetLanguages(*manager));
    const auto reports = importer.ImportWorkbook(workbook, nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wordsAdded, 0);
    EXPECT_EQ(reports[0].translationsChanged, 0);
    // Only the empty entries the merge makes for missing translations.
    EXPECT_EQ(reports[0].translationsAdded, 1 + long(std::size(kAwkward)));
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Torque"), "");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Speed"), "Drehzahl");
    for (const char* text : kAwkward) EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_PROJECT, text), text);

    EXPECT_EQ(ExportAndRead(*manager, DICTMODE_PROJECT, path), first);
}

INSTANTIATE_TEST_SUITE_P(Formats, WordSheetExchange, ::testing::Values("words.xlsx", "words.csv"));

TEST(WordSheetExport, WritesAHeadingRowOnlyWithoutWordsOrDefaultLanguage) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    EXPECT_EQ(ExportAndRead(*manager, DICTMODE_SYSTEM, dir.Path("empty.xlsx")),
              (Rows{{"更新时间", "原始字符串", "Deutsch", "français"}}));
    AddWord(*manager, DICTMODE_SYSTEM, "Open", {{0x0407, "Öffnen"}});
    manager->SetSysDefaultLanguageLCID(0x0410);  // no such language: no language column
    EXPECT_EQ(ExportAndRead(*manager, DICTMODE_SYSTEM, dir.Path("nolang.xlsx")),
              (Rows{{"更新时间", "原始字符串"}, {"2024-03-05 14:07:09", "Open"}}));
}

TEST(WordSheetExport, HeadingsFromTheCallerAndUnknownLanguages) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    manager->Find(0x040C)->SetLanguageID(0x7777);
    CWordSheetExporter exporter(manager.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*manager));
    CWordSheetExporter::Result result;
    CString error;
    CXlsxWriter writer;
    ASSERT_TRUE(exporter.Export(writer, dir.Path("a.xlsx"), nullptr, result, error));
    CWorkbookData workbook;
    ASSERT_TRUE(QorReadWorkbookFile(dir.Path("a.xlsx"), workbook, error));
    EXPECT_EQ(workbook.sheets[0].GetName().ToUtf8(), "Sheet1");
    EXPECT_EQ(workbook.sheets[0].GetText(0, 3).ToUtf8(), "Not supported language");
    exporter.SetLanguageHeadings({QSTR("German (Germany)"), QSTR("X")});
    ASSERT_TRUE(exporter.Export(writer, dir.Path("a.xlsx"), nullptr, result, error));
    ASSERT_TRUE(QorReadWorkbookFile(dir.Path("a.xlsx"), workbook, error));
    EXPECT_EQ(workbook.sheets[0].GetText(0, 2).ToUtf8(), "German (Germany)");
}

TEST(WordSheetExport, EmptyTranslationsAreTextCellsLikeTheOthers) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Close", {{0x040C, "Fermer"}});
    EXPECT_EQ(ExportAndRead(*manager, DICTMODE_SYSTEM, dir.Path("e.xlsx")),
              (Rows{{"更新时间", "原始字符串", "Deutsch", "français"}, {"2024-03-05 14:07:09", "Close", "", "Fermer"}}));
    const auto bytes = ReadBytes(dir.Path("e.xlsx"));
    const std::string xml = CZipReader(bytes.data(), bytes.size()).Extract("xl/worksheets/sheet1.xml");
    // Every data cell, the empty one too, is quote-prefixed inline text.
    EXPECT_NE(xml.find("<c r=\"C2\" s=\"2\" t=\"inlineStr\"><is><t></t></is></c>"), std::string::npos) << xml;
    for (const char* cell : {"A2", "B2", "C2", "D2"})
        EXPECT_NE(xml.find(std::string("<c r=\"") + cell + "\" s=\"2\" t=\"inlineStr\">"), std::string::npos) << cell;
}

struct StopAfter : ISheetProgress {
    explicit StopAfter(int rows) : left(rows) {}
    void BeginSheet(const CString& name, long steps) override { begun.push_back(name.ToUtf8() + ":" + std::to_string(steps)); }
    void StepIt() override { --left; }
    bool IsBreaked() override { return left < 0; }
    int left;
    std::vector<std::string> begun;
};

TEST(WordSheetExport, AStopStillSavesTheRowsDone) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    for (const char* word : {"a", "b", "c", "d"}) AddWord(*manager, DICTMODE_SYSTEM, word);
    CWordSheetExporter exporter(manager.get(), DICTMODE_SYSTEM, {});
    StopAfter progress(2);
    CWordSheetExporter::Result result;
    CString error;
    CCsvWriter writer;
    ASSERT_TRUE(exporter.Export(writer, dir.Path("s.csv"), &progress, result, error));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.rowsWritten, 2);
    EXPECT_EQ(progress.begun, std::vector<std::string>{"Sheet1:4"});
    CWorkbookData workbook;
    ASSERT_TRUE(QorReadWorkbookFile(dir.Path("s.csv"), workbook, error));
    EXPECT_EQ(workbook.sheets[0].GetUsedRowCount(), 3);
}

TEST(WordSheetExport, AFailedWriteLeavesTheOldFile) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Open");
    CWordSheetExporter exporter(manager.get(), DICTMODE_SYSTEM, {});
    CWordSheetExporter::Result result;
    CString error;
    CXlsxWriter writer;
    EXPECT_FALSE(exporter.Export(writer, dir.Path("no/such/folder/x.xlsx"), nullptr, result, error));
    EXPECT_NE(error.ToUtf8().find("x.xlsx"), std::string::npos);

    // Too many columns for a worksheet: refused before anything is written.
    WriteBytes(dir.Path("old.xlsx"), {'o', 'l', 'd'});
    std::vector<CQorLanguageDict*> many(16383, manager->Find(0x0407));
    CWordSheetExporter wide(manager.get(), DICTMODE_SYSTEM, many);
    EXPECT_FALSE(wide.Export(writer, dir.Path("old.xlsx"), nullptr, result, error));
    EXPECT_EQ(ReadBytes(dir.Path("old.xlsx")), (std::vector<unsigned char>{'o', 'l', 'd'}));
}

}  // namespace
