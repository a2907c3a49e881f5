#include "host/ui/VarnPListCtrl.h"
#include <cstdlib>

BOOL CVarnPListCtrl::GetItemRect(int item, RECT* rect, int code) const {
    if (!rect) return FALSE;
    rect->left = code;
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(item), LPARAM(rect)));
}

BOOL CVarnPListCtrl::GetSubItemRect(int item, int column, int code, RECT* rect) const {
    if (!rect) return FALSE;
    rect->top = column;
    rect->left = code;
    return BOOL(SendMessage(LVM_GETSUBITEMRECT, WPARAM(item), LPARAM(rect)));
}

int CVarnPListCtrl::HitTest(POINT point, UINT* flags) const {
    LVHITTESTINFO info = {};
    info.pt = point;
    const int item = int(SendMessage(LVM_HITTEST, 0, LPARAM(&info)));
    if (flags) *flags = info.flags;
    return item;
}

bool CVarnPListCtrl::DrawsHighlighted(int row) const {
    if (!(GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) return false;
    const DWORD style = DWORD(GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
    return ::GetFocus() == GetSafeHwnd() || (style & LVS_SHOWSELALWAYS);
}

BOOL CVarnPListCtrl::OnNotifyReflect(NMHDR* header, LRESULT* result) {
    if (header->code != NM_CUSTOMDRAW) return CListCtrl::OnNotifyReflect(header, result);
    *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    return TRUE;
}

LRESULT CVarnPListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    const DWORD stage = draw->nmcd.dwDrawStage;
    static const int mode = getenv("CDM") ? atoi(getenv("CDM")) : 9;
    if (stage == CDDS_PREPAINT) return mode == 0 ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
    if (mode == 1) return CDRF_DODEFAULT;
    if (mode == 2 && stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (mode == 2) return CDRF_DODEFAULT;
    const bool item = stage == CDDS_ITEMPREPAINT;
    const bool subItem = stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    if (!item && !subItem) return CDRF_DODEFAULT;

    const int row = int(draw->nmcd.dwItemSpec);
    const DWORD style = DWORD(GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
    const bool report = (style & LVS_TYPEMASK) == LVS_REPORT;
    if (item) {
        m_row.text = draw->clrText;
        m_row.back = draw->clrTextBk;
        m_row.highlighted = DrawsHighlighted(row);
    }
    HFONT own = GetFont();
    if (!own) own = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    if (item && report) {
        // The cells choose their own; the row starts from the list's font.
        SelectObject(draw->nmcd.hdc, own);
        return CDRF_NOTIFYSUBITEMDRAW | CDRF_NEWFONT;
    }

    const int column = subItem ? draw->iSubItem : 0;
    const DWORD exStyle = DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    const bool cellHighlighted = m_row.highlighted && (column == 0 || (exStyle & LVS_EX_FULLROWSELECT));
    draw->clrText = m_row.text;
    draw->clrTextBk = m_row.back;
    if (!cellHighlighted) {
        const COLORREF text = OnGetCellTextColor(row, column);
        const COLORREF back = OnGetCellBkColor(row, column);
        if (text != CLR_DEFAULT) draw->clrText = text;
        if (back != CLR_DEFAULT) draw->clrTextBk = back;
    }
    HFONT font = OnGetCellFont(row, column, draw->nmcd.lItemlParam);
    SelectObject(draw->nmcd.hdc, font ? font : own);
    return CDRF_NEWFONT;
}

void CVarnPListCtrl::PaintBuffered() {
    const HWND window = GetSafeHwnd();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    RECT client;
    GetClientRect(window, &client);
    // The header and any in-place editor paint themselves.
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    COLORREF back = GetBkColor();
    if (back == CLR_NONE) back = GetSysColor(COLOR_WINDOW);
    UniqueBrush brush(CreateSolidBrush(back));
    const RECT& area = paint.rcPaint;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr);
    if (!bitmap) {
        // No room for the buffer: straight onto the screen.
        FillRect(dc, &area, brush.get() ? brush.get() : HBRUSH(COLOR_WINDOW + 1));
        Default(WM_PAINT, WPARAM(dc), 0);
    } else {
        SelectedObject selected(memory.get(), bitmap.get());
        FillRect(memory.get(), &area, brush.get() ? brush.get() : HBRUSH(COLOR_WINDOW + 1));
        // Rows scrolled under the header are not drawn (nor asked for).
        RECT rows = area;
        const HWND header = GetHeaderCtrl();
        if (header && IsWindowVisible(header)) {
            RECT place;
            GetWindowRect(header, &place);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
            if (place.bottom > rows.top) rows.top = place.bottom;
        }
        IntersectClipRect(memory.get(), rows.left, rows.top, rows.right, rows.bottom);
        Default(WM_PAINT, WPARAM(memory.get()), 0);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
               area.top, SRCCOPY);
    }
    EndPaint(window, &paint);
}

LRESULT CVarnPListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && wParam == 0 && getenv("BUF")) {
        PaintBuffered();
        return 0;
    }
    // The list view lays out its rows and scroll bars on WM_SIZE, which the
    // window layer keeps for OnSize.
    if (message == WM_SIZE) {
        OnSize(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        return Default(message, wParam, lParam);
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
