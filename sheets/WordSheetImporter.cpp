#include "sheets/WordSheetImporter.h"

#include <algorithm>

#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"
#include "sheets/SheetProgress.h"
#include "sheets/WordMerge.h"
#include "sheets/WordSheetLayout.h"

CWordSheetImporter::CWordSheetImporter(CQorDictionaryManager* manager, DICTMODE mode,
                                       std::vector<CQorLanguageDict*> languages)
    : m_manager(manager), m_mode(mode), m_languages(std::move(languages)) {}

CSheetImportReport CWordSheetImporter::ImportSheet(const CSheetData& sheet, ISheetProgress* progress) {
    ISheetProgress silent;
    if (!progress) progress = &silent;
    CSheetImportReport report;
    report.sheetName = sheet.GetName();

    // The block read starts at A2 and is as large as the used range (a sheet
    // without cells counts as its single cell A1). Its first row is sheet row
    // 2 and its last one is never reached, so rows 2 to R are read when the
    // used range starts in row 1.
    const long rows = std::max(sheet.GetUsedRowCount(), 1L);
    const long columns = std::max(sheet.GetUsedColumnCount(), 1L);
    report.sheetLanguageColumns = std::max(columns - 2, 0L);
    progress->BeginSheet(report.sheetName, rows);

    CQorDictionaryWord* master = QorMasterWordList(m_manager, m_mode);
    if (!master) return report;

    const bool withTranslations = columns - 2 == long(m_languages.size());
    // Column B only matters when the used range reaches it.
    const long needed = columns < 2 ? 0 : withTranslations ? columns : 2;
    sheet.VisitRows(1, rows, needed, [&](long, const std::vector<CString>& texts) {
        progress->StepIt();
        if (progress->IsBreaked()) {
            report.stopped = true;
            return false;
        }
        ++report.rowsRead;
        if (needed > 0) MergeRow(master, texts, withTranslations, report);
        return true;
    });

    if (report.Changed() && !m_manager->GetFile().IsEmpty()) {
        report.saved = m_manager->Save() != 0;
        if (!report.saved) report.saveError = m_manager->GetLastFileError();
    }
    return report;
}

void CWordSheetImporter::MergeRow(CQorDictionaryWord* master, const std::vector<CString>& texts, bool withTranslations,
                                  CSheetImportReport& report) {
    const CString& original = texts[1];
    if (original.IsEmpty()) return;
    if (!withTranslations) report.translationsIgnored = true;

    CWordMergeCounts counts;
    const CQorDictWordElement* word = QorMergeWord(*master, original, counts);
    if (word && withTranslations)
        for (std::size_t i = 0; i < m_languages.size(); ++i)
            QorMergeTranslation(*m_languages[i], m_mode, *word, original, texts[2 + i], counts);
    report.wordsAdded += counts.wordsAdded;
    report.translationsAdded += counts.translationsAdded;
    report.translationsChanged += counts.translationsChanged;
}

std::vector<CSheetImportReport> CWordSheetImporter::ImportWorkbook(const CWorkbookData& workbook,
                                                                   ISheetProgress* progress) {
    std::vector<CSheetImportReport> reports;
    for (const CSheetData& sheet : workbook.sheets) {
        if (progress && progress->IsBreaked()) break;
        reports.push_back(ImportSheet(sheet, progress));
        if (reports.back().stopped) break;
    }
    return reports;
}
