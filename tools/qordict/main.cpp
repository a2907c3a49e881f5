// qordict: inspects, converts and queries dictionary files from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "Command.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const qordict::Command* FindCommand(const std::string& name) {
    for (const qordict::Command& command : qordict::Commands())
        if (name == command.name) return &command;
    return nullptr;
}

void PrintHelp() {
    std::string text =
        "Usage: qordict COMMAND [ARGUMENTS]\n"
        "Inspects, converts and queries QorDictionary dictionary files.\n\nCommands:\n";
    std::string takingMode;
    for (const qordict::Command& command : qordict::Commands()) {
        std::string line = std::string("  ") + command.name + " " + command.synopsis;
        if (line.size() < 44) line.resize(44, ' ');
        else line += "\n" + std::string(44, ' ');
        text += line + command.summary + "\n";
        if (std::strstr(command.synopsis, "--mode"))
            takingMode += std::string(takingMode.empty() ? "" : ", ") + command.name;
    }
    text += "\nOptions:\n"
            "  --mode system|project   which word lists to work on (default: system; check: both),\n"
            "                          for " + takingMode + "\n"
            "  --                      ends the options: what follows are files or texts\n"
            "  -h, --help              show this help, or with a command that command's help\n"
            "  --version               show the version\n\n"
            "Exit status: 0 success, 1 a file could not be loaded or saved or the output not written,\n"
            "2 usage error.\n";
    std::fputs(text.c_str(), stdout);
}

void PrintCommandHelp(const qordict::Command& command) {
    std::printf("Usage: qordict %s %s\n%s\n", command.name, command.synopsis, command.summary);
}

int UsageFailure(const std::string& message) {
    qordict::PrintError(message + "\nTry 'qordict --help' for more information.");
    return qordict::kUsageError;
}

int Run(qordict::Arguments args) {
    // Asking for help wins wherever it stands before "--", as with GNU tools.
    const qordict::Command* named = args.empty() ? nullptr : FindCommand(args[0]);
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            if (named) PrintCommandHelp(*named);
            else PrintHelp();
            return qordict::kSuccess;
        }
    }
    if (args.empty()) return UsageFailure("no command given");
    if (args[0] == "--version") {
        std::printf("qordict %s\n", QORDICT_VERSION);
        return qordict::kSuccess;
    }
    if (args[0] == "help") {
        if (args.size() == 1) {
            PrintHelp();
            return qordict::kSuccess;
        }
        const qordict::Command* command = args.size() == 2 ? FindCommand(args[1]) : nullptr;
        if (!command) return UsageFailure(args.size() == 2 ? "unknown command '" + args[1] + "'" : "help takes one COMMAND");
        PrintCommandHelp(*command);
        return qordict::kSuccess;
    }
    if (!named) return UsageFailure("unknown command '" + args[0] + "'");
    args.erase(args.begin());
    try {
        return named->run(args);
    } catch (const qordict::UsageError& e) {
        qordict::PrintError(std::string(e.what()) + "\nUsage: qordict " + named->name + " " + named->synopsis);
        return qordict::kUsageError;
    }
}

}  // namespace

#if defined(_WIN32)
#include "base/CString.h"

int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 bytes on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
    qordict::Arguments args;
    for (int i = 1; i < argc; ++i) args.push_back(CString(argv[i]).ToUtf8());
    return qordict::FinishOutput(Run(args));
}
#else
int main(int argc, char** argv) { return qordict::FinishOutput(Run(qordict::Arguments(argv + 1, argv + argc))); }
#endif
