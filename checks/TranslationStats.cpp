#include "checks/TranslationStats.h"

#include <algorithm>

#include "checks/DictionaryCheck.h"
#include "model/QorDictionaryManager.h"
#include "model/QorLanguageDict.h"

std::vector<CTranslationStats> QorTranslationStats(CQorDictionaryManager& manager) {
    std::vector<CTranslationStats> rows;
    CDictionaryChecker checker(manager);
    auto* languages = manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        const DWORD id = languages->GetNext(pos)->GetLanguageID();
        for (DICTMODE mode : {DICTMODE_SYSTEM, DICTMODE_PROJECT}) {
            // A row for every language and mode, also one without a single word.
            CTranslationStats row;
            row.languageId = id;
            row.mode = mode;
            CCheckScope scope;
            scope.languageId = id;
            scope.system = mode == DICTMODE_SYSTEM;
            scope.project = mode == DICTMODE_PROJECT;
            checker.ForEachWord(scope, [&](const CCheckedWord& word) {
                if (word.inMasterList) {
                    ++row.words;
                    ++(!word.hasEntry ? row.missing : word.translation.IsEmpty() ? row.empty : row.translated);
                }
                auto has = [&](CheckSeverity severity) {
                    return std::any_of(word.findings.begin(), word.findings.end(),
                                       [&](const CCheckFinding& finding) { return finding.severity == severity; });
                };
                row.failing += has(CheckSeverity::Error);
                row.warned += has(CheckSeverity::Warning);
            });
            rows.push_back(row);
        }
    }
    return rows;
}

CTranslationStats QorTotalStats(const std::vector<CTranslationStats>& rows) {
    CTranslationStats total;
    for (const CTranslationStats& row : rows) {
        total.words += row.words;
        total.translated += row.translated;
        total.empty += row.empty;
        total.missing += row.missing;
        total.failing += row.failing;
        total.warned += row.warned;
    }
    return total;
}
