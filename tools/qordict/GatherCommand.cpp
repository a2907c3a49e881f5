#include <cstddef>
#include <string>
#include <vector>

#include "Command.h"
#include "model/QorDictionaryManager.h"
#include "model/TextListFile.h"
#include "pages/GatherRules.h"
#include "pages/WordGathering.h"
#include "pages/WordPageRules.h"

namespace qordict {
namespace {

constexpr DWORD kResourceLanguage = 0x0804;  // the language the host's modules are written in

// The texts of a list file (model/TextListFile.h), such as the misses a host
// recorded, merged by the same rules as resource texts.
int GatherFromList(const std::string& dictionary, const std::string& list, DICTMODE mode) {
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, dictionary)) return kFileError;
    std::vector<CString> texts;
    std::string error;
    if (!ReadTextListFile(PathArgument(list), texts, error)) {
        PrintError(error);
        return kFileError;
    }
    const GatherCounts counts =
        MergeGatheredTexts(manager, mode, LanguageColumnsOf(manager), texts.data(), texts.size());
    std::string out = list + ": " + Plural(long(texts.size()), "text") + ", " + Plural(counts.wordsAdded, "word") +
                      " added\n" + "total: " + Plural(counts.wordsAdded, "word") + " added, " +
                      Plural(counts.entriesAdded, "empty translation") + " made\n";
    if (!SaveDictionary(manager, dictionary)) {
        WriteOut(out);
        return kFileError;
    }
    WriteOut(out + "saved to " + dictionary + "\n");
    return kSuccess;
}

int RunGather(Arguments args) {
    const DICTMODE mode = TakeModeOption(args);
    DWORD language = TakeLanguageOption(args);
    std::string list;
    const bool fromList = TakeValueOption(args, "--from-list", list);
    RejectOptions(args);
    if (fromList) {
        if (args.size() != 1) throw UsageError("gather --from-list takes DICT and no FOLDER");
        if (language != 0) throw UsageError("--language chooses resources; a list has no language");
        return GatherFromList(args[0], list, mode);
    }
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
    {"gather", "DICT FOLDER [--language LANGID] [--mode M] | DICT --from-list FILE [--mode M]",
     "add the resource texts of the .dll and .exe files in FOLDER (default language 0x0804), or the texts "
     "listed in FILE one a line; save",
     RunGather}};

}  // namespace
}  // namespace qordict
