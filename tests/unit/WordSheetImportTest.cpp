// The merge rules of a worksheet into a word page's lists.
#include <gtest/gtest.h>

#include "SheetTestSupport.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/CsvReader.h"
#include "sheets/SheetProgress.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WordSheetLayout.h"

namespace {

typedef std::vector<std::vector<const char*>> Rows;

CSheetData Sheet(const Rows& rows, const char* name = "Sheet1") {
    CSheetData sheet(S(name));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c]) sheet.AddCell(long(r), long(c), S(rows[r][c]));
    sheet.Seal();
    return sheet;
}

long MasterCount(CQorDictionaryManager& manager, DICTMODE mode) {
    auto* master = mode == DICTMODE_PROJECT ? manager.GetProjectDictWord() : manager.GetSysDictWord();
    return long(master->GetDictionaryList()->GetCount());
}

CSheetImportReport Import(CQorDictionaryManager& manager, DICTMODE mode, const CSheetData& sheet,
                          ISheetProgress* progress = nullptr) {
    CWordSheetImporter importer(&manager, mode, QorWordSheetLanguages(manager));
    return importer.ImportSheet(sheet, progress);
}

TEST(WordSheetImport, AddsUnknownWordsAndSkipsEmptyOnes) {
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Open");
    const COleDateTime before = COleDateTime::GetCurrentTime();
    const auto report = Import(*manager, DICTMODE_SYSTEM,
                               Sheet({{"更新时间", "原始字符串", "Deutsch", "français"},
                                      {"1999-01-01 00:00:00", "OPEN", "Öffnen", "Ouvrir"},
                                      {"x", "", "leer", "vide"},
                                      {"y", nullptr, "fehlt", "manque"},
                                      {"2000-01-01 00:00:00", "Save", "Speichern", "Enregistrer"}}));
    EXPECT_EQ(report.rowsRead, 4);
    EXPECT_EQ(report.wordsAdded, 1);  // OPEN is Open in another case
    EXPECT_EQ(MasterCount(*manager, DICTMODE_SYSTEM), 2);
    EXPECT_EQ(MasterCount(*manager, DICTMODE_PROJECT), 0);
    // Column A is not read: the new word carries the time of the import.
    const COleDateTime added = manager->GetSysDictWord()->FindWord(QSTR("Save"))->GetUpdateDateTime();
    EXPECT_GE(added.GetValue(), before.GetValue());
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_SYSTEM, "Open"), "Öffnen");
    EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_SYSTEM, "save"), "Enregistrer");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Save"), "<none>");
    EXPECT_EQ(Display(*manager, 0x0409, DICTMODE_SYSTEM, "Save"), "<none>");  // disabled: no column
    EXPECT_EQ(report.translationsAdded, 4);
}

TEST(WordSheetImport, UpdatesOnlyWhatDiffersAndStripsStars) {
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_PROJECT, "Speed", {{0x0407, "Drehzahl"}, {0x040C, "vitesse"}});
    AddWord(*manager, DICTMODE_PROJECT, "Torque", {{0x0407, "Moment"}});
    const auto report = Import(*manager, DICTMODE_PROJECT,
                               Sheet({{"h", "h", "h", "h"},
                                      {"", "Speed", "Drehzahl", "Vitesse"},  // case differs: a change
                                      {"", "Torque", "", "Couple***"},
                                      {"", "Power", "Leis***tung***", nullptr}}));
    EXPECT_EQ(report.translationsChanged, 2);  // Vitesse, and Moment emptied
    EXPECT_EQ(report.translationsAdded, 3);    // Couple, Leistung, and Power's empty French entry
    EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_PROJECT, "Speed"), "Vitesse");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Torque"), "");
    EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_PROJECT, "Torque"), "Couple");
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_PROJECT, "Power"), "Leistung");
    EXPECT_EQ(Display(*manager, 0x040C, DICTMODE_PROJECT, "Power"), "");
    // A new language entry copies the master entry, time included.
    const COleDateTime masterTime = manager->GetProjectDictWord()->FindWord(QSTR("Torque"))->GetUpdateDateTime();
    EXPECT_EQ(manager->Find(0x040C)->FindWord(DICTMODE_PROJECT, QSTR("Torque"))->GetUpdateDateTime(), masterTime);

    const auto again = Import(*manager, DICTMODE_PROJECT,
                              Sheet({{"h", "h", "h", "h"}, {"", "Speed", "Drehzahl", "Vitesse"}}));
    EXPECT_FALSE(again.Changed());
}

