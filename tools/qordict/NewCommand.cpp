#include <filesystem>

#include "Command.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

int RunNew(const Arguments& input) {
    Arguments args = input;
    bool force = false;
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--force") {
            force = true;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
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
