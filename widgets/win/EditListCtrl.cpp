#include "widgets/win/EditListCtrl.h"

#include <windowsx.h>

#include <vector>

#include "widgets/EditListGeometry.h"

namespace {

PixelRect ToPixel(const RECT& r) { return PixelRect{int(r.left), int(r.top), int(r.right), int(r.bottom)}; }
RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool Holds(const CList<int, int>& list, int value) { return list.Find(value) != nullptr; }

void Declare(CList<int, int>& list, int column, BOOL on) {
    if (on) {
        if (!Holds(list, column)) list.AddTail(column);
        return;
    }
    while (POSITION pos = list.Find(column)) list.RemoveAt(pos);
}

// The text on the clipboard, empty when there is none.
CString ClipboardText(HWND owner) {
    CString text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const WCHAR*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Enter and Escape reach an editor before any dialog sees them.
BOOL DispatchEditorKey(MSG* message) {
    if (message->message != WM_KEYDOWN || (message->wParam != VK_RETURN && message->wParam != VK_ESCAPE))
        return FALSE;
    TranslateMessage(message);
    DispatchMessageW(message);
    return TRUE;
}

}  // namespace

// ---------------------------------------------------------------- edit box

BOOL CInPlaceEdit::Open(CEditListCtrl* list, DWORD style, const RECT& rect, int row, int column,
                        const CString& validChars, const CString& initialText) {
    // A previous edit's window may still wait for its WM_CLOSE.
    if (GetSafeHwnd()) DestroyWindow();
    m_list = list;
    m_row = row;
    m_column = column;
    m_validChars = validChars;
    m_initialText = initialText;
    m_cancelled = FALSE;
    m_abandoned = false;
    m_finished = false;
    if (!Create(style | WS_CHILD | WS_VISIBLE, rect, list, 0)) {
        m_finished = true;
        return FALSE;
    }
    SetFont(list->GetFont(), TRUE);
    ShowWindow(GetSafeHwnd(), SW_SHOW);
    SetWindowText(initialText);
    SetSel(0, -1);
    ScrollCaret();
    ::SetFocus(GetSafeHwnd());
    return TRUE;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* message) {
    if (message->hwnd == GetSafeHwnd() && DispatchEditorKey(message)) return TRUE;
    return CEdit::PreTranslateMessage(message);
}

void CInPlaceEdit::Paste() {
    const CString pasted = ClipboardText(GetSafeHwnd());
    const CString kept = EditListFilterText(m_validChars, pasted);
    if (kept.GetLength() != pasted.GetLength()) MessageBeep(MB_ICONEXCLAMATION);
    SendMessage(EM_REPLACESEL, TRUE, LPARAM(static_cast<LPCWSTR>(kept)));
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) m_cancelled = TRUE;
        break;
    case WM_CHAR:
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            if (wParam == VK_ESCAPE) m_cancelled = TRUE;
            if (m_list) ::SetFocus(m_list->GetSafeHwnd());
            return 0;
        }
        if (!EditListCharAllowed(m_validChars, WCHAR(wParam))) {
            MessageBeep(MB_ICONEXCLAMATION);
            return 0;
        }
        break;
    case WM_PASTE:
        if (m_validChars.IsEmpty()) break;
        Paste();
        return 0;
    case WM_KILLFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (!m_finished) {
            m_finished = true;
            if (!m_abandoned && m_list)
                m_list->SendEndEdit(m_row, m_column, m_cancelled ? m_initialText : GetWindowText());
            PostMessageW(GetSafeHwnd(), WM_CLOSE, 0, 0);
        }
        return result;
    }
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CInPlaceEdit::OnClose() {
    if (m_finished) DestroyWindow();
}

// ----------------------------------------------------------- drop-down list

BOOL CInPlaceCombo::Open(CEditListCtrl* list, DWORD style, const RECT& rect, int row, int column,
                         const CStringList& choices, const CString& initialText) {
    if (GetSafeHwnd()) DestroyWindow();
    m_list = list;
    m_row = row;
    m_column = column;
    m_cancelled = FALSE;
    m_initialText = initialText;
    m_choices.RemoveAll();
    for (POSITION pos = choices.GetHeadPosition(); pos;) m_choices.AddTail(choices.GetNext(pos));
    m_abandoned = false;
    m_finished = false;
    if (!Create(style | WS_CHILD | WS_VISIBLE, rect, list, 0)) {
        m_finished = true;
        return FALSE;
    }
    SetFont(list->GetFont(), TRUE);
    ::SetFocus(GetSafeHwnd());
    ResetContent();
    for (POSITION pos = m_choices.GetHeadPosition(); pos;) AddString(m_choices.GetNext(pos));
    SetCurSel(-1);
    return TRUE;
}