TEST(WordSheetImport, TranslationsNeedOneColumnPerLanguage) {
    auto manager = MakeDictionary();
    AddWord(*manager, DICTMODE_SYSTEM, "Open", {{0x0407, "Öffnen"}});
    // One language column short: words still come in, translations do not.
    auto report = Import(*manager, DICTMODE_SYSTEM, Sheet({{"h", "h", "h"}, {"", "Open", "Auf"}, {"", "New", "Neu"}}));
    EXPECT_TRUE(report.translationsIgnored);
    EXPECT_EQ(report.sheetLanguageColumns, 1);
    EXPECT_EQ(report.wordsAdded, 1);
    EXPECT_EQ(report.translationsAdded + report.translationsChanged, 0);
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_SYSTEM, "Open"), "Öffnen");
    // A stray cell far right widens the used range just the same.
    report = Import(*manager, DICTMODE_SYSTEM,
                    Sheet({{"h", "h", "h", "h"}, {"", "Open", "Auf", "Ouvrir", nullptr, "stray"}}));
    EXPECT_TRUE(report.translationsIgnored);
    // Without the system default language there are no language columns at all.
    manager->SetSysDefaultLanguageLCID(0x0410);
    report = Import(*manager, DICTMODE_SYSTEM, Sheet({{"h", "h"}, {"", "Open"}, {"", "Extra"}}));
    EXPECT_FALSE(report.translationsIgnored);
    EXPECT_EQ(report.wordsAdded, 1);
}

TEST(WordSheetImport, ReadsRowsTwoToTheUsedRowCount) {
    auto manager = MakeDictionary();
    // The block read starts at A2 whatever the used range: a range B2:E4
    // gives rows 2 to 3 of the sheet (not 4), translations from column C on,
    // and four columns, which match two languages.
    const auto report = Import(*manager, DICTMODE_SYSTEM,
                               Sheet({{nullptr}, {nullptr, "Two", "a", "b", "x"}, {nullptr, "Three", "c", "d"},
                                      {nullptr, "Four", "e", "f"}}));
    EXPECT_EQ(report.wordsAdded, 2);
    EXPECT_EQ(Display(*manager, 0x0407, DICTMODE_SYSTEM, "Three"), "c");
    EXPECT_EQ(manager->GetSysDictWord()->FindWord(QSTR("Four")), nullptr);
    // One row, or only column A: no data row.
    EXPECT_EQ(Import(*manager, DICTMODE_SYSTEM, Sheet({{"h", "Word", "a", "b"}})).rowsRead, 0);
    EXPECT_FALSE(Import(*manager, DICTMODE_SYSTEM, Sheet({{"h"}, {"Word"}, {"Other"}})).Changed());
    EXPECT_FALSE(Import(*manager, DICTMODE_SYSTEM, Sheet({})).Changed());
}

TEST(WordSheetImport, SavesAfterEachChangedSheetOnly) {
    ScratchDir dir;
    auto manager = MakeDictionary();
    ASSERT_TRUE(manager->Save(dir.Path("dict.qor")));
    CWorkbookData workbook;
    workbook.sheets.push_back(Sheet({{"h", "h", "h", "h"}, {"", "One", "Eins", "Un"}}, "first"));
    workbook.sheets.push_back(Sheet({{"h", "h", "h", "h"}, {"", "one", "Eins", "Un"}}, "unchanged"));
    workbook.sheets.push_back(Sheet({{"h", "h", "h"}, {"", "Two", "Zwei"}}, "narrow"));
    CWordSheetImporter importer(manager.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*manager));
    const auto reports = importer.ImportWorkbook(workbook, nullptr);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(reports[0].saved);
    EXPECT_FALSE(reports[1].saved);
    EXPECT_TRUE(reports[2].saved);

    CQorDictionaryManager reloaded;
    ASSERT_TRUE(reloaded.Load(dir.Path("dict.qor")));
    EXPECT_EQ(Display(reloaded, 0x040C, DICTMODE_SYSTEM, "One"), "Un");
    EXPECT_NE(reloaded.GetSysDictWord()->FindWord(QSTR("Two")), nullptr);

    // Without a file nothing is saved, and nothing fails.
    auto unsaved = MakeDictionary();
    const auto report = Import(*unsaved, DICTMODE_SYSTEM, Sheet({{"h", "h", "h", "h"}, {"", "One", "Eins", "Un"}}));
    EXPECT_TRUE(report.Changed());
    EXPECT_FALSE(report.saved);
    EXPECT_TRUE(report.saveError.IsEmpty());
}

struct Recorder : ISheetProgress {
    void BeginSheet(const CString& name, long steps) override { log += name.ToUtf8() + ":" + std::to_string(steps) + " "; }
    void StepIt() override { ++steps; }
    bool IsBreaked() override { return stopAt >= 0 && steps > stopAt; }
    std::string log;
    int steps = 0;
    int stopAt = -1;
};

