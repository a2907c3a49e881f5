#include "CatalogTransfer.h"
#include "Command.h"
#include "TerminalProgress.h"
#include "model/QorDictionaryManager.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"

namespace qordict {
namespace {

int RunExport(Arguments args) {
    const DICTMODE mode = TakeModeOption(args);
    const DWORD language = TakeLanguageOption(args);
    RejectOptions(args);
    if (args.size() != 2) throw UsageError("export takes FILE and OUT");
    if (IsCatalogPath(args[1])) return ExportCatalog(args[0], args[1], mode, language);
    if (language) throw UsageError("--language is for .po and .xlf catalogues; a workbook has a column per language");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    const auto languages = QorWordSheetLanguages(manager);
    CWordSheetExporter exporter(&manager, mode, languages);
    const CString out = PathArgument(args[1]);
    auto writer = QorCreateSheetWriter(out);
    CWordSheetExporter::Result result;
    CString error;
    bool written;
    {
        TerminalProgress progress("exporting");
        written = exporter.Export(*writer, out, &progress, result, error);
    }
    if (!written) {
        PrintError(error.ToNativeText());
        return kFileError;
    }
    WriteOut("exported " + std::to_string(result.rowsWritten) + " words with " + std::to_string(languages.size()) +
             " language columns to " + args[1] + "\n");
    return kSuccess;
}

const Registration registration{
    {"export", "FILE OUT.xlsx|OUT.csv [--mode M] | FILE OUT.po|OUT.xlf --language L [--mode M]",
     "write a mode's words, one column per language, to .xlsx or .csv, or one language's to a .po or .xlf catalogue",
     RunExport}};

}  // namespace
}  // namespace qordict
