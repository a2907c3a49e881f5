#pragma once

#include <vector>

#include "base/Types.h"

class CProgressCtrl;
class CQorDictionaryManager;

struct FunctionDiagramOutcome {
    bool ran = false;      // the plug-in answered with a map: the page refreshes, saves and reports
    bool changed = false;  // some pair added a word or set a translation
};

// Asks the function-diagram plug-in for its texts and merges them into the
// system words (translations into the first column's language, or the
// system default language). A missing plug-in, a missing export, a null
// answer or an exception from the plug-in change nothing and say nothing.
// The bar counts the pairs; the plug-in is unloaded before returning.
FunctionDiagramOutcome UpdateFromFunctionDiagramPlugin(CQorDictionaryManager* manager,
                                                       const std::vector<DWORD>& languageColumns,
                                                       CProgressCtrl& progress);
