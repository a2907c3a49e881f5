#include "widgets/win/ListCtrlEx.h"

COLORREF CListCtrlEx::OnGetCellTextColor(int, int) { return GetTextColor(); }

COLORREF CListCtrlEx::OnGetCellBkColor(int, int) { return GetBkColor(); }

LRESULT CListCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return TRUE;
    return CVarnPListCtrl::WindowProc(message, wParam, lParam);
}
