#include <cstddef>

#include "Command.h"
#include "model/QorDictionaryManager.h"
#include "pages/WordGathering.h"
#include "pages/WordPageRules.h"

namespace qordict {
namespace {

constexpr DWORD kResourceLanguage = 0x0804;  // the language the host's modules are written in

int RunGather(Arguments args) {
    const DICTMODE mode = TakeModeOption(args);
    DWORD language = TakeLanguageOption(args);
    RejectOptions(args);
    if (args.size() != 2) throw UsageError("gather takes DICT and FOLDER");
    if (language == 0) language = kResourceLanguage;
    if (language > 0xFFFF) throw UsageError("resources are marked with a 16-bit language ID such as 0x0804");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;

    GatherMailbox mailbox(nullptr);
    ReadModulesIntoMailbox(PathArgument(args[1]), WORD(language), nullptr, mailbox);
    GatherMerger merger(manager, mode, LanguageColumnsOf(manager));
    merger.Accept(mailbox.Collect());
    merger.MergeSlice(static_cast<std::size_t>(-1));
    if (!merger.GetFailure().IsEmpty()) {
        PrintError(merger.GetFailure().ToUtf8());
        return kFileError;
    }

    std::string out;
    for (const GatherModuleResult& module : merger.GetModuleResults()) {
        out += module.module.ToNativeText() + ": ";
        out += module.skipReason.IsEmpty() ? Plural(module.wordsAdded, "word") + " added\n"
                                           : "skipped: " + module.skipReason.ToNativeText() + "\n";
    }
    const GatherCounts& counts = merger.GetCounts();
    out += "total: " + Plural(counts.wordsAdded, "word") + " added, " +
           Plural(counts.entriesAdded, "empty translation") + " made\n";
    // Saved even when nothing is new, as the editor does: the file then
    // always reflects the last gathering.
    if (!SaveDictionary(manager, args[0])) {
        WriteOut(out);
        return kFileError;
    }
    WriteOut(out + "saved to " + args[0] + "\n");
    return kSuccess;
}

const Registration registration{
    {"gather", "DICT FOLDER [--language LANGID] [--mode M]",
     "add the resource texts of the .dll and .exe files in FOLDER (default language 0x0804); save", RunGather}};

}  // namespace
}  // namespace qordict
