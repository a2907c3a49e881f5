#include "host/ui/VarnPGridCtrl.h"

#include <algorithm>

#include "host/ui/VarnPVisualManager.h"

namespace {

const UINT kEditId = 1001;
const int kTextPadding = 4;
const int kLineScrollX = 20;

UINT FindMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// One GDI call fills a rectangle with a colour, without a brush.
void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    if (left >= right || top >= bottom) return;
    const RECT rect{left, top, right, bottom};
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Text(HDC dc, int x, int y, const RECT& clip, const CString& text, COLORREF back, COLORREF fore) {
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &clip, text.GetString(), UINT(text.GetLength()), nullptr);
}

CString VariantText(const VARIANT& value) {
    if (value.vt == VT_BSTR) return value.bstrVal ? CString(value.bstrVal, int(SysStringLen(value.bstrVal))) : CString();
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return CString();
    COleVariant text;
    if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)) || !text.bstrVal) return CString();
    return CString(text.bstrVal, int(SysStringLen(text.bstrVal)));
}

SCROLLINFO ScrollInfo(UINT mask) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CVarnPGridCtrl::CVarnPGridCtrl() : m_edit(*this), m_findRequest(), m_findText() {
    CVarnPVisualManager::GetInstance()->GetGridColors(m_colors);
    m_geometry.SetRowHeaderWidth(m_rowHeaderWidth);
}

CVarnPGridCtrl::~CVarnPGridCtrl() {
    // OnDestroy must run while this object is still a grid.
    DestroyWindow();
}

BOOL CVarnPGridCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CreateEx(0, nullptr, L"", style | WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    CreateToolTip();
    AdjustLayout();
    return TRUE;
}

void CVarnPGridCtrl::CreateToolTip() {
    // Owned by the grid, so it goes with it.
    if (!m_tip.CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, RECT{}, this, 0))
        return;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetSafeHwnd();
    tool.uId = 1;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    m_tip.SendMessage(TTM_ADDTOOLW, 0, LPARAM(&tool));
    m_tip.SendMessage(TTM_SETMAXTIPWIDTH, 0, 400);  // several findings, one per line
}

void CVarnPGridCtrl::ForgetTipCell() {
    // The cells under a still mouse changed: the next move asks afresh.
    m_tipCell = CVarnPGridItemID();
    if (m_tip.GetSafeHwnd()) m_tip.SendMessage(TTM_POP);
}

void CVarnPGridCtrl::TrackTip(const MSG& mouse) {
    if (!m_tip.GetSafeHwnd()) return;
    const GridHit hit = m_geometry.HitTest(short(LOWORD(mouse.lParam)), short(HIWORD(mouse.lParam)));
    CVarnPGridItemID cell;
    if (hit.area == GridHitArea::Cell) cell = CVarnPGridItemID{hit.row, hit.column};
    if (cell.row != m_tipCell.row || cell.column != m_tipCell.column) {
        // The tool is the cell under the mouse: leaving it hides the tip,
        // and the next cell's text is asked for afresh.
        m_tipCell = cell;
        m_tip.SendMessage(TTM_POP);
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetSafeHwnd();
        tool.uId = 1;
        if (!cell.IsNull()) {
            const PixelRect rect = m_geometry.GetCellRect(cell.row, cell.column);
            tool.rect = RECT{rect.left, rect.top, rect.right, rect.bottom};
        }
        m_tip.SendMessage(TTM_NEWTOOLRECTW, 0, LPARAM(&tool));
    }
    m_tip.SendMessage(TTM_RELAYEVENT, 0, LPARAM(&mouse));
}

void CVarnPGridCtrl::OnDestroy() {
    m_editing = false;
    if (HWND dialog = m_findDialog.GetSafeHwnd()) ::DestroyWindow(dialog);
}

// ---- rows, columns, look ----

void CVarnPGridCtrl::EnableVirtualMode(VarnPGridCallback callback, LPARAM param) {
    m_callback = callback;
    m_callbackParam = param;
    Redraw();
}

void CVarnPGridCtrl::SetVirtualRows(int count) {
    if (m_editing && m_editRow >= count) EndEditItem(FALSE);
    m_geometry.SetRowCount(count);
    m_selection.SetRowCount(m_geometry.GetRowCount());
    UpdateScrollBars();
    Redraw();
}

