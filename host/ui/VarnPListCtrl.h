#pragma once

#include "framework/ListCtrl.h"

// The control library's list: a list view that draws each cell in the font
// and colours its derived class gives for it. Only the cells the list view
// paints are asked for, so an owner-data list of any length costs per paint
// what its visible rows cost. It paints through an off-screen bitmap, so a
// derived class may leave WM_ERASEBKGND unanswered without flicker or
// leftovers.
class QOR_API CVarnPListCtrl : public CListCtrl {
public:
    CVarnPListCtrl() noexcept = default;

    COLORREF GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR)); }
    COLORREF GetBkColor() const { return COLORREF(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetTextColor(COLORREF color) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(color))); }
    BOOL SetBkColor(COLORREF color) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(color))); }
    int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }
    int GetColumnWidth(int column) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(column))); }
    BOOL GetItemRect(int item, RECT* rect, int code) const;
    BOOL GetSubItemRect(int item, int column, int code, RECT* rect) const;
    UINT GetItemState(int item, UINT mask) const { return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(item), LPARAM(mask))); }
    int HitTest(POINT point, UINT* flags = nullptr) const;

protected:
    // The colours of a cell; CLR_DEFAULT leaves the list view's own. A
    // selected row drawn highlighted keeps the highlight colours.
    virtual COLORREF OnGetCellTextColor(int row, int column) { return CLR_DEFAULT; }
    virtual COLORREF OnGetCellBkColor(int row, int column) { return CLR_DEFAULT; }
    // The font of a cell (borrowed; it must live until the next paint), or
    // null for the list's own.
    virtual HFONT OnGetCellFont(int row, int column, LPARAM itemData) { return nullptr; }

    BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    void PaintBuffered();

    // What the cells of the row being drawn start from: the colours the list
    // view chose for it, which would otherwise carry over between cells.
    struct RowColours {
        COLORREF text = CLR_DEFAULT;
        COLORREF back = CLR_DEFAULT;
        bool highlighted = false;  // the list view paints the selection itself
    } m_row;
    // Read at the start of each paint.
    struct PaintState {
        bool report = true;
        bool fullRow = false;
        bool selectionShown = false;  // focused, or LVS_SHOWSELALWAYS
        HFONT ownFont = nullptr;      // borrowed
    } m_paint;
    // The off-screen image (the device context goes before its bitmap).
    struct Buffer {
        UniqueBitmap bitmap;
        UniqueMemoryDc dc;
        int width = 0;
        int height = 0;
    } m_buffer;
};
