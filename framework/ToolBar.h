#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// The framework's identifier of a separator in a button list.
#define ID_SEPARATOR 0

// A toolbar control with tooltips; buttons are named by command ID.
class QOR_API CToolBar : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_TOP, UINT id = 0xE800);
    // Replaces the buttons: one per ID, ID_SEPARATOR making a separator.
    BOOL SetButtons(const UINT* ids, int count);

    int GetCount() const { return int(SendMessage(TB_BUTTONCOUNT)); }
    // The command ID of button index, 0 for a separator or no button.
    UINT GetItemID(int index) const;
    // The toolbar's tooltip control (borrowed), or null.
    HWND GetToolTips() const { return HWND(SendMessage(TB_GETTOOLTIPS)); }
};
