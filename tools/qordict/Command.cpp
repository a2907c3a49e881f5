#include "Command.h"

#include <cstdio>
#include <cstdlib>

#include "model/LocaleNames.h"
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

// Removes every "--name VALUE" or "--name=VALUE" from args; the last value wins.
static bool TakeOption(Arguments& args, const std::string& name, std::string& value) {
    bool found = false;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == name) {
            if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
            value = args[i + 1];
            args.erase(args.begin() + std::ptrdiff_t(i), args.begin() + std::ptrdiff_t(i) + 2);
            found = true;
        } else if (args[i].rfind(name + "=", 0) == 0) {
            value = args[i].substr(name.size() + 1);
            args.erase(args.begin() + std::ptrdiff_t(i));
            found = true;
        } else {
            ++i;
        }
    }
    return found;
}

DICTMODE TakeModeOption(Arguments& args) {
    std::string value;
    if (!TakeOption(args, "--mode", value) || value == "system") return DICTMODE_SYSTEM;
    if (value == "project") return DICTMODE_PROJECT;
    throw UsageError("unknown mode '" + value + "': use system or project");
}

DWORD TakeLanguageOption(Arguments& args) {
    std::string value;
    if (!TakeOption(args, "--language", value)) return 0;
    if (DWORD lcid = QorLocaleNameToLcid(value.c_str())) return lcid;
    char* end = nullptr;
    unsigned long number = std::strtoul(value.c_str(), &end, 0);
    if (value.empty() || *end || number == 0 || number > 0xFFFFFFFFul)
        throw UsageError("'" + value + "' is not a language: give an LCID such as 0x0407 or a locale name such as de-DE");
    return DWORD(number);
}

std::string Plural(long n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

void RejectOptions(const Arguments& args) {
    for (const std::string& arg : args)
        if (arg.size() > 2 && arg.rfind("--", 0) == 0) throw UsageError("unknown option '" + arg + "'");
}

}  // namespace qordict
