#pragma once

#include <windows.h>

#include <vector>

#include "base/CList.h"
#include "base/CString.h"
#include "base/CStringArray.h"

class CQorDictionaryManager;

// How a captured control is relabelled.
enum {
    WNDRES_PLAIN = 0,       // its window text
    WNDRES_COMBOBOX = 1,    // its list entries
    WNDRES_LISTVIEW = 2,    // its column headers
    WNDRES_TABCONTROL = 3,  // its tab labels
};

// A captured combo-box entry, list-view column or tab.
struct CWndItem {
    CString text;
    DWORD itemData = 0;         // low 32 bits of a combo-box entry's data
    ULONG_PTR itemDataPtr = 0;  // a combo-box entry's full data
    int selected = 0;           // the selected entry or tab at capture
};

// A captured direct child of the pool's window.
struct CWndResource {
    CString text;
    std::vector<CWndItem> items;  // in the control's own index order
    HWND hWnd = nullptr;
    int kind = WNDRES_PLAIN;
};

// What a window pool captured and the lists that steer the capture.
class CWndResourcePoolObj {
public:
    std::vector<CWndResource> items;  // in capture order
    CStringArray exceptionClassNames;
    CDWordArray classExceptionHandles;
    CDWordArray exceptionHandles;
    CDWordArray exceptionFontHandles;
    HWND hRoot = nullptr;
    CString rootCaption;
    int bTranslateCaption = 1;
    CQorDictionaryManager* manager = nullptr;
};
