#include "framework/Wnd.h"

#include <windows.h>
#include <commctrl.h>

// The entry points of every bound window: the window procedure of the
// library's own class and the one that controls it creates are subclassed
// with. Both find their object in GWLP_USERDATA: window properties would cost
// a round trip to the window server per message under Wine.
struct CWndThunk {
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

namespace {

const wchar_t kWindowClass[] = L"QorDictionaryWnd";

CWnd* ObjectOf(HWND window) { return reinterpret_cast<CWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = CWndThunk::WindowProc;
        wc.hInstance = ThisModule();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

// The common controls register their classes once per process.
void InitCommonControlClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

}  // namespace

LRESULT CALLBACK CWndThunk::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = ObjectOf(window);
    if (!object && message == WM_NCCREATE) {
        object = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (object) object->Bind(window, false);
    }
    return object ? object->Dispatch(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWndThunk::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ObjectOf(window)->Dispatch(message, wParam, lParam);
}

CWnd::~CWnd() {
    // Destroying the window unbinds this object on the way (WM_NCDESTROY).
    m_window.reset();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id) {
    if (m_hWnd) return FALSE;
    const bool ownClass = className == nullptr;
    if (ownClass && !RegisterWindowClass()) return FALSE;
    if (!ownClass) InitCommonControlClasses();
    HWND parentWindow = parent ? parent->m_hWnd : nullptr;
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(id)) : nullptr;
    HWND window = CreateWindowExW(exStyle, ownClass ? kWindowClass : className, text, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parentWindow, menuOrId,
                                  ThisModule(), ownClass ? this : nullptr);
    if (!window) return FALSE;
    if (!ownClass) Bind(window, true);
    m_window.reset(window);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    if (m_window) {
        m_window.reset();
        return TRUE;
    }
    return ::DestroyWindow(m_hWnd);
}

HWND CWnd::Detach() noexcept {
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

CWnd* CWnd::FromHandlePermanent(HWND window) noexcept {
    if (!window) return nullptr;
    // Only a window running one of our procedures holds an object in its user data.
    const LONG_PTR proc = GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (proc != reinterpret_cast<LONG_PTR>(&CWndThunk::WindowProc) &&
        proc != reinterpret_cast<LONG_PTR>(&CWndThunk::ControlProc))
        return nullptr;
    return ObjectOf(window);
}

CString CWnd::GetWindowText() const {
    CString text;
    const int length = GetWindowTextLengthW(m_hWnd);
    if (length > 0) {
        const int read = ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(read > 0 ? read : 0);
    }
    return text;
}

void CWnd::Bind(HWND window, bool control) noexcept {
    m_hWnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (control)
        m_controlProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndThunk::ControlProc)));
}

void CWnd::Unbind() noexcept {
    if (m_controlProc) SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    m_window.release();
    m_hWnd = nullptr;
    m_controlProc = nullptr;
    m_font = nullptr;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_controlProc ? CallWindowProcW(m_controlProc, m_hWnd, message, wParam, lParam)
                         : DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCDESTROY) {
        const LRESULT result = Default(message, wParam, lParam);
        Unbind();
        try {
            PostNcDestroy();
        } catch (...) {
        }
        return result;
    }
    try {
        return WindowProc(message, wParam, lParam);
    } catch (...) {
    }
    try {
        return Default(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_SIZE:
        OnSize(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SETFONT:
        if (m_controlProc) break;
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        if (m_controlProc) break;
        return reinterpret_cast<LRESULT>(m_font);
    case WM_COMMAND: {
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (child && child->OnCommandReflect(HIWORD(wParam))) return 0;
        if (OnCommand(wParam, lParam)) return 0;
        break;
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        CWnd* child = header ? FromHandlePermanent(header->hwndFrom) : nullptr;
        if (child && child->OnNotifyReflect(header, &result)) return result;
        if (OnNotify(wParam, lParam, &result)) return result;
        break;
    }
    }
    return Default(message, wParam, lParam);
}
