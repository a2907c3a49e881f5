#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A tree-view control. Image lists set on it stay owned by the caller.
class QOR_API CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    HTREEITEM InsertItem(LPCWSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    HIMAGELIST SetImageList(HIMAGELIST images, int kind) {
        return HIMAGELIST(SendMessage(TVM_SETIMAGELIST, WPARAM(kind), LPARAM(images)));
    }
    BOOL Expand(HTREEITEM item, UINT code) { return BOOL(SendMessage(TVM_EXPAND, code, LPARAM(item))); }
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return HTREEITEM(SendMessage(TVM_GETNEXTITEM, code, LPARAM(item)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    UINT GetCount() const { return UINT(SendMessage(TVM_GETCOUNT)); }
    // The item at a point in the tree's client coordinates, or null.
    HTREEITEM HitTest(POINT point, UINT* flags = nullptr) const;
    // The item's rectangle in client coordinates (the text only when
    // textOnly); FALSE when it is not visible.
    BOOL GetItemRect(HTREEITEM item, RECT* rect, BOOL textOnly) const;
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCWSTR text);
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
};