CString CVarnPGridCtrl::GetCellText(int row, int column) const {
    if (!m_callback || row < 0 || row >= GetTotalRowCount() || column < 0 || column >= GetColumnCount())
        return CString();
    CVarnPGridDisplayInfo info;
    info.row = row;
    info.column = column;
    if (!m_callback(&info, m_callbackParam)) return CString();
    return VariantText(info.value);
}

void CVarnPGridCtrl::DeleteAllColumns() {
    EndEditItem(FALSE);
    m_columns.clear();
    m_geometry.DeleteAllColumns();
    m_selection.SetColumnCount(0);
    m_sortColumn = -1;
    UpdateScrollBars();
    Redraw();
}

int CVarnPGridCtrl::InsertColumn(int position, LPCWSTR heading, int width, int image, BOOL resizable) {
    EndEditItem(TRUE);
    if (position < 0 || position > GetColumnCount()) position = GetColumnCount();
    m_columns.insert(m_columns.begin() + position, Column{CString(heading ? heading : L""), image, resizable != FALSE});
    m_geometry.InsertColumn(position, width);
    m_selection.SetColumnCount(GetColumnCount());
    UpdateScrollBars();
    Redraw();
    return position;
}

CString CVarnPGridCtrl::GetColumnName(int column) const {
    return column >= 0 && column < GetColumnCount() ? m_columns[std::size_t(column)].heading : CString();
}

void CVarnPGridCtrl::SetColumnWidth(int column, int width) {
    m_geometry.SetColumnWidth(column, width);
    UpdateScrollBars();
    Redraw();
}

void CVarnPGridCtrl::FreezeColumns(int count, BOOL redraw) {
    m_geometry.SetFrozenColumns(count);
    UpdateScrollBars();
    Redraw(redraw);
}

void CVarnPGridCtrl::EnableMarkSortedColumn(BOOL enable, BOOL redraw) {
    m_markSorted = enable != FALSE;
    Redraw(redraw);
}

void CVarnPGridCtrl::SetSortColumn(int column, BOOL ascending, BOOL redraw) {
    m_sortColumn = column;
    m_sortAscending = ascending != FALSE;
    Redraw(redraw);
}

void CVarnPGridCtrl::EnableHeader(BOOL enable, DWORD) {
    m_header = enable != FALSE;
    UpdateMetrics();
    UpdateScrollBars();
    Redraw();
}

void CVarnPGridCtrl::EnableRowHeader(BOOL enable, DWORD, int width) {
    m_rowHeader = enable != FALSE;
    m_rowHeaderWidth = std::max(0, width);
    m_geometry.SetRowHeaderWidth(m_rowHeader ? m_rowHeaderWidth : 0);
    UpdateScrollBars();
    Redraw();
}

void CVarnPGridCtrl::SetRowHeaderWidth(int width, BOOL redraw) {
    m_rowHeaderWidth = std::max(0, width);
    m_geometry.SetRowHeaderWidth(m_rowHeader ? m_rowHeaderWidth : 0);
    UpdateScrollBars();
    Redraw(redraw);
}

void CVarnPGridCtrl::SetColorTheme(const CVarnPGridColors& colors, BOOL redraw) {
    m_colors = colors;
    Redraw(redraw);
}

