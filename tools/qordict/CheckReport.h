#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Command.h"
#include "checks/DictionaryCheck.h"

class CQorDictWordElement;

namespace qordict {

// "de-DE", or "0x0C07" for an ID the locale table does not know.
std::string LanguageLabel(DWORD lcid);
const char* ModeName(DICTMODE mode);

// One finding in the compiler form:
//   FILE: de-DE: system: "文件(&F)": error: accelerator count differs
// the original quoted and escaped as in JSON.
std::string FindingLine(const std::string& file, const CCheckedWord& word, const CCheckFinding& finding);

// Removes "--format text|json"; true for json. UsageError for another value.
bool TakeJsonFormat(Arguments& args);

// The checks' findings for the translations an import added or changed: made
// before the merge, it remembers every translation; Report compares and checks.
class ImportCheckReport {
public:
    explicit ImportCheckReport(CQorDictionaryManager& manager);
    // A count line and the first findings; empty when no translation changed.
    std::string Report(const std::string& file) const;

private:
    CQorDictionaryManager& m_manager;
    std::vector<std::pair<const CQorDictWordElement*, CString>> m_before;  // sorted by entry
};

}  // namespace qordict
