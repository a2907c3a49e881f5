#include "framework/ListCtrl.h"

#include "framework/ControlText.h"

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int width) {
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH;
    lvc.pszText = const_cast<LPWSTR>(heading);
    lvc.cx = width;
    return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(column), LPARAM(&lvc)));
}

int CListCtrl::GetColumnCount() const {
    const HWND header = GetHeaderCtrl();
    return header ? int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int item, LPCWSTR text) {
    LVITEMW lvi = {};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = const_cast<LPWSTR>(text);
    return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(&lvi)));
}

BOOL CListCtrl::SetItemText(int item, int column, LPCWSTR text) {
    LVITEMW lvi = {};
    lvi.iSubItem = column;
    lvi.pszText = const_cast<LPWSTR>(text);
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(item), LPARAM(&lvi)));
}

CString CListCtrl::GetItemText(int item, int column) const {
    return ReadGrowingText([&](WCHAR* buffer, int capacity) {
        LVITEMW lvi = {};
        lvi.iSubItem = column;
        lvi.pszText = buffer;
        lvi.cchTextMax = capacity;
        return int(SendMessage(LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&lvi)));
    });
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMW lvi = {};
    lvi.state = state;
    lvi.stateMask = mask;
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(item), LPARAM(&lvi)));
}