BOOL CInPlaceCombo::PreTranslateMessage(MSG* message) {
    if (message->hwnd == GetSafeHwnd() && DispatchEditorKey(message)) return TRUE;
    return CComboBox::PreTranslateMessage(message);
}

BOOL CInPlaceCombo::OnCommandReflect(UINT code) {
    if (code != CBN_CLOSEUP) return FALSE;
    if (m_list) ::SetFocus(m_list->GetSafeHwnd());
    return TRUE;
}

LRESULT CInPlaceCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return CComboBox::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        // Escape on an open list rolls it up first; the edit is cancelled all the same.
        if (wParam == VK_ESCAPE) m_cancelled = TRUE;
        break;
    case WM_CHAR:
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            if (wParam == VK_ESCAPE) m_cancelled = TRUE;
            if (m_list) ::SetFocus(m_list->GetSafeHwnd());
            return 0;
        }
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        if (!m_finished) {
            m_finished = true;
            if (!m_abandoned && m_list)
                m_list->SendEndEdit(m_row, m_column, m_cancelled ? m_initialText : GetWindowText());
            PostMessageW(GetSafeHwnd(), WM_CLOSE, 0, 0);
        }
        return result;
    }
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

void CInPlaceCombo::OnClose() {
    if (m_finished) DestroyWindow();
}

// -------------------------------------------------------------------- list

CEditListCtrl::CEditListCtrl() noexcept = default;

CEditListCtrl::~CEditListCtrl() {
    AbandonEditors();
    m_edit.reset();
    m_combo.reset();
}

void CEditListCtrl::SetChoiceColumn(int column, BOOL choice) { Declare(m_choiceColumns, column, choice); }
BOOL CEditListCtrl::IsChoiceColumn(int column) const { return Holds(m_choiceColumns, column); }
void CEditListCtrl::SetReadOnlyColumn(int column, BOOL readOnly) { Declare(m_readOnlyColumns, column, readOnly); }
BOOL CEditListCtrl::IsReadOnlyColumn(int column) const { return Holds(m_readOnlyColumns, column); }

BOOL CEditListCtrl::SetValidChars(int column, const CString& chars) {
    if (column < 0 || column >= kValidCharColumns) return FALSE;
    m_validChars[column] = chars;
    return TRUE;
}

CString CEditListCtrl::GetValidChars(int column) const {
    return column >= 0 && column < kValidCharColumns ? m_validChars[column] : CString();
}

HWND CEditListCtrl::GetEditWindow() const { return m_edit ? m_edit->GetSafeHwnd() : nullptr; }
HWND CEditListCtrl::GetComboWindow() const { return m_combo ? m_combo->GetSafeHwnd() : nullptr; }

bool CEditListCtrl::EditorBusy() const {
    if ((m_edit && m_edit->GetSafeHwnd() && !m_edit->m_finished) ||
        (m_combo && m_combo->GetSafeHwnd() && !m_combo->m_finished))
        return true;
    // The list view starts its own editor a double-click time after the
    // click that opened ours, even when ours has ended by then.
    return m_clickEditTime && GetTickCount() - m_clickEditTime <= GetDoubleClickTime() + 200;
}

void CEditListCtrl::AbandonEditors() {
    if (m_edit) m_edit->m_abandoned = true;
    if (m_combo) m_combo->m_abandoned = true;
}

int CEditListCtrl::ColumnAt(int row, POINT point) const {
    RECT bounds = {};
    if (row < 0 || !GetItemRect(row, &bounds, LVIR_BOUNDS)) return 0;
    ListColumnLayout columns;
    const int count = GetColumnCount();
    for (int i = 0; i < count; ++i) columns.widths.push_back(GetColumnWidth(i));
    columns.order.resize(std::size_t(count));
    if (count > 0 && !SendMessage(LVM_GETCOLUMNORDERARRAY, WPARAM(count), LPARAM(columns.order.data())))
        columns.order.clear();
    return EditListColumnAt(columns, ToPixel(bounds), point.x, point.y);
}

RECT CEditListCtrl::CellRectScrolled(int row, int column) {
    RECT bounds = {};
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    ListColumnLayout columns;
    const int count = GetColumnCount();
    for (int i = 0; i < count; ++i) columns.widths.push_back(GetColumnWidth(i));
    columns.order.resize(std::size_t(count));
    if (count > 0 && !SendMessage(LVM_GETCOLUMNORDERARRAY, WPARAM(count), LPARAM(columns.order.data())))
        columns.order.clear();
    const EditListCellPlacement placement = EditListCellRect(columns, column, ToPixel(bounds), ToPixel(client));
    if (placement.scrollDx) SendMessage(LVM_SCROLL, WPARAM(placement.scrollDx), 0);
    return ToRect(placement.cell);
}

