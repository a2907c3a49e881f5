#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A tooltip control; a tool is named by its window and identifier.
class QOR_API CToolTipCtrl : public CWnd {
public:
    // The tool's text; empty when the tool is unknown or asks its owner.
    void GetText(CString& text, CWnd* window, UINT toolId = 0) const;
    void UpdateTipText(LPCWSTR text, CWnd* window, UINT toolId = 0);
};
