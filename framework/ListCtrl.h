#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A list-view control.
class QOR_API CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The header control of a report view (borrowed), or null.
    HWND GetHeaderCtrl() const { return HWND(SendMessage(LVM_GETHEADER)); }
    int InsertColumn(int column, LPCWSTR heading, int width = 100);
};
