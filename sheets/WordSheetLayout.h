#pragma once

#include <vector>

#include "base/COleDateTime.h"
#include "base/CString.h"
#include "base/QorApi.h"
#include "model/DictMode.h"

class CQorDictionaryManager;
class CQorDictionaryWord;
class CQorLanguageDict;

// The word pages' spreadsheet layout: update time, original string, then one
// column per language of the page.

// The master word list of a mode (the page's rows); null without a manager
// and for a mode that is neither system nor project.
QOR_API CQorDictionaryWord* QorMasterWordList(CQorDictionaryManager* manager, DICTMODE mode);

// The languages that have a column: every enabled language in the manager's
// order, but none at all when the manager has no language of the system
// default ID.
QOR_API std::vector<CQorLanguageDict*> QorWordSheetLanguages(CQorDictionaryManager& manager);

// A language column's heading where the platform's locale data is not at hand:
// the native name of the language, or "Not supported language".
QOR_API CString QorLanguageHeading(DWORD languageId);

// The headings of the first two columns, as the module's string table has them.
QOR_API CString QorUpdateTimeHeading();      // "更新时间"
QOR_API CString QorOriginalStringHeading();  // "原始字符串"

// An update time as the word grid prints it; a time that is not valid prints
// every field as -1 ("-001--1--1 -1:-1:-1").
QOR_API CString QorUpdateTimeText(const COleDateTime& time);