HFONT CVarnPGridCtrl::GetGridFont() const {
    HFONT font = GetSafeHwnd() ? GetFont() : nullptr;
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT CVarnPGridCtrl::SetCurrFont(HDC dc) const {
    return dc ? static_cast<HFONT>(SelectObject(dc, GetGridFont())) : nullptr;
}

void CVarnPGridCtrl::UpdateMetrics() {
    if (GetSafeHwnd()) {
        WindowDc dc(GetSafeHwnd());
        if (dc) {
            SelectedObject font(dc.get(), GetGridFont());
            TEXTMETRICW metrics;
            if (GetTextMetricsW(dc.get(), &metrics)) m_textHeight = metrics.tmHeight;
        }
    }
    const int rowHeight = m_textHeight + 2 * 2 + 1;  // padding above and below, one grid line
    m_geometry.SetRowHeight(rowHeight);
    m_geometry.SetHeaderHeight(m_header ? rowHeight + 2 : 0);
}

void CVarnPGridCtrl::AdjustLayout() {
    if (!GetSafeHwnd()) return;
    UpdateMetrics();
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    m_geometry.SetClientSize(client.right, client.bottom);
    UpdateScrollBars();
    if (m_editing) EndEditItem(TRUE);
    Redraw();
}

void CVarnPGridCtrl::OnSize(UINT, int cx, int cy) {
    m_geometry.SetClientSize(cx, cy);
    if (!m_layingOut) UpdateScrollBars();
    Redraw();
}

void CVarnPGridCtrl::UpdateScrollBars() {
    if (!GetSafeHwnd() || m_layingOut) return;
    // Showing or hiding a bar resizes the client area, which changes the
    // page sizes: a few rounds settle it.
    m_layingOut = true;
    for (int round = 0; round < 3; ++round) {
        const int width = m_geometry.GetClientWidth(), height = m_geometry.GetClientHeight();
        SCROLLINFO info = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
        info.nMin = 0;
        info.nMax = std::max(0, m_geometry.GetRowCount() - 1);
        info.nPage = UINT(m_geometry.GetRowCount() > 0 ? m_geometry.GetPageRows() : 1);
        info.nPos = m_geometry.GetTopRow();
        SetScrollInfo(GetSafeHwnd(), SB_VERT, &info, TRUE);
        info.nMax = std::max(0, m_geometry.GetScrollableWidth() - 1);
        info.nPage = UINT(std::max(1, m_geometry.GetScrollAreaWidth()));
        info.nPos = m_geometry.GetScrollX();
        SetScrollInfo(GetSafeHwnd(), SB_HORZ, &info, TRUE);
        RECT client;
        GetClientRect(GetSafeHwnd(), &client);
        m_geometry.SetClientSize(client.right, client.bottom);
        if (client.right == width && client.bottom == height) break;
    }
    m_layingOut = false;
}

void CVarnPGridCtrl::Redraw(BOOL redraw) {
    if (redraw && GetSafeHwnd()) InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
}

// ---- selection and scrolling ----

void CVarnPGridCtrl::Notify(const GridSelectionChanges& changes) {
    Redraw();
    for (const GridSelectionChange& change : changes)
        OnSelChanged(change.rows.first, change.rows.last, change.selected ? TRUE : FALSE);
}

void CVarnPGridCtrl::SelectRow(int row, BOOL add, BOOL redraw) {
    if (row < 0 || row >= GetTotalRowCount()) return;
    m_selection.SetCurrent(row, std::max(0, m_selection.GetCurrentColumn()));
    const GridSelectionChanges changes = add ? m_selection.AddRow(row) : m_selection.SelectOnly(row);
    Redraw(redraw);
    for (const GridSelectionChange& change : changes)
        OnSelChanged(change.rows.first, change.rows.last, change.selected ? TRUE : FALSE);
}

void CVarnPGridCtrl::SelectAll(BOOL redraw) {
    const GridSelectionChanges changes = m_selection.SelectAll();
    Redraw(redraw);
    for (const GridSelectionChange& change : changes)
        OnSelChanged(change.rows.first, change.rows.last, change.selected ? TRUE : FALSE);
}

void CVarnPGridCtrl::SetCurSel(int row, int column, DWORD flags, BOOL redraw) {
    if (row < 0 || row >= GetTotalRowCount()) return;
    m_selection.SetCurrent(row, column);
    GridSelectionChanges changes;
    if (flags & VARNP_GRID_SEL_SINGLE) changes = m_selection.SelectOnly(row);
    else if (flags & VARNP_GRID_SEL_ADD) changes = m_selection.AddRow(row);
    Redraw(redraw);
    for (const GridSelectionChange& change : changes)
        OnSelChanged(change.rows.first, change.rows.last, change.selected ? TRUE : FALSE);
}

CVarnPGridItemID CVarnPGridCtrl::GetCurSel() const {
    return CVarnPGridItemID{m_selection.GetCurrentRow(), m_selection.GetCurrentColumn()};
}

void CVarnPGridCtrl::ScrollToRow(int top) {
    const int before = m_geometry.GetTopRow();
    m_geometry.SetTopRow(top);
    if (m_geometry.GetTopRow() == before) return;
    ForgetTipCell();
    if (m_editing) EndEditItem(TRUE);
    SCROLLINFO info = ScrollInfo(SIF_POS);
    info.nPos = m_geometry.GetTopRow();
    SetScrollInfo(GetSafeHwnd(), SB_VERT, &info, TRUE);
    Redraw();
}

void CVarnPGridCtrl::ScrollToX(int x) {
    const int before = m_geometry.GetScrollX();
    m_geometry.SetScrollX(x);
    if (m_geometry.GetScrollX() == before) return;
    ForgetTipCell();
    if (m_editing) EndEditItem(TRUE);
    SCROLLINFO info = ScrollInfo(SIF_POS);
    info.nPos = m_geometry.GetScrollX();
    SetScrollInfo(GetSafeHwnd(), SB_HORZ, &info, TRUE);
    Redraw();
}

void CVarnPGridCtrl::EnsureVisible(int row, BOOL partialOK) {
    if (row < 0 || row >= GetTotalRowCount()) return;
    if (partialOK && row >= m_geometry.GetTopRow() && row <= m_geometry.GetLastVisibleRow()) return;
    GridGeometry target = m_geometry;
    target.EnsureRowVisible(row);
    ScrollToRow(target.GetTopRow());
}

void CVarnPGridCtrl::EnsureVisibleColumn(int column) {
    GridGeometry target = m_geometry;
    target.EnsureColumnVisible(column);
    ScrollToX(target.GetScrollX());
}

RECT CVarnPGridCtrl::GetCellRect(int row, int column) const { return ToRect(m_geometry.GetCellRect(row, column)); }

void CVarnPGridCtrl::AfterMove() {
    EnsureVisible(m_selection.GetCurrentRow());
    EnsureVisibleColumn(m_selection.GetCurrentColumn());
}

void CVarnPGridCtrl::OnVScroll(int code) {
    const int top = m_geometry.GetTopRow(), page = m_geometry.GetPageRows();
    switch (code) {
    case SB_LINEUP: ScrollToRow(top - 1); break;
    case SB_LINEDOWN: ScrollToRow(top + 1); break;
    case SB_PAGEUP: ScrollToRow(top - page); break;
    case SB_PAGEDOWN: ScrollToRow(top + page); break;
    case SB_TOP: ScrollToRow(0); break;
    case SB_BOTTOM: ScrollToRow(m_geometry.GetMaxTopRow()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position, not the message's 16-bit one.
        SCROLLINFO info = ScrollInfo(SIF_TRACKPOS);
        if (GetScrollInfo(GetSafeHwnd(), SB_VERT, &info)) ScrollToRow(info.nTrackPos);
        break;
    }
    }
}

void CVarnPGridCtrl::OnHScroll(int code) {
    const int x = m_geometry.GetScrollX(), page = std::max(1, m_geometry.GetScrollAreaWidth());
    switch (code) {
    case SB_LINELEFT: ScrollToX(x - kLineScrollX); break;
    case SB_LINERIGHT: ScrollToX(x + kLineScrollX); break;
    case SB_PAGELEFT: ScrollToX(x - page); break;
    case SB_PAGERIGHT: ScrollToX(x + page); break;
    case SB_LEFT: ScrollToX(0); break;
    case SB_RIGHT: ScrollToX(m_geometry.GetMaxScrollX()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = ScrollInfo(SIF_TRACKPOS);
        if (GetScrollInfo(GetSafeHwnd(), SB_HORZ, &info)) ScrollToX(info.nTrackPos);
        break;
    }
    }
}

// ---- keyboard and mouse ----

LRESULT CVarnPGridCtrl::OnKeyDown(WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    GridKey move;
    switch (key) {
    case VK_UP: move = GridKey::Up; break;
    case VK_DOWN: move = GridKey::Down; break;
    case VK_LEFT: move = GridKey::Left; break;
    case VK_RIGHT: move = GridKey::Right; break;
    case VK_PRIOR: move = GridKey::PageUp; break;
    case VK_NEXT: move = GridKey::PageDown; break;
    case VK_HOME: move = GridKey::Home; break;
    case VK_END: move = GridKey::End; break;
    case 'A':
        if (ctrl) SelectAll();
        return 0;
    case VK_F2: {
        const CVarnPGridItemID current = GetCurSel();
        EditItem(current.row, current.column);
        return 0;
    }
    default: return 1;
    }
    const GridSelectionChanges changes = m_selection.Navigate(move, m_geometry.GetPageRows(), shift, ctrl);
    AfterMove();
    Notify(changes);
    return 0;
}

void CVarnPGridCtrl::OnChar(WCHAR ch) {
    if (ch < 0x20 || ch == 0x7F || KeyDown(VK_CONTROL)) return;
    const CVarnPGridItemID current = GetCurSel();
    if (current.IsNull()) return;
    // Typing replaces the cell's text, as in a spreadsheet.
    BeginEdit(current.row, current.column, CString(ch), true);
}

void CVarnPGridCtrl::OnLButtonDown(int x, int y, WPARAM keys) {
    ::SetFocus(GetSafeHwnd());
    const GridHit hit = m_geometry.HitTest(x, y);
    const bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
    switch (hit.area) {
    case GridHitArea::ColumnDivider:
        if (!m_columns[std::size_t(hit.column)].resizable) return;
        m_resizeColumn = hit.column;
        m_resizeStartX = x;
        m_resizeStartWidth = m_geometry.GetColumnWidth(hit.column);
        SetCapture(GetSafeHwnd());
        return;
    case GridHitArea::Corner:
        SelectAll();
        return;
    case GridHitArea::RowHeader:
    case GridHitArea::Cell: {
        const GridSelectionChanges changes =
            m_selection.Click(hit.row, hit.area == GridHitArea::Cell ? hit.column : -1, shift, ctrl);
        m_sweeping = true;
        m_sweepAdds = ctrl;
        SetCapture(GetSafeHwnd());
        AfterMove();
        Notify(changes);
        return;
    }
    default:
        return;
    }
}

void CVarnPGridCtrl::OnMouseMove(int x, int y) {
    if (m_resizeColumn >= 0) {
        m_geometry.SetColumnWidth(m_resizeColumn, m_resizeStartWidth + x - m_resizeStartX);
        UpdateScrollBars();
        Redraw();
        return;
    }
    if (!m_sweeping) return;
    // Held inside the rows on view, so a sweep past the edge stops there.
    const int dataTop = m_geometry.GetHeaderHeight();
    const int lastY = std::max(dataTop, m_geometry.GetClientHeight() - 1);
    const int clampedY = std::max(dataTop, std::min(y, lastY));
    const int row = std::min(m_geometry.GetTopRow() + (clampedY - dataTop) / m_geometry.GetRowHeight(),
                             GetTotalRowCount() - 1);
    if (row < 0 || row == m_selection.GetCurrentRow()) return;
    const GridSelectionChanges changes = m_selection.Click(row, m_selection.GetCurrentColumn(), true, m_sweepAdds);
    AfterMove();
    Notify(changes);
}

// ---- in-place editing ----

BOOL CVarnPGridCtrl::EditItem(int row, int column) {
    if (row < 0 || row >= GetTotalRowCount() || column < 0 || column >= GetColumnCount()) return FALSE;
    return BeginEdit(row, column, GetCellText(row, column), false);
}

BOOL CVarnPGridCtrl::BeginEdit(int row, int column, const CString& text, bool typed) {
    if (!GetSafeHwnd() || !CanEditItem(row, column)) return FALSE;
    if (m_editing) EndEditItem(TRUE);
    m_selection.SetCurrent(row, column);
    AfterMove();
    if (!m_edit.GetSafeHwnd() &&
        !m_edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, RECT{0, 0, 10, 10}, this, kEditId))
        return FALSE;
    // Over the shown part of the cell, so it never covers the frozen columns or the row numbers.
    RECT cell = GetCellRect(row, column);
    const int bandLeft = column < m_geometry.GetFrozenColumns() ? m_geometry.GetRowHeaderWidth()
                                                                : m_geometry.GetScrollAreaLeft();
    cell.left = std::max<LONG>(cell.left, bandLeft);
    m_edit.SetFont(GetGridFont(), FALSE);
    m_edit.SetWindowText(text);
    MoveWindow(m_edit.GetSafeHwnd(), cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, FALSE);
    m_editRow = row;
    m_editColumn = column;
    m_editOriginal = typed ? GetCellText(row, column) : text;
    m_editing = true;
    ShowWindow(m_edit.GetSafeHwnd(), SW_SHOW);
    ::SetFocus(m_edit.GetSafeHwnd());
    if (typed) m_edit.SetSel(text.GetLength(), text.GetLength());
    else m_edit.SetSel(0, -1);
    return TRUE;
}

