#include "framework/ToolTipCtrl.h"

namespace {
TTTOOLINFOW ToolInfo(CWnd* window, UINT toolId) {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.hwnd = window ? window->GetSafeHwnd() : nullptr;
    info.uId = toolId;
    return info;
}
}  // namespace

void CToolTipCtrl::GetText(CString& text, CWnd* window, UINT toolId) const {
    // Tooltip texts are at most 80 characters by convention; longer ones
    // are cut at the buffer's end.
    const int kBuffer = 256;
    text.Empty();
    TTTOOLINFOW info = ToolInfo(window, toolId);
    WCHAR* buffer = text.GetBuffer(kBuffer);
    buffer[0] = 0;
    info.lpszText = buffer;
    SendMessage(TTM_GETTEXTW, WPARAM(kBuffer), LPARAM(&info));
    // A tool whose text comes from its owner leaves the pointer it holds.
    const bool filled = info.lpszText == buffer;
    text.ReleaseBuffer(filled ? -1 : 0);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* window, UINT toolId) {
    TTTOOLINFOW info = ToolInfo(window, toolId);
    info.lpszText = const_cast<LPWSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, LPARAM(&info));
}
