#include "framework/ListCtrl.h"

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