void CVarnPGridCtrl::EndEditItem(BOOL commit) {
    if (!m_editing) return;
    m_editing = false;  // first: the focus change below reports back here
    const CString text = m_edit.GetWindowText();
    const int row = m_editRow, column = m_editColumn;
    if (GetFocus() == m_edit.GetSafeHwnd()) ::SetFocus(GetSafeHwnd());
    ShowWindow(m_edit.GetSafeHwnd(), SW_HIDE);
    Redraw();
    if (commit && text != m_editOriginal && row < GetTotalRowCount() && column < GetColumnCount())
        OnItemChanged(row, column, text);
}

void CVarnPGridCtrl::MoveAfterTab(bool backward) {
    int row = m_selection.GetCurrentRow(), column = m_selection.GetCurrentColumn();
    if (row < 0) return;
    if (backward) {
        if (column > 0) --column;
        else if (row > 0) --row, column = GetColumnCount() - 1;
    } else {
        if (column + 1 < GetColumnCount()) ++column;
        else if (row + 1 < GetTotalRowCount()) ++row, column = 0;
    }
    SetCurSel(row, column, VARNP_GRID_SEL_SINGLE);
    AfterMove();
}

LRESULT CVarnPGridCtrl::InPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | CEdit::WindowProc(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            m_grid.EndEditItem(wParam == VK_RETURN);
            return 0;
        }
        if (wParam == VK_TAB) {
            m_grid.EndEditItem(TRUE);
            m_grid.MoveAfterTab(KeyDown(VK_SHIFT));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 0x1B || wParam == L'\t') return 0;  // no beep
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        m_grid.EndEditItem(TRUE);
        return result;
    }
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

