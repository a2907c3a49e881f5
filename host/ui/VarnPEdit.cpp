#include "host/ui/VarnPEdit.h"

#include <algorithm>

BOOL CVarnPEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CEdit::Create(style, rect, parent, id)) return FALSE;
    UpdateButton();
    return TRUE;
}

void CVarnPEdit::EnableBrowseButton(BOOL enable, LPCWSTR text) {
    m_browse = enable ? TRUE : FALSE;
    m_buttonText = text ? text : L"";
    UpdateButton();
}

int CVarnPEdit::ButtonWidth() const {
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    return std::max<int>(16, client.bottom - client.top);
}

void CVarnPEdit::UpdateButton() {
    const HWND edit = GetSafeHwnd();
    if (!edit) return;
    if (!m_browse) {
        m_button.reset();
        SendMessage(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        InvalidateRect(edit, nullptr, TRUE);
        return;
    }
    RECT client;
    GetClientRect(edit, &client);
    const int width = ButtonWidth();
    if (!m_button) {
        // The box must not paint over its button.
        SetWindowLongW(edit, GWL_STYLE, GetWindowLongW(edit, GWL_STYLE) | WS_CLIPCHILDREN);
        m_button.reset(CreateWindowExW(0, L"Button", m_buttonText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                                       edit, reinterpret_cast<HMENU>(INT_PTR(kBrowseButtonId)),
                                       HINSTANCE(GetWindowLongPtrW(edit, GWLP_HINSTANCE)), nullptr));
        if (!m_button) return;
        // The label stays in the dialog's font whatever font the box shows.
        HFONT font = HFONT(::SendMessageW(GetParent(edit), WM_GETFONT, 0, 0));
        if (!font) font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
        ::SendMessageW(m_button.get(), WM_SETFONT, WPARAM(font), FALSE);
        EnableWindow(m_button.get(), IsWindowEnabled(edit));
    } else {
        ::SetWindowTextW(m_button.get(), m_buttonText);
    }
    MoveWindow(m_button.get(), client.right - width, client.top, width, client.bottom - client.top, TRUE);
    SendMessage(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
    InvalidateRect(edit, nullptr, TRUE);
}

BOOL CVarnPEdit::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!m_button || HWND(lParam) != m_button.get() || HIWORD(wParam) != BN_CLICKED) return CEdit::OnCommand(wParam, lParam);
    OnBrowse();
    // A click leaves the focus on the button; the box is where the user works.
    if (GetSafeHwnd() && IsWindowVisible(GetSafeHwnd())) ::SetFocus(GetSafeHwnd());
    return TRUE;
}

LRESULT CVarnPEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (m_browse && wParam == VK_F4) {
            OnBrowse();
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (m_browse && wParam == VK_DOWN && (lParam & (1 << 29))) {
            OnBrowse();
            return 0;
        }
        break;
    case WM_SIZE:
    case WM_SETFONT: {
        // The box lays out its margins again on both.
        const LRESULT result = Default(message, wParam, lParam);
        if (m_button) UpdateButton();
        return result;
    }
    case WM_ENABLE:
        if (m_button) EnableWindow(m_button.get(), BOOL(wParam));
        break;
    case WM_DESTROY:
        // The button goes with the box.
        m_button.release();
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
