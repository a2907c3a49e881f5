#include <cstdlib>

#include "CheckReport.h"
#include "checks/PseudoLanguage.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace qordict {
namespace {

int TakeExpandOption(Arguments& args) {
    std::string value;
    if (!TakeValueOption(args, "--expand", value)) return 30;
    char* end = nullptr;
    long percent = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end || percent < 0 || percent > 1000)
        throw UsageError("'" + value + "' is no expansion: give a percentage from 0 to 1000");
    return int(percent);
}

int RunPseudo(Arguments args) {
    const bool force = TakeFlag(args, "--force");
    const int expand = TakeExpandOption(args);
    DWORD lcid = TakeLanguageOption(args);
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("pseudo takes exactly one FILE");
    if (!lcid) lcid = LCID_PSEUDO;
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    // Refreshing replaces every word: only pseudo-translations may go unasked.
    CQorLanguageDict* existing = manager.Find(lcid);
    if (existing && !force && !QorIsPseudoLanguage(*existing)) {
        PrintError(LanguageLabel(lcid) + " in " + args[0] +
                   " holds translations that are no pseudo-translations; --force replaces them");
        return kFileError;
    }
    const CPseudoLanguageReport report = QorMakePseudoLanguage(manager, lcid, expand);
    if (!manager.Find(lcid)) {
        PrintError("cannot add language " + LanguageLabel(lcid) + " to " + args[0]);
        return kFileError;
    }
    if (!SaveDictionary(manager, args[0])) return kFileError;
    WriteOut(LanguageLabel(lcid) + ": " + (report.created ? "added" : "refreshed") + " with " +
             Plural(report.systemWords, "system word") + " and " + Plural(report.projectWords, "project word") +
             ", saved to " + args[0] + "\n");
    return kSuccess;
}

const Registration registration{
    {"pseudo", "FILE [--language LCID] [--expand PERCENT] [--force]",
     "add or refresh a pseudo-language (default qps-ploc, 30% longer) for testing the user interface; save",
     RunPseudo}};

}  // namespace
}  // namespace qordict