// ---- find ----

BOOL CVarnPGridCtrl::FindDialog::PreTranslateMessage(MSG* message) {
    return IsDialogMessageW(GetSafeHwnd(), message);
}

BOOL CVarnPGridCtrl::OpenFindReplaceDlg(BOOL find) {
    if (!find || !GetSafeHwnd()) return FALSE;
    if (HWND open = m_findDialog.GetSafeHwnd()) {
        SetActiveWindow(open);
        return TRUE;
    }
    m_findRequest = FINDREPLACEW();
    m_findRequest.lStructSize = sizeof m_findRequest;
    m_findRequest.hwndOwner = GetSafeHwnd();
    m_findRequest.Flags = FR_DOWN;
    m_findRequest.lpstrFindWhat = m_findText;
    m_findRequest.wFindWhatLen = WORD(sizeof m_findText);  // bytes, as the dialog counts them
    HWND dialog = FindTextW(&m_findRequest);
    if (!dialog) return FALSE;
    m_findDialog.SubclassWindow(dialog);
    return TRUE;
}

void CVarnPGridCtrl::OnFindMessage(FINDREPLACEW* request) {
    if (request->Flags & FR_DIALOGTERM) {
        m_findDialog.UnsubclassWindow();
        return;
    }
    if (!(request->Flags & FR_FINDNEXT)) return;
    const DWORD flags = request->Flags & (kGridFindDown | kGridFindWholeWord | kGridFindMatchCase | kGridFindNext);
    if (!Find(CString(request->lpstrFindWhat), flags)) MessageBeep(MB_OK);
}

