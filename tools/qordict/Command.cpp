#include "Command.h"

#include <cstdio>

#include "model/QorDictionaryManager.h"

namespace qordict {

static std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

Registration::Registration(const Command& command) { Registry().push_back(command); }

const std::vector<Command>& Commands() { return Registry(); }

CString PathArgument(const std::string& utf8) { return CString::FromUtf8(utf8); }

void PrintError(const std::string& message) {
    std::fputs(("qordict: " + message + "\n").c_str(), stderr);
}

void WriteOut(const std::string& utf8) { std::fwrite(utf8.data(), 1, utf8.size(), stdout); }

bool LoadDictionary(CQorDictionaryManager& manager, const std::string& path) {
    if (manager.Load(PathArgument(path))) return true;
    PrintError(manager.GetLastFileError().ToUtf8());
    return false;
}

bool SaveDictionary(CQorDictionaryManager& manager, const std::string& path) {
    if (manager.Save(PathArgument(path))) return true;
    PrintError(manager.GetLastFileError().ToUtf8());
    return false;
}

DICTMODE TakeModeOption(Arguments& args) {
    DICTMODE mode = DICTMODE_SYSTEM;
    for (std::size_t i = 0; i < args.size();) {
        std::string value;
        if (args[i] == "--mode") {
            if (i + 1 >= args.size()) throw UsageError("--mode needs a value: system or project");
            value = args[i + 1];
            args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
        } else if (args[i].rfind("--mode=", 0) == 0) {
            value = args[i].substr(7);
            args.erase(args.begin() + std::ptrdiff_t(i));
        } else {
            ++i;
            continue;
        }
        if (value == "system") mode = DICTMODE_SYSTEM;
        else if (value == "project") mode = DICTMODE_PROJECT;
        else throw UsageError("unknown mode '" + value + "': use system or project");
    }
    return mode;
}

void RejectOptions(const Arguments& args) {
    for (const std::string& arg : args)
        if (arg.size() > 2 && arg.rfind("--", 0) == 0) throw UsageError("unknown option '" + arg + "'");
}

}  // namespace qordict
