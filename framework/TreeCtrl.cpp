#include "framework/TreeCtrl.h"

#include "framework/ControlText.h"

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TREEVIEWW, nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPWSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return HTREEITEM(SendMessage(TVM_INSERTITEMW, 0, LPARAM(&insert)));
}

HTREEITEM CTreeCtrl::HitTest(POINT point, UINT* flags) const {
    TVHITTESTINFO hit = {};
    hit.pt = point;
    const HTREEITEM item = HTREEITEM(SendMessage(TVM_HITTEST, 0, LPARAM(&hit)));
    if (flags) *flags = hit.flags;
    return item;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const {
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    *reinterpret_cast<HTREEITEM*>(rect) = item;
    return BOOL(SendMessage(TVM_GETITEMRECT, WPARAM(textOnly), LPARAM(rect)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    return ReadGrowingText([&](WCHAR* buffer, int capacity) {
        TVITEMW tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = buffer;
        tvi.cchTextMax = capacity;
        buffer[0] = 0;
        if (!SendMessage(TVM_GETITEMW, 0, LPARAM(&tvi))) return 0;
        // The control may answer with its own buffer instead of ours.
        if (tvi.pszText != buffer) lstrcpynW(buffer, tvi.pszText, capacity);
        return lstrlenW(buffer);
    });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCWSTR text) {
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = const_cast<LPWSTR>(text);
    return BOOL(SendMessage(TVM_SETITEMW, 0, LPARAM(&tvi)));
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
    TVITEMW tvi = {};
    tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = item;
    if (!SendMessage(TVM_GETITEMW, 0, LPARAM(&tvi))) return FALSE;
    image = tvi.iImage;
    selectedImage = tvi.iSelectedImage;
    return TRUE;
}