BOOL CVarnPGridCtrl::Find(const CString& text, DWORD flags) {
    const int rows = GetTotalRowCount();
    const int column = std::max(0, m_selection.GetCurrentColumn());
    if (rows == 0 || column >= GetColumnCount()) return FALSE;
    const bool down = (flags & kGridFindDown) != 0;
    const int current = m_selection.GetCurrentRow();
    const int start = current < 0 ? (down ? 0 : rows - 1) : current + (down ? 1 : -1);
    const int row = GridFindRow(start, rows, text, flags, [&](int r) { return GetCellText(r, column); });
    if (row < 0) return FALSE;
    SetCurSel(row, column, VARNP_GRID_SEL_SINGLE, TRUE);
    AfterMove();
    return TRUE;
}

// ---- painting ----

void CVarnPGridCtrl::Paint(HDC target, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Drawn off screen, then copied in one go: nothing flickers.
    UniqueMemoryDc buffer(CreateCompatibleDC(target));
    UniqueBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!buffer || !bitmap) {
        Draw(target, area);
        return;
    }
    SelectedObject selected(buffer.get(), bitmap.get());
    SetViewportOrgEx(buffer.get(), -area.left, -area.top, nullptr);
    Draw(buffer.get(), area);
    BitBlt(target, area.left, area.top, width, height, buffer.get(), area.left, area.top, SRCCOPY);
}

