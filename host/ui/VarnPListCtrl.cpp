#include "host/ui/VarnPListCtrl.h"

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

BOOL CVarnPListCtrl::OnNotifyReflect(NMHDR* header, LRESULT* result) {
    if (header->code != NM_CUSTOMDRAW) return CListCtrl::OnNotifyReflect(header, result);
    *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    return TRUE;
}

LRESULT CVarnPListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
    const DWORD stage = draw->nmcd.dwDrawStage;
    const HDC dc = draw->nmcd.hdc;
    if (stage == CDDS_PREPAINT) {
        // What holds for the whole paint is read once: a paint asks for
        // every visible cell.
        const DWORD style = DWORD(GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
        m_paint.report = (style & LVS_TYPEMASK) == LVS_REPORT;
        m_paint.fullRow = (SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_FULLROWSELECT) != 0;
        m_paint.selectionShown = ::GetFocus() == GetSafeHwnd() || (style & LVS_SHOWSELALWAYS);
        m_paint.ownFont = GetFont();
        if (!m_paint.ownFont) m_paint.ownFont = HFONT(GetStockObject(DEFAULT_GUI_FONT));
        return CDRF_NOTIFYITEMDRAW;
    }
    const bool item = stage == CDDS_ITEMPREPAINT;
    const bool subItem = stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    if (!item && !subItem) return CDRF_DODEFAULT;

    const int row = int(draw->nmcd.dwItemSpec);
    if (item) {
        m_row.text = draw->clrText;
        m_row.back = draw->clrTextBk;
        m_row.highlighted = m_paint.selectionShown && (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED);
        if (m_paint.report) {
            // The cells choose their own; the row starts from the list's font.
            if (GetCurrentObject(dc, OBJ_FONT) == m_paint.ownFont) return CDRF_NOTIFYSUBITEMDRAW;
            SelectObject(dc, m_paint.ownFont);
            return CDRF_NOTIFYSUBITEMDRAW | CDRF_NEWFONT;
        }
    }

    const int column = subItem ? draw->iSubItem : 0;
    const bool cellHighlighted = m_row.highlighted && (column == 0 || m_paint.fullRow);
    COLORREF text = m_row.text, back = m_row.back;
    if (!cellHighlighted) {
        const COLORREF cellText = OnGetCellTextColor(row, column);
        const COLORREF cellBack = OnGetCellBkColor(row, column);
        if (cellText != CLR_DEFAULT) text = cellText;
        if (cellBack != CLR_DEFAULT) back = cellBack;
    }
    bool changed = text != draw->clrText || back != draw->clrTextBk;
    draw->clrText = text;
    draw->clrTextBk = back;
    HFONT font = OnGetCellFont(row, column, draw->nmcd.lItemlParam);
    if (!font) font = m_paint.ownFont;
    // Selecting a font costs a look-up in the font engine: only on a change.
    if (GetCurrentObject(dc, OBJ_FONT) != font) {
        SelectObject(dc, font);
        changed = true;
    }
    return changed ? CDRF_NEWFONT : CDRF_DODEFAULT;
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
    const HBRUSH fill = brush ? brush.get() : HBRUSH(COLOR_WINDOW + 1);
    const RECT& area = paint.rcPaint;
    // The buffer is kept from paint to paint while the list keeps its size.
    if (!m_buffer.dc || m_buffer.width < client.right || m_buffer.height < client.bottom) {
        m_buffer.dc.reset();
        m_buffer.bitmap.reset(CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (m_buffer.bitmap) m_buffer.dc.reset(CreateCompatibleDC(dc));
        if (m_buffer.dc) SelectObject(m_buffer.dc.get(), m_buffer.bitmap.get());
        m_buffer.width = client.right;
        m_buffer.height = client.bottom;
    }
    if (!m_buffer.dc) {
        // No room for the buffer: straight onto the screen.
        FillRect(dc, &area, fill);
        Default(WM_PAINT, WPARAM(dc), 0);
    } else {
        const HDC memory = m_buffer.dc.get();
        const int saved = SaveDC(memory);
        FillRect(memory, &area, fill);
        // Rows scrolled under the header are not drawn (nor asked for).
        RECT rows = area;
        const HWND header = GetHeaderCtrl();
        if (header && IsWindowVisible(header)) {
            RECT place;
            GetWindowRect(header, &place);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
            if (place.bottom > rows.top) rows.top = place.bottom;
        }
        IntersectClipRect(memory, rows.left, rows.top, rows.right, rows.bottom);
        Default(WM_PAINT, WPARAM(memory), 0);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
               SRCCOPY);
        RestoreDC(memory, saved);
    }
    EndPaint(window, &paint);
}

LRESULT CVarnPListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && wParam == 0) {
        PaintBuffered();
        return 0;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
