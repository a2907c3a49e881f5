#include "CatalogTransfer.h"
#include "CheckReport.h"
#include "Command.h"
#include "TerminalProgress.h"
#include "model/QorDictionaryManager.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"

namespace qordict {
namespace {

int RunImport(Arguments args) {
    const DICTMODE mode = TakeModeOption(args);
    const DWORD language = TakeLanguageOption(args);
    RejectOptions(args);
    if (args.size() != 2) throw UsageError("import takes FILE and IN");
    if (IsCatalogPath(args[1])) return ImportCatalog(args[0], args[1], mode, language);
    if (language) throw UsageError("--language is for .po and .xlf catalogues; a workbook has a column per language");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;
    const ImportCheckReport checks(manager);

    // The whole workbook is read before anything is merged: a file that
    // cannot be read changes nothing.
    CWorkbookData workbook;
    CString error;
    if (!QorReadWorkbookFile(PathArgument(args[1]), workbook, error)) {
        PrintError(error.ToNativeText());
        return kFileError;
    }
    const auto languages = QorWordSheetLanguages(manager);
    CWordSheetImporter importer(&manager, mode, languages);
    std::vector<CSheetImportReport> reports;
    {
        TerminalProgress progress("importing");
        reports = importer.ImportWorkbook(workbook, &progress);
    }

    std::string out;
    long words = 0, added = 0, changed = 0;
    bool saveFailed = false;
    for (const CSheetImportReport& report : reports) {
        out += "sheet '" + report.sheetName.ToUtf8() + "': ";
        if (report.rowsRead == 0) {
            out += "skipped, no data rows (only a heading row, or only column A)\n";
            continue;
        }
        out += Plural(report.wordsAdded, "word") + " added, " + Plural(report.translationsAdded, "translation") +
               " added, " + Plural(report.translationsChanged, "translation") + " changed\n";
        if (report.translationsIgnored)
            out += "  translations skipped: the sheet has " + Plural(report.sheetLanguageColumns, "language column") +
                   " after A and B, the dictionary " + Plural(long(languages.size()), "language column") + "\n";
        if (!report.saveError.IsEmpty()) {
            out += "  not saved: " + report.saveError.ToNativeText() + "\n";
            saveFailed = true;
        }
        words += report.wordsAdded;
        added += report.translationsAdded;
        changed += report.translationsChanged;
    }
    out += "total: " + Plural(words, "word") + " added, " + Plural(added, "translation") + " added, " +
           Plural(changed, "translation") + " changed" +
           (saveFailed ? ", not saved" : words + added + changed ? ", saved to " + args[0] : "") + "\n";
    WriteOut(out + checks.Report(args[0]));
    if (saveFailed) {
        PrintError("the dictionary could not be saved to " + args[0]);
        return kFileError;
    }
    return kSuccess;
}

const Registration registration{
    {"import", "FILE IN.xlsx|IN.csv [--mode M] | FILE IN.po|IN.xlf --language L [--mode M]",
     "merge every sheet of an .xlsx or .csv file, or a language's .po or .xlf catalogue, into a mode's words; save",
     RunImport}};

}  // namespace
}  // namespace qordict