void CVarnPGridCtrl::Draw(HDC dc, const RECT& area) {
    SelectedObject font(dc, GetGridFont());
    Fill(dc, area.left, area.top, area.right, area.bottom, m_colors.background);

    const int headerHeight = m_geometry.GetHeaderHeight(), rowHeight = m_geometry.GetRowHeight();
    const int top = m_geometry.GetTopRow();
    int firstRow = -1, lastRow = -1;
    if (GetTotalRowCount() > 0 && area.bottom > headerHeight) {
        firstRow = top + std::max(0, int(area.top) - headerHeight) / rowHeight;
        lastRow = std::min(m_geometry.GetLastVisibleRow(), top + (int(area.bottom) - 1 - headerHeight) / rowHeight);
    }
    std::vector<GridVisibleColumn> columns;
    for (const GridVisibleColumn& column : m_geometry.GetVisibleColumns())
        if (column.clipRight > area.left && column.clipLeft < area.right) columns.push_back(column);

    const CVarnPGridItemID current = GetCurSel();
    const int textOffset = (rowHeight - 1 - m_textHeight) / 2;
    for (int row = firstRow; row >= 0 && row <= lastRow; ++row) {
        const bool selected = m_selection.IsSelected(row);
        const int y = headerHeight + (row - top) * rowHeight;
        for (const GridVisibleColumn& column : columns) {
            COLORREF back = selected ? m_colors.selectionBack : m_colors.background;
            COLORREF fore = selected ? m_colors.selectionText : m_colors.text;
            if (!selected) {
                const CellLook look = OnGetCellLook(row, column.column);
                if (look.own) {
                    back = look.back;
                    fore = look.text;
                }
            }
            const RECT clip{std::max<LONG>(column.clipLeft, area.left), y,
                            std::min<LONG>(std::min(column.clipRight, column.right - 1), area.right),
                            y + rowHeight - 1};
            Text(dc, column.left + kTextPadding, y + textOffset, clip, GetCellText(row, column.column), back, fore);
            Fill(dc, column.right - 1, y, column.right, y + rowHeight, m_colors.gridLine);
            Fill(dc, column.clipLeft, y + rowHeight - 1, column.clipRight, y + rowHeight, m_colors.gridLine);
            if (row == current.row && column.column == current.column) {
                const int l = column.left, r = column.right - 1, b = y + rowHeight - 1;
                const bool focused = GetFocus() == GetSafeHwnd();
                const COLORREF frame = focused ? m_colors.currentBorder : m_colors.gridLine;
                // Clipped to the column's shown part, like the text.
                const int cl = std::max(l, column.clipLeft), cr = std::min(r, column.clipRight);
                Fill(dc, cl, y, cr, y + 2, frame);
                Fill(dc, cl, b - 2, cr, b, frame);
                if (l >= column.clipLeft) Fill(dc, l, y, l + 2, b, frame);
                if (r <= column.clipRight) Fill(dc, r - 2, y, r, b, frame);
            }
        }
    }
    if (m_geometry.GetFrozenColumns() > 0) {
        const int x = m_geometry.GetScrollAreaLeft() - 1;
        Fill(dc, x, headerHeight, x + 1, m_geometry.GetClientHeight(), m_colors.frozenLine);
    }
    if (headerHeight > 0) DrawHeader(dc, area, columns);
    if (m_geometry.GetRowHeaderWidth() > 0) DrawRowHeader(dc, area, firstRow, lastRow);
}

void CVarnPGridCtrl::DrawHeader(HDC dc, const RECT& area, const std::vector<GridVisibleColumn>& columns) {
    const int height = m_geometry.GetHeaderHeight();
    if (area.top >= height) return;
    const int textY = (height - 1 - m_textHeight) / 2;
    for (const GridVisibleColumn& column : columns) {
        const Column& info = m_columns[std::size_t(column.column)];
        const RECT clip{column.clipLeft, 0, std::min(column.clipRight, column.right - 1), height - 1};
        int x = column.left + kTextPadding;
        Text(dc, x, textY, clip, CString(), m_colors.headerBack, m_colors.headerText);
        if (m_images && info.image >= 0) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(m_images, &cx, &cy);
            // Clipping keeps a scrolled image from spilling over the frozen columns.
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
            ImageList_Draw(m_images, info.image, dc, x, (height - cy) / 2, ILD_TRANSPARENT);
            RestoreDC(dc, saved);
            x += cx + kTextPadding;
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, m_colors.headerText);
        ExtTextOutW(dc, x, textY, ETO_CLIPPED, &clip, info.heading.GetString(), UINT(info.heading.GetLength()), nullptr);
        SetBkMode(dc, OPAQUE);
        if (m_markSorted && column.column == m_sortColumn) {
            // A small triangle by the right edge, pointing up when ascending.
            const int cx = column.right - 10, cy = height / 2;
            for (int i = 0; i < 4; ++i) {
                const int y = m_sortAscending ? cy - 2 + i : cy + 1 - i;
                if (cx - i >= clip.left) Fill(dc, cx - i, y, std::min<int>(cx + i + 1, clip.right), y + 1, m_colors.headerText);
            }
        }
        Fill(dc, column.right - 1, 0, column.right, height, m_colors.headerLine);
        Fill(dc, column.clipLeft, height - 1, column.clipRight, height, m_colors.headerLine);
    }
    const int end = columns.empty() ? m_geometry.GetRowHeaderWidth() : columns.back().clipRight;
    Fill(dc, end, 0, m_geometry.GetClientWidth(), height - 1, m_colors.headerBack);
    Fill(dc, end, height - 1, m_geometry.GetClientWidth(), height, m_colors.headerLine);
}

