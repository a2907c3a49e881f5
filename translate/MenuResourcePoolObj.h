#pragma once

#include <windows.h>

#include <vector>

#include "base/CString.h"

class CQorDictionaryManager;

// A captured menu command item.
struct CMenuResource {
    CString text;            // before the first tab
    CString acceleratorText; // after that tab, or empty
    HMENU hMenu = nullptr;   // the menu that holds the item
    UINT commandId = 0;      // key of GetString
    UINT position = 0;       // with hMenu, key of the relabel
};

// What a menu pool captured.
class CMenuResourcePoolObj {
public:
    std::vector<CMenuResource> items;  // depth first, each item before its submenu's
    HMENU hMenu = nullptr;
    CQorDictionaryManager* manager = nullptr;
    HINSTANCE hInstance = nullptr;  // recorded only
};
