#pragma once

#include "host/ui/VarnPListCtrl.h"

// The editor's list look: every cell in the list view's own text and
// background colours, and no background erase (the base paints off-screen).
class QOR_API CListCtrlEx : public CVarnPListCtrl {
public:
    CListCtrlEx() noexcept = default;

protected:
    COLORREF OnGetCellTextColor(int row, int column) override;
    COLORREF OnGetCellBkColor(int row, int column) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
