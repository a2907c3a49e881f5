#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A list-view control. With LVS_OWNERDATA it holds only a row count and asks
// its parent for the texts of the rows it draws (LVN_GETDISPINFOW).
class QOR_API CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The header control of a report view (borrowed), or null.
    HWND GetHeaderCtrl() const { return HWND(SendMessage(LVM_GETHEADER)); }
    int InsertColumn(int column, LPCWSTR heading, int width = 100);
    BOOL DeleteColumn(int column) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(column))); }
    int GetColumnCount() const;
    DWORD SetExtendedStyle(DWORD style) { return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style))); }

    int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
    // Owner-data lists: the number of rows, keeping the scroll position.
    void SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) {
        SendMessage(LVM_SETITEMCOUNT, WPARAM(count), LPARAM(flags));
    }
    int InsertItem(int item, LPCWSTR text);
    BOOL SetItemText(int item, int column, LPCWSTR text);
    BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
    // The text of a cell as the list shows it (asking the parent for an
    // owner-data list).
    CString GetItemText(int item, int column) const;

    int GetNextItem(int start, UINT flags) const { return int(SendMessage(LVM_GETNEXTITEM, WPARAM(start), LPARAM(flags))); }
    int GetSelectionMark() const { return int(SendMessage(LVM_GETSELECTIONMARK)); }
    UINT GetSelectedCount() const { return UINT(SendMessage(LVM_GETSELECTEDCOUNT)); }
    BOOL SetItemState(int item, UINT state, UINT mask);
    BOOL EnsureVisible(int item, BOOL partialOk) { return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(item), LPARAM(partialOk))); }
};
