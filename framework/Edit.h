#pragma once

#include "framework/Wnd.h"

// An edit control.
class QOR_API CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"Edit", nullptr, style, rect, parent, id);
    }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end)); }
    void GetSel(int& start, int& end) const {
        DWORD first = 0, last = 0;
        SendMessage(EM_GETSEL, WPARAM(&first), LPARAM(&last));
        start = int(first);
        end = int(last);
    }
    void ScrollCaret() { SendMessage(EM_SCROLLCARET); }
    void SetReadOnly(BOOL readOnly = TRUE) { SendMessage(EM_SETREADONLY, WPARAM(readOnly)); }
    void SetLimitText(UINT limit) { SendMessage(EM_SETLIMITTEXT, WPARAM(limit)); }
};
