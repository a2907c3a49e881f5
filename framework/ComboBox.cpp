#include "framework/ComboBox.h"

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"ComboBox", nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const {
    text.Empty();
    const int length = int(SendMessage(CB_GETLBTEXTLEN, WPARAM(index)));
    if (length <= 0) return;
    const int read = int(SendMessage(CB_GETLBTEXT, WPARAM(index), LPARAM(text.GetBuffer(length + 1))));
    text.ReleaseBuffer(read > 0 ? read : 0);
}
