#include <cmath>
#include <cstdio>

#include "CheckReport.h"
#include "JsonWriter.h"
#include "checks/TranslationStats.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

// One decimal, as the table shows it; JSON gets the same figure.
double Rounded(double percent) { return std::floor(percent * 10.0 + 0.5) / 10.0; }

std::string TableRow(const std::string& language, const std::string& mode, const CTranslationStats& row) {
    char line[160];
    std::snprintf(line, sizeof line, "%-10s %-8s %8ld %11ld %6ld %8ld %8ld %9ld %13.1f\n", language.c_str(),
                  mode.c_str(), row.words, row.translated, row.empty, row.missing, row.failing, row.warned,
                  Rounded(row.PercentTranslated()));
    return line;
}

std::string JsonFigures(const CTranslationStats& row) {
    return "\"words\":" + std::to_string(row.words) + ",\"translated\":" + std::to_string(row.translated) +
           ",\"empty\":" + std::to_string(row.empty) + ",\"missing\":" + std::to_string(row.missing) +
           ",\"failing\":" + std::to_string(row.failing) + ",\"warnings\":" + std::to_string(row.warned) +
           ",\"percentTranslated\":" + JsonNumber(Rounded(row.PercentTranslated()));
}

int RunStats(Arguments args) {
    const bool json = TakeJsonFormat(args);
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("stats takes exactly one FILE");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    const std::vector<CTranslationStats> rows = QorTranslationStats(manager);
    const CTranslationStats total = QorTotalStats(rows);
    std::string out;
    if (json) {
        out = "{\"file\":" + JsonString(PathArgument(args[0])) + ",\"languages\":[";
        for (std::size_t i = 0; i < rows.size(); ++i)
            out += std::string(i ? "," : "") + "{\"language\":" +
                   JsonString(CString::FromUtf8(LanguageLabel(rows[i].languageId))) +
                   ",\"lcid\":" + std::to_string(rows[i].languageId) + ",\"mode\":\"" + ModeName(rows[i].mode) +
                   "\"," + JsonFigures(rows[i]) + "}";
        out += "],\"total\":{" + JsonFigures(total) + "}}\n";
    } else {
        // Locale names only, so every column is ASCII and lines up.
        char heading[160];
        std::snprintf(heading, sizeof heading, "%-10s %-8s %8s %11s %6s %8s %8s %9s %13s\n", "language", "mode",
                      "words", "translated", "empty", "missing", "failing", "warnings", "translated %");
        out = heading;
        for (const CTranslationStats& row : rows)
            out += TableRow(LanguageLabel(row.languageId), ModeName(row.mode), row);
        out += TableRow("total", "", total);
    }
    WriteOut(out);
    return kSuccess;
}

const Registration registration{
    {"stats", "FILE [--format text|json]",
     "per language and mode: words, translated, empty, missing, failing checks, percentage", RunStats}};

}  // namespace
}  // namespace qordict
