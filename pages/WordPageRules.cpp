#include "pages/WordPageRules.h"

#include <algorithm>
#include <memory>

#include "base/COleDateTime.h"
#include "model/QorDictWordElement.h"
#include "model/QorDictionaryManager.h"
#include "model/QorDictionaryWord.h"
#include "model/QorLanguageDict.h"

namespace {
CQorLanguageDict* LanguageOfColumn(CQorDictionaryManager& manager, const std::vector<DWORD>& columns, int column) {
    const int index = column - 2;
    if (index < 0 || index >= int(columns.size())) return nullptr;
    return manager.Find(columns[std::size_t(index)]);
}

bool Matches(const CString& original, const CString& text, unsigned flags) {
    const bool matchCase = (flags & kFindMatchCase) != 0;
    if (flags & kFindWholeWord) {
        if (original.GetLength() != text.GetLength()) return false;
        return matchCase ? original == text : original.CompareNoCase(text) == 0;
    }
    if (matchCase) return original.Find(text) >= 0;
    CString upperOriginal = original;
    CString upperText = text;
    upperOriginal.MakeUpper();
    upperText.MakeUpper();
    return upperOriginal.Find(upperText) >= 0;
}
}  // namespace

std::vector<DWORD> LanguageColumnsOf(CQorDictionaryManager& manager) {
    std::vector<DWORD> columns;
    if (!manager.Find(manager.GetSysDefaultLanguageLCID())) return columns;
    auto* languages = manager.GetLanguageDictList();
    for (POSITION pos = languages->GetHeadPosition(); pos;) {
        CQorLanguageDict* language = languages->GetNext(pos);
        if (language && language->IsEnable()) columns.push_back(language->GetLanguageID());
    }
    return columns;
}

CQorDictWordElement* WordAtRow(CQorDictionaryWord& master, int row) {
    auto* entries = master.GetDictionaryList();
    if (row < 0 || row >= entries->GetCount()) return nullptr;
    return entries->GetAt(entries->FindIndex(row));
}

CString UpdateTimeText(const COleDateTime& time) {
    // The calendar fields are all -1 for a time that is not valid.
    CString text;
    text.Format(QSTR("%04d-%02d-%02d %02d:%02d:%02d"), time.GetYear(), time.GetMonth(), time.GetDay(),
                time.GetHour(), time.GetMinute(), time.GetSecond());
    return text;
}

CString WordCellText(CQorDictionaryManager& manager, const CQorDictWordElement* entry, int column,
                     const std::vector<DWORD>& languageColumns, DICTMODE mode) {
    if (!entry) return CString();
    if (column == 0) return UpdateTimeText(entry->GetUpdateDateTime());
    if (column == 1) return entry->GetOriginalCharacter();
    const CQorLanguageDict* language = LanguageOfColumn(manager, languageColumns, column);
    const CQorDictWordElement* translation = language ? language->FindWord(mode, entry->GetOriginalCharacter()) : nullptr;
    return translation ? translation->GetDisplayCharacter() : CString();
}

bool ApplyWordCellEdit(CQorDictionaryManager& manager, CQorDictionaryWord& master, CQorDictWordElement* entry,
                       int column, const CString& text, const std::vector<DWORD>& languageColumns, DICTMODE mode) {
    if (!entry || column <= 0) return false;
    const CString original = entry->GetOriginalCharacter();
    if (column == 1) {
        if (original.CompareNoCase(text) == 0) return false;
        // Two words under one name would break the lists' look-up: a name
        // another word has, or none at all, is refused.
        if (text.IsEmpty() || master.FindWord(text) || !master.RenameOriginalCharacter(entry, text)) return false;
        auto* languages = manager.GetLanguageDictList();
        for (POSITION pos = languages->GetHeadPosition(); pos;) {
            CQorLanguageDict* language = languages->GetNext(pos);
            if (language && language->IsEnable() && language->GetDictionaryList(mode) && !language->FindWord(mode, text))
                language->RenameOriginalCharacter(mode, original, text);
        }
        return true;
    }
    CQorLanguageDict* language = LanguageOfColumn(manager, languageColumns, column);
    if (!language) return false;
    if (CQorDictWordElement* translation = language->FindWord(mode, original)) {
        if (translation->GetDisplayCharacter() == text) return false;
        translation->SetDisplayCharacter(text);
        return true;
    }
    auto added = std::make_unique<CQorDictWordElement>();
    *added = *entry;
    added->SetDisplayCharacter(text);
    if (language->AddWord(mode, added.get())) added.release();
    return true;
}

int FindOriginalRow(CQorDictionaryWord& master, const CString& text, unsigned flags, int start) {
    auto* entries = master.GetDictionaryList();
    const int count = int(entries->GetCount());
    const int step = (flags & kFindDown) ? 1 : -1;
    // A position past the end in the other direction starts at that end,
    // so a search up after the last row found begins at the last row.
    if (step > 0 && start < 0) start = 0;
    if (step < 0 && start >= count) start = count - 1;
    for (int row = start; row >= 0 && row < count; row += step) {
        const CQorDictWordElement* entry = entries->GetAt(entries->FindIndex(row));
        if (entry && Matches(entry->GetOriginalCharacter(), text, flags)) return row;
    }
    return -1;
}

int RemoveWordRows(CQorDictionaryWord& master, std::vector<int> rows) {
    // Highest first, so earlier removals do not shift later rows.
    std::sort(rows.begin(), rows.end(), [](int a, int b) { return a > b; });
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int removed = 0;
    for (int row : rows)
        if (CQorDictWordElement* entry = WordAtRow(master, row)) removed += master.RemoveWord(entry) ? 1 : 0;
    return removed;
}
