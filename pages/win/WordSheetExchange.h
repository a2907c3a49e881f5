#pragma once

#include <windows.h>

#include <vector>

#include "base/QorApi.h"
#include "model/DictMode.h"

class CQorDictionaryManager;

// A word page's exchange with workbook files (.xlsx, .csv): the file is asked
// for with the platform's file dialogs, the work runs with a progress window
// that can stop it, and the user is told how it ended. While it runs the
// given controls are disabled, so no click can start a second exchange inside
// the first.
struct WordSheetExchange {
    CQorDictionaryManager* manager = nullptr;
    DICTMODE mode = DICTMODE_SYSTEM;
    std::vector<DWORD> languageColumns;  // the page's language columns, by ID
    HWND owner = nullptr;                // the page
    std::vector<HWND> busyControls;
};

// Writes the page's words to a file; the dictionary is only read. true when
// a file was written.
QOR_API bool ExportWordSheet(const WordSheetExchange& exchange);
// Merges a file into the page's words, saving after each sheet that changed
// something. true when the dictionary changed.
QOR_API bool ImportWordSheet(const WordSheetExchange& exchange);
