#include "Command.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/LocaleNames.h"
#include "model/QorDictionaryManager.h"

namespace qordict {

static std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

Registration::Registration(const Command& command) { Registry().push_back(command); }

const std::vector<Command>& Commands() { return Registry(); }

// Bytes as given: on POSIX a file name need not be UTF-8.
CString PathArgument(const std::string& name) { return CString::FromNativeText(name); }

void PrintError(const std::string& message) {
    std::fputs(("qordict: " + message + "\n").c_str(), stderr);
}

// The reason of the first failed write; later calls may have changed errno.
static int g_outputError = 0;

void WriteOut(const std::string& utf8) {
    if (std::fwrite(utf8.data(), 1, utf8.size(), stdout) != utf8.size() && !g_outputError)
        g_outputError = errno ? errno : EIO;
}

int FinishOutput(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout) && !g_outputError) return status;
    int error = g_outputError ? g_outputError : (errno ? errno : EIO);
    PrintError(std::string("cannot write to standard output: ") + std::strerror(error));
    return status == kSuccess ? kFileError : status;
}

bool LoadDictionary(CQorDictionaryManager& manager, const std::string& path) {
    if (manager.Load(PathArgument(path))) return true;
    PrintError(manager.GetLastFileError().ToNativeText());
    return false;
}

bool SaveDictionary(CQorDictionaryManager& manager, const std::string& path) {
    if (manager.Save(PathArgument(path))) return true;
    PrintError(manager.GetLastFileError().ToNativeText());
    return false;
}

// Options end at the first "--": what follows are operands even when they
// start with a dash.
static std::size_t OptionsEnd(const Arguments& args) {
    for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i] == "--") return i;
    return args.size();
}

// Removes every "--name VALUE" or "--name=VALUE" from args; the last value wins.
static bool TakeOption(Arguments& args, const std::string& name, std::string& value) {
    bool found = false;
    for (std::size_t i = 0; i < OptionsEnd(args);) {
        if (args[i] == name) {
            if (i + 1 >= OptionsEnd(args)) throw UsageError(name + " needs a value");
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

bool TakeValueOption(Arguments& args, const std::string& name, std::string& value) {
    return TakeOption(args, name, value);
}

bool TakeFlag(Arguments& args, const std::string& name) {
    bool found = false;
    for (std::size_t i = 0; i < OptionsEnd(args);) {
        if (args[i] == name) {
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

void RejectOptions(Arguments& args) {
    const std::size_t end = OptionsEnd(args);
    for (std::size_t i = 0; i < end; ++i)
        if (args[i].size() > 1 && args[i][0] == '-') throw UsageError("unknown option '" + args[i] + "'");
    if (end < args.size()) args.erase(args.begin() + std::ptrdiff_t(end));
}

}  // namespace qordict