TEST(WordSheetImport, AStopEndsTheSheetAndSkipsTheRest) {
    auto manager = MakeDictionary();
    CWorkbookData workbook;
    workbook.sheets.push_back(Sheet({{"h", "h"}, {"", "a"}, {"", "b"}, {"", "c"}, {"", "d"}}, "one"));
    workbook.sheets.push_back(Sheet({{"h", "h"}, {"", "e"}}, "two"));
    manager->SetSysDefaultLanguageLCID(0x0410);
    Recorder progress;
    progress.stopAt = 2;
    CWordSheetImporter importer(manager.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*manager));
    const auto reports = importer.ImportWorkbook(workbook, &progress);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].stopped);
    EXPECT_EQ(reports[0].wordsAdded, 2);
    EXPECT_EQ(progress.log, "one:5 ");
}

CSheetData CsvSheet(const std::string& text) {
    return QorReadCsv(reinterpret_cast<const unsigned char*>(text.data()), text.size(), QSTR("Sheet1")).sheets.at(0);
}

std::string Summary(const CSheetImportReport& r) {
    return std::to_string(r.rowsRead) + " " + std::to_string(r.wordsAdded) + " " + std::to_string(r.translationsAdded) +
           " " + std::to_string(r.translationsChanged) + " " + std::to_string(r.translationsIgnored) +
           std::to_string(r.stopped);
}

TEST(WordSheetImport, CsvRowsParsedWhileMergingMergeAsCells) {
    // Sparse rows, a quoted line break, an empty record, a stray cell far
    // right, and the used range starting in column B.
    const std::vector<std::pair<std::string, Rows>> cases = {
        {"h,h,h,h\r\n,Open,\"Auf\r\nmachen\",Ouvrir***\r\n\r\n,Close,,Fermer\n,,x,y\n,New,Neu,Nouveau",
         {{"h", "h", "h", "h"}, {nullptr, "Open", "Auf\r\nmachen", "Ouvrir***"}, {}, {nullptr, "Close", nullptr, "Fermer"},
          {nullptr, nullptr, "x", "y"}, {nullptr, "New", "Neu", "Nouveau"}}},
        {"h,h,h\n,Open,Auf,,,,stray\n,Two,Zwei", {{"h", "h", "h"}, {nullptr, "Open", "Auf", nullptr, nullptr, nullptr, "stray"},
                                                  {nullptr, "Two", "Zwei"}}},
        {",Open\n,Two,a,b\n", {{nullptr, "Open"}, {nullptr, "Two", "a", "b"}}},
    };
    for (const auto& c : cases) {
        for (int stopAt : {-1, 2}) {
            auto fromCsv = MakeDictionary();
            auto fromCells = MakeDictionary();
            AddWord(*fromCsv, DICTMODE_SYSTEM, "Open", {{0x0407, "Öffnen"}});
            AddWord(*fromCells, DICTMODE_SYSTEM, "Open", {{0x0407, "Öffnen"}});
            Recorder csvProgress, cellProgress;
            csvProgress.stopAt = cellProgress.stopAt = stopAt;
            const auto csv = Import(*fromCsv, DICTMODE_SYSTEM, CsvSheet(c.first), &csvProgress);
            const auto cells = Import(*fromCells, DICTMODE_SYSTEM, Sheet(c.second), &cellProgress);
            EXPECT_EQ(Summary(csv), Summary(cells)) << c.first << " stop " << stopAt;
            EXPECT_EQ(csvProgress.log, cellProgress.log);
            for (const char* word : {"Open", "Close", "New", "Two"})
                for (unsigned language : {0x0407u, 0x040Cu})
                    EXPECT_EQ(Display(*fromCsv, language, DICTMODE_SYSTEM, word),
                              Display(*fromCells, language, DICTMODE_SYSTEM, word))
                        << c.first << " " << word;
            EXPECT_EQ(MasterCount(*fromCsv, DICTMODE_SYSTEM), MasterCount(*fromCells, DICTMODE_SYSTEM));
        }
    }
}

TEST(WordSheetImport, WithoutAManagerOrAModeNothingHappens) {
    CWordSheetImporter importer(nullptr, DICTMODE_SYSTEM, {});
    Recorder progress;
    const auto report = importer.ImportSheet(Sheet({{"h", "h"}, {"", "a"}}, "s"), &progress);
    EXPECT_FALSE(report.Changed());
    EXPECT_EQ(progress.log, "s:2 ");
    EXPECT_EQ(progress.steps, 0);

    auto manager = MakeDictionary();
    EXPECT_FALSE(Import(*manager, DICTMODE(2), Sheet({{"h", "h"}, {"", "a"}})).Changed());
    EXPECT_EQ(MasterCount(*manager, DICTMODE_SYSTEM) + MasterCount(*manager, DICTMODE_PROJECT), 0);
}

}  // namespace
