#pragma once

#include <windows.h>

class CDictionaryDialog;
class CQorDictionaryManager;
class CQorProjectDirector;

// What the editor hands each of its pages before the page window exists.
// Nothing here is owned by the page.
struct EditorPageContext {
    CQorDictionaryManager* manager = nullptr;  // null: the page shows and changes nothing
    CQorProjectDirector* project = nullptr;    // handed on, never called
    DWORD projectFlag = 0;                     // non-zero: a project dictionary exists
    CDictionaryDialog* dialog = nullptr;       // the editor, whose modified flag pages set
};