BOOL CEditListCtrl::OpenDropDown(int row, int column, const CStringList& choices, const CString& text) {
    if (!EnsureVisible(row, TRUE)) return FALSE;
    if (column >= GetColumnCount() || GetColumnWidth(column) < 10) return FALSE;
    const RECT cell = CellRectScrolled(row, column);
    const RECT rect = ToRect(EditListDropDownRect(ToPixel(cell), int(choices.GetCount())));
    if (!m_combo) m_combo = std::make_unique<CInPlaceCombo>();
    return m_combo->Open(this, m_comboStyle, rect, row, column, choices, text);
}

BOOL CEditListCtrl::OpenEdit(int row, int column, const CString& text) {
    const RECT rect = CellRectScrolled(row, column);
    if (!m_edit) m_edit = std::make_unique<CInPlaceEdit>();
    return m_edit->Open(this, m_editStyle, rect, row, column, GetValidChars(column), text);
}

void CEditListCtrl::SendEndEdit(int row, int column, const CString& text) {
    NMLVDISPINFOW info = {};
    info.hdr.hwndFrom = GetSafeHwnd();
    info.hdr.idFrom = 0;
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
    info.item.cchTextMax = text.GetLength();
    const HWND parent = GetParent(GetSafeHwnd());
    if (CWnd::FromHandlePermanent(parent)) {
        // Comes back to this list as a reflected notification.
        ::SendMessageW(parent, WM_NOTIFY, WPARAM(GetDlgCtrlID()), LPARAM(&info));
    } else {
        // A parent that reflects nothing gets the result directly.
        LRESULT result = 0;
        OnNotifyReflect(&info.hdr, &result);
    }
}

void CEditListCtrl::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int row = HitTest(point);
    const DWORD style = DWORD(GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
    if ((style & LVS_TYPEMASK) != LVS_REPORT) {
        Default(WM_LBUTTONDOWN, wParam, lParam);
        return;
    }
    const int column = ColumnAt(row, point);
    Default(WM_LBUTTONDOWN, wParam, lParam);

    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0) return;
    if (row == -1 || !(GetItemState(row, LVIS_FOCUSED) & LVIS_FOCUSED) || !(style & LVS_EDITLABELS)) return;
    // Past the last column there is no cell to edit.
    if (column >= GetColumnCount()) return;
    const CString text = GetItemText(row, column);
    if (IsChoiceColumn(column)) {
        CStringList choices;
        ::SendMessageW(GetParent(GetSafeHwnd()), WM_EDITLIST_GETCHOICES, WPARAM(column), LPARAM(&choices));
        if (OpenDropDown(row, column, choices, text)) {
            m_clickEditTime = GetTickCount();
            const int index = int(m_combo->SendMessage(CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(LPCWSTR(text))));
            if (index != CB_ERR) m_combo->SetCurSel(index);
        }
    } else if (!IsReadOnlyColumn(column)) {
        if (OpenEdit(row, column, text)) m_clickEditTime = GetTickCount();
    }
}

BOOL CEditListCtrl::OnNotifyReflect(NMHDR* header, LRESULT* result) {
    switch (header->code) {
    case LVN_BEGINLABELEDITW: {
        const auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        *result = IsReadOnlyColumn(info->item.iSubItem) || EditorBusy() ? 1 : 0;
        return TRUE;
    }
    case LVN_ENDLABELEDITW:
        ::SendMessageW(GetParent(GetSafeHwnd()), WM_EDITLIST_ENDEDIT, WPARAM(GetDlgCtrlID()), LPARAM(header));
        *result = 0;
        return TRUE;
    }
    return CListCtrlEx::OnNotifyReflect(header, result);
}

BOOL CEditListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // Resizing a column moves the cell away from its editor.
    const auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && (header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA) &&
        ::GetFocus() != GetSafeHwnd() && IsChild(GetSafeHwnd(), ::GetFocus()))
        ::SetFocus(GetSafeHwnd());
    return CListCtrlEx::OnNotify(wParam, lParam, result);
}

LRESULT CEditListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        // Scrolling ends an edit rather than leave the editor behind.
        ::SetFocus(GetSafeHwnd());
        break;
    case WM_DESTROY:
        AbandonEditors();
        break;
    }
    return CListCtrlEx::WindowProc(message, wParam, lParam);
}
