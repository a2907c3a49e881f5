#pragma once

#include <vector>

#include "base/CString.h"
#include "base/QorApi.h"
#include "base/Types.h"
#include "model/DictMode.h"

class CQorDictionaryManager;
class CQorDictionaryWord;
class CQorDictWordElement;

// The word pages' rules, apart from the grid: which languages get a column,
// what each cell shows, what an edit changes, how a search moves. Columns
// name their language by ID and are looked up when used, so a page never
// touches a language the manager has deleted meanwhile.

// The language columns: every enabled language in list order, provided the
// system default language exists; none otherwise.
QOR_API std::vector<DWORD> LanguageColumnsOf(CQorDictionaryManager& manager);

// The entry of a row of the master list, or null outside it.
QOR_API CQorDictWordElement* WordAtRow(CQorDictionaryWord& master, int row);

// The text of a cell: 0 the update time, 1 the original string, 2 + i the
// translation in the language of column i in the page's mode.
QOR_API CString WordCellText(CQorDictionaryManager& manager, const CQorDictWordElement* entry, int column,
                             const std::vector<DWORD>& languageColumns, DICTMODE mode);

// An update time as the grid shows it; each field of a time that is not
// valid shows as -1 (the year as -001).
QOR_API CString UpdateTimeText(const class COleDateTime& time);

// Applies a finished cell edit. Column 1 renames the word in the master list
// and in every enabled language's list of the mode (a change of letter case
// only is no change; an empty name or one another word has is refused); a
// language column sets or adds the translation; column 0 changes nothing.
// true when the dictionary changed.
QOR_API bool ApplyWordCellEdit(CQorDictionaryManager& manager, CQorDictionaryWord& master,
                               CQorDictWordElement* entry, int column, const CString& text,
                               const std::vector<DWORD>& languageColumns, DICTMODE mode);

// The search of the original strings: flags 0x1 forward (else backward),
// 0x2 whole string, 0x4 match case. From start (inclusive) to the end in the
// search direction, no wrap. The row found, or -1.
enum : unsigned { kFindDown = 0x1, kFindWholeWord = 0x2, kFindMatchCase = 0x4, kFindNext = 0x8 };
QOR_API int FindOriginalRow(CQorDictionaryWord& master, const CString& text, unsigned flags, int start);

// Removes the words of the given rows from the master list (in any order,
// rows outside the list skipped); the languages keep their entries. The
// number of words removed.
QOR_API int RemoveWordRows(CQorDictionaryWord& master, std::vector<int> rows);
