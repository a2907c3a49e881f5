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

void PrintHelp() {
    std::string text =
        "Usage: qordict COMMAND [ARGUMENTS]\n"
        "Inspects, converts and queries QorDictionary dictionary files.\n\nCommands:\n";
    for (const qordict::Command& command : qordict::Commands()) {
        std::string line = std::string("  ") + command.name + " " + command.synopsis;
        if (line.size() < 44) line.resize(44, ' ');
        else line += "\n" + std::string(44, ' ');
        text += line + command.summary + "\n";
    }
    text +=
        "\nOptions:\n  --mode system|project   which word lists a command works on (default: system)\n"
        "  -h, --help              show this help\n\n"
        "Exit status: 0 success, 1 a file could not be loaded or saved, 2 usage error.\n";
    std::fputs(text.c_str(), stdout);
}

int Run(qordict::Arguments args) {
    if (args.empty()) {
        qordict::PrintError("no command given (see qordict --help)");
        return qordict::kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return qordict::kSuccess;
    }
    for (const qordict::Command& command : qordict::Commands()) {
        if (args[0] != command.name) continue;
        args.erase(args.begin());
        for (const std::string& arg : args) {
            if (arg == "--help" || arg == "-h") {
                std::printf("Usage: qordict %s %s\n%s\n", command.name, command.synopsis, command.summary);
                return qordict::kSuccess;
            }
        }
        try {
            return command.run(args);
        } catch (const qordict::UsageError& e) {
            qordict::PrintError(std::string(e.what()) + "\nUsage: qordict " + command.name + " " + command.synopsis);
            return qordict::kUsageError;
        }
    }
    qordict::PrintError("unknown command '" + args[0] + "' (see qordict --help)");
    return qordict::kUsageError;
}

}  // namespace

#if defined(_WIN32)
#include "base/CString.h"

int wmain(int argc, wchar_t** argv) {
    // Output is UTF-8 bytes on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
    qordict::Arguments args;
    for (int i = 1; i < argc; ++i) args.push_back(CString(argv[i]).ToUtf8());
    return Run(args);
}
#else
int main(int argc, char** argv) { return Run(qordict::Arguments(argv + 1, argv + argc)); }
#endif
