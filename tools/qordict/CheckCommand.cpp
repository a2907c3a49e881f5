#include "CheckReport.h"
#include "JsonWriter.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

// Without --mode both modes are checked, so the option is read here rather
// than defaulted to system.
CCheckScope TakeScope(Arguments& args) {
    CCheckScope scope;
    std::string mode;
    if (TakeValueOption(args, "--mode", mode)) {
        Arguments option{"--mode", mode};
        scope.system = TakeModeOption(option) == DICTMODE_SYSTEM;
        scope.project = !scope.system;
    }
    scope.languageId = TakeLanguageOption(args);
    return scope;
}

std::string FindingJson(const CCheckedWord& word, const CCheckFinding& finding) {
    return "{\"language\":" + JsonString(CString::FromUtf8(LanguageLabel(word.languageId))) +
           ",\"lcid\":" + std::to_string(word.languageId) + ",\"mode\":\"" + ModeName(word.mode) +
           "\",\"original\":" + JsonString(word.original) + ",\"translation\":" + JsonString(word.translation) +
           ",\"severity\":\"" + QorCheckSeverityName(finding.severity) + "\",\"kind\":\"" +
           QorCheckKindName(finding.kind) + "\",\"message\":" + JsonString(finding.message) + "}";
}

int RunCheck(Arguments args) {
    const bool json = TakeJsonFormat(args);
    const CCheckScope scope = TakeScope(args);
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("check takes exactly one FILE");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;
    if (scope.languageId && !manager.Find(scope.languageId)) {
        PrintError(args[0] + " has no language " + LanguageLabel(scope.languageId));
        return kFileError;
    }

    long errors = 0, warnings = 0;
    std::string out = json ? "{\"file\":" + JsonString(PathArgument(args[0])) + ",\"findings\":[" : "";
    CDictionaryChecker(manager).ForEachWord(scope, [&](const CCheckedWord& word) {
        for (const CCheckFinding& finding : word.findings) {
            if (json) out += (errors + warnings ? "," : "") + FindingJson(word, finding);
            else out += FindingLine(args[0], word, finding);
            ++(finding.severity == CheckSeverity::Error ? errors : warnings);
        }
        // Large dictionaries stream instead of holding every line.
        if (out.size() > 65536) {
            WriteOut(out);
            out.clear();
        }
    });
    if (json) out += "],\"errors\":" + std::to_string(errors) + ",\"warnings\":" + std::to_string(warnings) + "}\n";
    else out += args[0] + ": " + Plural(errors, "error") + ", " + Plural(warnings, "warning") + "\n";
    WriteOut(out);
    return errors ? kFileError : kSuccess;
}

const Registration registration{
    {"check", "FILE [--language LCID] [--mode M] [--format text|json]",
     "check translations against their originals (both modes without --mode); exit 1 on an error", RunCheck}};

}  // namespace
}  // namespace qordict
