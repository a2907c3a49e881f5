// Export and import of a large word list, for comparison with SheetJS.
//   bench_sheets run WORDS FOLDER   times export and import of WORDS words in
//                                   4 languages; leaves FOLDER/qor.xlsx
//   bench_sheets make WORDS FILE    saves such a dictionary to FILE
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchWords.h"
#include "model/QorDictionaryManager.h"
#include "sheets/WordSheetExporter.h"
#include "sheets/WordSheetImporter.h"
#include "sheets/WordSheetLayout.h"
#include "sheets/WorkbookFile.h"
#include "sheets/XlsxWriter.h"

namespace {

CString U(const std::string& text) { return CString::FromUtf8(text); }

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Seconds for the export and the memory it added at its peak.
std::pair<double, long> TimeExport(CQorDictionaryManager& manager, const CString& path) {
    CWordSheetExporter exporter(&manager, DICTMODE_SYSTEM, QorWordSheetLanguages(manager));
    CXlsxWriter writer;
    CWordSheetExporter::Result result;
    CString error;
    ResetPeakMemory();
    const long before = CurrentMemoryKiB();
    const auto start = std::chrono::steady_clock::now();
    if (!exporter.Export(writer, path, nullptr, result, error)) {
        std::fprintf(stderr, "%s\n", error.ToUtf8().c_str());
        std::exit(1);
    }
    return {Seconds(start), PeakMemoryKiB() - before};
}

int Run(long words, const std::string& folder) {
    const CString path = U(folder + "/qor.xlsx");
    auto small = MakeBenchDictionary(words / 10);
    const auto smallExport = TimeExport(*small, U(folder + "/qor-small.xlsx"));
    small.reset();
    auto manager = MakeBenchDictionary(words);
    const auto fullExport = TimeExport(*manager, path);

    // Import into a dictionary with the same languages and no words: every
    // word and translation is added.
    auto target = MakeBenchDictionary(0);
    const auto start = std::chrono::steady_clock::now();
    CWorkbookData workbook;
    CString error;
    if (!QorReadWorkbookFile(path, workbook, error)) {
        std::fprintf(stderr, "%s\n", error.ToUtf8().c_str());
        return 1;
    }
    const double readSeconds = Seconds(start);
    CWordSheetImporter importer(target.get(), DICTMODE_SYSTEM, QorWordSheetLanguages(*target));
    const auto reports = importer.ImportWorkbook(workbook, nullptr);
    const double importSeconds = Seconds(start);
    if (reports.size() != 1 || reports[0].wordsAdded != words || reports[0].translationsAdded != words * 4) {
        std::fprintf(stderr, "import merged the wrong amount\n");
        return 1;
    }
    std::printf("{\"words\":%ld,\"export\":%.3f,\"exportPeakKiB\":%ld,\"smallWords\":%ld,\"smallExportPeakKiB\":%ld,"
                "\"read\":%.3f,\"import\":%.3f}\n",
                words, fullExport.first, fullExport.second, words / 10, smallExport.second, readSeconds,
                importSeconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "run") return Run(std::atol(argv[2]), argv[3]);
    if (argc == 4 && std::string(argv[1]) == "make") return MakeBenchDictionary(std::atol(argv[2]))->Save(U(argv[3])) ? 0 : 1;
    std::fprintf(stderr, "usage: bench_sheets run WORDS FOLDER | make WORDS FILE\n");
    return 2;
}
