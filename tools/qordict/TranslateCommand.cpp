#include "Command.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

int RunTranslate(const Arguments& input) {
    Arguments args = input;
    DICTMODE mode = TakeModeOption(args);
    RejectOptions(args);
    if (args.size() < 2) throw UsageError("translate takes FILE and at least one TEXT");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;
    for (std::size_t i = 1; i < args.size(); ++i)
        WriteOut(manager.GetDisplayCharacter(mode, CString::FromUtf8(args[i])).ToUtf8() + "\n");
    return kSuccess;
}

const Registration registration{
    {"translate", "FILE [--mode system|project] TEXT...", "print what the dictionary shows for each TEXT", RunTranslate}};

}  // namespace
}  // namespace qordict
