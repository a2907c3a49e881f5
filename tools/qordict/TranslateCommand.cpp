#include "Command.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

int RunTranslate(Arguments args) {
    DICTMODE mode = TakeModeOption(args);
    DWORD language = TakeLanguageOption(args);
    RejectOptions(args);
    if (args.size() < 2) throw UsageError("translate takes FILE and at least one TEXT");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;
    // Asking in another language changes the default for this run only.
    if (language && mode == DICTMODE_SYSTEM) manager.SetSysDefaultLanguageLCID(language);
    if (language && mode == DICTMODE_PROJECT) manager.SetProjectDefaultLanguageLCID(language);
    for (std::size_t i = 1; i < args.size(); ++i)
        WriteOut(manager.GetDisplayCharacter(mode, CString::FromUtf8(args[i])).ToUtf8() + "\n");
    return kSuccess;
}

const Registration registration{
    {"translate", "FILE [--mode system|project] [--language LCID] TEXT...",
     "print what the dictionary shows for each TEXT (in the mode's default language, or LCID)", RunTranslate}};

}  // namespace
}  // namespace qordict
