#include <filesystem>

#include "Command.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

int RunNew(Arguments args) {
    const bool force = TakeFlag(args, "--force");
    RejectOptions(args);
    if (args.size() != 1) throw UsageError("new takes exactly one FILE");
    std::error_code error;
    if (!force && std::filesystem::exists(std::filesystem::u8path(args[0]), error)) {
        PrintError("'" + args[0] + "' already exists; use --force to replace it");
        return kFileError;
    }
    CQorDictionaryManager manager;
    return SaveDictionary(manager, args[0]) ? kSuccess : kFileError;
}

const Registration registration{{"new", "[--force] FILE", "create an empty dictionary file", RunNew}};

}  // namespace
}  // namespace qordict
