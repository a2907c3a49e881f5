#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"
#include "sheets/SheetData.h"

class CQorDictionaryManager;
class CQorDictionaryWord;
class CQorLanguageDict;
class ISheetProgress;

// What importing one worksheet did.
struct QOR_API CSheetImportReport {
    CString sheetName;
    long rowsRead = 0;             // data rows looked at, empty ones included
    long wordsAdded = 0;
    long translationsAdded = 0;
    long translationsChanged = 0;
    long sheetLanguageColumns = 0;  // the sheet's columns after A and B
    bool translationsIgnored = false;  // that count did not match the page's
    bool stopped = false;
    bool saved = false;     // the dictionary file was written after the sheet
    CString saveError;      // why writing it failed, when it did

    bool Changed() const noexcept { return wordsAdded + translationsAdded + translationsChanged > 0; }
};

// Merges worksheets in the word pages' layout into a dictionary: column B
// holds original strings, the columns from C on the translations of the page's
// language columns in order. The heading row and column A are not read. For
// each row with an original string: a word unknown to the mode's master list
// (compared ignoring case) is added with the current time; when the sheet has
// exactly one column per language after A and B, each translation (with every
// "***" taken out) replaces a different display string or, where the language
// has no entry, becomes a new entry copied from the master entry (the rules
// of WordMerge.h, which catalogue imports share). A sheet's
// rows are those of its used range after the first, counted from row 2.
// After each sheet that changed something the dictionary is saved, when it
// has a file. Rows are merged as the sheet hands them over, so a CSV sheet is
// parsed row by row while it is merged.
class QOR_API CWordSheetImporter {
public:
    CWordSheetImporter(CQorDictionaryManager* manager, DICTMODE mode, std::vector<CQorLanguageDict*> languages);

    CSheetImportReport ImportSheet(const CSheetData& sheet, ISheetProgress* progress);
    // Sheet by sheet until the progress reports a stop.
    std::vector<CSheetImportReport> ImportWorkbook(const CWorkbookData& workbook, ISheetProgress* progress);

private:
    // texts: the row's columns A, B and, with translations, one per language.
    void MergeRow(CQorDictionaryWord* master, const std::vector<CString>& texts, bool withTranslations,
                  CSheetImportReport& report);

    CQorDictionaryManager* m_manager;
    DICTMODE m_mode;
    std::vector<CQorLanguageDict*> m_languages;
};
