#pragma once

#include "framework/Wnd.h"

// A push button, check box or radio button.
class QOR_API CButton : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"Button", text, style, rect, parent, id);
    }
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, WPARAM(check)); }
    void Click() { SendMessage(BM_CLICK); }
};
