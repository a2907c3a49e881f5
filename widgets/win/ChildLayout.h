#pragma once

#include <windows.h>

#include <vector>

#include "base/QorApi.h"
#include "widgets/ChildLayoutGeometry.h"

// Keeps a resizable page's children in place: Capture records every direct
// child and the page's size, Resize moves each child by its anchor flags
// (none: in proportion to the page).
class QOR_API CChildLayout {
public:
    struct LayoutItem {
        RECT rect;
        HWND hWnd;
        int horizontalFlags;
        int verticalFlags;
    };

    void Capture(HWND hParent);
    void Resize();
    // The item of a direct child, or null when it was not captured.
    LayoutItem* Find(HWND child);
    BOOL SetFlags(HWND child, int horizontal, int vertical);
    void SetAllFlags(int horizontal, int vertical);

private:
    std::vector<LayoutItem> m_items;
    HWND m_parent = nullptr;
    RECT m_parentRect = {};
};
