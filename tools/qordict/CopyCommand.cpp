#include "Command.h"
#include "model/QorDictionaryManager.h"

namespace qordict {
namespace {

int RunCopy(Arguments args) {
    RejectOptions(args);
    if (args.size() != 2) throw UsageError("copy takes SRC and DST");
    CQorDictionaryManager manager;
    if (!LoadDictionary(manager, args[0])) return kFileError;
    return SaveDictionary(manager, args[1]) ? kSuccess : kFileError;
}

const Registration registration{{"copy", "SRC DST", "load SRC and save it as DST (rewrites it in the current form)", RunCopy}};

}  // namespace
}  // namespace qordict
