#include "CheckReport.h"

#include <algorithm>
#include <cstdio>

#include "JsonWriter.h"
#include "model/LocaleNames.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

namespace qordict {

namespace {

typedef CList<CQorDictWordElement*, CQorDictWordElement*> EntryList;

// Enough to see what went wrong; `qordict check` lists them all.
const long kShownFindings = 20;

template <typename Visit>
void ForEachEntry(CQorDictionaryManager& manager, Visit visit) {
    auto* languages = manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        for (DICTMODE mode : {DICTMODE_SYSTEM, DICTMODE_PROJECT}) {
            EntryList* entries = language->GetDictionaryList(mode);
            for (POSITION at = entries ? entries->GetHeadPosition() : nullptr; at;)
                visit(*language, mode, entries->GetNext(at));
        }
    }
}

}  // namespace

std::string LanguageLabel(DWORD lcid) {
    if (const char* name = QorLocaleName(lcid)) return name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", unsigned(lcid));
    return hex;
}

const char* ModeName(DICTMODE mode) { return mode == DICTMODE_PROJECT ? "project" : "system"; }

std::string FindingLine(const std::string& file, const CCheckedWord& word, const CCheckFinding& finding) {
    return file + ": " + LanguageLabel(word.languageId) + ": " + ModeName(word.mode) + ": " +
           JsonString(word.original) + ": " + QorCheckSeverityName(finding.severity) + ": " +
           finding.message.ToUtf8() + "\n";
}

bool TakeJsonFormat(Arguments& args) {
    std::string format;
    if (!TakeValueOption(args, "--format", format) || format == "text") return false;
    if (format == "json") return true;
    throw UsageError("unknown format '" + format + "': use text or json");
}

ImportCheckReport::ImportCheckReport(CQorDictionaryManager& manager) : m_manager(manager) {
    ForEachEntry(manager, [&](CQorLanguageDict&, DICTMODE, const CQorDictWordElement* entry) {
        m_before.emplace_back(entry, entry->GetDisplayCharacter());
    });
    std::sort(m_before.begin(), m_before.end(),
              [](const auto& a, const auto& b) { return std::less<const void*>()(a.first, b.first); });
}

std::string ImportCheckReport::Report(const std::string& file) const {
    CDictionaryChecker checker(m_manager);
    long changed = 0, errors = 0, warnings = 0;
    std::string lines;
    ForEachEntry(m_manager, [&](CQorLanguageDict& language, DICTMODE mode, const CQorDictWordElement* entry) {
        CCheckedWord word;
        word.translation = entry->GetDisplayCharacter();
        auto before = std::lower_bound(m_before.begin(), m_before.end(), entry, [](const auto& item, const void* key) {
            return std::less<const void*>()(item.first, key);
        });
        const bool unchanged = before != m_before.end() && before->first == entry && before->second == word.translation;
        if (word.translation.IsEmpty() || unchanged) return;
        ++changed;
        word.languageId = language.GetLanguageID();
        word.mode = mode;
        word.original = entry->GetOriginalCharacter();
        for (const CCheckFinding& finding : checker.CheckCell(mode, word.languageId, word.original, word.translation)) {
            ++(finding.severity == CheckSeverity::Error ? errors : warnings);
            if (errors + warnings <= kShownFindings) lines += "  " + FindingLine(file, word, finding);
        }
    });
    if (!changed) return "";
    std::string out = "checks: " + Plural(errors, "error") + ", " + Plural(warnings, "warning") + " in " +
                      Plural(changed, "imported translation") + "\n" + lines;
    if (errors + warnings > kShownFindings)
        out += "  and " + std::to_string(errors + warnings - kShownFindings) + " more: qordict check " + file +
               " lists them all\n";
    return out;
}

}  // namespace qordict
