#pragma once

#include <windows.h>

#include <vector>

#include "base/CString.h"

class CQorDictionaryManager;
class CToolBar;
class CWnd;

// A captured button tooltip.
struct CToolBarResource {
    CString text;
    CWnd* toolBarWnd = nullptr;  // the window that owns the tool
    UINT commandId = 0;          // the button's command, the tool's identifier
};

// What a toolbar pool captured.
class CToolBarResourcePoolObj {
public:
    std::vector<CToolBarResource> items;  // in button order
    CToolBar* toolBar = nullptr;
    CQorDictionaryManager* manager = nullptr;
};
