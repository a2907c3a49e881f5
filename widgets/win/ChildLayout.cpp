#include "widgets/win/ChildLayout.h"

namespace {
PixelRect ToPixels(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }
}  // namespace

void CChildLayout::Capture(HWND hParent) {
    m_items.clear();
    m_parent = hParent;
    if (!IsWindow(m_parent)) return;
    GetWindowRect(m_parent, &m_parentRect);
    for (HWND child = GetTopWindow(m_parent); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&rect), 2);
        m_items.push_back(LayoutItem{rect, child, 0, 0});
    }
}

void CChildLayout::Resize() {
    if (!IsWindow(m_parent)) return;
    RECT now;
    GetWindowRect(m_parent, &now);
    for (const LayoutItem& item : m_items) {
        const PixelRect to = ResizeChildRect(ToPixels(item.rect), item.horizontalFlags, item.verticalFlags,
                                             ToPixels(m_parentRect), ToPixels(now));
        MoveWindow(item.hWnd, to.left, to.top, to.Width(), to.Height(), TRUE);
    }
}

CChildLayout::LayoutItem* CChildLayout::Find(HWND child) {
    for (LayoutItem& item : m_items)
        if (item.hWnd == child) return &item;
    return nullptr;
}

BOOL CChildLayout::SetFlags(HWND child, int horizontal, int vertical) {
    LayoutItem* item = Find(child);
    if (!item) return FALSE;
    item->horizontalFlags = horizontal;
    item->verticalFlags = vertical;
    return TRUE;
}

void CChildLayout::SetAllFlags(int horizontal, int vertical) {
    for (LayoutItem& item : m_items) {
        item.horizontalFlags = horizontal;
        item.verticalFlags = vertical;
    }
}
