#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/Types.h"
#include "model/DictMode.h"

class CQorDictionaryManager;

// qordict's commands: each .cpp file registers one with a static Command.
namespace qordict {

enum ExitCode { kSuccess = 0, kFileError = 1, kUsageError = 2 };

// Thrown for a malformed command line; main prints it and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Arguments = std::vector<std::string>;  // UTF-8, without the command name

struct Command {
    const char* name;
    const char* synopsis;  // arguments, as shown by --help
    const char* summary;   // one line
    int (*run)(Arguments args);
};

// Self-registration: `static const qordict::Registration reg{{...}};`
struct Registration {
    explicit Registration(const Command& command);
};
const std::vector<Command>& Commands();

// Shared by commands.
CString PathArgument(const std::string& utf8);
// Prints "qordict: cannot ..." naming the file and the reason; false on failure.
bool LoadDictionary(CQorDictionaryManager& manager, const std::string& path);
bool SaveDictionary(CQorDictionaryManager& manager, const std::string& path);
// Removes "--mode system|project" from args (default system); UsageError on a bad value.
DICTMODE TakeModeOption(Arguments& args);
// Removes "--language LCID" (decimal, 0x-hex or a locale name such as de-DE);
// 0 when absent, UsageError when the value is not a language.
DWORD TakeLanguageOption(Arguments& args);
// Removes every NAME, a flag without a value; true when there was one.
bool TakeFlag(Arguments& args, const std::string& name);
// Removes every "NAME VALUE" or "NAME=VALUE" (the last value wins); true when
// there was one, UsageError when NAME ends the options without a value.
bool TakeValueOption(Arguments& args, const std::string& name, std::string& value);
// Called after the Take... functions: UsageError when args still holds an
// option before "--"; then drops the "--", leaving only operands.
void RejectOptions(Arguments& args);
void PrintError(const std::string& message);
// "1 word", "2 words".
std::string Plural(long n, const char* what);
void WriteOut(const std::string& utf8);  // to stdout, bytes as given
// Flushes stdout; a command's success turns into kFileError, with a message,
// when any of its output did not arrive.
int FinishOutput(int status);

}  // namespace qordict
