#pragma once

#include "framework/Wnd.h"

// A static control (label, frame, picture).
class QOR_API CStatic : public CWnd {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"Static", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon) { return HICON(SendMessage(STM_SETICON, WPARAM(icon))); }
};