void CVarnPGridCtrl::DrawRowHeader(HDC dc, const RECT& area, int firstRow, int lastRow) {
    const int width = m_geometry.GetRowHeaderWidth(), headerHeight = m_geometry.GetHeaderHeight();
    if (area.left >= width) return;
    const int rowHeight = m_geometry.GetRowHeight(), top = m_geometry.GetTopRow();
    Fill(dc, 0, 0, width - 1, m_geometry.GetClientHeight(), m_colors.headerBack);
    Fill(dc, width - 1, 0, width, m_geometry.GetClientHeight(), m_colors.headerLine);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_colors.headerText);
    const int textOffset = (rowHeight - 1 - m_textHeight) / 2;
    for (int row = firstRow; row >= 0 && row <= lastRow; ++row) {
        const int y = headerHeight + (row - top) * rowHeight;
        CString number;
        number.Format(L"%d", row + 1);
        SIZE size = {};
        GetTextExtentPoint32W(dc, number.GetString(), number.GetLength(), &size);
        const RECT clip{0, y, width - 1, y + rowHeight - 1};
        ExtTextOutW(dc, std::max(2, (width - 1 - int(size.cx)) / 2), y + textOffset, ETO_CLIPPED, &clip,
                    number.GetString(), UINT(number.GetLength()), nullptr);
        Fill(dc, 0, y + rowHeight - 1, width - 1, y + rowHeight, m_colors.headerLine);
    }
    SetBkMode(dc, OPAQUE);
}

// ---- messages ----

LRESULT CVarnPGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FindMessage() && message != 0) {
        OnFindMessage(reinterpret_cast<FINDREPLACEW*>(lParam));
        return 0;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(GetSafeHwnd(), &paint)) {
            Paint(dc, paint.rcPaint);
            EndPaint(GetSafeHwnd(), &paint);
        }
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(GetSafeHwnd(), &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_SETFONT: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        AdjustLayout();
        return result;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Redraw();
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam) == 0) return 0;
        break;
    case WM_CHAR:
        OnChar(WCHAR(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        TrackTip(MSG{GetSafeHwnd(), message, wParam, lParam, 0, {}});
        OnLButtonDown(short(LOWORD(lParam)), short(HIWORD(lParam)), wParam);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == m_tip.GetSafeHwnd() && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            m_tipText = m_tipCell.IsNull() ? CString() : OnGetCellTip(m_tipCell.row, m_tipCell.column);
            info->lpszText = const_cast<LPWSTR>(m_tipText.GetString());
            return 0;
        }
        break;
    }
    case WM_MOUSEMOVE:
        TrackTip(MSG{GetSafeHwnd(), message, wParam, lParam, 0, {}});
        OnMouseMove(short(LOWORD(lParam)), short(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == GetSafeHwnd()) ReleaseCapture();
        m_resizeColumn = -1;
        m_sweeping = false;
        return 0;
    case WM_CAPTURECHANGED:
        m_resizeColumn = -1;
        m_sweeping = false;
        return 0;
    case WM_LBUTTONDBLCLK: {
        const GridHit hit = m_geometry.HitTest(short(LOWORD(lParam)), short(HIWORD(lParam)));
        if (hit.area == GridHitArea::Cell) EditItem(hit.row, hit.column);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(GetSafeHwnd(), &point);
            const GridHit hit = m_geometry.HitTest(point.x, point.y);
            if (m_resizeColumn >= 0 ||
                (hit.area == GridHitArea::ColumnDivider && m_columns[std::size_t(hit.column)].resizable)) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                return TRUE;
            }
        }
        break;
    case WM_MOUSEWHEEL: {
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        ScrollToRow(m_geometry.GetTopRow() - notches * int(std::min<UINT>(lines, 100)));
        return 0;
    }
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
